// Decompress on its own: the first four bytes of the input are the announced size (little-endian,
// signed), the rest is the stream. Whichever library inflates, the result must be zlib's.
#include <cstdlib>
#include <vector>

#include "archive/DatFile.h"
#include "archive/Decompress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const std::int32_t announced = vrel::ReadInt32(std::span(data, 4), 0);
    std::vector<std::uint8_t> bytes(data + 4, data + size);
    std::vector<std::uint8_t> zlibBytes = bytes;
    const int result = vrel::Decompress(bytes, announced);
    if (vrel::DecompressWithZlib(zlibBytes, announced) != result || zlibBytes != bytes) {
        std::abort();
    }
    const auto bound = vrel::DecompressBufferSize(announced);
    if (!bound ? !bytes.empty() : bytes.size() > static_cast<std::size_t>(*bound)) {
        std::abort();
    }
    return 0;
}
