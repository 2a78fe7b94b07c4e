#include "cli/PackSources.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "archive/DatEntry.h"
#include "archive/GameOrder.h"
#include "archive/MemberPath.h"
#include "base/AnsiText.h"
#include "base/Expected.h"

namespace vrel::cli {
namespace {

// Formats allow signed 32-bit sizes only.
constexpr std::uintmax_t kMaxMemberSize = 0x7FFFFFFF;

// The member name of a file, or the reason it has none.
Expected<std::string, std::string> MemberName(const std::filesystem::path& relative) {
    std::string name;
    for (const std::filesystem::path& part : relative) {
        const std::string native = part.string();
        const std::string ansi = NativePathToAnsi(part);
#ifndef _WIN32
        if (AnsiToUtf8(ansi) != native) {
            return Unexpected{std::string("the name cannot be written in Windows-1252")};
        }
#endif
        if (ansi.find('\\') != std::string::npos) {
            return Unexpected{std::string("the name holds a backslash")};
        }
        name += name.empty() ? "" : "\\";
        name += ansi;
    }
    if (auto unsafe = CheckMemberName(name)) {
        return Unexpected{DescribeUnsafeName(*unsafe)};
    }
    if (name.size() > static_cast<std::size_t>(kNameFieldLength)) {
        return Unexpected{"the name is longer than " + std::to_string(kNameFieldLength) +
                          " characters (" + std::to_string(name.size()) + ")"};
    }
    return name;
}

}  // namespace

PackSources CollectPackSources(const std::filesystem::path& folder,
                               const std::filesystem::path& exclude) {
    PackSources sources;
    std::error_code error;
    const std::filesystem::path excluded = std::filesystem::weakly_canonical(exclude, error);
    const std::filesystem::path base = std::filesystem::weakly_canonical(folder, error);
    const std::filesystem::path excludedRelative = excluded.lexically_relative(base);

    std::filesystem::recursive_directory_iterator it(folder, error), end;
    if (error) {
        sources.Refusals.push_back(folder.string() + ": " + error.message());
        return sources;
    }
    for (; it != end; it.increment(error)) {
        if (error) {
            sources.Refusals.push_back(folder.string() + ": " + error.message());
            break;
        }
        const std::filesystem::path relative = it->path().lexically_relative(folder);
        std::error_code statusError;
        const auto status = it->status(statusError);
        if (std::filesystem::is_directory(status)) {
            continue;
        }
        if (!std::filesystem::is_regular_file(status)) {
            sources.Skipped.push_back(relative.string());
            continue;
        }
        if (relative == excludedRelative) {
            continue;
        }
        auto name = MemberName(relative);
        if (!name) {
            sources.Refusals.push_back(relative.string() + ": " + name.error());
            continue;
        }
        if (it->file_size(statusError) > kMaxMemberSize) {
            sources.Refusals.push_back(relative.string() + ": larger than 2 GiB");
            continue;
        }
        sources.Members.push_back({std::move(*name), it->path()});
    }

    std::sort(sources.Members.begin(), sources.Members.end(),
              [](const PackSource& a, const PackSource& b) {
                  return GameOrderLess(a.Name, b.Name) ||
                         (!GameOrderLess(b.Name, a.Name) && a.Name < b.Name);
              });
    for (std::size_t i = 1; i < sources.Members.size(); ++i) {
        const std::string& before = sources.Members[i - 1].Name;
        const std::string& name = sources.Members[i].Name;
        if (GameOrderKey(before) == GameOrderKey(name)) {
            sources.Refusals.push_back(AnsiToUtf8(name) + ": differs from " + AnsiToUtf8(before) +
                                       " only in letter case");
        }
    }
    return sources;
}

}  // namespace vrel::cli
