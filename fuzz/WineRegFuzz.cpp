// The Wine registry reader: the fuzz input is the prefix's system.reg, read for the game's folder
// the way the game folder is located, through the drive mapping of a scratch prefix.
#include <string_view>

#include "FuzzInput.h"
#include "platform/posix/WineRegFile.h"
#include "platform/posix/WineRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vrel::fuzz::ScratchFolder prefix;
    static const bool driveMade = std::filesystem::create_directories(prefix.Path() / "drive_c");
    (void)driveMade;
    prefix.Write("system.reg", data, size);
    vrel::WineRegistry registry(prefix.Path());
    registry.ReadRegValue("SOFTWARE\\Interplay\\Fallout2\\1.0", "DestPath");
    registry.ReadRegValue("SOFTWARE\\Interplay\\Fallout2\\1.0", "");

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t consumed = 0;
    vrel::UnquoteWineString(text, consumed);
    return 0;
}
