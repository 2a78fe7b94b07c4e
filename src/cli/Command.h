#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vrel::cli {

enum ExitCode : int {
    kExitGood = 0,
    kExitDamaged = 1,  // damaged or unusable input, or work that could not be done in full
    kExitUsage = 2,
};

// Where a sub-command writes: its results to Out, problems and usage errors to Err. Terminal is
// set when Err is a terminal, so that progress can be shown there.
struct CommandIo {
    std::ostream& Out;
    std::ostream& Err;
    bool Terminal = false;
};

struct Command {
    std::string_view Name;
    std::string_view Synopsis;  // the arguments after the command's name
    std::string_view Summary;   // one line for the tool's help
    std::string_view Help;      // the rest of the command's own help
    int (*Run)(const std::vector<std::string>& args, CommandIo& io);
};

extern const Command kListCommand;
extern const Command kInfoCommand;
extern const Command kExtractCommand;
extern const Command kPackCommand;
extern const Command kImportCommand;
extern const Command kVerifyCommand;
extern const Command kConflictsCommand;
extern const Command kSetsCommand;

// The whole tool: `args` are the words after the program's name.
int RunVrelDat(const std::vector<std::string>& args, CommandIo& io);

}  // namespace vrel::cli
