#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Steam keeps its libraries (libraryfolders.vdf) and each installed game (appmanifest_<id>.acf)
// in Valve's text KeyValues format: "key" "value" pairs and "key" { ... } blocks, strings quoted
// with backslash escapes or bare, // comments. These read it without trusting it.
namespace vrel {

struct VdfNode {
    std::string Key;                // the entry's name; empty for the file's root
    std::string Value;              // a pair's value; empty for a block
    std::vector<VdfNode> Children;  // a block's entries, in file order
    bool Block = false;

    // The first entry called `name` (Steam's own reader ignores case), or nothing.
    const VdfNode* Child(std::string_view name) const;
};

// The file's root entries, or nothing when the text is damaged (an unclosed string or block, a
// stray brace, a key without a value, nesting deeper than any Steam file).
std::optional<VdfNode> ParseVdf(std::string_view text);

}  // namespace vrel
