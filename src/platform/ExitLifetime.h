#pragma once

#include "platform/LifetimePort.h"

namespace vrel {

// The real end of the program: open files are flushed and closed by the C++ run-time.
class ExitLifetime final : public LifetimePort {
public:
    [[noreturn]] void EndProgram() override;
};

}  // namespace vrel
