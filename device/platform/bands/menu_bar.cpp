// The menu bar of a command bar: a desktop rebar band cannot hold a window menu, so each
// popup of the menu gets a text button that opens it. Mouse, Alt, F10, the arrow keys and
// the "&" mnemonics work as on a window's own menu bar.
#include "command_bands.h"

// Desktop Win32 only: the device has command bands of its own (device_bands.cpp).
#if !defined(_WIN32_WCE)

#include "command_bar_state.h"
#include "framework/fault_guard.h"

namespace {

// The popup being shown, for the message filter that moves between neighbouring popups.
struct Tracking {
    CommandBarState* state;
    int current;
    int next = -1;
    bool nextByKey = false;
    HHOOK hook = nullptr;
};
Tracking* tracking = nullptr;

// The popup is closed: the filter goes, and its button is up again. Also run by the fault
// guard when a fault leaves TrackMenus, so that no hook is left pointing at its frame.
void EndTracking(void* context) noexcept {
    auto* current = static_cast<Tracking*>(context);
    if (current->hook) UnhookWindowsHookEx(current->hook);
    current->hook = nullptr;
    tracking = nullptr;
    CommandBarState& state = *current->state;
    if (IsWindow(state.bar)) SendMessageW(state.bar, TB_PRESSBUTTON, kMenuButtonCommandBase + current->current, FALSE);
}

int MenuIndexAt(const CommandBarState& state, POINT client) {
    const int button = static_cast<int>(SendMessageW(state.bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    if (button < state.menuFirst || button >= state.menuFirst + state.menuCount) return -1;
    return button - state.menuFirst;
}

LRESULT FilterMessage(int code, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK MenuFilter(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    return Guarded(msg ? msg->hwnd : nullptr, L"HookProc", [&] { return FilterMessage(code, wParam, lParam); });
}

LRESULT FilterMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_MENU && tracking && msg) {
        const int count = tracking->state->menuCount;
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT)) {
            const int step = msg->wParam == VK_LEFT ? -1 : 1;
            tracking->next = (tracking->current + step + count) % count;
            tracking->nextByKey = true;
            EndMenu();
            return TRUE;
        }
        if (msg->message == WM_MOUSEMOVE) {
            POINT point = msg->pt;
            ScreenToClient(tracking->state->bar, &point);
            const int hit = MenuIndexAt(*tracking->state, point);
            if (hit >= 0 && hit != tracking->current) {
                tracking->next = hit;
                tracking->nextByKey = false;
                EndMenu();
                return TRUE;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Shows popup `index` under its button, and its neighbours as the user moves on. A chosen
// command is posted to the top-level window as a menu's WM_COMMAND. True when one was chosen.
bool TrackMenus(CommandBarState& state, int index, bool byKey) {
    if (tracking || !state.menu) return false;
    HWND owner = GetAncestor(state.bar, GA_ROOT);
    UINT command = 0;
    while (index >= 0 && index < state.menuCount && !command) {
        const int button = state.menuFirst + index;
        const int buttonCommand = kMenuButtonCommandBase + index;
        RECT rect{};
        SendMessageW(state.bar, TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&rect));
        MapWindowPoints(state.bar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        SendMessageW(state.bar, TB_PRESSBUTTON, buttonCommand, TRUE);

        Tracking current{&state, index};
        tracking = &current;
        current.hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilter, nullptr, GetCurrentThreadId());
        RecoveryStep afterFault{EndTracking, &current};
        // Opened from the keyboard, a popup starts on its first item.
        if (byKey) PostMessageW(owner, WM_KEYDOWN, VK_DOWN, 0);
        TPMPARAMS exclude{sizeof exclude, rect};
        command = TrackPopupMenuEx(GetSubMenu(state.menu, index),
                                   TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                   rect.left, rect.bottom, owner, &exclude);
        TestFaultPoint(FaultSite::MenuTracking);
        EndTracking(&current);
        index = current.next;
        byKey = current.nextByKey;
    }
    if (command) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return command != 0;
}

// The popup whose title has `key` as its "&" mnemonic, or -1.
int MenuIndexOfMnemonic(const CommandBarState& state, wchar_t key) {
    const auto upper = [](wchar_t c) {
        return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(c))));
    };
    for (int i = 0; i < state.menuCount; ++i) {
        wchar_t title[64];
        if (GetMenuStringW(state.menu, i, title, 64, MF_BYPOSITION) <= 0) continue;
        for (const wchar_t* p = title; *p; ++p) {
            if (*p != L'&') continue;
            if (p[1] == L'&') {
                ++p;
                continue;
            }
            if (p[1] && upper(p[1]) == upper(key)) return i;
            break;
        }
    }
    return -1;
}

void SetHot(CommandBarState& state, int index) {
    SendMessageW(state.bar, TB_SETHOTITEM, index < 0 ? -1 : state.menuFirst + index, 0);
}

int HotIndex(const CommandBarState& state) {
    const int hot = static_cast<int>(SendMessageW(state.bar, TB_GETHOTITEM, 0, 0));
    if (hot < state.menuFirst || hot >= state.menuFirst + state.menuCount) return 0;
    return hot - state.menuFirst;
}

