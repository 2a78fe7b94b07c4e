#include "archive/ScanDat.h"

#include <span>

#include "archive/DatFile.h"
#include "archive/DatTrailer.h"
#include "archive/DirectoryEntry.h"
#include "archive/MemberReader.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

// The description of a mod: the content of the first directory entry when it is named
// amoddesc.qrd (in any case), else "No description available". `directory` holds the bytes from
// the first entry to the TreeSize field.
std::string ReadModDescription(DatFile& archive, std::span<const std::uint8_t> directory,
                               std::optional<DatProblem>& problem) {
    const auto first = ParseDirectoryEntry(directory, 0);
    if (!first || AnsiToLower(first->Entry.Name) != "amoddesc.qrd") {
        return kNoDescription;
    }
    MemberContent content = ReadMemberContent(archive, first->Entry);
    // A description whose stream is damaged still shows what could be unpacked.
    if (content.Problem && content.Problem != DatProblem::DamagedMember) {
        problem = content.Problem;
        return kNoDescription;
    }
    return std::string(content.Bytes.begin(), content.Bytes.end());
}

}  // namespace

DatScan ScanDat(const std::filesystem::path& archivePath, bool readDescription) {
    DatScan scan;
    std::optional<DatFile> archive = DatFile::Open(archivePath);
    if (!archive) {
        scan.Problem = DatProblem::CannotOpen;
        return scan;
    }
    const auto trailer = ReadDatTrailer(*archive, DirectoryAnchor::FileEnd);
    if (!trailer) {
        scan.Problem = trailer.error();
        return scan;
    }
    const auto tree = archive->ReadAt(trailer->FilesTotalAt, trailer->TreeSize);
    if (!tree) {
        scan.Problem = DatProblem::CannotOpen;
        return scan;
    }
    scan.FilesTotal = ReadInt32(*tree, 0);
    const std::span<const std::uint8_t> directory = std::span(*tree).subspan(4);

    if (readDescription) {
        scan.Description = ReadModDescription(*archive, directory, scan.Problem);
    }

    std::size_t pos = 0;
    while (pos < directory.size()) {
        auto parsed = ParseDirectoryEntry(directory, pos);
        if (!parsed) {
            scan.Problem = parsed.error();
            break;
        }
        scan.Names.push_back(std::move(parsed->Entry.Name));
        AnsiToLowerInPlace(scan.Names.back());
        pos = parsed->Next;
    }
    return scan;
}

}  // namespace vrel
