#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "platform/EnvironmentPort.h"
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
    // Moves the file into `trash` when one is set; without one the system has no trash.
    bool MoveToTrash(const std::filesystem::path& file) override {
        std::error_code error;
        return !trash.empty() &&
               (std::filesystem::rename(file, trash / file.filename(), error), !error);
    }
    std::vector<std::string> opened;
    std::vector<std::filesystem::path> openedFiles;
    std::filesystem::path trash;
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

    std::vector<std::string> PickOpenFiles(const std::string&,
                                           const std::vector<FileFilter>& filters,
                                           const std::string&) override {
        fileFilters.push_back(filters);
        auto picked = std::move(manyFiles);
        manyFiles.clear();
        return picked;
    }
    std::optional<std::string> AskText(const std::string& question,
                                       const std::string& initial) override {
        textQuestions.push_back(question + " [" + initial + "]");
        if (texts.empty()) {
            return std::nullopt;
        }
        auto text = texts.front();
        texts.pop_front();
        return text;
    }

    std::optional<std::size_t> PickOne(const std::string& question,
                                       const std::vector<std::string>& choices,
                                       std::size_t preselected) override {
        oneQuestions.push_back(question);
        preselections.push_back(preselected);
        offered.push_back(choices);
        if (picks.empty()) {
            return std::nullopt;
        }
        auto pick = picks.front();
        picks.pop_front();
        return pick;
    }

    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::size_t>> picks;  // answers to PickOne; none cancels
    std::vector<std::string> manyFiles;            // the next PickOpenFiles' answer
    std::deque<std::optional<std::string>> texts;  // answers to AskText; none cancels
    std::vector<std::string> textQuestions;
    std::vector<std::string> oneQuestions;
    std::vector<std::size_t> preselections;
    std::vector<std::vector<std::string>> offered;
    std::vector<std::string> folderInstructions;
    std::vector<std::vector<FileFilter>> fileFilters;
    std::vector<std::string> startFolders;
};

// Values by "key|name" in the 32-bit view, or "64:key|name" in the 64-bit one; any other read gives
// `value`. Subkeys by key, in the same way.
class FakeRegistry final : public RegistryPort {
public:
    RegistryValue ReadRegValue(const std::string& keyPath, const std::string& valueName,
                               RegistryView view = RegistryView::Bits32) override {
        const std::string read = ViewMark(view) + keyPath + "|" + valueName;
        reads.push_back(read);
        const auto found = values.find(read);
        return found != values.end() ? found->second : value;
    }
    std::vector<std::string> SubkeyNames(const std::string& keyPath, RegistryView view) override {
        const auto found = subkeys.find(ViewMark(view) + keyPath);
        return found != subkeys.end() ? found->second : std::vector<std::string>{};
    }
    static std::string ViewMark(RegistryView view) {
        return view == RegistryView::Bits64 ? "64:" : "";
    }
    RegistryValue value;
    std::map<std::string, RegistryValue> values;
    std::map<std::string, std::vector<std::string>> subkeys;
    std::vector<std::string> reads;
};

class FakeEnvironment final : public EnvironmentPort {
public:
    std::optional<std::string> Variable(const std::string& name) override {
        const auto found = variables.find(name);
        if (found == variables.end() || found->second.empty()) {
            return std::nullopt;
        }
        return found->second;
    }
    std::map<std::string, std::string> variables;
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
    FakeEnvironment environment;
    Ports ports{messages, lifetime, sounds, pickers, registry, processes, shell, environment};
};

}  // namespace vrel::testing
