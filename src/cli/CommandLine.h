#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/Expected.h"
#include "cli/Command.h"

namespace vrel::cli {

// What a sub-command accepts besides its positional arguments.
struct ArgumentSpec {
    std::set<std::string> Flags;    // e.g. "--json", "-q"
    std::set<std::string> Options;  // take a value: "--level N" or "--level=N"
    std::size_t MinPositional = 0;
    std::size_t MaxPositional = 0;
};

struct ParsedArguments {
    std::vector<std::string> Positional;
    std::set<std::string> Flags;
    std::map<std::string, std::string> Values;
    bool HelpAsked = false;

    bool Has(const std::string& flag) const { return Flags.count(flag) != 0; }
};

// Writes a usage error for the command to Err and returns the usage exit code.
int UsageError(CommandIo& io, const Command& command, const std::string& message);

// Writes the command's help to Out.
void PrintCommandHelp(std::ostream& out, const Command& command);

// Parses the arguments of `command`; on "--help" prints its help and sets `exitCode` to 0, on a
// usage error reports it and sets `exitCode` to 2. Nothing returned means: return exitCode.
std::optional<ParsedArguments> ParseOrExit(const std::vector<std::string>& args,
                                           const ArgumentSpec& spec, const Command& command,
                                           CommandIo& io, int& exitCode);

// The value of "--threads N", or the machine's cores when it is not given; nothing after a usage
// error, with `exitCode` set.
std::optional<int> ThreadsOption(const ParsedArguments& parsed, const Command& command,
                                 CommandIo& io, int& exitCode);

// Whether a sub-command shows its progress bar: on a terminal, unless -q or --quiet was given.
bool ShowsProgress(const CommandIo& io, const ParsedArguments& parsed);

// "vrel-dat: <subject>: <problem>" on Err.
void ReportProblem(CommandIo& io, const std::string& subject, const std::string& problem);

}  // namespace vrel::cli
