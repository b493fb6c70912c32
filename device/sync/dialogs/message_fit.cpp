#include "message_fit.h"

#include <string>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// How the text control draws its text (a left-aligned static without prefix handling).
constexpr UINT kDrawFlags = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

struct ChildMove {
    int top;    // controls whose top is at or below this line
    int delta;  // move down by this much
};

void MoveChildrenBelow(HWND dialog, const ChildMove& move) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.top >= move.top)
            SetWindowPos(child, nullptr, rect.left, rect.top + move.delta, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// `text` with line ends inserted into each blank-free run that `dc` would draw wider than
// `width` pixels even with its own wrapping.
std::wstring BreakLongWords(HDC dc, const wchar_t* text, int width) {
    std::wstring out;
    const wchar_t* p = text;
    while (*p) {
        if (IsBlank(*p)) {
            out += *p++;
            continue;
        }
        const wchar_t* end = p;
        while (*end && !IsBlank(*end)) ++end;
        // A run the control wraps by itself (Japanese text) stays as it is.
        RECT wrapped{0, 0, width, 0};
        DrawTextW(dc, p, static_cast<int>(end - p), &wrapped, kDrawFlags | DT_CALCRECT);
        if (wrapped.right <= width) {
            out.append(p, end);
            p = end;
            continue;
        }
        // Piece by piece, each as long as fits (at least one character, never half a pair).
        while (p < end) {
            int fit = 0;
            SIZE size{};
            const int left = static_cast<int>(end - p);
            if (!GetTextExtentExPointW(dc, p, left, width, &fit, nullptr, &size) || fit >= left) {
                out.append(p, end);
                p = end;
                break;
            }
            if (fit > 1 && IS_HIGH_SURROGATE(p[fit - 1])) --fit;
            if (fit < 1) fit = 1;
            out.append(p, p + fit);
            out += L'\n';
            p += fit;
        }
    }
    return out;
}

}  // namespace

void ShowFittedMessage(HWND dialog, int controlId, const wchar_t* text) {
    HWND control = GetDlgItem(dialog, controlId);
    if (control == nullptr) return;
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    if (dc == nullptr) {
        SetWindowTextW(control, text);
        return;
    }
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    const std::wstring fitted = BreakLongWords(dc, text, client.right);
    RECT needed{0, 0, client.right, 0};
    DrawTextW(dc, fitted.c_str(), -1, &needed, kDrawFlags | DT_CALCRECT);
    if (previous) SelectObject(dc, previous);
    ReleaseDC(control, dc);
    SetWindowTextW(control, fitted.c_str());

    const int missing = needed.bottom - client.bottom;
    if (missing <= 0) return;
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    // What stands below the text (the buttons) moves down; then the text and the dialog grow.
    MoveChildrenBelow(dialog, ChildMove{box.bottom, missing});
    SetWindowPos(control, nullptr, 0, 0, box.right - box.left, box.bottom - box.top + missing,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + missing,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
