// The player's vrel-order.txt, which may have been edited by hand, on the fuzz input as its text.
#include <algorithm>
#include <cstdlib>

#include "FuzzInput.h"
#include "app/ModOrder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vrel::fuzz::ScratchFolder folder;
    folder.Write(vrel::kModOrderFile, data, size);
    const std::vector<std::string> order = vrel::ReadModOrder(folder.Path());
    for (const std::string& name : order) {
        if (name.empty() || name.find('\n') != std::string::npos) {
            std::abort();
        }
    }
    // The order only ever rearranges the mods that are there.
    const std::vector<std::filesystem::path> listed = {"a.dat", "B.dat", "b.dat", "\xC3\xBC.dat"};
    auto ordered = vrel::ApplyModOrder(listed, order);
    auto sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    std::sort(ordered.begin(), ordered.end());
    if (ordered != sorted) {
        std::abort();
    }
    return 0;
}
