#include <benchmark/benchmark.h>

#include "LargeNfo.h"
#include "viewer/NfoText.h"
#include "viewer/ViewerTexts.h"

namespace {

constexpr int kLines = 100'000;

// The whole load of the logic: one read, line splitting, code-page-437 decoding, and the loading
// caption formatted before every line as the window receives it.
void BM_ReadNfo100kLines(benchmark::State& state) {
    const LargeNfo file(kLines);
    for (auto _ : state) {
        std::size_t captionBytes = 0;
        const auto nfo = vrel::ReadNfo(file.path(), [&](std::size_t linesRead) {
            captionBytes += vrel::LoadingCaption(linesRead).size();
        });
        if (!nfo || nfo->Lines != kLines) {
            state.SkipWithError("the file did not load");
            break;
        }
        benchmark::DoNotOptimize(captionBytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadNfo100kLines)->Unit(benchmark::kMillisecond);

}  // namespace
