#include "archive/DatVerify.h"
#include "archive/MemberStream.h"
#include "base/AnsiText.h"
#include "cli/CommandLine.h"

namespace vrel::cli {
namespace {

int RunVerify(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed =
        ParseOrExit(args, {.Options = {"--threads"}, .MinPositional = 1, .MaxPositional = 1},
                    kVerifyCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::optional<int> threads = ThreadsOption(*parsed, kVerifyCommand, io, exitCode);
    if (!threads) {
        return exitCode;
    }
    const std::string& archive = parsed->Positional[0];
    DatVerification result;
    try {
        result = VerifyDat(DisplayToPath(archive), *threads);
    } catch (const MemberOutOfMemory& failure) {
        ReportProblem(io, archive + ": " + AnsiToUtf8(failure.Member),
                      "there is not enough memory to check it");
        return kExitDamaged;
    }
    for (const DatFinding& finding : result.Findings) {
        io.Out << archive << ": " << DescribeDatFinding(finding) << "\n";
    }
    if (!result.Findings.empty()) {
        io.Out << archive << ": " << result.Findings.size() << " problem"
               << (result.Findings.size() == 1 ? "" : "s") << " found\n";
        return kExitDamaged;
    }
    io.Out << archive << ": ok, " << result.MembersChecked << " member"
           << (result.MembersChecked == 1 ? "" : "s") << " checked\n";
    return kExitGood;
}

}  // namespace

const Command kVerifyCommand = {
    "verify",
    "ARCHIVE [--threads N]",
    "Checks a DAT archive and lists each problem.",
    "Checks that the start-up scan and the unpacker read the same directory (DataSize equal\n"
    "to the file's length, FilesTotal equal to the entries in TreeSize, the same names), that\n"
    "every member lies inside the file, and that every compressed member unpacks to exactly\n"
    "its RealSize with a good checksum. Exit status 1 when anything is wrong.\n\n"
    "  --threads N   members inflated at once (default: the number of cores)\n",
    RunVerify,
};

}  // namespace vrel::cli
