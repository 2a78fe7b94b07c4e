#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "config/VrelCFG.h"

namespace vrel {

// Rewrites vrel.cfg in the program folder from `config`; the reason, as display text, on failure.
std::optional<std::string> SaveSettings(const VrelCFG& config,
                                        const std::filesystem::path& programFolder);

// The program folder as vrel.cfg keeps it (Windows-1252 text).
std::string AppPathText(const std::filesystem::path& programFolder);

}  // namespace vrel
