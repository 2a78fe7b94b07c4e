#include "platform/win32/Win32Registry.h"

#include <iterator>
#include <vector>

namespace vrel {
namespace {

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

}  // namespace

long ReadKeyValue(HKEY key, const std::wstring& valueName, RegistryValue& value) {
    value = std::monostate{};
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (type == REG_SZ) {
        // Room for a terminating NUL that the stored data may lack, also after an odd size.
        std::vector<wchar_t> buffer((size + 1) / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = size;
        status = RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status != ERROR_SUCCESS) {
            return status;
        }
        if (type != REG_SZ) {
            return kRegistryOtherType;
        }
        value = WideToUtf8(std::wstring(buffer.data()));
        return ERROR_SUCCESS;
    }
    if (type == REG_DWORD) {
        DWORD number = 0;
        DWORD bytes = sizeof(number);
        status = RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(&number), &bytes);
        if (status != ERROR_SUCCESS) {
            return status;
        }
        if (type != REG_DWORD) {
            return kRegistryOtherType;
        }
        value = static_cast<std::uint32_t>(number);
        return ERROR_SUCCESS;
    }
    return kRegistryOtherType;
}

namespace {

REGSAM ViewFlag(RegistryView view) {
    return view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

}  // namespace

RegistryValue Win32Registry::ReadRegValue(const std::string& keyPath, const std::string& valueName,
                                          RegistryView view) {
    // Reading needs no more rights than querying: asking for write access to this key fails for
    // users without administrator rights.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(keyPath).c_str(), 0,
                      KEY_QUERY_VALUE | ViewFlag(view), &key) != ERROR_SUCCESS) {
        return {};
    }
    RegistryValue value;
    ReadKeyValue(key, Utf8ToWide(valueName), value);
    RegCloseKey(key);
    return value;
}

std::vector<std::string> Win32Registry::SubkeyNames(const std::string& keyPath, RegistryView view) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(keyPath).c_str(), 0,
                      KEY_ENUMERATE_SUB_KEYS | ViewFlag(view), &key) != ERROR_SUCCESS) {
        return names;
    }
    // A key name has at most 255 characters.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        const LONG status =
            RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS ||
            (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)) {
            break;
        }
        if (status == ERROR_SUCCESS) {
            names.push_back(WideToUtf8(std::wstring(name, length)));
        }
    }
    RegCloseKey(key);
    return names;
}

}  // namespace vrel
