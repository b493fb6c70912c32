#include "frame.h"

int RequestedScrollPosition(int code, const SCROLLINFO& info) {
    switch (code) {
    case SB_LINEUP: return info.nPos - 1;
    case SB_LINEDOWN: return info.nPos + 1;
    case SB_PAGEUP: return info.nPos - static_cast<int>(info.nPage);
    case SB_PAGEDOWN: return info.nPos + static_cast<int>(info.nPage);
    case SB_THUMBTRACK: return info.nTrackPos;
    case SB_TOP: return info.nMin;
    case SB_BOTTOM: return info.nMax;
    default: return info.nPos;  // thumb position, end scroll
    }
}

namespace {

void ScrollAlong(HWND hwnd, int bar, WPARAM wParam) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &info);
    const int old = info.nPos;
    info.nPos = RequestedScrollPosition(LOWORD(wParam), info);
    info.fMask = SIF_POS;
    SetScrollInfo(hwnd, bar, &info, TRUE);
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &info);
    const int delta = old - info.nPos;
    if (delta == 0) return;
    const UINT flags = SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE;
    if (bar == SB_HORZ) ScrollWindowEx(hwnd, delta, 0, nullptr, nullptr, nullptr, nullptr, flags);
    else ScrollWindowEx(hwnd, 0, delta, nullptr, nullptr, nullptr, nullptr, flags);
    UpdateWindow(hwnd);
}

}  // namespace

LRESULT FFrameWnd::OnHScroll(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    ScrollAlong(hwnd, SB_HORZ, wParam);
    return 0;
}

LRESULT FFrameWnd::OnVScroll(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    ScrollAlong(hwnd, SB_VERT, wParam);
    return 0;
}

LRESULT FFrameWnd::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    PostQuitMessage(0);
    return 0;
}

LRESULT FAppFrame::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    PostQuitMessage(0);
    return 0;
}

LRESULT FAppFrame::OnActivate(HWND, UINT, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == WA_INACTIVE) savedFocus = GetFocus();
    else if (savedFocus) SetFocus(savedFocus);
    return 0;
}

bool FAppFrame::GetUsableClientRect(RECT* rect, bool notifyStatusBar) {
    if (!GetClientRect(hwnd, rect)) return false;
    RECT part;
    if (commandBands.hwnd && IsWindowVisible(commandBands.hwnd) && GetWindowRect(commandBands.hwnd, &part))
        rect->top += part.bottom - part.top;
    if (statusBar.hwnd && (GetWindowLongW(statusBar.hwnd, GWL_STYLE) & WS_VISIBLE) &&
        GetWindowRect(statusBar.hwnd, &part)) {
        rect->bottom -= part.bottom - part.top;
        if (notifyStatusBar) SendMessageW(statusBar.hwnd, WM_SIZE, 0, 0);
    }
    return true;
}
