#pragma once

#include <QObject>
#include <filesystem>
#include <map>
#include <memory>

#include "platform/SoundPort.h"

class QSoundEffect;

namespace vrel {

// Plays the short button sounds with Qt Multimedia. Each file is loaded once and kept, so that a
// sound repeated on every hover starts at once; loading happens in the background and the sound
// plays when it is ready. A missing or unplayable file plays nothing and reports nothing.
class QtSounds final : public SoundPort {
public:
    QtSounds();
    ~QtSounds() override;

    void Play(const std::filesystem::path& wavFile) override;

private:
    QObject owner_;
    std::map<std::filesystem::path, QSoundEffect*> effects_;
};

}  // namespace vrel
