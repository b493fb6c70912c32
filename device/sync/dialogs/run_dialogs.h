#pragma once
#include <windows.h>

#include "framework/dialog.h"

// A warning with a finished text on 11901: the base of the source notice and the
// create-destination question, which differ only in template and buttons.
class FDlgFolderText : public FDlg {
public:
    explicit FDlgFolderText(const wchar_t* text) : text_(text) {}
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    const wchar_t* text_;
};

// The source-folder notice: the text and an OK button.
class FDlgConfSrc : public FDlgFolderText {
public:
    using FDlgFolderText::FDlgFolderText;
    INT_PTR Show(HWND owner);
};

// The create-destination question: Yes (create) or No.
class FDlgConfDst : public FDlgFolderText {
public:
    using FDlgFolderText::FDlgFolderText;
    INT_PTR Ask(HWND owner);
};

// The result of a completed run; its text is in the template.
class FDlgSuccess : public FDlg {
public:
    INT_PTR Show(HWND owner);
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
};
