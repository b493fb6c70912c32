#pragma once
#include <windows.h>

#include "base/recovery_steps.h"
#include "window.h"

// The program's part in a platform file dialog. Constructing one makes it the current hook
// object; destroying any hook object leaves none current. Only the current one is called.
class FHookDlg : public FWnd {
public:
    FHookDlg();
    ~FHookDlg() override;

    LRESULT WindowProc(HWND, UINT, WPARAM, LPARAM) override { return 0; }
    // Routes WM_INITDIALOG, WM_COMMAND and WM_NOTIFY; anything else is 0.
    virtual LRESULT HookDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnInitDialog(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnCommand(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnNotify(HWND, UINT, WPARAM, LPARAM) { return 0; }

private:
    // A fault that abandons the object leaves no hook object current.
    RecoveryStep forgetAfterFault_;
};

FHookDlg* CurrentHookDialog();

// The hook procedure a derived class puts into the file dialog's description, inside the
// fault guard labelled "HookProc".
UINT_PTR CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
