#include "platform/ArgumentText.h"

#include <gtest/gtest.h>

namespace vrel {
namespace {

// The viewer reads its file name from this text: joining the parsed arguments again with single
// spaces would lose the second space after "-f" and the quotes around a name.
TEST(ArgumentText, IsTheTextAfterTheProgramNameAsThePlatformHoldsIt) {
    const struct {
        const wchar_t* CommandLine;
        const wchar_t* arguments;
    } cases[] = {
        {L"Pendra.exe -f  notes.nfo", L"-f  notes.nfo"},
        {L"\"C:\\Vrel Über\\Pendra.exe\" -f \"my notes.nfo\"", L"-f \"my notes.nfo\""},
        {L"\"C:\\Vrel\\Pendra.exe\"-ns", L"-ns"},
        {L"Pendra.exe \t  -ns  ", L"-ns  "},
        {L"Pendra.exe", L""},
        {L"\"C:\\Vrel Über\\Pendra.exe\"", L""},
        {L"\"C:\\unclosed quote -f x", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArgumentText(c.CommandLine), c.arguments);
    }
}

}  // namespace
}  // namespace vrel
