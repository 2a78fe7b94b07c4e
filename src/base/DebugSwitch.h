#pragma once

#include <string_view>

namespace vrel {

// "-d" anywhere in the argument text, even inside another word, asks for the debug choices: the
// first-run window's debug button and Play's question to skip unpacking.
inline bool HasDebugSwitch(std::string_view commandLine) {
    return commandLine.find("-d") != std::string_view::npos;
}

}  // namespace vrel
