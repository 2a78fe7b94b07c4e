#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vrel {

// Reads a whole file into `bytes` with one read, reusing its storage. False when the file cannot
// be opened or does not read to its end.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

}  // namespace vrel
