#include <filesystem>

#include "archive/ModSets.h"
#include "base/AnsiText.h"
#include "cli/CommandLine.h"
#include "cli/JsonText.h"

namespace vrel::cli {
namespace {

void PrintJson(const ModSets& sets, std::ostream& out) {
    out << "{\"in_use\": " << JsonString(sets.InUse)
        << ", \"remember_ticks\": " << (sets.RememberTicks ? "true" : "false") << ", \"sets\": [";
    for (std::size_t s = 0; s < sets.Sets.size(); ++s) {
        const ModSet& set = sets.Sets[s];
        out << (s > 0 ? ", " : "") << "{\"name\": " << JsonString(set.Name) << ", \"mods\": [";
        for (std::size_t m = 0; m < set.Mods.size(); ++m) {
            out << (m > 0 ? ", " : "") << "{\"name\": " << JsonString(set.Mods[m].Name)
                << ", \"ticked\": " << (set.Mods[m].Ticked ? "true" : "false") << "}";
        }
        out << "]}";
    }
    out << "]}\n";
}

int RunSets(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed =
        ParseOrExit(args, {.Flags = {"--json"}, .MinPositional = 1, .MaxPositional = 1},
                    kSetsCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::string& folder = parsed->Positional[0];
    std::error_code error;
    if (!std::filesystem::is_directory(DisplayToPath(folder), error)) {
        ReportProblem(io, folder, "no such folder");
        return kExitDamaged;
    }
    const ModSets sets = ReadModSets(DisplayToPath(folder));
    if (parsed->Has("--json")) {
        PrintJson(sets, io.Out);
        return kExitGood;
    }
    for (const ModSet& set : sets.Sets) {
        io.Out << set.Name << (set.Name == sets.InUse ? " (in use)" : "") << "\n";
        for (const ModSetMod& mod : set.Mods) {
            io.Out << "  " << (mod.Ticked ? "+ " : "- ") << mod.Name << "\n";
        }
    }
    return kExitGood;
}

}  // namespace

const Command kSetsCommand = {
    "sets",
    "PROGRAM_FOLDER [--json]",
    "Lists the named mod sets that Vrel2 keeps beside vrel.cfg, with their mods in order.",
    "  Each set is its name (\"(in use)\" after the one Vrel2 starts with), then its mods in\n"
    "  the order Play unpacks them, \"+\" before a ticked mod and \"-\" before one left\n"
    "  unticked. Nothing is printed when there are no sets.\n\n"
    "  --json   one JSON object: \"in_use\" (the set's name, empty for none),\n"
    "           \"remember_ticks\", and \"sets\", each with \"name\" and \"mods\" (each with\n"
    "           \"name\" and \"ticked\")\n",
    RunSets,
};

}  // namespace vrel::cli
