#include "app_settings.h"

#include <cwchar>

#include "base/paths.h"
#include "base/registry.h"
#include "platform/device_root.h"

AppSettingsRecord AppSettings = {{0}, kDefaultSrcWidth, kDefaultDstWidth};

const wchar_t kSettingsKey[] = L"Software\\Quenbrook\\Zolv";

namespace {

// A width counts only as a REG_DWORD; any other value is as good as absent.
void QueryWidth(FRegKey& key, const wchar_t* name, int* width) {
    DWORD value, size = sizeof value, type = REG_NONE;
    if (RegQueryValueExW(key.key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value) {
        *width = static_cast<int>(value);
    }
}

// The INI file counts only as a string (REG_SZ, or REG_EXPAND_SZ with its variables
// expanded) whose text fits a path buffer with its terminator; a value of another type or
// length would name a file the user never chose, which the save at exit would write to.
bool QueryIniFile(FRegKey& key, PathBuffer& out) {
    wchar_t raw[MAX_PATH + 1] = L"";  // one unit more: a text without terminator still ends
    DWORD size = sizeof raw - sizeof(wchar_t), type = REG_NONE;
    if (RegQueryValueExW(key.key, L"Ini file", nullptr, &type, reinterpret_cast<BYTE*>(raw), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    raw[size / sizeof(wchar_t)] = L'\0';
    if (wcslen(raw) >= MAX_PATH) return false;
    if (type == REG_SZ) return CopyPath(out, raw);
    if (!ExpandPathVariables(raw, out, MAX_PATH)) {
        out[0] = L'\0';
        return false;
    }
    return true;
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
    PathBuffer path;
    if (QueryIniFile(key, path)) CopyPath(AppSettings.iniFile, path);
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
