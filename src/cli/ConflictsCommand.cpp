#include <memory>

#include "archive/Catalogue.h"
#include "archive/ConflictCheck.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"
#include "cli/CommandLine.h"

namespace vrel::cli {
namespace {

int RunConflicts(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed =
        ParseOrExit(args, {.MinPositional = 1, .MaxPositional = static_cast<std::size_t>(-1)},
                    kConflictsCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    // The catalogue as start-up would build it, with every given archive ticked.
    FalloutDat_Collection dats;
    std::int32_t index = 0;
    for (const std::string& archive : parsed->Positional) {
        DatScan scan = ScanDat(DisplayToPath(archive), false);
        if (scan.Problem) {
            ReportProblem(io, archive, DescribeDatProblem(*scan.Problem));
            return kExitDamaged;
        }
        auto files = std::make_shared<FileInDat_Collection>();
        for (const std::string& name : scan.Names) {
            files->Add(name);
        }
        dats.Add(++index, scan.FilesTotal, archive, true, {}, files);
    }
    const ConflictReport report = ConflictCheck(dats);
    for (const std::string& line : report.Lines) {
        io.Out << line << "\n";
    }
    io.Out << VerdictText(report.Verdict) << "\n";
    return kExitGood;
}

}  // namespace

const Command kConflictsCommand = {
    "conflicts",
    "ARCHIVE...",
    "Runs the launcher's conflict check over the given archives, in the given order.",
    "Every archive counts as ticked. One line per clash, exactly as the conflict window lists\n"
    "it (archives by file name without folders), then the verdict on its own line. Finding\n"
    "conflicts is not an error: the exit status is 0 unless an archive cannot be read.\n",
    RunConflicts,
};

}  // namespace vrel::cli
