#include <exception>
#include <iostream>

#include "cli/Command.h"
#include "cli/ProgramStreams.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args = vrel::cli::ProgramArguments(argc, argv);
    vrel::cli::ProgramStream out(vrel::cli::ProgramStream::Output);
    vrel::cli::ProgramStream err(vrel::cli::ProgramStream::Error);
    vrel::cli::CommandIo io{out.Stream(), err.Stream(), err.IsTerminal()};
    try {
        const int exitCode = vrel::cli::RunVrelDat(args, io);
        io.Out.flush();
        return io.Out ? exitCode : vrel::cli::kExitDamaged;
    } catch (const std::exception& error) {
        io.Err << "vrel-dat: " << error.what() << "\n";
        return vrel::cli::kExitDamaged;
    }
}
