#pragma once

#include <optional>
#include <string>

namespace vrel {

class EnvironmentPort {
public:
    virtual ~EnvironmentPort() = default;
    // The environment variable `name` as UTF-8; nothing when it is unset or empty.
    virtual std::optional<std::string> Variable(const std::string& name) = 0;
};

}  // namespace vrel
