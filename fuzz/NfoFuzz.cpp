// The viewer's loader: the fuzz input is the file it shows, and also its command line.
#include <cstdlib>
#include <string_view>

#include "FuzzInput.h"
#include "viewer/CommandLine.h"
#include "viewer/NfoText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vrel::fuzz::ScratchFolder folder;
    const auto file = folder.Write("qrd.nfo", data, size);
    std::size_t announced = 0;
    const auto loaded = vrel::ReadNfo(file, [&announced](std::size_t linesRead) {
        if (linesRead != announced) {
            std::abort();
        }
        ++announced;
    });
    if (loaded && (loaded->Lines != announced || loaded->Lines > size + 1)) {
        std::abort();
    }
    vrel::PlanStart(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
