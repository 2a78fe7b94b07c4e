#include "archive/GameOrder.h"

#include <algorithm>

#include "base/AnsiText.h"

namespace vrel {

std::string GameOrderKey(std::string_view name) {
    return AnsiToLower(name);
}

bool GameOrderLess(std::string_view a, std::string_view b) {
    // Byte values compare unsigned, so letters beyond ASCII sort after every ASCII character.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(AnsiToLower(x)) <
               static_cast<unsigned char>(AnsiToLower(y));
    });
}

}  // namespace vrel
