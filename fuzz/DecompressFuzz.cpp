// Decompress on its own: the first four bytes of the input are the announced size (little-endian,
// signed), the rest is the stream.
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
    vrel::Decompress(bytes, announced);
    const auto bound = vrel::DecompressBufferSize(announced);
    if (!bound ? !bytes.empty() : bytes.size() > static_cast<std::size_t>(*bound)) {
        std::abort();
    }
    return 0;
}
