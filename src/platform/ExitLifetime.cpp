#include "platform/ExitLifetime.h"

#include <cstdlib>

namespace vrel {

void ExitLifetime::EndProgram() {
    std::exit(EXIT_SUCCESS);
}

}  // namespace vrel
