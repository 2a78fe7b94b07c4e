#include "config/SteamVdf.h"

#include <utility>

#include "base/AsciiCase.h"

namespace vrel {
namespace {

// Steam's files nest four or five deep; anything far deeper is no file of Steam's.
constexpr int kMaxDepth = 32;

enum class TokenKind { Text, Open, Close, End, Damaged };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
};

class VdfReader {
public:
    explicit VdfReader(std::string_view text) : text_(text) {
        constexpr std::string_view kBom = "\xEF\xBB\xBF";
        if (text_.substr(0, kBom.size()) == kBom) {
            pos_ = kBom.size();
        }
    }

    // Entries up to the matching close brace (or the end of the text at depth 0).
    bool ReadBlock(VdfNode& block, int depth) {
        block.Block = true;
        for (;;) {
            Token key = Next();
            if (key.kind == TokenKind::End) {
                return depth == 0;
            }
            if (key.kind == TokenKind::Close) {
                return depth > 0;
            }
            if (key.kind != TokenKind::Text) {
                return false;
            }
            Token value = Next();
            VdfNode child;
            child.Key = std::move(key.text);
            if (value.kind == TokenKind::Text) {
                child.Value = std::move(value.text);
            } else if (value.kind != TokenKind::Open || depth + 1 > kMaxDepth ||
                       !ReadBlock(child, depth + 1)) {
                return false;
            }
            block.Children.push_back(std::move(child));
        }
    }

private:
    void SkipSpaceAndComments() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "//") {
                const std::size_t end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }

    Token Next() {
        SkipSpaceAndComments();
        if (pos_ >= text_.size()) {
            return {TokenKind::End, {}};
        }
        const char c = text_[pos_];
        if (c == '{' || c == '}') {
            ++pos_;
            return {c == '{' ? TokenKind::Open : TokenKind::Close, {}};
        }
        if (c == '"') {
            return Quoted();
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               std::string_view(" \t\r\n{}\"").find(text_[pos_]) == std::string_view::npos) {
            ++pos_;
        }
        return {TokenKind::Text, std::string(text_.substr(start, pos_ - start))};
    }

    Token Quoted() {
        std::string out;
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                return {TokenKind::Text, std::move(out)};
            }
            if (c != '\\' || pos_ >= text_.size()) {
                out += c;
                continue;
            }
            const char escape = text_[pos_++];
            switch (escape) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case '\\':
                case '"':
                    out += escape;
                    break;
                default:  // not an escape Steam writes: kept as it stands
                    out += '\\';
                    out += escape;
                    break;
            }
        }
        return {TokenKind::Damaged, {}};
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

const VdfNode* VdfNode::Child(std::string_view name) const {
    for (const VdfNode& node : Children) {
        if (SameNameIgnoringCase(node.Key, name)) {
            return &node;
        }
    }
    return nullptr;
}

std::optional<VdfNode> ParseVdf(std::string_view text) {
    VdfNode root;
    VdfReader reader(text);
    if (!reader.ReadBlock(root, 0)) {
        return std::nullopt;
    }
    return root;
}

}  // namespace vrel
