#include "archive/DatVerify.h"

#include <optional>
#include <span>

#include "archive/DatFile.h"
#include "archive/DatTrailer.h"
#include "archive/DatWalk.h"
#include "archive/MemberStream.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

std::string DescribeMismatch(DatMismatch mismatch) {
    switch (mismatch) {
        case DatMismatch::DataSize:
            return "the stored DataSize is not the file's length";
        case DatMismatch::FilesTotal:
            return "FilesTotal does not match the entries in the directory";
        case DatMismatch::Names:
            return "the start-up scan and the unpacker read different names";
    }
    return "the readers disagree";
}

void CheckDataSize(const std::filesystem::path& archivePath, DatVerification& result) {
    std::optional<DatFile> file = DatFile::Open(archivePath);
    if (!file) {
        return;  // the readers report this themselves
    }
    const auto trailer = ReadDatTrailer(*file, DirectoryAnchor::None);
    if (!trailer) {
        return;
    }
    if (trailer->DataSize != trailer->FileLength) {
        result.Findings.push_back({{},
                                   DatMismatch::DataSize,
                                   "DataSize " + std::to_string(trailer->DataSize) +
                                       ", file length " + std::to_string(trailer->FileLength)});
    }
}

// Inflates a large member piece by piece only to judge it.
std::optional<DatProblem> CheckLargeMember(DatWalk& walk, const DatEntry& entry) {
    try {
        const auto read =
            walk.ReadMemberPieces(entry, [](std::span<const std::uint8_t>) { return true; });
        return read ? std::nullopt : std::optional(read.error());
    } catch (const std::bad_alloc&) {
        throw MemberOutOfMemory(entry.Name);
    }
}

}  // namespace

DatVerification VerifyDat(const std::filesystem::path& archivePath, int threads) {
    DatVerification result;
    const DatScan scan = ScanDat(archivePath, false);
    if (scan.Problem) {
        result.Findings.push_back({{}, *scan.Problem, "Vrel cannot list all the files it holds"});
    }
    CheckDataSize(archivePath, result);
    auto walk = DatWalk::Open(archivePath);
    if (!walk) {
        result.Findings.push_back({{}, walk.error(), "Play cannot unpack it"});
        return result;
    }

    std::vector<std::string> walkNames;
    // A large member is inflated here piece by piece, so that none is ever held whole.
    MemberStream members(*walk, threads,
                         [](const DatEntry& entry) { return !IsLargeMember(entry); });
    while (std::optional<MemberStream::Member> member = members.Next()) {
        const DatEntry* entry = &member->Entry;
        walkNames.push_back(AnsiToLower(entry->Name));
        const std::optional<DatProblem> problem =
            member->Content ? member->Content->Problem : CheckLargeMember(*walk, *entry);
        if (problem) {
            std::string detail = "Compressed " + std::to_string(entry->Compressed) + ", RealSize " +
                                 std::to_string(entry->RealSize) + ", PackedSize " +
                                 std::to_string(entry->PackedSize) + ", Offset " +
                                 std::to_string(entry->Offset);
            result.Findings.push_back({entry->Name, *problem, std::move(detail)});
        }
        ++result.MembersChecked;
    }
    if (walk->Problem()) {
        result.Findings.push_back({{},
                                   *walk->Problem(),
                                   "entry " + std::to_string(walkNames.size() + 1) + " of " +
                                       std::to_string(walk->FilesTotal())});
    }

    if (!scan.Problem && static_cast<std::size_t>(scan.FilesTotal) != scan.Names.size()) {
        result.Findings.push_back({{},
                                   DatMismatch::FilesTotal,
                                   "FilesTotal " + std::to_string(scan.FilesTotal) + ", " +
                                       std::to_string(scan.Names.size()) + " entries"});
    }
    for (std::size_t i = 0; i < walkNames.size() && i < scan.Names.size(); ++i) {
        if (walkNames[i] != scan.Names[i]) {
            result.Findings.push_back({walkNames[i], DatMismatch::Names,
                                       "entry " + std::to_string(i + 1) + ": the scan reads " +
                                           AnsiToUtf8(scan.Names[i])});
            break;
        }
    }
    return result;
}

std::string DescribeDatFinding(const DatFinding& finding) {
    std::string text;
    if (!finding.Member.empty()) {
        text = AnsiToUtf8(finding.Member) + ": ";
    }
    text += std::holds_alternative<DatProblem>(finding.Kind)
                ? DescribeDatProblem(std::get<DatProblem>(finding.Kind))
                : DescribeMismatch(std::get<DatMismatch>(finding.Kind));
    if (!finding.Detail.empty()) {
        text += " (" + finding.Detail + ")";
    }
    return text;
}

}  // namespace vrel
