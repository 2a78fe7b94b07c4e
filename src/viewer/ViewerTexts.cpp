#include "viewer/ViewerTexts.h"

namespace vrel {
namespace {

constexpr const char* kKeysHelp =
    " : Orvanis NFO Viewer : F1 to F8 set colors : F11 and F12 set modes : ALT+L load";

}  // namespace

std::string StartCaption() {
    return std::string("NO FILE LOADED") + kKeysHelp;
}

std::string LoadingCaption(std::size_t linesRead) {
    return "Loading file... " + std::to_string(linesRead) + " lines readed";
}

std::string LoadedCaption(std::size_t linesRead) {
    return std::to_string(linesRead) + " lines readed" + kKeysHelp;
}

std::string ErrorMessage(const std::string& description) {
    return "Error: " + description;
}

std::vector<FileFilter> NfoFilters() {
    return {
        {"NFO Files (*.nfo)", "*.nfo"}, {"TXT Files (*.txt)", "*.txt"}, {"All files (*.*)", "*.*"}};
}

}  // namespace vrel
