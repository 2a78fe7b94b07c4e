#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vrel {

struct FileFilter {
    std::string description;  // "NFO Files (*.nfo)"
    std::string pattern;      // "*.nfo"
};

class PickerPort {
public:
    virtual ~PickerPort() = default;
    // A folder chosen by the user, as a native path; nothing when the pick was cancelled.
    virtual std::optional<std::string> PickFolder(const std::string& instruction) = 0;
    // A file chosen for opening; the first filter is preselected; nothing when cancelled.
    virtual std::optional<std::string> PickOpenFile(const std::vector<FileFilter>& filters,
                                                    const std::string& startFolder) = 0;
};

}  // namespace vrel
