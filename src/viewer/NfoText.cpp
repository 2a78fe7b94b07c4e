#include "viewer/NfoText.h"

#include <fstream>
#include <system_error>

#include "viewer/Cp437.h"

namespace vrel {
namespace {

std::string DisplayName(const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return std::string(name.begin(), name.end());
}

// Splits code-page-437 bytes into lines and decodes them; at least one line is read.
NfoText DecodeNfo(std::string_view bytes, const LineProgress& progress) {
    NfoText result;
    result.text.reserve(bytes.size() + bytes.size() / 2 + 2);
    std::size_t pos = 0;
    do {
        const std::size_t cr = bytes.find('\r', pos);
        const std::size_t end = cr == std::string_view::npos ? bytes.size() : cr;
        if (progress) {
            progress(result.lines);
        }
        AppendCp437AsUtf8(bytes.substr(pos, end - pos), result.text);
        result.text += "\r\n";
        ++result.lines;
        pos = end + 1;
        if (cr != std::string_view::npos && pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    } while (pos < bytes.size());
    return result;
}

}  // namespace

Expected<NfoText, std::string> ReadNfo(const std::filesystem::path& file,
                                       const LineProgress& progress) {
    const std::string name = DisplayName(file);
    if (file.empty()) {
        return Unexpected{std::string("No file name given")};
    }
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) {
        return Unexpected{"File not found: " + name};
    }
    if (std::filesystem::is_directory(status)) {
        return Unexpected{"Not a file but a folder: " + name};
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return Unexpected{"Cannot open file: " + name};
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) {
        return Unexpected{"Cannot read file: " + name};
    }
    if (size == 0) {
        return Unexpected{"The file is empty: " + name};
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) {
        return Unexpected{"Cannot read file: " + name};
    }
    return DecodeNfo(bytes, progress);
}

}  // namespace vrel
