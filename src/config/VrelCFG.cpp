#include "config/VrelCFG.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "base/PathHelpers.h"
#include "base/PendingFile.h"
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
            static constexpr std::array<std::string_view, 5> kKeys = {
                "FirstTimeRun=", "Sound=", "LoadModDesc=", "DeleteDataFiles=", "CheckConflicts="};
            int recognised = 0;
            while (recognised <= 4 && !reader.AtEnd()) {
                const std::string_view line = reader.Next();
                std::size_t key = 0;
                while (key < kKeys.size() && line.find(kKeys[key]) == std::string_view::npos) {
                    ++key;
                }
                if (key == kKeys.size()) {
                    continue;
                }
                ++recognised;
                switch (key) {
                    case 0:
                        cfgGeneral.FirstTimeRun = false;
                        if (LastDigit(line) == '1') {
                            return FirstWindow::FirstRun;
                        }
                        break;
                    case 1:
                        SetFromLastDigit(cfgGeneral.Sound, line);
                        break;
                    case 2:
                        SetFromLastDigit(cfgGeneral.LoadModDesc, line);
                        break;
                    case 3:
                        SetFromLastDigit(cfgGeneral.DeleteDataFiles, line);
                        break;
                    default:
                        SetFromLastDigit(cfgGeneral.CheckConflicts, line);
                        break;
                }
            }
        } else if (header == "[Path]") {
            static constexpr std::array<std::string_view, 3> kKeys = {
                "Fallout1=", "Fallout2=", "AppPath="};
            int recognised = 0;
            while (recognised <= 2 && !reader.AtEnd()) {
                const std::string_view line = reader.Next();
                for (std::size_t key = 0; key < kKeys.size(); ++key) {
                    const std::size_t at = line.find(kKeys[key]);
                    if (at == std::string_view::npos) {
                        continue;
                    }
                    const std::string value(line.substr(at + kKeys[key].size()));
                    (key == 0   ? cfgPath.Fallout1
                     : key == 1 ? cfgPath.Fallout2
                                : cfgPath.AppPath) = value;
                    ++recognised;
                    break;
                }
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
    text += std::string("FirstTimeRun=") + Digit(cfgGeneral.FirstTimeRun) + crlf;
    text += std::string("Sound=") + Digit(cfgGeneral.Sound) + crlf;
    text += std::string("LoadModDesc=") + Digit(cfgGeneral.LoadModDesc) + crlf;
    text += std::string("DeleteDataFiles=") + Digit(cfgGeneral.DeleteDataFiles) + crlf;
    text += std::string("CheckConflicts=") + Digit(cfgGeneral.CheckConflicts) + crlf;
    text += crlf;
    text += "[Path]" + crlf;
    text += "AppPath=" + cfgPath.AppPath + crlf;
    text += "Fallout1=\"null\"" + crlf;
    text += "Fallout2=" + cfgPath.Fallout2 + crlf;
    text += crlf;
    text += "[Skins]" + crlf;
    text += "NumSkinsInstalled=" + std::to_string(cfgSkins.NumSkinsInstalled) + crlf;
    return text;
}

std::optional<SaveFailure> VrelCFG::PutConf(const std::filesystem::path& cfgFilePath) const {
    const std::string text = FormatConf();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto failure = PutFile(cfgFilePath, {bytes, text.size()}, Placing::Replace);
    if (!failure) {
        return std::nullopt;
    }
    switch (failure->Kind) {
        case PlaceProblem::CannotCreate:
            return SaveFailure{SaveProblem::CannotCreate, cfgFilePath, failure->Error};
        case PlaceProblem::CannotWrite:
            return SaveFailure{SaveProblem::CannotWrite, cfgFilePath, failure->Error};
        case PlaceProblem::AlreadyThere:
        case PlaceProblem::CannotPlace:
            break;
    }
    return SaveFailure{SaveProblem::CannotReplace, cfgFilePath, failure->Error};
}

}  // namespace vrel
