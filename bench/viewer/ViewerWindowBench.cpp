// The whole viewer loading a 100,000-line file, as the user waits for it: reading, decoding,
// captions and filling the text box. Runs headless.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "LargeNfo.h"
#include "platform/LifetimePort.h"
#include "platform/MessageBoxPort.h"
#include "platform/PickerPort.h"
#include "viewer/frmViewer.h"

namespace {

constexpr int kLines = 100'000;

class CountingMessages final : public vrel::MessageBoxPort {
public:
    vrel::MessageAnswer Show(const vrel::MessageRequest&) override {
        ++shown;
        return vrel::MessageAnswer::Ok;
    }
    int shown = 0;
};
class NoLifetime final : public vrel::LifetimePort {
public:
    void EndProgram() override {}
};
class NoPickers final : public vrel::PickerPort {
public:
    std::optional<std::string> PickFolder(const std::string&) override { return {}; }
    std::optional<std::string> PickOpenFile(const std::vector<vrel::FileFilter>&,
                                            const std::string&) override {
        return {};
    }
    std::vector<std::string> PickOpenFiles(const std::string&, const std::vector<vrel::FileFilter>&,
                                           const std::string&) override {
        return {};
    }
    std::optional<std::string> AskText(const std::string&, const std::string&) override {
        return {};
    }
    std::optional<std::size_t> PickOne(const std::string&, const std::vector<std::string>&,
                                       std::size_t) override {
        return {};
    }
};

void BM_ViewerLoads100kLines(benchmark::State& state) {
    const LargeNfo file(kLines);
    CountingMessages messages;
    NoLifetime lifetime;
    NoPickers pickers;
    const std::string commandLine = "-f " + file.path().string();
    for (auto _ : state) {
        vrel::frmViewer viewer({commandLine, file.path().parent_path(), {}},
                               {messages, lifetime, pickers});
        viewer.Form_Load();
        QApplication::processEvents();
        if (messages.shown != 0) {
            state.SkipWithError("the file did not load");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ViewerLoads100kLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
