// The start-up scan of one archive in the Patches folder, on a file holding the fuzz input.
#include <cstdlib>

#include "FuzzInput.h"
#include "archive/DatEntry.h"
#include "archive/ScanDat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vrel::fuzz::ScratchFolder folder;
    const auto archive = folder.Write("mod.dat", data, size);
    for (const bool readDescription : {true, false}) {
        const vrel::DatScan scan = vrel::ScanDat(archive, readDescription);
        // Every listed name costs at least 17 bytes of the file and is at most
        // kMaxNameLength bytes long.
        if (scan.Names.size() * vrel::kEntryFixedBytes > size) {
            std::abort();
        }
        for (const std::string& name : scan.Names) {
            if (name.size() > static_cast<std::size_t>(vrel::kMaxNameLength)) {
                std::abort();
            }
        }
        if (!readDescription && !scan.Description.empty()) {
            std::abort();
        }
    }
    return 0;
}
