#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace vrel {
namespace {

// Runs the system's own reg.exe, so values reach the registry by another writer than the one
// under test; its exit status.
DWORD RunReg(const std::wstring& arguments) {
    std::wstring commandLine = L"reg.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &started)) {
        return GetLastError();
    }
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return status;
}

// One key per test process, so test programs running side by side do not share values.
const std::string kTopKeyPath = "SOFTWARE\\Vrel Tests " + std::to_string(GetCurrentProcessId());
const std::string kKeyPath = kTopKeyPath + "\\Fallout2\\1.0";
const std::wstring kKeyPathWide(kKeyPath.begin(), kKeyPath.end());
const std::wstring kKey = L"HKLM\\" + kKeyPathWide;
const std::wstring kTopKey = L"HKLM\\" + std::wstring(kTopKeyPath.begin(), kTopKeyPath.end());

// The values live in a key of their own, written into the 32-bit view as the game's installer
// writes them; the key goes again afterwards.
class RegistryValues : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::wstring key = L"\"" + kKey + L"\"";
        const std::wstring view = L" /reg:32 /f";
        writable_ = RunReg(L"add " + key + L" /v DestPath /t REG_SZ /d \"C:\\Games\\Fallout2\"" +
                           view) == 0;
        if (!writable_) {
            return;  // writing HKEY_LOCAL_MACHINE needs administrator rights on Windows
        }
        RunReg(L"add " + key + L" /v Empty /t REG_SZ /d \"\"" + view);
        RunReg(L"add " + key + L" /v Accents /t REG_SZ /d \"D:\\Spiele\\Fallout \u00c4\u00df\"" +
               view);
        RunReg(L"add " + key + L" /v Number /t REG_DWORD /d 65310" + view);
        RunReg(L"add " + key + L" /v Binary /t REG_BINARY /d 0102" + view);
        RunReg(L"add " + key + L" /v Expand /t REG_EXPAND_SZ /d \"%SystemRoot%\"" + view);
        RunReg(L"add " + key + L" /v OnlyIn64 /t REG_SZ /d wrong /reg:64 /f");
    }
    static void TearDownTestSuite() {
        const std::wstring key = L"\"" + kTopKey + L"\"";
        RunReg(L"delete " + key + L" /reg:32 /f");
        RunReg(L"delete " + key + L" /reg:64 /f");
    }
    void SetUp() override {
        if (!writable_) {
            GTEST_SKIP() << "the registry's machine part is not writable here";
        }
    }

    static bool writable_;
};

bool RegistryValues::writable_ = false;

struct ReadCase {
    std::string keyPath;
    const char* valueName;
    RegistryValue expected;
    const char* why;
};

TEST_F(RegistryValues, ReadsTextsAndNumbersAndNothingElse) {
    const ReadCase cases[] = {
        {kKeyPath, "DestPath", std::string("C:\\Games\\Fallout2"), "a folder as text"},
        {kKeyPath, "Empty", std::string(), "an empty text still counts as found"},
        {kKeyPath, "Accents", std::string("D:\\Spiele\\Fallout \xc3\x84\xc3\x9f"),
         "a text beyond ASCII arrives as UTF-8"},
        {kKeyPath, "Number", std::uint32_t{65310}, "a 32-bit number"},
        {kKeyPath, "Binary", std::monostate{}, "another type is nothing"},
        {kKeyPath, "Expand", std::monostate{}, "an expandable text is another type"},
        {kKeyPath, "Missing", std::monostate{}, "a missing value"},
        {"SOFTWARE\\Vrel Tests\\No Such Key", "DestPath", std::monostate{}, "a missing key"},
        // The game's 32-bit installer writes the 32-bit view; a 64-bit build reads that view.
        {kKeyPath, "OnlyIn64", std::monostate{}, "a value only in the 64-bit view"},
    };
    Win32Registry registry;
    for (const ReadCase& c : cases) {
        EXPECT_EQ(registry.ReadRegValue(c.keyPath, c.valueName), c.expected) << c.why;
    }
}

TEST_F(RegistryValues, ReadKeyValueReportsWhyNothingWasRead) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKeyPathWide.c_str(), 0,
                            KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    RegistryValue value = std::string("stale");
    EXPECT_EQ(ReadKeyValue(key, L"DestPath", value), 0);
    EXPECT_EQ(value, RegistryValue(std::string("C:\\Games\\Fallout2")));
    EXPECT_EQ(ReadKeyValue(key, L"Binary", value), kRegistryOtherType);
    EXPECT_EQ(value, RegistryValue());
    EXPECT_EQ(ReadKeyValue(key, L"Missing", value), kRegistryValueMissing);
    EXPECT_EQ(value, RegistryValue());
    RegCloseKey(key);
}

}  // namespace
}  // namespace vrel
