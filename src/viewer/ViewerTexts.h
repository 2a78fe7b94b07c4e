#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/PickerPort.h"
#include "viewer/CommandLine.h"
#include "viewer/NfoText.h"

// The viewer's own texts: captions, the start text, the error exit and the open-file filters.
namespace vrel {

inline constexpr const char* kDefaultNfo = "qrd.nfo";
inline constexpr const char* kNoFileText = "No file loaded\r\n";
inline constexpr const char* kErrorTitle = "Error!";

std::string StartCaption();
// Shown before line n + 1 is stored; n lines have been read so far.
std::string LoadingCaption(std::size_t linesRead);
std::string LoadedCaption(std::size_t linesRead);

std::string ErrorMessage(const std::string& description);
std::string DescribeNfoFailure(const NfoFailure& failure);
std::string DescribeStartPlanProblem(StartPlanProblem problem);

// "NFO Files", "TXT Files", "All files": the first is preselected.
std::vector<FileFilter> NfoFilters();

}  // namespace vrel
