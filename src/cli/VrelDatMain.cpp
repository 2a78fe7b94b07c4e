#include <exception>
#include <iostream>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#endif

#include "base/PendingFile.h"
#include "cli/Command.h"
#include "cli/ProgramStreams.h"

namespace {

// Ctrl-C and a polite kill end the tool as usual, but first take away the archives and members
// it was still writing, which would otherwise stay behind half written.
#ifdef _WIN32
BOOL WINAPI StopWriting(DWORD) {
    vrel::RemovePendingFiles();
    return FALSE;  // the default handler then ends the program
}

void RemovePendingFilesOnStop() {
    vrel::RemovePendingFilesFromSignalHandlers();
    SetConsoleCtrlHandler(StopWriting, TRUE);
}
#else
extern "C" void StopWriting(int signal) {
    vrel::RemovePendingFiles();
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void RemovePendingFilesOnStop() {
    vrel::RemovePendingFilesFromSignalHandlers();
    struct sigaction action {};
    action.sa_handler = StopWriting;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction before {};
        // A signal the shell had us ignore (a job started in the background) stays ignored.
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    RemovePendingFilesOnStop();
    const std::vector<std::string> args = vrel::cli::ProgramArguments(argc, argv);
    vrel::cli::ProgramStream out(vrel::cli::ProgramStream::Output);
    vrel::cli::ProgramStream err(vrel::cli::ProgramStream::Error);
    vrel::cli::CommandIo io{out.Stream(), err.Stream(), err.IsTerminal()};
    try {
        const int exitCode = vrel::cli::RunVrelDat(args, io);
        io.Out.flush();
        return io.Out ? exitCode : vrel::cli::kExitDamaged;
    } catch (const std::bad_alloc&) {
        io.Err << "vrel-dat: there is not enough memory for this work\n";
        return vrel::cli::kExitDamaged;
    } catch (const std::exception& error) {
        io.Err << "vrel-dat: " << error.what() << "\n";
        return vrel::cli::kExitDamaged;
    }
}
