#include "app_settings.h"

#include <cwchar>

#include "framework/registry.h"

AppSettingsRecord AppSettings = {{0}, kDefaultSrcWidth, kDefaultDstWidth};

const wchar_t kSettingsKey[] = L"Software\\Quenbrook\\Zolv";

namespace {

void QueryWidth(FRegKey& key, const wchar_t* name, int* width) {
    DWORD value, size = sizeof value, type = REG_DWORD;
    if (RegQueryValueExW(key.key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        size == sizeof value) {
        *width = static_cast<int>(value);
    }
}

void SetWidth(FRegKey& key, const wchar_t* name, int width) {
    DWORD value = static_cast<DWORD>(width);
    RegSetValueExW(key.key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

void LoadSettings() {
    AppSettings.iniFile[0] = L'\0';
    FRegKey key(HKEY_CURRENT_USER);
    if (key.Open(kSettingsKey) != ERROR_SUCCESS) return;
    wchar_t path[MAX_PATH];
    DWORD size = sizeof path;
    if (key.QueryString(L"Ini file", path, &size) == ERROR_SUCCESS) {
        path[MAX_PATH - 1] = L'\0';  // a value that filled the buffer carries no terminator
        wcscpy(AppSettings.iniFile, path);
    }
    QueryWidth(key, L"Src width", &AppSettings.srcWidth);
    QueryWidth(key, L"Dst width", &AppSettings.dstWidth);
}

void SaveSettings() {
    FRegKey key(HKEY_CURRENT_USER);
    if (key.Create(kSettingsKey) != ERROR_SUCCESS) return;
    if (AppSettings.iniFile[0] != L'\0') {
        DWORD bytes = static_cast<DWORD>((wcslen(AppSettings.iniFile) + 1) * sizeof(wchar_t));
        RegSetValueExW(key.key, L"Ini file", 0, REG_SZ, reinterpret_cast<const BYTE*>(AppSettings.iniFile), bytes);
    }
    SetWidth(key, L"Src width", AppSettings.srcWidth);
    SetWidth(key, L"Dst width", AppSettings.dstWidth);
}
