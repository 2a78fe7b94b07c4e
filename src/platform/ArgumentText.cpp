#include "platform/ArgumentText.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vrel {

std::wstring_view ArgumentText(std::wstring_view commandLine) {
    std::size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        end = end == std::wstring_view::npos ? commandLine.size() : end;
    }
    const std::size_t start = commandLine.find_first_not_of(L" \t", end);
    return start == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(start);
}

#ifdef _WIN32
std::wstring ProcessArgumentText() {
    return std::wstring(ArgumentText(GetCommandLineW()));
}
#endif

}  // namespace vrel
