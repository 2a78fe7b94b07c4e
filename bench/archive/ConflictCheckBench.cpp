// The conflict check on a large set of picked mods: ten archives of 20,000 members each, of which
// 1% are names that every archive holds. The fast check is measured against the plain nested
// comparison in the same run.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "NestedConflictCheck.h"
#include "archive/ConflictCheck.h"

namespace {

constexpr int kArchives = 10;
constexpr int kMembers = 20'000;
constexpr int kSharedEvery = 100;  // 1% of each archive's names are in every archive

// Member paths shaped like a mod's: a folder of the game's data tree, a short file name and an
// extension, so that names of equal length are common and the comparison has to read them.
std::string MemberName(int archive, int member) {
    static const std::array<const char*, 6> folders{"art\\critters\\",         "art\\items\\",
                                                    "proto\\items\\",          "maps\\",
                                                    "text\\english\\dialog\\", "scripts\\"};
    static const std::array<const char*, 6> extensions{".frm", ".frm", ".pro",
                                                       ".map", ".msg", ".int"};
    const auto kind = static_cast<std::size_t>(member % 6);
    return std::string(folders[kind]) + "m" + std::to_string(archive) + "x" +
           std::to_string(member) + extensions[kind];
}

vrel::FalloutDat_Collection& Catalogue() {
    static vrel::FalloutDat_Collection catalogue = [] {
        vrel::FalloutDat_Collection made;
        for (int archive = 0; archive < kArchives; ++archive) {
            auto files = std::make_shared<vrel::FileInDat_Collection>();
            for (int member = 0; member < kMembers; ++member) {
                files->Add(member % kSharedEvery == 0 ? MemberName(-1, member)
                                                      : MemberName(archive, member));
            }
            made.Add(archive + 1, kMembers, "/vrel/Patches/mod" + std::to_string(archive) + ".dat",
                     true, "", files);
        }
        return made;
    }();
    return catalogue;
}

void BM_ConflictCheck(benchmark::State& state) {
    vrel::FalloutDat_Collection& catalogue = Catalogue();
    std::size_t lines = 0;
    for (auto _ : state) {
        const vrel::ConflictReport report = vrel::ConflictCheck(catalogue);
        lines = report.Lines.size();
        benchmark::DoNotOptimize(report.Lines.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ConflictCheck)->Unit(benchmark::kMillisecond);

void BM_NestedComparison(benchmark::State& state) {
    vrel::FalloutDat_Collection& catalogue = Catalogue();
    std::size_t lines = 0;
    for (auto _ : state) {
        const vrel::ConflictReport report = vrel::testing::NestedConflictCheck(catalogue);
        lines = report.Lines.size();
        benchmark::DoNotOptimize(report.Lines.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
// One pass takes tens of seconds.
BENCHMARK(BM_NestedComparison)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
