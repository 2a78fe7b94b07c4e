#pragma once

#include "platform/PickerPort.h"

namespace vrel {

class QtPickers final : public PickerPort {
public:
    std::optional<std::string> PickFolder(const std::string& instruction) override;
    std::optional<std::string> PickOpenFile(const std::vector<FileFilter>& filters,
                                            const std::string& startFolder) override;
    std::vector<std::string> PickOpenFiles(const std::string& title,
                                           const std::vector<FileFilter>& filters,
                                           const std::string& startFolder) override;
    std::optional<std::string> AskText(const std::string& question,
                                       const std::string& initial) override;
    std::optional<std::size_t> PickOne(const std::string& question,
                                       const std::vector<std::string>& choices,
                                       std::size_t preselected) override;
};

}  // namespace vrel
