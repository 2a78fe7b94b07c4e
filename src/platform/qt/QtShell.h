#pragma once

#include "platform/ShellPort.h"

namespace vrel {

class QtShell final : public ShellPort {
public:
    void Open(const std::string& address) override;
    void OpenFile(const std::filesystem::path& file) override;
    bool MoveToTrash(const std::filesystem::path& file) override;
};

}  // namespace vrel
