#pragma once
#include <windows.h>

#include "exclude_ids.h"
#include "framework/dialog.h"

// Sync › Exclude: the patterns of what the current set's runs leave out, in one line. OK
// with a pattern that cannot be used says why and keeps the dialog open; the patterns
// change only on OK.
class FDlgExclude : public FDlg {
public:
    explicit FDlgExclude(wchar_t (&patterns)[MAX_PATH]) : patterns_(patterns) {}
    // True when OK changed nothing or something; false on Cancel.
    bool Edit(HWND owner);

    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    wchar_t (&patterns_)[MAX_PATH];
};

constexpr int kIdExcludeEdit = IDC_EXCLUDE_EDIT;
