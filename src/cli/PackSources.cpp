#include "cli/PackSources.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "archive/DatEntry.h"
#include "archive/GameOrder.h"
#include "archive/MemberPath.h"
#include "archive/NewMemberName.h"
#include "base/AnsiText.h"
#include "base/Expected.h"
#include "base/ListedEntry.h"

namespace vrel::cli {
namespace {

// The member name of a file, or the reason it has none.
Expected<std::string, NameFailure> MemberName(const std::filesystem::path& relative) {
    std::vector<std::string> parts;
    for (const std::filesystem::path& part : relative) {
        auto ansi = StrictUtf8ToAnsi(PathToDisplay(part));
        if (!ansi) {
            return ansi;
        }
        parts.push_back(std::move(*ansi));
    }
    return JoinMemberName(parts);
}

}  // namespace

PackSources CollectPackSources(const std::filesystem::path& folder,
                               const std::filesystem::path& exclude) {
    PackSources sources;
    std::error_code error;
    const std::filesystem::path excluded = std::filesystem::weakly_canonical(exclude, error);
    const std::filesystem::path base = std::filesystem::weakly_canonical(folder, error);
    const std::filesystem::path excludedRelative = excluded.lexically_relative(base);

    const std::error_code walked = WalkFolder(
        folder, [&](const WalkedEntry& entry, const std::filesystem::directory_entry& listed) {
            const std::filesystem::path& relative = entry.Relative;
            if (entry.NameHoldsDrive) {
                sources.Refusals.push_back(
                    PathToDisplay(relative) + ": " +
                    DescribeNameFailure({NameProblem::Unsafe, UnsafeName::Drive}));
                return;
            }
            // The type as listed, looked up only behind a link: one look-up per file, its size.
            std::error_code statusError;
            if (listed.is_directory(statusError)) {
                return;
            }
            if (!listed.is_regular_file(statusError)) {
                sources.Skipped.push_back(PathToDisplay(relative));
                return;
            }
            if (relative == excludedRelative) {
                return;
            }
            auto name = MemberName(relative);
            if (!name) {
                sources.Refusals.push_back(PathToDisplay(relative) + ": " +
                                           DescribeNameFailure(name.error()));
                return;
            }
            const std::uintmax_t size = listed.file_size(statusError);
            if (!statusError && size > static_cast<std::uintmax_t>(kMaxFormatSize)) {
                sources.Refusals.push_back(PathToDisplay(relative) + ": " +
                                           std::string(kMemberTooLarge));
                return;
            }
            sources.Members.push_back({std::move(*name), listed.path(), statusError ? 0 : size});
        });
    if (walked) {
        sources.Refusals.push_back(DescribePathError(folder, walked));
    }

    std::sort(
        sources.Members.begin(), sources.Members.end(),
        [](const PackSource& a, const PackSource& b) { return MemberNameBefore(a.Name, b.Name); });
    std::vector<std::string> names;
    for (const PackSource& member : sources.Members) {
        names.push_back(member.Name);
    }
    for (std::string& refusal : CaseTwinRefusals(names)) {
        sources.Refusals.push_back(std::move(refusal));
    }
    return sources;
}

}  // namespace vrel::cli
