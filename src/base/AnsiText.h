#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

// Member names, descriptions and vrel.cfg are 8-bit text in the Windows-1252 code page. The core
// keeps them as bytes; these are the only places where they become display text or paths.
namespace vrel {

char AnsiToLower(char c);
std::string AnsiToLower(std::string_view text);
void AnsiToLowerInPlace(std::string& text);

// Display text: 8-bit text to UTF-8 and back. Characters without an 8-bit form become '?'. The
// code page is Windows-1252, on Windows the system's ANSI code page.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// Names in a .zip without the UTF-8 mark, as display text: they are in the code page of the zip
// tools of the system that wrote them, the OEM code page on Windows (866 on a Russian system, 850
// on a French one) and code page 437 elsewhere.
std::string OemToUtf8(std::string_view oem);

// Whether display text survives the way to 8-bit text and back, so nothing would become '?'.
bool AnsiHolds(std::string_view utf8);

// A path held as 8-bit text (a setting or a member name) as the file system wants it, and back.
std::filesystem::path AnsiToNativePath(std::string_view ansi);
std::string NativePathToAnsi(const std::filesystem::path& path);

// A path as display text (UTF-8), for messages, and back. A narrow path string is no substitute:
// with MinGW it is UTF-8 one way and the ANSI code page the other.
std::string PathToDisplay(const std::filesystem::path& path);
std::filesystem::path DisplayToPath(std::string_view utf8);

// The system's message for an error, as display text: on Windows the system writes it in the ANSI
// code page.
std::string ErrorToDisplay(const std::error_code& error);

// A file or folder with what the system said of it, as messages name them: "<path>: <message>", or
// the path alone when the system said nothing.
std::string DescribePathError(const std::filesystem::path& path, const std::error_code& error);

}  // namespace vrel
