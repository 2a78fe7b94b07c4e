#pragma once

#include <string>
#include <string_view>

// Text files of the old console (NFO art above all) are 8-bit text in the OEM code page 437.
namespace vrel {

// Appends the bytes as UTF-8 display text: each byte as the character that the console showed
// for it. Tab and line feed stay control characters; the other control bytes show their console
// glyphs, as art files use them.
void AppendCp437AsUtf8(std::string_view bytes, std::string& utf8);

}  // namespace vrel
