#include "platform/win32/Win32Sounds.h"

#include <windows.h>

#include <mmsystem.h>  // needs windows.h first

namespace vrel {

void Win32Sounds::Play(const std::filesystem::path& wavFile) {
    PlaySoundW(wavFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace vrel
