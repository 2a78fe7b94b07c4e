#pragma once

#include <string>
#include <string_view>

#include "base/Expected.h"

// The viewer's command line is the whole argument text, searched as one string with exact,
// case-sensitive substring tests.
namespace vrel {

// The release notes and a name given with "-f" both load a file; they differ in where a relative
// name is looked up.
enum class StartKind { OpenDialog, LoadNamedFile, LoadReleaseNotes };

struct StartPlan {
    StartKind Kind = StartKind::LoadReleaseNotes;
    std::string FileName;  // for the two loads
};

enum class StartPlanProblem {
    NoFileName,  // nothing follows "-f"
};

// "-o" anywhere shows the open-file dialog; otherwise "-f" takes everything after itself and one
// separating character as the file name; otherwise the release notes load.
Expected<StartPlan, StartPlanProblem> PlanStart(std::string_view commandLine);

// "-ns" anywhere: the viewer closes without its exit splash.
bool SkipsExitSplash(std::string_view commandLine);

}  // namespace vrel
