#include "platform/win32/Win32Sounds.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <mmsystem.h>
#include <windows.h>

namespace vrel {

void Win32Sounds::Play(const std::filesystem::path& wavFile) {
    PlaySoundW(wavFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace vrel
