#pragma once

#include <filesystem>
#include <string>

namespace vrel {

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Opens a web or mailto address with the user's own program for it; failures show nothing.
    virtual void Open(const std::string& address) = 0;
    // Opens a local file with the program the system keeps for its kind; failures show nothing.
    virtual void OpenFile(const std::filesystem::path& file) = 0;
    // Moves a file to the system's trash, from where the user can get it back; false where that
    // failed or the system has no trash.
    virtual bool MoveToTrash(const std::filesystem::path& file) = 0;
};

}  // namespace vrel
