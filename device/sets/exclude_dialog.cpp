#include "exclude_dialog.h"

#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "framework/message_boxes.h"
#include "sync/exclude_patterns.h"

bool FDlgExclude::Edit(HWND owner) {
    return RunDialog(this, owner, PickName(L"DlgExclude_E", L"DlgExclude_J")) == IDOK;
}

LRESULT FDlgExclude::OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND edit = GetDlgItem(hwnd, kIdExcludeEdit);
    SendMessageW(edit, EM_LIMITTEXT, kPatternListChars, 0);
    SetWindowTextW(edit, patterns_);
    FDlg::OnInitDialog(hwnd, msg, wParam, lParam);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return FALSE;  // the focus is set
}

LRESULT FDlgExclude::OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != IDOK) return FDlg::OnCommand(hwnd, msg, wParam, lParam);
    HWND edit = GetDlgItem(hwnd, kIdExcludeEdit);
    wchar_t typed[MAX_PATH];
    GetWindowTextW(edit, typed, MAX_PATH);
    const std::wstring problem = PatternListProblem(typed);
    if (!problem.empty()) {
        ::ShowError(hwnd, L"%s", problem.c_str());
        SetFocus(edit);
        return TRUE;
    }
    CopyPath(patterns_, typed);
    EndDialog(hwnd, IDOK);
    return TRUE;
}
