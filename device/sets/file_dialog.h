#pragma once
#include <windows.h>

#include <commdlg.h>

#include "framework/hook_dialog.h"

// One open or save file request. While it exists it is the current hook object; the request
// itself never asks for the hook, so the platform's dialog runs as it is.
class FFileDialog : public FHookDlg {
public:
    FFileDialog();

    // Fill `request` (and the file buffer), then call one of these; true on OK.
    bool RunOpen() { return GetOpenFileNameW(&request) != 0; }
    bool RunSave() { return GetSaveFileNameW(&request) != 0; }

    OPENFILENAMEW request;
    wchar_t file[MAX_PATH];
    wchar_t initialFolder[MAX_PATH];
};

enum class SetFileDialogKind { Open, Save, SaveLog };

// The INI file dialogs, and the one that saves the log (a text file): filters, title, flags
// and initial folder (the folder of the current INI file, else of the program). On OK the
// chosen path is in `path`.
bool AskSetFilePath(HWND owner, SetFileDialogKind kind, const wchar_t* currentIniFile, wchar_t (&path)[MAX_PATH]);
