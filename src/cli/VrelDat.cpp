#include <algorithm>
#include <array>

#include "cli/CommandLine.h"

namespace vrel::cli {
namespace {

const std::array<const Command*, 8> kCommands = {
    &kListCommand,   &kInfoCommand,   &kExtractCommand,   &kPackCommand,
    &kImportCommand, &kVerifyCommand, &kConflictsCommand, &kSetsCommand,
};

const Command* FindCommand(std::string_view name) {
    for (const Command* command : kCommands) {
        if (command->Name == name) {
            return command;
        }
    }
    return nullptr;
}

void PrintToolHelp(std::ostream& out) {
    out << "usage: vrel-dat COMMAND [ARGUMENTS]\n"
           "       vrel-dat COMMAND --help\n"
           "       vrel-dat --version\n\n"
           "Builds, inspects and checks Fallout 2 DAT archives.\n\n"
           "Commands:\n";
    // The summaries start in one column, two spaces past the longest name and never before 11.
    std::size_t column = 11;
    for (const Command* command : kCommands) {
        column = std::max(column, command->Name.size() + 2);
    }
    for (const Command* command : kCommands) {
        out << "  " << command->Name << std::string(column - command->Name.size(), ' ')
            << command->Summary << "\n";
    }
    out << "\nExit status: 0 good, 1 damaged input or work not done in full, 2 usage error.\n";
}

int ToolUsageError(CommandIo& io, const std::string& message) {
    io.Err << "vrel-dat: " << message << "\n"
           << "usage: vrel-dat COMMAND [ARGUMENTS]\n"
           << "Try 'vrel-dat --help'.\n";
    return kExitUsage;
}

}  // namespace

int RunVrelDat(const std::vector<std::string>& args, CommandIo& io) {
    if (args.empty()) {
        return ToolUsageError(io, "no command given");
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h") {
        PrintToolHelp(io.Out);
        return kExitGood;
    }
    if (first == "--version") {
        io.Out << "vrel-dat " << VREL_VERSION_TEXT << "\n";
        return kExitGood;
    }
    if (first == "help") {
        const Command* command = args.size() > 1 ? FindCommand(args[1]) : nullptr;
        if (args.size() > 1 && !command) {
            return ToolUsageError(io, "unknown command '" + args[1] + "'");
        }
        if (command) {
            PrintCommandHelp(io.Out, *command);
        } else {
            PrintToolHelp(io.Out);
        }
        return kExitGood;
    }
    const Command* command = FindCommand(first);
    if (!command) {
        return ToolUsageError(io, "unknown command '" + first + "'");
    }
    return command->Run(std::vector<std::string>(args.begin() + 1, args.end()), io);
}

}  // namespace vrel::cli
