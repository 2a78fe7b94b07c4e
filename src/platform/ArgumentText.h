#pragma once

#include <string>
#include <string_view>

namespace vrel {

// The argument text of a Windows command line: everything after the program's name and the blanks
// that follow it, exactly as the process got it, so that spacing inside it (two spaces after a
// switch) is kept. The name is quoted text up to the closing quote, or text up to the first blank.
std::wstring_view ArgumentText(std::wstring_view commandLine);

#ifdef _WIN32
// The argument text of the running process (GetCommandLineW).
std::wstring ProcessArgumentText();
#endif

}  // namespace vrel
