#include "config/VrelCFG.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "base/PathHelpers.h"
#include "base/PendingFile.h"
#include "base/TextFile.h"
#include "config/SettingsTable.h"
#include "config/SettingsText.h"

namespace vrel {
namespace {

// Splits the file's text into lines the way the settings were always read.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    std::string_view Next() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') {
            ++pos_;
        }
        const std::string_view line = text_.substr(start, pos_ - start);
        if (pos_ < text_.size()) {
            const bool carriageReturn = text_[pos_] == '\r';
            ++pos_;
            if (carriageReturn && pos_ < text_.size() && text_[pos_] == '\n') {
                ++pos_;
            }
        }
        return line;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The digit that ends a Boolean line, ignoring trailing blanks; nothing when it is no digit.
std::optional<char> LastDigit(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    if (line.empty() || line.back() < '0' || line.back() > '9') {
        return std::nullopt;
    }
    return line.back();
}

void SetFromLastDigit(bool& setting, std::string_view line) {
    if (const auto digit = LastDigit(line)) {
        setting = *digit != '0';
    }
}

char Digit(bool value) {
    return value ? '1' : '0';
}

// The first setting, in the order given, whose key the line holds anywhere.
template <typename Settings>
const typename Settings::value_type* FindKey(const Settings& settings, std::string_view line) {
    for (const auto& setting : settings) {
        if (line.find(setting.Key) != std::string_view::npos) {
            return &setting;
        }
    }
    return nullptr;
}

std::array<FolderSetting, kFolders.size()> FoldersInSearchOrder() {
    std::array<FolderSetting, kFolders.size()> ordered = kFolders;
    std::sort(ordered.begin(), ordered.end(), [](const FolderSetting& a, const FolderSetting& b) {
        return a.SearchOrder < b.SearchOrder;
    });
    return ordered;
}

}  // namespace

FirstWindow VrelCFG::GetConf(const std::filesystem::path& cfgFilePath) {
    std::ifstream in(cfgFilePath, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ReadConf(SettingsTextOfFile(std::move(bytes)));
}

FirstWindow VrelCFG::ReadConf(std::string_view text) {
    LineReader reader(text);
    while (!reader.AtEnd()) {
        const std::string_view header = reader.Next();
        if (header == "[General]") {
            // The step ends only after as many key lines as the section has keys, wherever they
            // stand, so that lines without a key (blank ones, other headers) do not count.
            std::size_t recognised = 0;
            while (recognised < kSwitches.size() && !reader.AtEnd()) {
                const std::string_view line = reader.Next();
                const SwitchSetting* setting = FindKey(kSwitches, line);
                if (setting == nullptr) {
                    continue;
                }
                ++recognised;
                if (setting->Field == &CfgGeneral::FirstTimeRun) {
                    cfgGeneral.FirstTimeRun = false;
                    if (LastDigit(line) == '1') {
                        return FirstWindow::FirstRun;
                    }
                } else {
                    SetFromLastDigit(cfgGeneral.*setting->Field, line);
                }
            }
        } else if (header == "[Path]") {
            static const std::array<FolderSetting, kFolders.size()> kSearched =
                FoldersInSearchOrder();
            std::size_t recognised = 0;
            while (recognised < kFolders.size() && !reader.AtEnd()) {
                const std::string_view line = reader.Next();
                const FolderSetting* setting = FindKey(kSearched, line);
                if (setting == nullptr) {
                    continue;
                }
                ++recognised;
                cfgPath.*setting->Field =
                    std::string(line.substr(line.find(setting->Key) + setting->Key.size()));
            }
        } else if (header == "[Skins]") {
            // The stored number is not read back: skins are not there yet.
            cfgSkins.NumSkinsInstalled = 0;
        }
    }
    return FirstWindow::MainWindow;
}

std::string VrelCFG::FormatConf() const {
    const std::string crlf = "\r\n";
    std::string text;
    text += "[General]" + crlf;
    for (const SwitchSetting& setting : kSwitches) {
        text += std::string(setting.Key) + Digit(cfgGeneral.*setting.Field) + crlf;
    }
    text += crlf;
    text += "[Path]" + crlf;
    for (const FolderSetting& setting : kFolders) {
        text += std::string(setting.Key) +
                (setting.WrittenAs ? std::string(*setting.WrittenAs) : cfgPath.*setting.Field) +
                crlf;
    }
    text += crlf;
    text += "[Skins]" + crlf;
    text += "NumSkinsInstalled=" + std::to_string(cfgSkins.NumSkinsInstalled) + crlf;
    return text;
}

Expected<void, SaveFailure> VrelCFG::PutConf(const std::filesystem::path& cfgFilePath) const {
    return PutTextFile(cfgFilePath, FormatConf());
}

}  // namespace vrel
