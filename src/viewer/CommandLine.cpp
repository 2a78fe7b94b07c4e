#include "viewer/CommandLine.h"

#include "viewer/ViewerTexts.h"

namespace vrel {

Expected<StartPlan, StartPlanProblem> PlanStart(std::string_view commandLine) {
    if (commandLine.find("-o") != std::string_view::npos) {
        return StartPlan{StartKind::OpenDialog, {}};
    }
    const std::size_t f = commandLine.find("-f");
    if (f == std::string_view::npos) {
        return StartPlan{StartKind::LoadReleaseNotes, kDefaultNfo};
    }
    const std::size_t nameStart = f + 3;  // "-f" and one separating character
    if (nameStart > commandLine.size()) {
        return Unexpected{StartPlanProblem::NoFileName};
    }
    return StartPlan{StartKind::LoadNamedFile, std::string(commandLine.substr(nameStart))};
}

bool SkipsExitSplash(std::string_view commandLine) {
    return commandLine.find("-ns") != std::string_view::npos;
}

}  // namespace vrel
