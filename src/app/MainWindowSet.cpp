#include "app/MainWindowSet.h"

#include "app/ModSetActions.h"
#include "config/frmOptions.h"

namespace vrel {

MainWindowSet::MainWindowSet(ProgramState& state, Ports& ports, ProgressPort& progress,
                             int pollInterval, int checkDelay)
    : window_(state, ports, progress, nullptr,
              {.cmdPlay_Click = [this] { pipeline_.cmdPlay_Click(); },
               .ShowOptions =
                   [this, &state, &ports] {
                       bool remember = state.Sets.RememberTicks;
                       if (ShowOptionsWindow(state, ports, &window_, {}, &remember)) {
                           if (const auto kept = SetRememberTicks(state, remember); !kept) {
                               ReportSetsNotKept(ports.messages, kept.error());
                           }
                       }
                   },
               .FixGameFolder =
                   [&state, &ports](const std::string& reason) {
                       return ShowOptionsWindow(state, ports, nullptr, reason);
                   }}),
      screens_(
          window_, state, ports,
          [this, &state, &ports, checkDelay] {
              frmDCheck check(state, ports.sounds, checkDelay, &window_);
              check.exec();
          },
          pollInterval),
      pipeline_(state, ports, progress, screens_) {}

}  // namespace vrel
