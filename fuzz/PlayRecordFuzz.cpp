// The play record's reader on the fuzz input as the text of vrel-play.record: both versions, cut
// and damaged lines.
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "launch/PlayRecord.h"

namespace {

const vrel::fuzz::ScratchFolder scratch;

bool SameSteps(const vrel::RecordedPlay& a, const vrel::RecordedPlay& b) {
    if (a.gameFolder != b.gameFolder || a.steps.size() != b.steps.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.steps.size(); ++i) {
        const auto& x = a.steps[i];
        const auto& y = b.steps[i];
        if (x.kind != y.kind || x.path != y.path || x.aside != y.aside || x.size != y.size ||
            x.time != y.time || x.gameFolder != y.gameFolder) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = scratch.Path() / "read";
    std::filesystem::create_directories(folder);
    scratch.Write("read/" + std::string(vrel::PlayRecord::kFileName), data, size);
    const auto play = vrel::ReadPlayRecord(folder);
    if (!play) {
        return 0;
    }
    // Only whole lines count: the record cut after its last line end reads the same.
    if (play->wholeBytes > size || play->gameFolder.empty()) {
        std::abort();
    }
    scratch.Write("read/" + std::string(vrel::PlayRecord::kFileName), data, play->wholeBytes);
    const auto whole = vrel::ReadPlayRecord(folder);
    if (!whole || !SameSteps(*play, *whole)) {
        std::abort();
    }
    for (const auto& step : play->steps) {
        const bool known = step.kind == "folder" || step.kind == "keep" || step.kind == "write" ||
                           step.kind == "wrote" || step.kind == "gone" || step.kind == "back" ||
                           step.kind == "ended";
        if (!known || step.path.empty() || (step.kind == "keep") == step.aside.empty()) {
            std::abort();
        }
    }
    // Whatever names were read are written and read back as they were.
    const std::filesystem::path again = scratch.Path() / "write";
    std::filesystem::remove_all(again);
    std::filesystem::create_directories(again);
    {
        auto record = vrel::PlayRecord::Start(again, play->gameFolder);
        if (!record) {
            std::abort();
        }
        for (const auto& step : play->steps) {
            if (step.kind == "keep") {
                record->Keep(step.path, step.aside);
            }
        }
    }
    const auto written = vrel::ReadPlayRecord(again);
    if (!written || written->gameFolder != play->gameFolder) {
        std::abort();
    }
    std::size_t read = 0;
    for (const auto& step : play->steps) {
        if (step.kind != "keep") {
            continue;
        }
        if (read >= written->steps.size() || written->steps[read].path != step.path ||
            written->steps[read].aside != step.aside) {
            std::abort();
        }
        ++read;
    }
    return read == written->steps.size() ? 0 : (std::abort(), 0);
}
