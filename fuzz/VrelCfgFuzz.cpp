// The settings reader on the fuzz input as the text of vrel.cfg.
#include <cstdlib>
#include <string_view>

#include "config/VrelCFG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vrel::VrelCFG config;
    const vrel::FirstWindow first = config.ReadConf(text);
    // The first-run mark is never kept in memory, and no value outgrows the text it came from.
    if (config.cfgGeneral.FirstTimeRun || config.cfgPath.Fallout1.size() > size ||
        config.cfgPath.Fallout2.size() > size || config.cfgPath.AppPath.size() > size) {
        std::abort();
    }
    if (first == vrel::FirstWindow::MainWindow) {
        // What was read is written back in the 14 lines, which read back to the same switches.
        vrel::VrelCFG reread;
        reread.ReadConf(config.FormatConf());
        if (reread.cfgGeneral.Sound != config.cfgGeneral.Sound ||
            reread.cfgGeneral.LoadModDesc != config.cfgGeneral.LoadModDesc ||
            reread.cfgGeneral.DeleteDataFiles != config.cfgGeneral.DeleteDataFiles ||
            reread.cfgGeneral.CheckConflicts != config.cfgGeneral.CheckConflicts) {
            std::abort();
        }
    }
    return 0;
}
