#pragma once

namespace vrel {

class LifetimePort {
public:
    virtual ~LifetimePort() = default;
    // Ends the program at once. The real one does not return; a fake records the call and does,
    // so every caller leaves its routine right after calling it.
    virtual void EndProgram() = 0;
};

}  // namespace vrel
