#include <charconv>
#include <fstream>

#include "archive/DatWriter.h"
#include "base/AnsiText.h"
#include "cli/CommandLine.h"
#include "cli/PackSources.h"

namespace vrel::cli {
namespace {

// Reads a whole file into `bytes`, reusing its storage.
bool ReadWhole(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    return in.gcount() == size && in.peek() == std::ifstream::traits_type::eof();
}

std::optional<int> ParseLevel(const std::string& text) {
    int level = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc() || end != text.data() + text.size() || level < 0 || level > 9) {
        return std::nullopt;
    }
    return level;
}

int RunPack(const std::vector<std::string>& args, CommandIo& io) {
    int exitCode = kExitGood;
    const auto parsed = ParseOrExit(
        args,
        {.Flags = {"--store"}, .Options = {"--level"}, .MinPositional = 2, .MaxPositional = 2},
        kPackCommand, io, exitCode);
    if (!parsed) {
        return exitCode;
    }
    const std::filesystem::path folder = parsed->Positional[0];
    const std::filesystem::path archive = parsed->Positional[1];
    const bool store = parsed->Has("--store");
    int level = -1;
    if (auto text = parsed->Values.find("--level"); text != parsed->Values.end()) {
        const std::optional<int> value = ParseLevel(text->second);
        if (!value) {
            return UsageError(io, kPackCommand, "--level takes a number from 0 to 9");
        }
        if (store) {
            return UsageError(io, kPackCommand, "--store and --level exclude each other");
        }
        level = *value;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        ReportProblem(io, folder.string(), "not a folder");
        return kExitDamaged;
    }

    const PackSources sources = CollectPackSources(folder, archive);
    for (const std::string& skipped : sources.Skipped) {
        ReportProblem(io, skipped, "skipped, not a regular file");
    }
    if (!sources.Refusals.empty()) {
        for (const std::string& refusal : sources.Refusals) {
            ReportProblem(io, folder.string(), refusal);
        }
        io.Err << "vrel-dat: " << archive.string() << ": not written\n";
        return kExitDamaged;
    }

    auto writer = DatWriter::Create(archive, level);
    if (!writer) {
        ReportProblem(io, archive.string(), DescribeWriteFailure(writer.error()));
        return kExitDamaged;
    }
    const MemberStorage storage = store ? MemberStorage::Stored : MemberStorage::Smallest;
    std::vector<std::uint8_t> content;
    for (const PackSource& source : sources.Members) {
        if (!ReadWhole(source.Path, content)) {
            ReportProblem(io, source.Path.string(), "cannot be read whole");
            return kExitDamaged;
        }
        if (auto failure = writer->AddMember(source.Name, content, storage)) {
            ReportProblem(io, archive.string(), DescribeWriteFailure(*failure));
            return kExitDamaged;
        }
    }
    // The members went out in directory order already.
    if (auto failure = writer->Finish()) {
        ReportProblem(io, archive.string(), DescribeWriteFailure(*failure));
        return kExitDamaged;
    }
    return kExitGood;
}

}  // namespace

const Command kPackCommand = {
    "pack",
    "DIR ARCHIVE [--store] [--level N]",
    "Builds a DAT archive of the files under DIR that the game itself reads.",
    "Member names use backslashes; the directory is sorted by name with letter case folded to\n"
    "lower case, the order in which the game searches it. Each member is one zlib stream,\n"
    "unless that is not smaller than the file (then it is stored). Names longer than 40\n"
    "characters, names that cannot be written in Windows-1252 and names that differ only in\n"
    "letter case are refused, and then no archive is written. An archive already at ARCHIVE\n"
    "is replaced only once the new one is complete.\n\n"
    "  --store     store every member as is\n"
    "  --level N   zlib compression level, 0 to 9 (default 6)\n",
    RunPack,
};

}  // namespace vrel::cli
