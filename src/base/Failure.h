#pragma once

#include <filesystem>
#include <system_error>

namespace vrel {

// The error half of an Expected where a file-system step failed: what kind of failure (an enum
// the caller can test), the file or folder it concerns, and what the system said. The text for
// the user is made where the failure is shown, from the kind.
template <class K>
struct Failure {
    K Kind;
    std::filesystem::path Path;
    std::error_code Error;
};

}  // namespace vrel
