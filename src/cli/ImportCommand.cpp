#include <optional>
#include <system_error>

#include "archive/ModImport.h"
#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"
#include "cli/CommandLine.h"
#include "cli/ProgressBar.h"

namespace vrel::cli {
namespace {

// The archive's name from --name, checked; empty when none was given, nothing after a usage
// error (already reported).
std::optional<std::string> ReadNameOption(const ParsedArguments& parsed, CommandIo& io,
                                          int& exitCode) {
    const auto value = parsed.Values.find("--name");
    if (value == parsed.Values.end()) {
        return std::string();
    }
    const std::string& name = value->second;
    if (name.empty() || name.find_first_of("/\\:") != std::string::npos) {
        exitCode = UsageError(io, kImportCommand, "--name takes a file name without folders");
        return std::nullopt;
    }
    if (name == "." || name == "..") {
        exitCode = UsageError(io, kImportCommand, "--name takes a name, not . or ..");
        return std::nullopt;
    }
    return name;
}

int ReportImportFailure(CommandIo& io, const ImportFailure& failure,
                        const std::filesystem::path& source, const std::filesystem::path& target,
                        const std::filesystem::path& patches) {
    if (failure.Kind == ImportProblem::AlreadyThere) {
        ReportProblem(io, failure.Detail.empty() ? target.string() : failure.Detail,
                      "already there; give --replace to replace it");
        return kExitDamaged;
    }
    if (failure.Kind == ImportProblem::CannotWrite || failure.Kind == ImportProblem::TooLarge) {
        // The archive's own fault, never the source's.
        ReportProblem(io, target.string(), DescribeImportFailure(failure));
        return kExitDamaged;
    }
    ReportProblem(io, source.string(), DescribeImportFailure(failure));
    for (const std::string& refusal : failure.Refusals) {
        ReportProblem(io, source.string(), refusal);
    }
    io.Err << "vrel-dat: nothing was written to " << patches.string() << "\n";
    return kExitDamaged;
}

void PrintImportReport(CommandIo& io, const ImportReport& report) {
    const auto members = [](std::int32_t count) {
        return std::to_string(count) + (count == 1 ? " member" : " members");
    };
    if (report.Copied.empty()) {
        io.Out << report.Archive.string() << ": " << members(report.Members) << "\n";
    }
    for (const CopiedDat& copied : report.Copied) {
        io.Out << PathToDisplay(copied.Path) << ": " << members(copied.Members) << "\n";
    }
    if (report.DescriptionFrom) {
        io.Out << "description: " << *report.DescriptionFrom << "\n";
    }
    for (const LeftOutFile& file : report.LeftOut) {
        io.Out << "left out: " << file.Path << " (" << DescribeLeftOut(file.Kind) << ")\n";
    }
}

int RunImport(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed = ParseOrExit(args,
                                    {.Flags = {"--replace", kQuietFlag, kQuietLongFlag},
                                     .Options = {"--name", "--threads"},
                                     .MinPositional = 2,
                                     .MaxPositional = 2},
                                    kImportCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::filesystem::path source = DisplayToPath(parsed->Positional[0]);
    const std::filesystem::path patches = DisplayToPath(parsed->Positional[1]);
    const std::optional<std::string> name = ReadNameOption(*parsed, io, exitCode);
    if (!name) {
        return exitCode;
    }
    const std::optional<int> threads = ThreadsOption(*parsed, kImportCommand, io, exitCode);
    if (!threads) {
        return exitCode;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(patches, error)) {
        ReportProblem(io, patches.string(),
                      std::filesystem::exists(patches, error) ? "not a folder" : "no such folder");
        return kExitDamaged;
    }
    const std::filesystem::path fileName = ImportArchiveName(source, *name);
    // A source given as . or .. has no name of its own; the archive would be a hidden "..dat".
    const std::filesystem::path stem = fileName.stem();
    if (stem.empty() || stem == "." || stem == "..") {
        return UsageError(io, kImportCommand,
                          "the source " + source.string() + " has no name; give --name");
    }
    // The Patches folder is read without regard to letter case, so an archive of the same name
    // in other letters is the one that is there.
    const std::filesystem::path target =
        FindEntryCaseBlind(patches, fileName).value_or(patches / fileName);

    std::optional<ProgressBar> bar;
    ImportOptions options{.ModName = PathToDisplay(fileName.stem()),
                          .Replace = parsed->Has("--replace"),
                          .Threads = *threads,
                          .Progress =
                              [&](std::int64_t done, std::int64_t total) {
                                  if (!bar) {
                                      bar.emplace(io.Err, ShowsProgress(io, *parsed), total);
                                  } else if (done > 0) {
                                      bar->Step();
                                  }
                              },
                          .WithinFile =
                              [&](std::int64_t read, std::int64_t size) {
                                  if (bar) {
                                      bar->Part(read, size);
                                  }
                              }};
    const auto result = ImportMod(source, target, options);
    bar.reset();
    if (!result) {
        return ReportImportFailure(io, result.error(), source, target, patches);
    }
    PrintImportReport(io, *result);
    return kExitGood;
}

}  // namespace

const Command kImportCommand = {
    "import",
    "SOURCE PATCHES_FOLDER [--name NAME] [--replace] [--threads N] [-q]",
    "Adds a mod that comes as a .dat, folder, .zip or .7z to PATCHES_FOLDER as a DAT archive.",
    "A .dat is checked and copied as it is. Otherwise the members are the contents of the mod's\n"
    "data folder (any letter case, also inside one folder that holds the whole mod) when it\n"
    "holds the game's art, maps, premade, proto, scripts, sound or text folders, or else of the\n"
    "level that holds them (with its data folder, fonts and palette), or else of a data folder.\n"
    "A source without them whose mods are .dat files (at the top or in one wrapping folder) has\n"
    "each checked and copied under its own name. Everything else is left out and listed with\n"
    "where it belongs: ddraw.ini, ddraw.dll, sfall_*.dat or f2_res.dat go into the game folder,\n"
    "config/*.ini into its config folder, files in mods/ into sfall's mods folder. A read-me at\n"
    "the top (readme*.txt, or NAME.txt or NAME.nfo; UTF-8 and UTF-16 are converted) becomes\n"
    "the mod's description when it brings no amoddesc.qrd. Unsafe names, names longer than 255\n"
    "characters or outside Windows-1252, and damaged sources are refused, and then nothing is\n"
    "written.\n\n"
    "  --name NAME   the archive's name (default: the source's name), .dat added\n"
    "  --replace     replace an archive of that name, once the new one is complete\n"
    "  --threads N   files packed at once (default: the number of cores)\n"
    "  -q, --quiet   no progress bar (it is shown only on a terminal anyway)\n",
    RunImport,
};

}  // namespace vrel::cli
