#include "file_dialog.h"

#include <cwchar>

#include "base/paths.h"
#include "base/text.h"
#include "framework/program.h"

FFileDialog::FFileDialog() {
    ZeroMemory(&request, sizeof request);
    request.lStructSize = sizeof request;
    file[0] = L'\0';
    initialFolder[0] = L'\0';
}

bool AskSetFilePath(HWND owner, SetFileDialogKind kind, const wchar_t* currentIniFile, wchar_t (&path)[MAX_PATH]) {
    // Pairs of description and pattern, each ending with a NUL, the list with a second one.
    static const wchar_t englishFilter[] = L"INI Files(*.ini)\0*.ini\0All Files\0*.*\0";
    static const wchar_t japaneseFilter[] = L"定義ﾌｧｲﾙ(*.ini)\0*.ini\0すべてのﾌｧｲﾙ\0*.*\0";
    static const TextPair openTitle{L"Open INI file", L"設定ﾌｧｲﾙを開く"};
    static const TextPair saveTitle{L"Save INI file", L"設定ﾌｧｲﾙを保存"};
    static const wchar_t englishLogFilter[] = L"Text Files(*.txt)\0*.txt\0All Files\0*.*\0";
    static const wchar_t japaneseLogFilter[] = L"ﾃｷｽﾄﾌｧｲﾙ(*.txt)\0*.txt\0すべてのﾌｧｲﾙ\0*.*\0";
    static const TextPair saveLogTitle{L"Save Log", L"ﾛｸﾞの保存"};
    const bool log = kind == SetFileDialogKind::SaveLog;

    FFileDialog dialog;
    OPENFILENAMEW& r = dialog.request;
    r.hwndOwner = owner;
    r.lpstrFilter = log ? (UiLanguage ? japaneseLogFilter : englishLogFilter) : (UiLanguage ? japaneseFilter : englishFilter);
    r.nFilterIndex = 0;
    r.lpstrFile = dialog.file;
    r.nMaxFile = MAX_PATH;
    r.lpstrDefExt = log ? L"txt" : L"ini";

    if (currentIniFile[0] != L'\0') {
        CopyPath(dialog.initialFolder, currentIniFile);
    } else {
        GetModuleFileNameW(ProgramInstance(), dialog.initialFolder, MAX_PATH);
        dialog.initialFolder[MAX_PATH - 1] = L'\0';
    }
    ParentFolder(dialog.initialFolder);
    r.lpstrInitialDir = dialog.initialFolder;

    bool chosen;
    if (kind == SetFileDialogKind::Open) {
        r.lpstrTitle = Pick(openTitle);
        r.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
        chosen = dialog.RunOpen();
    } else {
        wcscpy(dialog.file, log ? L"Zolv log.txt" : L"Zolv.ini");
        r.lpstrTitle = Pick(log ? saveLogTitle : saveTitle);
        r.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        chosen = dialog.RunSave();
    }
    if (chosen) CopyPath(path, dialog.file);
    return chosen;
}
