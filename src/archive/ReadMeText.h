#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vrel {

// Whether a file at the top of a mod reads as its read-me: readme*.txt, or the mod's name with
// .txt or .nfo (any letter case).
bool IsReadMeName(const std::string& fileName, const std::string& modName);

// A read-me as the description's 8-bit text: UTF-8 (with or without its byte-order mark) and
// UTF-16 after its byte-order mark (either byte order) are converted, an .nfo is read as code page
// 437, other text is taken as already in the code page. Nothing when it holds characters the code
// page has not got.
std::optional<std::vector<std::uint8_t>> DescriptionText(const std::string& path,
                                                         std::span<const std::uint8_t> content);

}  // namespace vrel
