#include <cstdio>
#include <exception>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define VREL_ISATTY _isatty
#define VREL_FILENO _fileno
#else
#include <unistd.h>
#define VREL_ISATTY isatty
#define VREL_FILENO fileno
#endif

#include "cli/Command.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    vrel::cli::CommandIo io{std::cout, std::cerr, VREL_ISATTY(VREL_FILENO(stderr)) != 0};
    try {
        const int exitCode = vrel::cli::RunVrelDat(args, io);
        std::cout.flush();
        return std::cout ? exitCode : vrel::cli::kExitDamaged;
    } catch (const std::exception& error) {
        std::cerr << "vrel-dat: " << error.what() << "\n";
        return vrel::cli::kExitDamaged;
    }
}
