#include <memory>

#include "archive/Catalogue.h"
#include "archive/ConflictCheck.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"
#include "cli/CommandLine.h"
#include "cli/JsonText.h"

namespace vrel::cli {
namespace {

const char* VerdictName(ConflictVerdict verdict) {
    switch (verdict) {
        case ConflictVerdict::Heavy:
            return "heavy";
        case ConflictVerdict::Minor:
            return "minor";
        case ConflictVerdict::None:
            break;
    }
    return "none";
}

void PrintJson(std::ostream& out, const std::vector<ContestedFile>& files, ConflictVerdict verdict,
               const std::vector<std::string>& archives) {
    const auto archive = [&](int position) {
        return JsonString(archives[static_cast<std::size_t>(position - 1)]);
    };
    out << "{\"contested\": [";
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ContestedFile& file = files[i];
        out << (i == 0 ? "\n  " : ",\n  ") << "{\"file\": " << JsonString(file.Name)
            << ", \"archives\": [";
        for (std::size_t k = 0; k < file.Archives.size(); ++k) {
            out << (k == 0 ? "" : ", ") << archive(file.Archives[k]);
        }
        out << "], \"winner\": " << archive(file.Archives.back())
            << ", \"heavy\": " << (file.Heavy ? "true" : "false") << "}";
    }
    out << (files.empty() ? "]" : "\n]") << ", \"verdict\": \"" << VerdictName(verdict) << "\"}\n";
}

int RunConflicts(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed = ParseOrExit(
        args,
        {.Flags = {"--json"}, .MinPositional = 1, .MaxPositional = static_cast<std::size_t>(-1)},
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
    if (parsed->Has("--json")) {
        PrintJson(io.Out, ContestedFiles(dats), report.Verdict, parsed->Positional);
        return kExitGood;
    }
    for (std::size_t line = 0; line < report.Lines.size(); ++line) {
        io.Out << ShownConflictLine(report, line) << "\n";
    }
    io.Out << VerdictText(report.Verdict) << "\n";
    return kExitGood;
}

}  // namespace

const Command kConflictsCommand = {
    "conflicts",
    "ARCHIVE... [--json]",
    "Runs the launcher's conflict check over the given archives, in the given order.",
    "Every archive counts as ticked. One line per clash, exactly as the conflict window lists\n"
    "it (archives by file name without folders), ending with the archive whose copy the game\n"
    "reads, as \"(c.dat wins)\"; then the verdict on its own line. Finding conflicts is not an\n"
    "error: the exit status is 0 unless an archive cannot be read.\n\n"
    "  --json   one JSON object: \"contested\", one object per file that more than one archive\n"
    "           holds, with \"file\", \"archives\" (as given, in the given order), \"winner\"\n"
    "           (the last of them: Play unpacks in list order, so its copy is the one the game\n"
    "           reads) and \"heavy\"; then \"verdict\": \"none\", \"minor\" or \"heavy\"\n",
    RunConflicts,
};

}  // namespace vrel::cli
