#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every setting of vrel.cfg, declared once: reading and writing the file, the Options window and
// the first-run defaults all go through these tables. Within a section the order is the file's.
// A new setting is a field here and a line in its table; the Options window then places its box.
namespace vrel {

// The switches and the first-run mark. A Boolean setting counts as on only when true.
struct CfgGeneral {
    bool FirstTimeRun = false;
    bool Sound = false;
    bool LoadModDesc = false;
    bool DeleteDataFiles = false;
    bool CheckConflicts = false;
};

// Folders as settings text (config/SettingsText.h), exactly as vrel.cfg holds them.
struct CfgPath {
    std::string Fallout1;
    std::string Fallout2;  // the game folder, holding Fallout2.exe and the Data tree
    std::string AppPath;   // the program folder at the last write
};

struct CfgSkins {
    std::uint8_t NumSkinsInstalled = 0;
};

// A switch of [General]. Its line is on when it ends in a digit other than 0.
struct SwitchSetting {
    std::string_view Key;  // as the line holds it, "=" included
    bool CfgGeneral::*Field;
    bool FirstRunDefault;          // what the first-run window's Continue stores
    std::string_view OptionsBox;   // the Options window's check box; empty for none
    std::string_view Caption;      // the box's text
    std::string_view Description;  // shown while the pointer is over the box
};

// A line is searched for these keys in this order, and counts for the first it holds.
inline constexpr auto kSwitches = std::to_array<SwitchSetting>({
    {"FirstTimeRun=", &CfgGeneral::FirstTimeRun, false, "", "", ""},
    {"Sound=", &CfgGeneral::Sound, true, "genSound", "Sounds",
     "Enabled/Disables those fantastic Dolby Pro-Logic Surround 5.1 THX's sounds when you "
     "hover/click the buttons."},
    {"LoadModDesc=", &CfgGeneral::LoadModDesc, true, "genLoadModDesc", "Load mod description",
     "If available, loads the mod description directly from the DAT, if disabled, it can save you "
     "time when you have lots of mods in your Patches folder."},
    {"DeleteDataFiles=", &CfgGeneral::DeleteDataFiles, true, "genDeleteDataFiles",
     "Delete files from the data\\ folder after playing",
     "When you finish playing Fallout, it will delete any file that was created to enable the "
     "mods. Warning, if you close Vrel before they're delete you will have to do the work "
     "manually!"},
    {"CheckConflicts=", &CfgGeneral::CheckConflicts, true, "genCheckConflicts",
     "Check for patch conflicts before playing",
     "Checks any conflicts between mods before playing. (Recommended)"},
});

// A folder of [Path], kept as settings text and read as the rest of its line, untrimmed.
struct FolderSetting {
    std::string_view Key;  // as the line holds it, "=" included
    std::string CfgPath::*Field;
    int SearchOrder;  // a line holding two keys counts for the one that comes first here
    std::optional<std::string_view> WrittenAs;  // written whatever the field holds
    std::string_view FirstRunDefault;  // before the first-run window adds the folders it knows
};

inline constexpr auto kFolders = std::to_array<FolderSetting>({
    {"AppPath=", &CfgPath::AppPath, 2, std::nullopt, ""},
    {"Fallout1=", &CfgPath::Fallout1, 0, "\"null\"", "null"},
    {"Fallout2=", &CfgPath::Fallout2, 1, std::nullopt, ""},
});

}  // namespace vrel
