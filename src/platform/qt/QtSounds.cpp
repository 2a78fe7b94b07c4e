#include "platform/qt/QtSounds.h"

#include <QSoundEffect>
#include <QUrl>
#include <QVariant>

namespace vrel {
namespace {

const char* const kPlayWhenReady = "vrelPlayWhenReady";

}  // namespace

QtSounds::QtSounds() = default;
QtSounds::~QtSounds() = default;

void QtSounds::Play(const std::filesystem::path& wavFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(wavFile, error)) {
        return;
    }
    QSoundEffect*& effect = effects_[wavFile];
    if (effect == nullptr) {
        effect = new QSoundEffect(&owner_);
        QObject::connect(effect, &QSoundEffect::statusChanged, effect, [sound = effect] {
            if (sound->status() == QSoundEffect::Ready &&
                sound->property(kPlayWhenReady).toBool()) {
                sound->setProperty(kPlayWhenReady, false);
                sound->play();
            }
        });
        effect->setSource(QUrl::fromLocalFile(QString::fromStdU16String(wavFile.u16string())));
    }
    if (effect->status() == QSoundEffect::Ready) {
        effect->play();
    } else {
        effect->setProperty(kPlayWhenReady, true);
    }
}

}  // namespace vrel
