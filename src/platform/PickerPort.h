#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vrel {

struct FileFilter {
    std::string Description;  // "NFO Files (*.nfo)"
    std::string Pattern;      // "*.nfo"
};

class PickerPort {
public:
    virtual ~PickerPort() = default;
    // A folder chosen by the user, as a native path; nothing when the pick was cancelled.
    virtual std::optional<std::string> PickFolder(const std::string& instruction) = 0;
    // A file chosen for opening; the first filter is preselected; nothing when cancelled.
    virtual std::optional<std::string> PickOpenFile(const std::vector<FileFilter>& filters,
                                                    const std::string& startFolder) = 0;
    // Files chosen for opening, several at once (display text); none when cancelled.
    virtual std::vector<std::string> PickOpenFiles(const std::string& title,
                                                   const std::vector<FileFilter>& filters,
                                                   const std::string& startFolder) = 0;
    // A line the user types under `question`, offered as `initial`; nothing when cancelled.
    virtual std::optional<std::string> AskText(const std::string& question,
                                               const std::string& initial) = 0;
    // One of `choices` (at least two), picked from a list under `question` with the one at
    // `preselected` chosen at first: its position, or nothing when the pick was cancelled.
    virtual std::optional<std::size_t> PickOne(const std::string& question,
                                               const std::vector<std::string>& choices,
                                               std::size_t preselected) = 0;
};

}  // namespace vrel
