// A .zip or .7z from the player's disk through the import: its listing, the plan made from its
// names, and the packing of its bodies. The first byte picks the kind; the rest is the file.
#include <cstdlib>
#include <filesystem>

#include "FuzzInput.h"
#include "archive/DatVerify.h"
#include "archive/ModImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vrel::fuzz::ScratchFolder folder;
    if (size == 0) {
        return 0;
    }
    const auto source = folder.Write(data[0] % 2 == 0 ? "Mod.zip" : "Mod.7z", data + 1, size - 1);
    const auto patches = folder.Path() / "Patches";
    std::filesystem::remove_all(patches);
    std::filesystem::create_directory(patches);
    const auto imported = vrel::ImportMod(source, patches / "Mod.dat", {.Threads = 1});
    // A refused import writes nothing; a finished one writes only archives that read back whole.
    for (const auto& entry : std::filesystem::directory_iterator(patches)) {
        if (!imported || !vrel::VerifyDat(entry.path()).Findings.empty()) {
            std::abort();
        }
    }
    return 0;
}
