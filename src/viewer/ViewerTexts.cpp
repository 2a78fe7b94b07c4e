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

std::string DescribeNfoFailure(const NfoFailure& failure) {
    const std::u8string utf8 = failure.Path.u8string();
    const std::string name(utf8.begin(), utf8.end());
    switch (failure.Kind) {
        case NfoProblem::NoFileName:
            return "No file name given";
        case NfoProblem::NotFound:
            return "File not found: " + name;
        case NfoProblem::NotAFile:
            return "Not a file but a folder: " + name;
        case NfoProblem::CannotOpen:
            return "Cannot open file: " + name;
        case NfoProblem::CannotRead:
            break;
        case NfoProblem::Empty:
            return "The file is empty: " + name;
    }
    return "Cannot read file: " + name;
}

std::string DescribeStartPlanProblem(StartPlanProblem problem) {
    switch (problem) {
        case StartPlanProblem::NoFileName:
            break;
    }
    return "No file name follows -f";
}

std::vector<FileFilter> NfoFilters() {
    return {
        {"NFO Files (*.nfo)", "*.nfo"}, {"TXT Files (*.txt)", "*.txt"}, {"All files (*.*)", "*.*"}};
}

}  // namespace vrel
