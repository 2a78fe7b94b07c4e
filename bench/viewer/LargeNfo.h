#pragma once

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

// A release-notes file of the given number of lines: 78 columns of code-page-437 art and text,
// CR LF line ends, written to the temporary folder and removed again.
class LargeNfo {
public:
    explicit LargeNfo(int lines) {
        path_ = std::filesystem::temp_directory_path() /
                ("vrel_viewer_bench_" + std::to_string(::getpid()) + ".nfo");
        std::string bytes;
        for (int i = 0; i < lines; ++i) {
            std::string line = "\xBA \xDB\xDB\xB2\xB1\xB0 line " + std::to_string(i) + " ";
            line.resize(71, '.');
            bytes += line + " \xC4\xC4\xCD\xCD \xBA\r\n";
        }
        std::ofstream(path_, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        size_ = bytes.size();
    }
    ~LargeNfo() {
        std::error_code error;
        std::filesystem::remove(path_, error);
    }
    LargeNfo(const LargeNfo&) = delete;
    LargeNfo& operator=(const LargeNfo&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::size_t size() const { return size_; }

private:
    std::filesystem::path path_;
    std::size_t size_ = 0;
};
