#include "cli/CommandLine.h"

#include <charconv>

#include "archive/OrderedPool.h"
#include "cli/ProgressBar.h"

namespace vrel::cli {
namespace {

// The most threads "--threads" accepts.
constexpr int kMostThreads = 256;

// Options may stand anywhere; "--" ends them. "--help" and "-h" are understood everywhere.
// A failure is the usage error's text.
Expected<ParsedArguments, std::string> ParseArguments(const std::vector<std::string>& args,
                                                      const ArgumentSpec& spec) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.Positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.HelpAsked = true;
            continue;
        }
        if (spec.Flags.count(arg) != 0) {
            parsed.Flags.insert(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (spec.Options.count(name) != 0) {
            if (equals != std::string::npos) {
                parsed.Values[name] = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                parsed.Values[name] = args[++i];
            } else {
                return Unexpected{"option " + name + " needs a value"};
            }
            continue;
        }
        return Unexpected{"unknown option " + arg};
    }
    if (parsed.HelpAsked) {
        return parsed;
    }
    if (parsed.Positional.size() < spec.MinPositional) {
        return Unexpected{std::string("missing arguments")};
    }
    if (parsed.Positional.size() > spec.MaxPositional) {
        return Unexpected{"unexpected argument " + parsed.Positional[spec.MaxPositional]};
    }
    return parsed;
}

}  // namespace

int UsageError(CommandIo& io, const Command& command, const std::string& message) {
    io.Err << "vrel-dat " << command.Name << ": " << message << "\n"
           << "usage: vrel-dat " << command.Name << " " << command.Synopsis << "\n"
           << "Try 'vrel-dat " << command.Name << " --help'.\n";
    return kExitUsage;
}

void PrintCommandHelp(std::ostream& out, const Command& command) {
    out << "usage: vrel-dat " << command.Name << " " << command.Synopsis << "\n\n"
        << command.Summary << "\n\n"
        << command.Help;
}

std::optional<ParsedArguments> ParseOrExit(const std::vector<std::string>& args,
                                           const ArgumentSpec& spec, const Command& command,
                                           CommandIo& io, int& exitCode) {
    auto parsed = ParseArguments(args, spec);
    if (!parsed) {
        exitCode = UsageError(io, command, parsed.error());
        return std::nullopt;
    }
    if (parsed->HelpAsked) {
        PrintCommandHelp(io.Out, command);
        exitCode = kExitGood;
        return std::nullopt;
    }
    return std::move(*parsed);
}

std::optional<int> ThreadsOption(const ParsedArguments& parsed, const Command& command,
                                 CommandIo& io, int& exitCode) {
    const auto text = parsed.Values.find("--threads");
    if (text == parsed.Values.end()) {
        return WorkerThreads(std::nullopt);
    }
    int threads = 0;
    const auto [end, error] =
        std::from_chars(text->second.data(), text->second.data() + text->second.size(), threads);
    if (error != std::errc() || end != text->second.data() + text->second.size() || threads < 1 ||
        threads > kMostThreads) {
        exitCode = UsageError(io, command,
                              "--threads takes a number from 1 to " + std::to_string(kMostThreads));
        return std::nullopt;
    }
    return threads;
}

bool ShowsProgress(const CommandIo& io, const ParsedArguments& parsed) {
    return io.Terminal && !parsed.Has(kQuietFlag) && !parsed.Has(kQuietLongFlag);
}

void ReportProblem(CommandIo& io, const std::string& subject, const std::string& problem) {
    io.Err << "vrel-dat: " << subject << ": " << problem << "\n";
}

}  // namespace vrel::cli
