// The unpacker's walk over an archive holding the fuzz input: every entry, and every member read
// (and unpacked) the way Play reads it.
#include <cstdlib>

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
    }
    if (visited > walk->FilesTotal() || (visited < walk->FilesTotal() && !walk->Problem())) {
        std::abort();
    }
    return 0;
}
