#pragma once
#include <windows.h>

#include "controls.h"
#include "handles.h"
#include "window.h"

// A top-level frame. A concrete frame routes WM_CREATE, WM_DESTROY, WM_ACTIVATE and
// WM_COMMAND to the handlers below in its WindowProc.
class FFrameWnd : public FWindow {
public:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override = 0;
    // Scroll the window's contents by what the platform's scroll bar actually moved.
    virtual LRESULT OnHScroll(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnVScroll(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCreate(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // quit, 0
};

// The application frame: command bands at the top, a status bar at the bottom, and the
// keyboard focus kept across deactivation.
class FAppFrame : public FFrameWnd {
public:
    LRESULT OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // The client area less the visible command bands and status bar. With notifyStatusBar
    // the status bar is told to lay itself out again.
    bool GetUsableClientRect(RECT* rect, bool notifyStatusBar);

    HWND savedFocus = nullptr;
    // Destroyed in reverse order: status bar, command bar, command bands, menu.
    FMenu menu;
    FCommandBands commandBands;
    FCommandBar commandBar;
    FStatusBar statusBar;
};

// The scrolling step of OnHScroll/OnVScroll: the position a request code asks for.
int RequestedScrollPosition(int code, const SCROLLINFO& info);
