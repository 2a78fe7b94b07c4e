#pragma once

#include "platform/SoundPort.h"

namespace vrel {

// Plays the button sounds with the system's own player (winmm): asynchronously, so the call
// returns at once, and without the system's default sound, so a missing or unplayable file plays
// nothing.
class Win32Sounds final : public SoundPort {
public:
    void Play(const std::filesystem::path& wavFile) override;
};

}  // namespace vrel
