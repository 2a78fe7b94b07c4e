#pragma once

namespace vrel {

// Where the About window's links lead: files that ship in the program folder, opened by the
// system, and a new e-mail with no address. The project has no pages of its own yet, and an
// address on a domain nobody here owns would lead users to whoever registers it.
inline constexpr const char* kReadMeFile = "README.md";
inline constexpr const char* kReleaseNotesFile = "qrd.nfo";
inline constexpr const char* kLicenceFile = "LICENSE";
inline constexpr const char* kMailAddress = "mailto:";

// Label5's text colours, 0x00BBGGRR.
inline constexpr int kMailLinkColour = 0xFFFFFF;
inline constexpr int kMailLinkHoverColour = 0xFFC0C0;

}  // namespace vrel
