// The play record's reader on the fuzz input as the text of vrel-play.record: both versions, cut
// and damaged lines.
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "launch/PlayRecord.h"

namespace {

const vrel::fuzz::ScratchFolder scratch;

bool SameSteps(const vrel::RecordedPlay& a, const vrel::RecordedPlay& b) {
    if (a.GameFolder != b.GameFolder || a.Steps.size() != b.Steps.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.Steps.size(); ++i) {
        const auto& x = a.Steps[i];
        const auto& y = b.Steps[i];
        if (x.Kind != y.Kind || x.Path != y.Path || x.Aside != y.Aside || x.Size != y.Size ||
            x.Time != y.Time || x.GameFolder != y.GameFolder) {
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
    if (play->WholeBytes > size || play->GameFolder.empty()) {
        std::abort();
    }
    scratch.Write("read/" + std::string(vrel::PlayRecord::kFileName), data, play->WholeBytes);
    const auto whole = vrel::ReadPlayRecord(folder);
    if (!whole || !SameSteps(*play, *whole)) {
        std::abort();
    }
    for (const auto& step : play->Steps) {
        const bool known = step.Kind == "folder" || step.Kind == "keep" || step.Kind == "write" ||
                           step.Kind == "wrote" || step.Kind == "gone" || step.Kind == "back" ||
                           step.Kind == "ended";
        if (!known || step.Path.empty() || (step.Kind == "keep") == step.Aside.empty()) {
            std::abort();
        }
    }
    // Whatever names were read are written and read back as they were.
    const std::filesystem::path again = scratch.Path() / "write";
    std::filesystem::remove_all(again);
    std::filesystem::create_directories(again);
    {
        auto record = vrel::PlayRecord::Start(again, play->GameFolder);
        if (!record) {
            std::abort();
        }
        for (const auto& step : play->Steps) {
            if (step.Kind == "keep") {
                record->Keep(step.Path, step.Aside);
            }
        }
    }
    const auto written = vrel::ReadPlayRecord(again);
    if (!written || written->GameFolder != play->GameFolder) {
        std::abort();
    }
    std::size_t read = 0;
    for (const auto& step : play->Steps) {
        if (step.Kind != "keep") {
            continue;
        }
        if (read >= written->Steps.size() || written->Steps[read].Path != step.Path ||
            written->Steps[read].Aside != step.Aside) {
            std::abort();
        }
        ++read;
    }
    return read == written->Steps.size() ? 0 : (std::abort(), 0);
}