void EnterMenuMode(CommandBarState& state) {
    state.focusBefore = GetFocus();
    state.menuMode = true;
    SetFocus(state.bar);
    SetHot(state, 0);
}

void LeaveMenuMode(CommandBarState& state) {
    if (!state.menuMode) return;
    state.menuMode = false;
    SetHot(state, -1);
    if (GetFocus() == state.bar) {
        HWND back = state.focusBefore && IsWindow(state.focusBefore) ? state.focusBefore : GetAncestor(state.bar, GA_ROOT);
        SetFocus(back);
    }
}

// Opens a popup from the keyboard; the menu bar stays active when the user backs out.
void OpenFromKeyboard(CommandBarState& state, int index) {
    if (TrackMenus(state, index, true)) LeaveMenuMode(state);
    else if (state.menuMode) SetHot(state, index);
}

bool MenuModeKey(CommandBarState& state, WPARAM key) {
    const int count = state.menuCount;
    switch (key) {
    case VK_LEFT: SetHot(state, (HotIndex(state) + count - 1) % count); return true;
    case VK_RIGHT: SetHot(state, (HotIndex(state) + 1) % count); return true;
    case VK_DOWN:
    case VK_UP:
    case VK_RETURN:
    case VK_SPACE: OpenFromKeyboard(state, HotIndex(state)); return true;
    case VK_ESCAPE:
    case VK_F10: LeaveMenuMode(state); return true;
    default: return false;
    }
}

}  // namespace

bool CommandBarInsertMenuBar(HWND bar, HINSTANCE instance, int menuId, int button) {
    CommandBarState* state = FindCommandBar(bar);
    if (!state || state->menu) return false;
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(menuId));
    if (!menu) return false;
    SetWindowLongW(bar, GWL_STYLE, GetWindowLongW(bar, GWL_STYLE) | TBSTYLE_LIST);
    // Titles only: no room kept for images on a bar that has none.
    if (!state->images) SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    // Titles packed as closely as the device's menu bar packs them: a handheld's window holds
    // the band image and the three Japanese titles on one row.
    SendMessageW(bar, TB_SETPADDING, 0, MAKELPARAM(kCompactPadding, HIWORD(SendMessageW(bar, TB_GETPADDING, 0, 0))));
    const int count = GetMenuItemCount(menu);
    const int buttons = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    const int first = button < 0 || button > buttons ? buttons : button;
    for (int i = 0; i < count; ++i) {
        wchar_t title[64];
        if (GetMenuStringW(menu, i, title, 64, MF_BYPOSITION) <= 0) title[0] = L'\0';
        TBBUTTON item{};
        item.iBitmap = I_IMAGENONE;
        item.idCommand = kMenuButtonCommandBase + i;
        item.fsState = TBSTATE_ENABLED;
        item.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        item.iString = reinterpret_cast<INT_PTR>(title);  // copied by the tool bar
        SendMessageW(bar, TB_INSERTBUTTONW, first + i, reinterpret_cast<LPARAM>(&item));
    }
    state->menu = menu;
    state->menuFirst = first;
    state->menuCount = count;
    SetMenuBarOfBands(GetParent(bar), bar);
    FitBandToBar(bar);
    return true;
}

HMENU CommandBarGetMenu(HWND bar, int button) {
    CommandBarState* state = FindCommandBar(bar);
    if (!state || !state->menu || button != state->menuFirst) return nullptr;
    return state->menu;
}

bool MenuBarMessage(CommandBarState& state, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!state.menu) return false;
    *result = 0;
    switch (msg) {
    case WM_LBUTTONDOWN: {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int index = MenuIndexAt(state, point);
        if (index < 0) return false;
        if (TrackMenus(state, index, false)) LeaveMenuMode(state);
        return true;
    }
    case WM_GETDLGCODE:
        if (!state.menuMode) return false;
        *result = DLGC_WANTALLKEYS;
        return true;
    case WM_KEYDOWN: return state.menuMode && MenuModeKey(state, wParam);
    case WM_CHAR: {
        if (!state.menuMode) return false;
        const int index = MenuIndexOfMnemonic(state, static_cast<wchar_t>(wParam));
        if (index >= 0) OpenFromKeyboard(state, index);
        else MessageBeep(0);
        return true;
    }
    case WM_KILLFOCUS:
        if (state.menuMode) {
            state.menuMode = false;
            SetHot(state, -1);
        }
        return false;
    default: return false;
    }
}

bool MenuBarKeyMenu(CommandBarState& state, LPARAM key) {
    if (!state.menu || !IsWindowVisible(state.bar)) return false;
    if (key == 0) {  // Alt or F10: the menu bar becomes active, or stops being so
        if (state.menuMode) LeaveMenuMode(state);
        else EnterMenuMode(state);
        return true;
    }
    if (key == L' ') return false;  // Alt+Space: the window's system menu
    const int index = MenuIndexOfMnemonic(state, static_cast<wchar_t>(key));
    if (index < 0) return false;
    OpenFromKeyboard(state, index);
    return true;
}

void MenuBarDestroyed(CommandBarState& state) {
    if (!state.menu) return;
    SetMenuBarOfBands(GetParent(state.bar), nullptr);
    DestroyMenu(state.menu);
    state.menu = nullptr;
}

#endif
