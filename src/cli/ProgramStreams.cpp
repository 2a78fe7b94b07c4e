#include "cli/ProgramStreams.h"

#include <array>
#include <cstring>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace vrel::cli {
namespace {

#ifdef _WIN32

std::string WideToUtf8(const wchar_t* wide) {
    const int length = static_cast<int>(std::wcslen(wide));
    if (length == 0) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), size, nullptr, nullptr);
    return text;
}

// How many bytes at the end of `text` start a UTF-8 form that is not complete yet.
std::size_t CutUtf8Tail(const char* text, std::size_t size) {
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // a continuation byte: the lead is further back
        }
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

// Collects UTF-8 text and hands it to a standard handle: as UTF-16 to a console, which shows
// every character so, and as the bytes themselves to a pipe or file. A UTF-8 form cut by the
// buffer's end waits for its rest, so that no character is split in two.
class HandleBuffer final : public std::streambuf {
public:
    HandleBuffer(HANDLE handle, bool console) : handle_(handle), console_(console) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    ~HandleBuffer() override { Flush(true); }

protected:
    int_type overflow(int_type ch) override {
        if (!Flush(false)) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }

    int sync() override { return Flush(false) ? 0 : -1; }

private:
    bool Flush(bool all) {
        const auto pending = static_cast<std::size_t>(pptr() - pbase());
        const std::size_t kept = all || !console_ ? 0 : CutUtf8Tail(pbase(), pending);
        const bool written = console_ ? WriteConsoleText(pbase(), pending - kept)
                                      : WriteBytes(pbase(), pending - kept);
        std::memmove(buffer_.data(), pbase() + (pending - kept), kept);
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        pbump(static_cast<int>(kept));
        return written;
    }

    bool WriteBytes(const char* bytes, std::size_t size) const {
        while (size > 0) {
            DWORD done = 0;
            if (!WriteFile(handle_, bytes, static_cast<DWORD>(size), &done, nullptr) || done == 0) {
                return false;
            }
            bytes += done;
            size -= done;
        }
        return true;
    }

    bool WriteConsoleText(const char* bytes, std::size_t size) const {
        if (size == 0) {
            return true;
        }
        const int length = static_cast<int>(size);
        const int wideSize = MultiByteToWideChar(CP_UTF8, 0, bytes, length, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes, length, wide.data(), wideSize);
        const wchar_t* next = wide.data();
        DWORD left = static_cast<DWORD>(wide.size());
        while (left > 0) {
            DWORD done = 0;
            if (!WriteConsoleW(handle_, next, left, &done, nullptr) || done == 0) {
                return false;
            }
            next += done;
            left -= done;
        }
        return true;
    }

    HANDLE handle_;
    bool console_;
    std::array<char, 4096> buffer_{};
};

#endif

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i) {
        args.push_back(WideToUtf8(words[i]));
    }
    LocalFree(words);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

#ifdef _WIN32
ProgramStream::ProgramStream(Which which) : stream_(nullptr) {
    const HANDLE handle = GetStdHandle(which == Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    terminal_ = GetConsoleMode(handle, &mode) != 0;
    buffer_ = std::make_unique<HandleBuffer>(handle, terminal_);
    stream_.rdbuf(buffer_.get());
    if (which == Error) {
        stream_.setf(std::ios::unitbuf);  // as std::cerr: each message and progress step at once
    }
}
#else
ProgramStream::ProgramStream(Which which)
    : stream_(which == Output ? std::cout.rdbuf() : std::cerr.rdbuf()),
      terminal_(isatty(which == Output ? STDOUT_FILENO : STDERR_FILENO) != 0) {
    if (which == Error) {
        stream_.setf(std::ios::unitbuf);  // as std::cerr: each message and progress step at once
    }
}
#endif

ProgramStream::~ProgramStream() {
    stream_.flush();
}

}  // namespace vrel::cli
