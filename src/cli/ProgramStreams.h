#pragma once

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace vrel::cli {

// The words after the program's name, as UTF-8. On Windows they are read again from the wide
// command line: argv holds them in the ANSI code page, which loses what it cannot hold.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The process's standard output or error, taking UTF-8 text. On Windows a console is written as
// UTF-16 through the console API, since its own code page (the OEM one) would garble everything
// outside ASCII; a pipe or file gets the UTF-8 bytes. Elsewhere the bytes go out unchanged.
class ProgramStream {
public:
    enum Which { Output, Error };

    explicit ProgramStream(Which which);
    ~ProgramStream();
    ProgramStream(const ProgramStream&) = delete;
    ProgramStream& operator=(const ProgramStream&) = delete;

    std::ostream& Stream() { return stream_; }
    // Whether a person watches it (a console or terminal), so that progress can be shown there.
    bool IsTerminal() const { return terminal_; }

private:
    std::unique_ptr<std::streambuf> buffer_;
    std::ostream stream_;
    bool terminal_ = false;
};

}  // namespace vrel::cli
