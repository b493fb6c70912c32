#include "dialog.h"

#include "fault_guard.h"
#include "handles.h"
#include "program.h"
#include "system_boxes.h"
#include "window_list.h"

LRESULT FDlg::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(hwnd, msg, wParam, lParam);
    case WM_DESTROY: return OnDestroy(hwnd, msg, wParam, lParam);
    case WM_COMMAND: return OnCommand(hwnd, msg, wParam, lParam);
    case WM_NOTIFY: return OnNotify(hwnd, msg, wParam, lParam);
    case WM_PAINT: return OnPaint(hwnd, msg, wParam, lParam);
    default: return FALSE;
    }
}

LRESULT FDlg::OnInitDialog(HWND hwnd, UINT, WPARAM, LPARAM) {
    CenterWindow(hwnd);
    return TRUE;
}

LRESULT FDlg::OnCommand(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    if (id < 1 || id > kLastEndingId) return FALSE;
    EndDialog(hwnd, static_cast<INT_PTR>(wParam));
    return TRUE;
}

LRESULT FDlg::OnPaint(HWND hwnd, UINT, WPARAM, LPARAM) {
    FPaintDC validate(hwnd);
    return TRUE;
}

INT_PTR RunDialog(FDlg* dialog, HWND parent, const wchar_t* templateName) {
    HINSTANCE instance = ProgramInstance();
    HRSRC found = FindResourceW(instance, templateName, RT_DIALOG);
    if (found == nullptr) {
        ShowFatal(parent, L"DIALOG[%s]", templateName);
        return -1;
    }
    HGLOBAL loaded = LoadResource(instance, found);
    auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(loaded));
    if (dialogTemplate == nullptr) return -1;
    return DialogBoxIndirectParamW(instance, dialogTemplate, parent, DlgProc, reinterpret_cast<LPARAM>(dialog));
}

INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded(hwnd, L"DlgProc", [&]() -> LRESULT {
        FWnd* entering = msg == WM_INITDIALOG ? reinterpret_cast<FDlg*>(lParam) : nullptr;
        LRESULT result = DialogList.Route(entering, hwnd, msg, wParam, lParam);
        if (entering) TestFaultPoint(FaultSite::DialogInit);
        return result;
    });
}

POINT CenteredPosition(const RECT& window, const RECT* parent, int screenWidth, int screenHeight) {
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    int x, y;
    if (parent) {
        x = parent->left + (parent->right - parent->left - w) / 2;
        y = parent->top + (parent->bottom - parent->top - h) / 2;
    } else {
        x = (screenWidth - w) / 2;
        y = (screenHeight - h) / 2;
    }
    if (x + w > screenWidth) x = screenWidth - w;
    if (y + h > screenHeight) y = screenHeight - h;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    return POINT{x, y};
}

void CenterWindow(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    RECT parentRect;
    HWND parent = GetParent(window);
    const bool hasParent = parent && GetWindowRect(parent, &parentRect);
    POINT at = CenteredPosition(rect, hasParent ? &parentRect : nullptr, ScreenWidth(), ScreenHeight());
    MoveWindow(window, at.x, at.y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}
