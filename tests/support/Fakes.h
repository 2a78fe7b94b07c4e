#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/LifetimePort.h"
#include "platform/MessageBoxPort.h"
#include "platform/PickerPort.h"
#include "platform/Ports.h"
#include "platform/ProcessPort.h"
#include "platform/ProgressPort.h"
#include "platform/RegistryPort.h"
#include "platform/ShellPort.h"
#include "platform/SoundPort.h"

namespace vrel::testing {

// Records every message and answers from a script; unscripted messages get their first button.
class FakeMessageBox final : public MessageBoxPort {
public:
    MessageAnswer Show(const MessageRequest& request) override {
        shown.push_back(request);
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& request : shown) {
            texts.push_back(request.text);
        }
        return texts;
    }

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> answers;
};

class FakeLifetime final : public LifetimePort {
public:
    void EndProgram() override { ++ended; }
    int ended = 0;
};

class FakeSounds final : public SoundPort {
public:
    void Play(const std::filesystem::path& wavFile) override { played.push_back(wavFile); }
    std::vector<std::filesystem::path> played;
};

class FakeShell final : public ShellPort {
public:
    void Open(const std::string& address) override { opened.push_back(address); }
    void OpenFile(const std::filesystem::path& file) override { openedFiles.push_back(file); }
    std::vector<std::string> opened;
    std::vector<std::filesystem::path> openedFiles;
};

class FakePickers final : public PickerPort {
public:
    std::optional<std::string> PickFolder(const std::string& instruction) override {
        folderInstructions.push_back(instruction);
        if (folders.empty()) {
            return std::nullopt;
        }
        auto folder = folders.front();
        folders.pop_front();
        return folder;
    }
    std::optional<std::string> PickOpenFile(const std::vector<FileFilter>& filters,
                                            const std::string& startFolder) override {
        fileFilters.push_back(filters);
        startFolders.push_back(startFolder);
        if (files.empty()) {
            return std::nullopt;
        }
        auto file = files.front();
        files.pop_front();
        return file;
    }

    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> folderInstructions;
    std::vector<std::vector<FileFilter>> fileFilters;
    std::vector<std::string> startFolders;
};

class FakeRegistry final : public RegistryPort {
public:
    RegistryValue ReadRegValue(const std::string& keyPath, const std::string& valueName) override {
        reads.push_back(keyPath + "|" + valueName);
        return value;
    }
    RegistryValue value;
    std::vector<std::string> reads;
};

class FakeProcesses final : public ProcessPort {
public:
    Expected<ProcessId, StartFailure> Start(const std::filesystem::path& program,
                                            const std::filesystem::path& workingFolder) override {
        started.push_back({program, workingFolder});
        if (!startResult) {
            return Unexpected{StartFailure{StartProblem::Refused, program, startFailure}};
        }
        return *startResult;
    }
    bool IsRunning(ProcessId id) override {
        queried.push_back(id);
        return running;
    }
    struct Started {
        std::filesystem::path program;
        std::filesystem::path workingFolder;
    };
    std::vector<Started> started;
    std::vector<ProcessId> queried;
    std::optional<ProcessId> startResult = 42;  // nothing: the start fails with startFailure
    std::error_code startFailure = std::make_error_code(std::errc::no_such_file_or_directory);
    bool running = false;
};

// Records the progress window's state and each repaint.
class FakeProgress final : public ProgressPort {
public:
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetLabel(const std::string& text) override { label = text; }
    void SetValue(int v) override { value = v; }
    void SetMaximum(int m) override { maximum = m; }
    void Repaint() override {
        repaints.push_back(caption + "|" + label + "|" + std::to_string(value));
    }
    void RepaintLabel() override { labelRepaints.push_back(label); }

    bool visible = false;
    std::string caption, label;
    int value = 0, maximum = 100;
    std::vector<std::string> repaints, labelRepaints;
};

// Every port faked, and the bundle of them that windows and the pipeline take.
struct FakePorts {
    FakeMessageBox messages;
    FakeLifetime lifetime;
    FakeSounds sounds;
    FakePickers pickers;
    FakeRegistry registry;
    FakeProcesses processes;
    FakeShell shell;
    Ports ports{messages, lifetime, sounds, pickers, registry, processes, shell};
};

}  // namespace vrel::testing
