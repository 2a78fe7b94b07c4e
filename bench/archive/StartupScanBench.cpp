// The start-up scan over a Patches folder of 200 archives with 5,000 members each.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "DatImage.h"
#include "Fakes.h"
#include "app/Startup.h"
#include "archive/ScanDat.h"

namespace {

constexpr int kArchives = 200;
constexpr int kMembersPerArchive = 5000;

// Builds the folder once per run; the archives look like mods: a description first, then members
// spread over the data tree.
const std::filesystem::path& ProgramFolder() {
    static const std::filesystem::path folder = [] {
        const auto root = std::filesystem::temp_directory_path() / "vrel-bench-startup";
        const auto patches = root / "Patches";
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(patches);
        std::ofstream(patches / "patch000.dat") << "not read";
        std::vector<vrel::ImageMember> members;
        members.push_back({.Name = "amoddesc.qrd", .Content = {'A', ' ', 'm', 'o', 'd'}});
        for (int m = 1; m < kMembersPerArchive; ++m) {
            members.push_back({.Name = "art\\critters\\Critter" + std::to_string(m) + ".FRM",
                               .Content = {static_cast<std::uint8_t>(m)},
                               .Storage = vrel::MemberStorage::Stored});
        }
        for (int a = 0; a < kArchives; ++a) {
            const auto image = vrel::BuildDatImage(members);
            std::ofstream out(patches / ("mod" + std::to_string(a) + ".dat"), std::ios::binary);
            out.write(reinterpret_cast<const char*>(image.data()),
                      static_cast<std::streamsize>(image.size()));
        }
        return root;
    }();
    return folder;
}

void BM_ScanDatAllArchives(benchmark::State& state) {
    const auto patches = ProgramFolder() / "Patches";
    for (auto _ : state) {
        for (int a = 0; a < kArchives; ++a) {
            benchmark::DoNotOptimize(
                vrel::ScanDat(patches / ("mod" + std::to_string(a) + ".dat"), true));
        }
    }
    state.SetItemsProcessed(state.iterations() * kArchives * kMembersPerArchive);
}
BENCHMARK(BM_ScanDatAllArchives)->Unit(benchmark::kMillisecond);

// The whole start-up load: listing, scanning and filling the catalogue.
void BM_LoadMods(benchmark::State& state) {
    vrel::VrelCFG config;
    config.cfgGeneral.LoadModDesc = true;
    vrel::testing::FakeMessageBox messages;
    vrel::testing::FakeLifetime lifetime;
    vrel::testing::FakeProgress progress;
    for (auto _ : state) {
        vrel::ModList dats;
        vrel::StartupContext context{config, ProgramFolder(), messages, lifetime, progress};
        benchmark::DoNotOptimize(vrel::LoadMods(context, dats));
    }
    state.SetItemsProcessed(state.iterations() * kArchives * kMembersPerArchive);
}
BENCHMARK(BM_LoadMods)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
