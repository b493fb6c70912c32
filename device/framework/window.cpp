#include "window.h"

#include "fault_guard.h"
#include "program.h"
#include "window_list.h"

FWnd::~FWnd() {
    if (owned && hwnd) DestroyWindow(hwnd);
    // The lists must not keep a pointer to an object that is gone, even when its window
    // outlives it (an attached or dialog window whose object is destroyed first).
    WindowList.Remove(this);
    DialogList.Remove(this);
}

LRESULT FWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT FWindow::DefProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND FWindow::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menuOrId) {
    hwnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                           ProgramInstance(), static_cast<FWnd*>(this));
    owned = hwnd != nullptr;
    return hwnd;
}

bool RegisterFrameClass(const wchar_t* className, HICON icon, HBRUSH backgroundBrush) {
    WNDCLASSW known;
    if (GetClassInfoW(ProgramInstance(), className, &known)) return true;
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = ProgramInstance();
    wc.hIcon = icon;
    wc.hbrBackground = backgroundBrush;
    wc.lpszClassName = className;
    return LOWORD(RegisterClassW(&wc)) != 0;
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded(hwnd, L"WndProc", [&]() -> LRESULT {
        if (msg == WM_CREATE) {
            auto* object = static_cast<FWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            if (object) {  // a window made without an object stays with the default procedure
                object->hwnd = hwnd;
                WindowList.PushFront(object);
            }
        }
        FWnd* object = WindowList.Find(hwnd);
        if (object == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
        LRESULT result = object->WindowProc(hwnd, msg, wParam, lParam);
        if (msg == WM_DESTROY) WindowList.Remove(object);
        return result;
    });
}

bool PreTranslateDialogMessage(MSG* msg) {
    return DialogList.FindIf([msg](FWnd* object) { return IsDialogMessageW(object->hwnd, msg) != FALSE; }) !=
           nullptr;
}
