#pragma once
#include <windows.h>

#include "window.h"

// A modal dialog built from a template of the program's resources. The dialog manager owns
// the window; the object is in DialogList from WM_INITDIALOG to WM_DESTROY.
class FDlg : public FWnd {
public:
    // The dispatcher (takes WindowProc's place): WM_INITDIALOG, WM_DESTROY, WM_COMMAND,
    // WM_NOTIFY and WM_PAINT go to their handlers; anything else is FALSE.
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) final {
        return DialogProc(hwnd, msg, wParam, lParam);
    }
    virtual LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // centres
    virtual LRESULT OnDestroy(HWND, UINT, WPARAM, LPARAM) { return TRUE; }
    // Any id from 1 to 20 ends the dialog with that id; higher ids are left alone.
    virtual LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNotify(HWND, UINT, WPARAM, LPARAM) { return TRUE; }
    virtual LRESULT OnPaint(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // validates
};

// The highest command id that ends a dialog by itself (Yes to All).
constexpr int kLastEndingId = 20;

// Runs `dialog` modally from the named template with `parent` as owner and returns the id
// it ended with. A missing template shows "DIALOG[name]" and returns the platform's
// failure result (-1), which is none of the button ids.
INT_PTR RunDialog(FDlg* dialog, HWND parent, const wchar_t* templateName);

// The dialog procedure of every FDlg, inside the fault guard labelled "DlgProc".
INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Centres a window over its parent (or the screen) and keeps it on the screen.
void CenterWindow(HWND window);
// The arithmetic of CenterWindow: the top-left corner for `window`; `parent` may be null.
POINT CenteredPosition(const RECT& window, const RECT* parent, int screenWidth, int screenHeight);
