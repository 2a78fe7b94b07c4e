#include "viewer/NfoText.h"

#include <fstream>
#include <system_error>

#include "base/Cp437.h"

namespace vrel {
namespace {

// Splits code-page-437 bytes into lines and decodes them; at least one line is read.
NfoText DecodeNfo(std::string_view bytes, const LineProgress& progress) {
    NfoText result;
    result.Text.reserve(bytes.size() + bytes.size() / 2 + 2);
    std::size_t pos = 0;
    do {
        const std::size_t cr = bytes.find('\r', pos);
        const std::size_t end = cr == std::string_view::npos ? bytes.size() : cr;
        if (progress) {
            progress(result.Lines);
        }
        AppendCp437AsUtf8(bytes.substr(pos, end - pos), result.Text);
        result.Text += "\r\n";
        ++result.Lines;
        pos = end + 1;
        if (cr != std::string_view::npos && pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    } while (pos < bytes.size());
    return result;
}

}  // namespace

Expected<NfoText, NfoFailure> ReadNfo(const std::filesystem::path& file,
                                      const LineProgress& progress) {
    const auto failed = [&](NfoProblem problem, std::error_code error = {}) {
        return Unexpected{NfoFailure{problem, file, error}};
    };
    if (file.empty()) {
        return failed(NfoProblem::NoFileName);
    }
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) {
        return failed(NfoProblem::NotFound, error);
    }
    if (std::filesystem::is_directory(status)) {
        return failed(NfoProblem::NotAFile);
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return failed(NfoProblem::CannotOpen);
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) {
        return failed(NfoProblem::CannotRead);
    }
    if (size == 0) {
        return failed(NfoProblem::Empty);
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) {
        return failed(NfoProblem::CannotRead);
    }
    return DecodeNfo(bytes, progress);
}

}  // namespace vrel
