#include "message_fit.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "box_layout.h"
#include "program.h"

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

struct Child {
    HWND hwnd;
    RECT rect;  // in the dialog's client coordinates
    bool button;
};

// The width a button needs to show its caption whole: the text and a margin of its height.
int CaptionWidth(HWND button) {
    wchar_t caption[64] = L"";
    GetWindowTextW(button, caption, 64);
    HDC dc = GetDC(button);
    if (dc == nullptr) return 0;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, caption, -1, &text, DT_SINGLELINE | DT_CALCRECT);
    if (previous) SelectObject(dc, previous);
    ReleaseDC(button, dc);
    return (text.right - text.left) + (text.bottom - text.top);
}

std::vector<Child> Children(HWND dialog) {
    std::vector<Child> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        wchar_t name[16] = L"";
        GetClassNameW(child, name, 16);
        children.push_back(Child{child, rect, _wcsicmp(name, L"Button") == 0});
    }
    return children;
}

RECT WorkArea() {
    RECT area;
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) && area.right > area.left && area.bottom > area.top)
        return area;
    return RECT{0, 0, ScreenWidth(), ScreenHeight()};
}

// A message taller than the screen leaves room for: in the text control's place (its id,
// font and place in the tab order) a read-only text that scrolls, so that every line can
// still be reached while the buttons stay on the screen (an edit breaks a long word at its
// own width, beside its scroll bar). Without it the lines stay cut.
void ShowScrollingText(HWND dialog, HWND control, const wchar_t* message) {
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    std::wstring text;
    for (const wchar_t* c = message; *c; ++c) {
        if (*c == L'\n' && (c == message || c[-1] != L'\r')) text += L'\r';  // an edit's line end
        text += *c;
    }
    HWND scrolling = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                                     box.left, box.top, box.right - box.left, box.bottom - box.top, dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(control))),
                                     ProgramInstance(), nullptr);
    if (scrolling == nullptr) return;
    SendMessageW(scrolling, WM_SETFONT, SendMessageW(control, WM_GETFONT, 0, 0), FALSE);
    HWND before = GetWindow(control, GW_HWNDPREV);
    SetWindowPos(scrolling, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(control);
}

}  // namespace

void FitDialogToScreenWidth(HWND dialog) {
    RECT frame, client;
    if (!GetWindowRect(dialog, &frame) || !GetClientRect(dialog, &client)) return;
    const RECT area = WorkArea();
    const int excess = (frame.right - frame.left) - (area.right - area.left);
    if (excess <= 0) return;
    const std::vector<Child> children = Children(dialog);
    int used = 0, left = client.right;
    for (const Child& child : children) {
        used = std::max<int>(used, child.rect.right);
        left = std::min<int>(left, child.rect.left);
    }
    // The margins the template gives stay, left and right.
    const int right = std::min<int>(used, client.right) - excess;
    left = std::max(0, left);
    std::vector<RECT> buttons;
    std::vector<HWND> buttonWindows;
    bool oneRow = true;
    int column = right;  // where a column of buttons at the right edge will start
    for (const Child& child : children) {
        if (!child.button) continue;
        oneRow = oneRow && (buttons.empty() || child.rect.top == buttons.front().top);
        column = std::min<int>(column, child.rect.left - excess);
        buttons.push_back(child.rect);
        buttonWindows.push_back(child.hwnd);
    }
    // What reaches past the new edge gets narrower; beside a column of buttons, up to the
    // column, which moves left by the excess.
    const int limit = oneRow ? right : column - std::max(2, static_cast<int>(client.right) - used);
    for (const Child& child : children) {
        if (child.button || child.rect.right <= limit) continue;
        const int width = std::max(1, limit - static_cast<int>(child.rect.left));
        SetWindowPos(child.hwnd, nullptr, 0, 0, width, child.rect.bottom - child.rect.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!oneRow) {
        for (size_t i = 0; i < buttons.size(); ++i) {
            SetWindowPos(buttonWindows[i], nullptr, buttons[i].left - excess, buttons[i].top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left - excess, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // Left to right, with the smallest gap the template leaves between two of them.
    std::vector<size_t> order(buttons.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return buttons[a].left < buttons[b].left; });
    std::vector<RECT> row;
    std::vector<int> needed;
    int gap = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        row.push_back(buttons[order[i]]);
        needed.push_back(CaptionWidth(buttonWindows[order[i]]));
        const int between = i > 0 ? buttons[order[i]].left - buttons[order[i - 1]].right : 0;
        if (between > 0 && (gap == 0 || between < gap)) gap = between;
    }
    if (gap == 0) gap = std::max(2, static_cast<int>(client.right) - used);
    int extraHeight = 0;
    const std::vector<RECT> placed = FlowButtonRow(row, needed, left, right, gap, &extraHeight);
    for (size_t i = 0; i < placed.size(); ++i) {
        const RECT& at = placed[i];
        SetWindowPos(buttonWindows[order[i]], nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left - excess, frame.bottom - frame.top + extraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowFittedMessage(HWND dialog, int controlId, const wchar_t* text) {
    FitDialogToScreenWidth(dialog);
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
    RECT frame;
    GetWindowRect(dialog, &frame);
    // The dialog grows no taller than the work area; what the lines need beyond it, they
    // get by scrolling.
    const RECT area = WorkArea();
    const int room = std::max(0, static_cast<int>((area.bottom - area.top) - (frame.bottom - frame.top)));
    const int grow = std::min(missing, room);
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    // What stands below the text (the buttons) moves down; then the text and the dialog grow.
    MoveChildrenBelow(dialog, ChildMove{box.bottom, grow});
    SetWindowPos(control, nullptr, 0, 0, box.right - box.left, box.bottom - box.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (grow < missing) ShowScrollingText(dialog, control, text);
}
