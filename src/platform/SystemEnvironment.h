#pragma once

#include "platform/EnvironmentPort.h"

namespace vrel {

// The process's own environment.
class SystemEnvironment final : public EnvironmentPort {
public:
    std::optional<std::string> Variable(const std::string& name) override;
};

}  // namespace vrel
