#pragma once

#include <string>

namespace vrel {

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Opens a web or mailto address with the user's own program for it; failures show nothing.
    virtual void Open(const std::string& address) = 0;
};

}  // namespace vrel
