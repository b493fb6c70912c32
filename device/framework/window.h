#pragma once
#include <windows.h>

#include "base/object.h"

// A window the program knows by object. `owned` is set only when the object created the
// window itself; then, and only then, the object destroys the window with it.
class FWnd : public FObject {
public:
    FWnd() = default;
    explicit FWnd(HWND hwnd) : hwnd(hwnd) {}
    ~FWnd() override;
    FWnd(const FWnd&) = delete;
    FWnd& operator=(const FWnd&) = delete;

    virtual LRESULT WindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

    HWND hwnd = nullptr;
    bool owned = false;
};

class FWindow : public FWnd {
public:
    FWindow() = default;
    explicit FWindow(HWND attached) : FWnd(attached) {}  // never destroys the window

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT DefProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // CreateWindowEx with the program's instance and this object as creation parameter.
    HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menuOrId);
};

// Registers a class served by WndProc (style CS_HREDRAW | CS_VREDRAW). A class that the
// program already has is left as it is and counts as success.
bool RegisterFrameClass(const wchar_t* className, HICON icon, HBRUSH backgroundBrush);

// The window procedure of every class made by RegisterFrameClass: finds the object of the
// window in WindowList (entered at WM_CREATE, left after WM_DESTROY) and calls its
// WindowProc, inside the fault guard labelled "WndProc".
LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Offers a message to every live dialog and page, newest first; true when one took it.
bool PreTranslateDialogMessage(MSG* msg);
