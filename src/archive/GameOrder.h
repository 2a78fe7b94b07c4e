#pragma once

#include <string>
#include <string_view>

namespace vrel {

// The game finds a member by binary search over the directory, comparing names with lower-case
// folding; a directory it can search is sorted by this order.
std::string GameOrderKey(std::string_view name);
bool GameOrderLess(std::string_view a, std::string_view b);

}  // namespace vrel
