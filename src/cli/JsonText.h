#pragma once

#include <string>
#include <string_view>

namespace vrel::cli {

// A JSON string literal, quotes included, of UTF-8 text.
std::string JsonString(std::string_view utf8);

}  // namespace vrel::cli
