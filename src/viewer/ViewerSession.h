#pragma once

#include <filesystem>
#include <string>

#include "platform/LifetimePort.h"
#include "platform/MessageBoxPort.h"
#include "platform/PickerPort.h"
#include "viewer/KeyCommands.h"
#include "viewer/ViewerView.h"

namespace vrel {

// Every contact of Pendra with the user and the operating system.
struct ViewerPorts {
    MessageBoxPort& messages;
    LifetimePort& lifetime;
    PickerPort& pickers;
};

struct ViewerStart {
    // The whole argument text of the process, the arguments joined by single spaces.
    std::string CommandLine;
    // Holds the release notes; relative names are looked up here.
    std::filesystem::path ProgramFolder;
    // Where the user started the program; a relative name given with "-f" that the program folder
    // does not hold is taken from here.
    std::filesystem::path startFolder;
};

// The viewer's behaviour: start-up, loading, the key commands and closing. Every failure shows
// "Error: " and its description and ends the program.
class ViewerSession {
public:
    ViewerSession(ViewerStart start, ViewerPorts ports, ViewerView& view);

    // Window load: start caption, window shown, then the command-line rules.
    void Form_Load();
    void LoadNFO(const std::string& fileName);
    void LoadDialog();
    void KeyUp(ViewerKey key, ShiftState shiftState);
    // The closing step, for the system's close command and for Esc alike; never cancelled.
    void QueryUnload();

    // True once the program has been told to end.
    bool Ended() const { return ended_; }

private:
    void Load(const std::filesystem::path& file);
    void ErrorExit(const std::string& description);
    std::filesystem::path Resolve(const std::string& fileName, bool fromCommandLine) const;

    ViewerStart start_;
    ViewerPorts ports_;
    ViewerView& view_;
    std::filesystem::path currentFolder_;
    bool ended_ = false;
};

}  // namespace vrel
