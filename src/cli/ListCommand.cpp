#include "archive/DatWalk.h"
#include "base/AnsiText.h"
#include "base/Utf8.h"
#include "cli/CommandLine.h"
#include "cli/JsonText.h"

namespace vrel::cli {
namespace {

void PrintEntry(std::ostream& out, const DatEntry& entry, bool json, bool first) {
    const std::string name = AnsiToUtf8(entry.Name);
    const int compressed = entry.Compressed;
    if (json) {
        out << (first ? "  " : ",\n  ") << "{\"name\": " << JsonString(name)
            << ", \"compressed\": " << compressed << ", \"realsize\": " << entry.RealSize
            << ", \"packedsize\": " << entry.PackedSize << ", \"offset\": " << entry.Offset << "}";
    } else {
        out << WithControlPictures(name) << '\t' << compressed << '\t' << entry.RealSize << '\t'
            << entry.PackedSize << '\t' << entry.Offset << '\n';
    }
}

int RunList(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed =
        ParseOrExit(args, {.Flags = {"--json"}, .MinPositional = 1, .MaxPositional = 1},
                    kListCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::string& archive = parsed->Positional[0];
    const bool json = parsed->Has("--json");
    auto walk = DatWalk::Open(DisplayToPath(archive));
    if (!walk) {
        ReportProblem(io, archive, DescribeDatProblem(walk.error()));
        return kExitDamaged;
    }
    if (json) {
        io.Out << "[\n";
    }
    std::int32_t listed = 0;
    while (auto entry = walk->NextDatEntry()) {
        PrintEntry(io.Out, *entry, json, listed == 0);
        ++listed;
    }
    if (json) {
        io.Out << (listed == 0 ? "]\n" : "\n]\n");
    }
    io.Out.flush();
    if (walk->Problem()) {
        ReportProblem(io, archive,
                      DescribeDatProblem(*walk->Problem()) + " (entry " +
                          std::to_string(listed + 1) + " of " + std::to_string(walk->FilesTotal()) +
                          ")");
        return kExitDamaged;
    }
    return kExitGood;
}

}  // namespace

const Command kListCommand = {
    "list",
    "ARCHIVE [--json]",
    "Lists the directory entries of a DAT archive in directory order.",
    "Each entry is one line as the unpacker reads it:\n"
    "  name<TAB>compressed<TAB>realsize<TAB>packedsize<TAB>offset\n"
    "The name keeps its stored case and backslashes, whole (at most 255 characters), shown as\n"
    "UTF-8, a control character as its picture (a tab as U+2409); compressed is the stored\n"
    "byte (1 means one zlib stream).\n\n"
    "  --json   one JSON array of objects with the same fields\n",
    RunList,
};

}  // namespace vrel::cli
