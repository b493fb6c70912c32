#pragma once
#include <windows.h>
#include <commctrl.h>

#include "window.h"

// A tabbed sheet of pages, run modally by the platform. It does not own its page objects.
class FPropSheet : public FWnd {
public:
    static constexpr int kMaxPages = 100;

    LRESULT WindowProc(HWND, UINT, WPARAM, LPARAM) override { return 0; }

    // Handles beyond the hundredth are dropped.
    void AddPageHandle(HPROPSHEETPAGE page);
    // Shows the sheet with its pages in the order added; returns the platform's result.
    INT_PTR ShowSheet(HWND parent, DWORD flags, const wchar_t* caption);

    int pageCount = 0;
    HPROPSHEETPAGE pageHandles[kMaxPages] = {};
};

// One page of a sheet, made from a dialog template. Page notifications reach the On...
// operations; the values they return become the page's message result.
class FPropPage : public FWnd {
public:
    ~FPropPage() override { pageHandle = nullptr; }  // the sheet disposes of its pages

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) final {
        return DialogProc(hwnd, msg, wParam, lParam);
    }
    // WM_INITDIALOG, WM_COMMAND, WM_NOTIFY to their handlers; anything else is 0.
    virtual LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnInitDialog(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnCommand(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnNotify(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // PSN_ dispatch
    virtual LRESULT OnApply() { return 0; }
    virtual void OnHelp() {}
    virtual LRESULT OnKillActive() { return 0; }
    virtual LRESULT OnQueryCancel() { return 0; }
    virtual void OnReset() {}
    virtual LRESULT OnSetActive() { return 0; }
    virtual LRESULT OnWizBack() { return 0; }
    virtual LRESULT OnWizFinish() { return 0; }
    virtual LRESULT OnWizNext() { return 0; }

    HPROPSHEETPAGE pageHandle = nullptr;
    FPropSheet* sheet = nullptr;
};

// Makes `page` from the named template and adds it to `sheet`; a missing template shows
// "DIALOG[name]". Returns the page handle (null when the platform made none).
HPROPSHEETPAGE AddPage(FPropPage* page, FPropSheet* sheet, const wchar_t* templateName);

// The dialog procedure of every page, inside the fault guard labelled "FPropPage".
INT_PTR CALLBACK PropPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
