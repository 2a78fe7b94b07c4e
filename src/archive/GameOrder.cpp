#include "archive/GameOrder.h"

#include <algorithm>

#include "base/AnsiText.h"

namespace vrel {

std::string GameOrderKey(std::string_view name) {
    return AnsiToLower(name);
}

bool GameOrderLess(std::string_view a, std::string_view b) {
    // Equal bytes are equal in any case: the names of one folder share a long beginning, which is
    // passed over as it stands, and case is looked at only from the first difference on.
    const auto [restOfA, restOfB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    // Byte values compare unsigned, so letters beyond ASCII sort after every ASCII character.
    return std::lexicographical_compare(restOfA, a.end(), restOfB, b.end(), [](char x, char y) {
        return static_cast<unsigned char>(AnsiToLower(x)) <
               static_cast<unsigned char>(AnsiToLower(y));
    });
}

}  // namespace vrel
