#pragma once
#include <windows.h>

// What survives between runs in HKCU\Software\Quenbrook\Zolv: the INI set file last used and
// the widths of the operation list's two path columns.
struct AppSettingsRecord {
    wchar_t iniFile[MAX_PATH];  // empty: none
    int srcWidth;
    int dstWidth;
};

extern AppSettingsRecord AppSettings;

constexpr int kDefaultSrcWidth = 300;
constexpr int kDefaultDstWidth = 200;
extern const wchar_t kSettingsKey[];

// Registry failures are silent: what cannot be read keeps its default.
void LoadSettings();
// Writes "Ini file" only when one is set; the widths always.
void SaveSettings();
