#pragma once

#include <filesystem>
#include <system_error>

namespace vrel {

// Renames `from` to `to` only when nothing stands at `to`: a player's file is never replaced by
// a move. Fails with std::errc::file_exists when something does.
std::error_code MoveNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace vrel
