#include "config/ButtonSounds.h"

#include "base/PathHelpers.h"

namespace vrel {
namespace {

constexpr const char* kClickSoundFile = "butin3.wav";
constexpr const char* kHoverSoundFile = "butin4.wav";

void PlayIfOn(const VrelCFG& config, SoundPort& sounds, const std::filesystem::path& file) {
    if (config.cfgGeneral.Sound) {
        sounds.Play(file);
    }
}

}  // namespace

void PlayClickSound(const VrelCFG& config, SoundPort& sounds,
                    const std::filesystem::path& programFolder) {
    PlayIfOn(config, sounds, ProgramFile(programFolder, kClickSoundFile));
}

void PlayHoverSound(const VrelCFG& config, SoundPort& sounds,
                    const std::filesystem::path& programFolder) {
    PlayIfOn(config, sounds, ProgramFile(programFolder, kHoverSoundFile));
}

}  // namespace vrel
