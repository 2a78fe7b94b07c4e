#pragma once

#include <string>
#include <string_view>

// Text files of the old console (NFO art above all) are 8-bit text in the OEM code page 437.
namespace vrel {

// Appends the bytes as UTF-8 display text: each byte as the character that the console showed
// for it. Tab and line feed stay control characters; the other control bytes show their console
// glyphs, as art files use them.
void AppendCp437AsUtf8(std::string_view bytes, std::string& utf8);

// The bytes as UTF-8 text: the upper half as the console showed it, ASCII (control characters
// too) as it is. For text that is read rather than looked at: names in a .zip, an NFO read-me.
std::string Cp437TextToUtf8(std::string_view bytes);

}  // namespace vrel
