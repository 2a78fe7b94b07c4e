#pragma once

#include "platform/EnvironmentPort.h"
#include "platform/LifetimePort.h"
#include "platform/MessageBoxPort.h"
#include "platform/PickerPort.h"
#include "platform/ProcessPort.h"
#include "platform/RegistryPort.h"
#include "platform/ShellPort.h"
#include "platform/SoundPort.h"

namespace vrel {

// Every contact of Vrel2 with the user and the operating system, handed to each window.
struct Ports {
    MessageBoxPort& messages;
    LifetimePort& lifetime;
    SoundPort& sounds;
    PickerPort& pickers;
    RegistryPort& registry;
    ProcessPort& processes;
    ShellPort& shell;
    EnvironmentPort& environment;
};

}  // namespace vrel
