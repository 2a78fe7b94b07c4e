#pragma once

namespace vrel {

// Where the About window's links lead: the project's pages and its team's mailbox.
inline constexpr const char* kHomePageAddress = "https://vrel-project.org/";
inline constexpr const char* kForumAddress = "https://forum.vrel-project.org/";
inline constexpr const char* kWikiAddress = "https://wiki.vrel-project.org/";
inline constexpr const char* kMailAddress = "mailto:team@vrel-project.org?subject=Vrel";

// Label5's text colours, 0x00BBGGRR.
inline constexpr int kMailLinkColour = 0xFFFFFF;
inline constexpr int kMailLinkHoverColour = 0xFFC0C0;

}  // namespace vrel
