#include "viewer/ViewerSession.h"

#include <system_error>

#include "base/AnsiText.h"
#include "viewer/CommandLine.h"
#include "viewer/NfoText.h"
#include "viewer/ViewerTexts.h"

namespace vrel {

ViewerSession::ViewerSession(ViewerStart start, ViewerPorts ports, ViewerView& view)
    : start_(std::move(start)), ports_(ports), view_(view), currentFolder_(start_.ProgramFolder) {}

void ViewerSession::Form_Load() {
    view_.SetCaption(StartCaption());
    view_.ShowWindow();
    const auto plan = PlanStart(start_.CommandLine);
    if (!plan) {
        ErrorExit(DescribeStartPlanProblem(plan.error()));
        return;
    }
    if (plan->Kind == StartKind::OpenDialog) {
        LoadDialog();
        return;
    }
    Load(Resolve(plan->FileName, plan->Kind == StartKind::LoadNamedFile));
}

void ViewerSession::LoadNFO(const std::string& fileName) {
    Load(Resolve(fileName, false));
}

void ViewerSession::Load(const std::filesystem::path& file) {
    const auto loaded = ReadNfo(file, [this](std::size_t linesRead) {
        view_.SetLoadingCaption(LoadingCaption(linesRead));
    });
    if (!loaded) {
        ErrorExit(DescribeNfoFailure(loaded.error()));
        return;
    }
    view_.SetText(loaded->Text);
    view_.SetCaption(LoadedCaption(loaded->Lines));
}

void ViewerSession::LoadDialog() {
    const auto picked = ports_.pickers.PickOpenFile(NfoFilters(), PathToDisplay(currentFolder_));
    if (!picked || picked->empty()) {
        return;
    }
    const std::filesystem::path file = Resolve(*picked, false);
    if (file.has_parent_path()) {
        currentFolder_ = file.parent_path();
    }
    LoadNFO(*picked);
}

void ViewerSession::KeyUp(ViewerKey key, ShiftState shiftState) {
    const KeyCommand command = CommandForKey(key, shiftState);
    switch (command.Kind) {
        case CommandKind::SetColours:
            view_.SetColours(command.Colours);
            break;
        case CommandKind::SetFont:
            view_.SetFontFace(command.FontFace, kFontPoints);
            break;
        case CommandKind::LoadDialog:
            LoadDialog();
            break;
        case CommandKind::Close:
            QueryUnload();
            break;
        case CommandKind::Nothing:
            break;
    }
}

void ViewerSession::QueryUnload() {
    if (SkipsExitSplash(start_.CommandLine)) {
        ended_ = true;
        ports_.lifetime.EndProgram();
        return;
    }
    view_.ShowExitSplash();
}

void ViewerSession::ErrorExit(const std::string& description) {
    ports_.messages.Show({.text = ErrorMessage(description),
                          .title = kErrorTitle,
                          .buttons = MessageButtons::Ok,
                          .icon = MessageIcon::Critical});
    ended_ = true;
    ports_.lifetime.EndProgram();
}

std::filesystem::path ViewerSession::Resolve(const std::string& fileName,
                                             bool fromCommandLine) const {
    const std::filesystem::path name = DisplayToPath(fileName);
    if (fileName.empty() || name.is_absolute()) {
        return name;
    }
    const std::filesystem::path fromCurrent = currentFolder_ / name;
    if (fromCommandLine && !start_.startFolder.empty()) {
        std::error_code error;
        const std::filesystem::path fromStart = start_.startFolder / name;
        if (!std::filesystem::exists(fromCurrent, error) &&
            std::filesystem::exists(fromStart, error)) {
            return fromStart;
        }
    }
    return fromCurrent;
}

}  // namespace vrel
