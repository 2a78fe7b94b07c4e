// Unpacking a mod of 20,000 members (about 200 MB) into a game folder, as Play does: a first Play
// into a game folder that does not hold the mod's folders yet, and a repeated Play into one that a
// clean-up has just emptied, each with the engine of one thread inflating with zlib ("one_core")
// and with the engine on every core with the fastest inflater ("all_cores"); and a reference that
// only inflates the same members and writes the same bytes to the same paths.
// The data lies in VREL_BENCH_DIR (default: a folder beside this program), so all runs use one
// disk; a RAM disk (/dev/shm) keeps the disk's own speed out of the figures.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "DatImage.h"
#include "archive/DatWalk.h"
#include "archive/DatWriter.h"
#include "archive/OrderedPool.h"
#include "launch/CleanUp.h"
#include "launch/MemberTarget.h"
#include "launch/Unpacker.h"

namespace {

namespace fs = std::filesystem;

// VREL_BENCH_MEMBERS makes a smaller archive, for profiling (use another VREL_BENCH_DIR with it).
const int kMembers = std::getenv("VREL_BENCH_MEMBERS") != nullptr
                         ? std::atoi(std::getenv("VREL_BENCH_MEMBERS"))
                         : 20'000;
constexpr std::size_t kMemberSize = 28'000;  // about 10 KB each once packed, 200 MB in all

fs::path BenchFolder() {
    const char* chosen = std::getenv("VREL_BENCH_DIR");
    return chosen != nullptr ? fs::path(chosen) : fs::current_path() / "vrel-bench-unpack";
}

// Mod-like content: bytes from a small alphabet in runs, packing to about half.
std::vector<std::uint8_t> MemberContent(std::mt19937& random) {
    std::vector<std::uint8_t> content(kMemberSize);
    std::uniform_int_distribution<int> symbol(0, 15);
    std::uniform_int_distribution<int> run(1, 4);
    for (std::size_t i = 0; i < content.size();) {
        const auto value = static_cast<std::uint8_t>(symbol(random) * 17);
        for (int r = run(random); r > 0 && i < content.size(); --r) {
            content[i++] = value;
        }
    }
    return content;
}

const fs::path& Archive() {
    static const fs::path archive = [] {
        const fs::path folder = BenchFolder();
        fs::create_directories(folder);
        const fs::path path = folder / "big.dat";
        if (fs::exists(path)) {
            return path;
        }
        auto writer = vrel::DatWriter::Create(path);
        std::mt19937 random(7);
        const char* folders[] = {"art\\critters\\", "art\\tiles\\", "sound\\sfx\\",
                                 "proto\\items\\", "scripts\\"};
        for (int m = 0; m < kMembers; ++m) {
            const std::string name = std::string(folders[m % 5]) + "m" + std::to_string(m) + ".frm";
            AddMember(*writer, name, MemberContent(random), vrel::MemberStorage::Smallest, 6);
        }
        writer->Finish();
        return path;
    }();
    return archive;
}

fs::path GameFolder(const std::string& name = "game") {
    const fs::path game = BenchFolder() / name;
    fs::create_directories(game / "data");
    return game;
}

// Linux keeps the peak resident set of a process (VmHWM) and lets it be reset, so the peak of one
// benchmark is not hidden by what came before it (such as making the archive).
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void ReportPeakMemory(benchmark::State& state) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            state.counters["peak_rss_MB"] = std::stod(line.substr(6)) / 1024.0;
        }
    }
    if (!state.counters.contains("peak_rss_MB")) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
    state.counters["archive_MB"] =
        static_cast<double>(fs::file_size(Archive())) / (1024.0 * 1024.0);
}

// Argument 0: the one-core engine (one thread, zlib); 1: every core, the fastest inflater.
vrel::UnpackEngine Engine(const benchmark::State& state) {
    if (state.range(0) == 0) {
        return {.threads = 1, .inflater = vrel::Inflater::ZlibOnly};
    }
    return {.threads = vrel::WorkerThreads(std::nullopt), .inflater = vrel::Inflater::Fastest};
}

// One Play's unpacking into `game`, timed; its clean-up, untimed, unless `timed` is false.
void PlayOnce(benchmark::State& state, const fs::path& game, bool timed = true) {
    vrel::CfgGeneral settings;
    settings.DeleteDataFiles = true;
    vrel::UnpackJournal journal;
    vrel::Unpacker unpacker(game, settings, journal, nullptr, Engine(state));
    unpacker.UnpackArchive(Archive(), "big.dat", {});
    if (timed) {
        state.PauseTiming();
    }
    vrel::CleanUpGameFolder(journal);
    if (timed) {
        state.ResumeTiming();
    }
}

void BM_FirstPlay(benchmark::State& state) {
    Archive();
    int round = 0;
    ResetPeakMemory();
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path game = GameFolder("first-" + std::to_string(round++));
        state.ResumeTiming();
        PlayOnce(state, game);
        state.PauseTiming();
        fs::remove_all(game);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMembers);
    ReportPeakMemory(state);
}

void BM_RepeatedPlay(benchmark::State& state) {
    const fs::path game = GameFolder();
    PlayOnce(state, game, false);
    ResetPeakMemory();
    for (auto _ : state) {
        PlayOnce(state, game);
    }
    state.SetItemsProcessed(state.iterations() * kMembers);
    ReportPeakMemory(state);
}

// The same members inflated and written to the same paths, with nothing else around it.
void BM_InflateAndWriteReference(benchmark::State& state) {
    const fs::path game = GameFolder();
    for (auto _ : state) {
        auto walk = vrel::DatWalk::Open(Archive());
        std::vector<fs::path> written;
        std::FILE* archive = std::fopen(Archive().c_str(), "rb");
        while (auto entry = walk->NextDatEntry()) {
            std::vector<std::uint8_t> packed(static_cast<std::size_t>(entry->PackedSize));
            std::fseek(archive, entry->Offset, SEEK_SET);
            if (std::fread(packed.data(), 1, packed.size(), archive) != packed.size()) {
                state.SkipWithError("short read");
            }
            std::vector<std::uint8_t> content(static_cast<std::size_t>(entry->RealSize));
            uLongf length = static_cast<uLongf>(content.size());
            if (entry->Compressed == 1) {
                uncompress(content.data(), &length, packed.data(),
                           static_cast<uLong>(packed.size()));
            } else {
                content = packed;
            }
            const auto parts = vrel::SafeTargetParts(entry->Name);
            fs::path target = game;
            for (std::size_t i = 0; i + 1 < parts->size(); ++i) {
                target /= (*parts)[i];
            }
            fs::create_directories(target);
            target /= parts->back();
            std::FILE* out = std::fopen(target.c_str(), "wb");
            std::fwrite(content.data(), 1, length, out);
            std::fclose(out);
            written.push_back(target);
        }
        std::fclose(archive);
        state.PauseTiming();
        for (const auto& file : written) {
            fs::remove(file);
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMembers);
}

BENCHMARK(BM_InflateAndWriteReference)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FirstPlay)
    ->ArgName("all_cores")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_RepeatedPlay)
    ->ArgName("all_cores")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
