#include "SmallDisk.h"

#ifdef __linux__
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#endif

namespace vrel::testing {

SmallDisk::SmallDisk(std::size_t bytes, int files) {
#ifdef __linux__
    const std::string options =
        "size=" + std::to_string(bytes) + ",nr_inodes=" + std::to_string(files);
    mounted_ = mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) {
        why_ = std::string("a small disk cannot be mounted here: ") + std::strerror(errno);
    }
#else
    (void)bytes;
    (void)files;
    why_ = "a small disk is mounted only on Linux";
#endif
}

SmallDisk::~SmallDisk() {
#ifdef __linux__
    if (mounted_) {
        umount2(folder_.path().c_str(), MNT_DETACH);
    }
#endif
}

}  // namespace vrel::testing
