// One Play's unpacking and clean-up of the archives given, into a game folder, as the Play button
// does them (with the record in a program folder beside it, every core inflating), timed apart:
// for bench/cli/speed.sh, which sets them beside `vrel-dat extract`, `cp -r` and `rm -r`.
// Usage: play_timing PROGRAM_FOLDER GAME_FOLDER ARCHIVE...
// Prints "unpack SECONDS" and "cleanup SECONDS"; exits 1 when a member was not unpacked.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "archive/OrderedPool.h"
#include "launch/CleanUp.h"
#include "launch/PlayRecord.h"
#include "launch/Unpacker.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: play_timing PROGRAM_FOLDER GAME_FOLDER ARCHIVE...\n");
        return 2;
    }
    const std::filesystem::path program = argv[1];
    const std::filesystem::path game = argv[2];
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(game / "data");
    vrel::CfgGeneral settings;
    settings.DeleteDataFiles = true;
    vrel::UnpackJournal journal;
    auto record = vrel::PlayRecord::Start(program, game);
    if (!record) {
        std::fprintf(stderr, "play_timing: the record cannot be written\n");
        return 1;
    }

    const auto unpackStart = std::chrono::steady_clock::now();
    vrel::Unpacker unpacker(game, settings, journal, &*record,
                            {.threads = vrel::WorkerThreads(std::nullopt)});
    bool whole = true;
    for (int i = 3; i < argc; ++i) {
        const std::filesystem::path archive = argv[i];
        whole = unpacker.UnpackArchive(archive, archive.filename().string(), {}) && whole;
    }
    record->Sync();
    const double unpack = SecondsSince(unpackStart);

    const auto cleanUpStart = std::chrono::steady_clock::now();
    vrel::CleanUpGameFolder(journal, {}, &*record);
    record->Remove();
    const double cleanUp = SecondsSince(cleanUpStart);

    std::printf("unpack %.3f\ncleanup %.3f\n", unpack, cleanUp);
    return whole && unpacker.Problems().empty() ? 0 : 1;
}
