#include "window_calls.h"

#if defined(_WIN32_WCE)

void SetDialogResult(HWND dialog, LRESULT result) { SetWindowLongW(dialog, DWL_MSGRESULT, static_cast<LONG>(result)); }

void RepaintNow(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) RepaintNow(child);
}

#else

void SetDialogResult(HWND dialog, LRESULT result) { SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result); }

void RepaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

#endif
