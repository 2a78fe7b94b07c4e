// Steam's libraryfolders.vdf and appmanifest_<id>.acf reader on the fuzz input as the file's text.
#include <cstdlib>
#include <string_view>

#include "config/SteamVdf.h"

namespace {

// The bytes of every key and value; escapes only ever shorten a string.
std::size_t TextHeld(const vrel::VdfNode& node) {
    if (!node.Block && !node.Children.empty()) {
        std::abort();  // a pair holds a value, never entries
    }
    std::size_t held = node.Key.size() + node.Value.size();
    for (const vrel::VdfNode& child : node.Children) {
        held += TextHeld(child);
    }
    return held;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto root = vrel::ParseVdf(text); root && TextHeld(*root) > size) {
        std::abort();
    }
    return 0;
}
