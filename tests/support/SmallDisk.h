#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "TempFolder.h"

namespace vrel::testing {

// A real file system that fills up: a tmpfs of `bytes` holding at most `files` entries (its own
// folder counts as one), mounted on a fresh folder and unmounted with it. Mounting needs Linux
// and the right to mount; where it is refused, Mounted() is false and Why() says so, for the
// test to skip with.
class SmallDisk {
public:
    SmallDisk(std::size_t bytes, int files);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Why() const { return why_; }
    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path operator/(std::string_view name) const { return folder_ / name; }

private:
    TempFolder folder_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace vrel::testing
