#include "archive/ScanDat.h"
#include "base/AnsiText.h"
#include "cli/CommandLine.h"
#include "cli/JsonText.h"

namespace vrel::cli {
namespace {

int RunInfo(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed =
        ParseOrExit(args, {.Flags = {"--json"}, .MinPositional = 1, .MaxPositional = 1},
                    kInfoCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::string& archive = parsed->Positional[0];
    const DatScan scan = ScanDat(DisplayToPath(archive), true);
    if (scan.Problem) {
        ReportProblem(io, archive, DescribeDatProblem(*scan.Problem));
        return kExitDamaged;
    }
    const std::string description = AnsiToUtf8(scan.Description);
    if (parsed->Has("--json")) {
        io.Out << "{\"files\": " << scan.FilesTotal << ", \"members\": " << scan.Names.size()
               << ", \"description\": " << JsonString(description) << "}\n";
    } else {
        io.Out << "files: " << scan.FilesTotal << "\nmembers: " << scan.Names.size()
               << "\ndescription: " << description;
        if (description.empty() || description.back() != '\n') {
            io.Out << '\n';
        }
    }
    return kExitGood;
}

}  // namespace

const Command kInfoCommand = {
    "info",
    "ARCHIVE [--json]",
    "Shows a DAT archive as the launcher's start-up scan sees it.",
    "  files: N          the stored number of entries (FilesTotal)\n"
    "  members: M        the number of names the scan lists\n"
    "  description: ...  the mod's description as Vrel2 shows it (the first member, when\n"
    "                    it is amoddesc.qrd), as UTF-8; it may run over several lines\n\n"
    "  --json   one JSON object with the fields files, members and description\n",
    RunInfo,
};

}  // namespace vrel::cli
