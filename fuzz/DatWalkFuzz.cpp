// The unpacker's walk over an archive holding the fuzz input: every entry, and every member read
// (and unpacked) whole, and as Play and extract read it for writing out.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "FuzzInput.h"
#include "archive/DatWalk.h"
#include "archive/Decompress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vrel::fuzz::ScratchFolder folder;
    const auto archive = folder.Write("mod.dat", data, size);
    auto walk = vrel::DatWalk::Open(archive);
    if (!walk) {
        return 0;
    }
    std::int32_t visited = 0;
    while (const auto entry = walk->NextDatEntry()) {
        ++visited;
        const vrel::MemberContent content = walk->ReadDatMember(*entry);
        // A member never comes out longer than the buffer its announced size allows.
        const auto bound = vrel::DecompressBufferSize(entry->RealSize);
        if (!bound ? !content.Bytes.empty()
                   : content.Bytes.size() > static_cast<std::size_t>(*bound)) {
            std::abort();
        }
        // Read for writing out, it is the same member with the same judgement.
        std::optional<vrel::DatProblem> problem;
        const auto written = walk->ReadMemberForWriting(*entry, problem);
        if (problem != content.Problem ||
            (!problem && !std::equal(written.begin(), written.end(), content.Bytes.begin(),
                                     content.Bytes.end()))) {
            std::abort();
        }
    }
    if (visited > walk->FilesTotal() || (visited < walk->FilesTotal() && !walk->Problem())) {
        std::abort();
    }
    return 0;
}
