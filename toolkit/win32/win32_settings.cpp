// The user's settings in the registry, under HKCU\Software\Detron, and the system's time zone.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cwchar>
#include <vector>

#include "toolkit/toolkit.h"
#include "toolkit/win32/win32_text.h"

namespace toolkit {

namespace {

const wchar_t* const SettingsKey = L"Software\\Detron";

using win32::Narrow;
using win32::Wide;

}  // namespace

std::string LocalTimeZoneName()
{
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) {
        return {};
    }
    return Narrow(zone.TimeZoneKeyName, wcsnlen(zone.TimeZoneKeyName, 128));
}

std::string ReadSetting(std::string_view name)
{
    std::wstring value = Wide(name);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsKey, value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes < sizeof(wchar_t)) {
        return {};
    }
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsKey, value.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    return Narrow(buffer.data(), wcslen(buffer.data()));
}

void WriteSetting(std::string_view name, std::string_view value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    std::wstring text = Wide(value);
    RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

}  // namespace toolkit
