#include "platform/SystemEnvironment.h"

#include <cstdlib>

#include "base/AnsiText.h"

namespace vrel {

std::optional<std::string> SystemEnvironment::Variable(const std::string& name) {
#ifdef _WIN32
    // The wide environment: a user folder named in another script than the ANSI code page's
    // would come back as question marks through getenv.
    const wchar_t* value = _wgetenv(DisplayToPath(name).wstring().c_str());
    if (value == nullptr || *value == L'\0') {
        return std::nullopt;
    }
    return PathToDisplay(std::filesystem::path(value));
#else
    const char* value = std::getenv(name.c_str());
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
#endif
}

}  // namespace vrel
