#pragma once
#include <windows.h>

#include "framework/dialog.h"

// The source-folder notice: the finished text on 11901 and an OK button.
class FDlgConfSrc : public FDlg {
public:
    explicit FDlgConfSrc(const wchar_t* text) : text_(text) {}
    INT_PTR Show(HWND owner);
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    const wchar_t* text_;
};

// The create-destination question: Yes (create) or No.
class FDlgConfDst : public FDlg {
public:
    explicit FDlgConfDst(const wchar_t* text) : text_(text) {}
    INT_PTR Ask(HWND owner);
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    const wchar_t* text_;
};

// The result of a completed run; its text is in the template.
class FDlgSuccess : public FDlg {
public:
    INT_PTR Show(HWND owner);
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
};
