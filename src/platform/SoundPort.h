#pragma once

#include <filesystem>

namespace vrel {

class SoundPort {
public:
    virtual ~SoundPort() = default;
    // Starts playing a WAV file and returns at once; a missing or unplayable file plays nothing.
    virtual void Play(const std::filesystem::path& wavFile) = 0;
};

}  // namespace vrel
