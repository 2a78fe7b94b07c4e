#pragma once

#include <filesystem>
#include <string>

#include "config/VrelCFG.h"

namespace vrel {

// What the first-run and Options windows need of the program's state: the settings, the program
// folder they are saved in, and the command line. The program's state builds on it.
struct ProgramSettings {
    VrelCFG Config;
    std::filesystem::path ProgramFolder;
    std::string CommandLine;  // the whole argument text, searched for switches such as "-d"
};

}  // namespace vrel
