#include "archive/WholeFile.h"

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vrel {

#ifdef _WIN32
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    return in.gcount() == size && in.peek() == std::ifstream::traits_type::eof();
}
#else
// Open, size, read and close, and no more: the thousands of small files of a pack spend more
// on system calls than on their bytes.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return false;
    }
    struct stat status {};
    bool whole = fstat(file, &status) == 0 && status.st_size >= 0;
    if (whole) {
        // One byte more than the size: a read that fills it finds the file grown since.
        const auto size = static_cast<std::size_t>(status.st_size);
        bytes.resize(size + 1);
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t done = read(file, bytes.data() + got, bytes.size() - got);
            if (done < 0 && errno == EINTR) {
                continue;
            }
            if (done <= 0) {
                whole = done == 0;
                break;
            }
            got += static_cast<std::size_t>(done);
        }
        whole = whole && got == size;
        bytes.resize(size);
    }
    close(file);
    return whole;
}
#endif

}  // namespace vrel
