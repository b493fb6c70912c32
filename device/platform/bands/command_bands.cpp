// The command bands: a rebar that follows its parent's width, with the adornments kept at
// its right end.
#include "command_bands.h"

// The same on both platforms.

int CommandBandsHeight(HWND bands) {
    RECT rect;
    if (!bands || !GetWindowRect(bands, &rect)) return 0;
    return rect.bottom - rect.top;
}

bool SetCommandBandSize(HWND bands, UINT index, int width) {
    REBARBANDINFOW info{};
#if defined(_WIN32_WCE)
    info.cbSize = sizeof info;
#else
    info.cbSize = REBARBANDINFOW_V6_SIZE;
#endif
    info.fMask = RBBIM_SIZE;
    info.cx = width;
    return SendMessageW(bands, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&info)) != 0;
}

// Desktop Win32 only from here: the device has command bands of its own (device_bands.cpp).
#if !defined(_WIN32_WCE)

#include "command_bar_state.h"
#include "framework/fault_guard.h"
#include "framework/message_boxes.h"

#include <vector>

namespace {

constexpr UINT_PTR kBandsSubclass = 0x5A42;   // on the rebar
// The state is found through a window property: GetWindowSubclass is not in MinGW's
// import library of the common controls.
const wchar_t kBandsProperty[] = L"ZolvCommandBands";

// Band-control style bits of the device that mean something else on the desktop rebar
// (0x1000 registers it as an OLE drop target there).
constexpr DWORD kDeviceOnlyBandStyles = 0x1000;

struct CommandBandsState {
    HWND bands = nullptr;
    HWND parent = nullptr;
    HIMAGELIST images = nullptr;
    HWND adornments = nullptr;
    HWND menuBar = nullptr;
    bool adornmentsRow = false;  // the adornments on a strip of their own below the rows
    bool fitting = false;
};

CommandBandsState* FindBands(HWND bands);
void UnhookParent(HWND parent);

// The adornments stand over the bands' top right, where the first row keeps their width free,
// or, when the first band and they cannot share a row, on a strip of their own below the
// bands' rows (the bands' window is that much taller than their rows).
int AdornmentsWidth(const CommandBandsState& state) {
    return state.adornments ? CommandBarButtonsWidth(state.adornments) : 0;
}

int AdornmentsHeight(const CommandBandsState& state) {
    return state.adornments ? HIWORD(SendMessageW(state.adornments, TB_GETBUTTONSIZE, 0, 0)) : 0;
}

void PlaceAdornments(const CommandBandsState& state) {
    if (!state.adornments) return;
    RECT bands;
    GetWindowRect(state.bands, &bands);
    MapWindowPoints(nullptr, state.parent, reinterpret_cast<POINT*>(&bands), 2);
    const int width = AdornmentsWidth(state);
    int height = state.adornmentsRow ? 0 : static_cast<int>(SendMessageW(state.bands, RB_GETROWHEIGHT, 0, 0));
    if (height <= 0) height = AdornmentsHeight(state);
    const int top = state.adornmentsRow ? bands.bottom - height : bands.top;
    SetWindowPos(state.adornments, HWND_TOP, bands.right - width, top, width, height, SWP_NOACTIVATE);
}

// Where one row cannot hold them, the bands wrap onto further rows, as the device's command
// bands do, and a combo box in a band too wide for a row of its own gets narrower: every
// band's contents lie inside the parent and none under the adornments.
void FitBandsToWidth(CommandBandsState& state) {
    if (state.fitting) return;
    state.fitting = true;
    RECT client{};
    GetClientRect(state.parent, &client);
    const int width = client.right - client.left;
    const int adornments = AdornmentsWidth(state);
    const int count = static_cast<int>(SendMessageW(state.bands, RB_GETBANDCOUNT, 0, 0));
    int used = 0;
    int room = width - adornments;
    bool ownRow = false;
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW info{};
        info.cbSize = REBARBANDINFOW_V6_SIZE;
        info.fMask = RBBIM_STYLE | RBBIM_CHILD;
        SendMessageW(state.bands, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&info));
        RECT borders{};
        SendMessageW(state.bands, RB_GETBANDBORDERS, i, reinterpret_cast<LPARAM>(&borders));
        const int frame = borders.left + borders.right;
        const bool bar = FindCommandBar(info.hwndChild) != nullptr;
        const int full = frame + (bar ? CommandBarFullWidth(info.hwndChild) : 0);
        const int least = frame + (bar ? CommandBarLeastWidth(info.hwndChild) : 0);
        if (i == 0 && least > room) {  // the first band and the adornments cannot share a row
            ownRow = true;
            room = width;
        }
        const bool wrap = i > 0 && used + full > room;
        if (wrap) {
            used = 0;
            room = width;
        }
        const int given = full <= room - used ? full : (least > room - used ? least : room - used);
        if (bar) CommandBarFitToWidth(info.hwndChild, given - frame);
        used += given;
        const UINT style = wrap ? (info.fStyle | RBBS_BREAK) : (info.fStyle & ~RBBS_BREAK);
        if (style != info.fStyle) {
            info.fMask = RBBIM_STYLE;
            info.fStyle = style;
            SendMessageW(state.bands, RB_SETBANDINFOW, i, reinterpret_cast<LPARAM>(&info));
        }
    }
    if (ownRow != state.adornmentsRow) {
        state.adornmentsRow = ownRow;
        SetWindowPos(state.bands, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        SendMessageW(state.bands, WM_SIZE, 0, 0);
    }
    state.fitting = false;
    PlaceAdornments(state);
}

void Adornment(const CommandBandsState& state, int command) {
    switch (command) {
    case kAdornHelpCommand: {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = GetDlgCtrlID(state.bands);
        info.hItemHandle = state.bands;
        info.dwContextId = GetWindowContextHelpId(state.bands);
        GetCursorPos(&info.MousePos);
        SendMessageW(state.parent, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        break;
    }
    // Posted: the parent may be destroyed by them, not while the button is still clicking.
    case kAdornOkCommand: PostMessageW(state.parent, WM_COMMAND, IDOK, 0); break;
    case kAdornCloseCommand: PostMessageW(state.parent, WM_CLOSE, 0, 0); break;
    default: break;
    }
}

LRESULT BandsMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, CommandBandsState* state);

LRESULT CALLBACK BandsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    return Guarded(hwnd, L"WndProc", [&] {
        return BandsMessage(hwnd, msg, wParam, lParam, reinterpret_cast<CommandBandsState*>(data));
    });
}

LRESULT BandsMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, CommandBandsState* state) {
    switch (msg) {
    case WM_COMMAND:
        if (state->adornments && reinterpret_cast<HWND>(lParam) == state->adornments) {
            Adornment(*state, LOWORD(wParam));
            return 0;
        }
        break;
    case WM_NCCALCSIZE: {
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (!state->adornmentsRow) return result;
        auto* rect = reinterpret_cast<RECT*>(lParam);  // the first rectangle either way
        rect->bottom -= AdornmentsHeight(*state);
        if (rect->bottom < rect->top) rect->bottom = rect->top;
        return result;
    }
    case WM_NCPAINT: {
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (!state->adornmentsRow) return result;
        // The strip is outside the bands' client area: nothing else paints it.
        RECT window;
        GetWindowRect(hwnd, &window);
        RECT strip{0, window.bottom - window.top - AdornmentsHeight(*state), window.right - window.left,
                   window.bottom - window.top};
        if (HDC dc = GetWindowDC(hwnd)) {
            FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
            ReleaseDC(hwnd, dc);
        }
        return result;
    }
    case WM_WINDOWPOSCHANGING: {
        // The bands size their window to their rows; the adornments' strip comes below.
        auto* place = reinterpret_cast<WINDOWPOS*>(lParam);
        if (state->adornmentsRow && !(place->flags & SWP_NOSIZE))
            place->cy = static_cast<int>(SendMessageW(hwnd, RB_GETBARHEIGHT, 0, 0)) + AdornmentsHeight(*state);
        break;
    }
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: {
        LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        PlaceAdornments(*state);
        return result;
    }
    case WM_NCDESTROY:
        UnhookParent(state->parent);
        RemoveWindowSubclass(hwnd, BandsProc, kBandsSubclass);
        RemovePropW(hwnd, kBandsProperty);
        if (state->adornments) DestroyWindow(state->adornments);
        if (state->images) ImageList_Destroy(state->images);
        delete state;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    default: break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// On the parent: the bands take its width before the parent lays out its own controls, and
// Alt, F10 and Alt+letter open the menu bar. The parent's procedure is replaced the classic
// way, its state kept in a table of our own: the common controls' subclassing finds its data
// through a window property, which under some platforms costs a round trip to the window
// server on every message, and the parent gets every notification of its controls.
struct ParentHook {
    HWND parent;
    WNDPROC previous;
    CommandBandsState* state;  // null once the bands are gone but the procedure could not be put back
};
std::vector<ParentHook> g_parentHooks;  // one per command bands: a handful at most

ParentHook* FindParentHook(HWND parent) {
    for (ParentHook& hook : g_parentHooks)
        if (hook.parent == parent) return &hook;
    return nullptr;
}

LRESULT ParentMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded(hwnd, L"WndProc", [&] { return ParentMessage(hwnd, msg, wParam, lParam); });
}

LRESULT ParentMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const ParentHook* hook = FindParentHook(hwnd);
    if (hook == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    WNDPROC previous = hook->previous;
    if (CommandBandsState* state = hook->state) {
        if (msg == WM_SIZE) {
            FitBandsToWidth(*state);
            SendMessageW(state->bands, WM_SIZE, 0, 0);
        } else if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && state->menuBar) {
            if (CommandBarState* bar = FindCommandBar(state->menuBar))
                if (MenuBarKeyMenu(*bar, lParam)) return 0;
        }
    }
    return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

void HookParent(HWND parent, CommandBandsState* state) {
    if (ParentHook* hook = FindParentHook(parent)) {  // a second set of bands takes over
        hook->state = state;
        return;
    }
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentProc)));
    g_parentHooks.push_back({parent, previous, state});
}

void UnhookParent(HWND parent) {
    for (auto it = g_parentHooks.begin(); it != g_parentHooks.end(); ++it) {
        if (it->parent != parent) continue;
        if (GetWindowLongPtrW(parent, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ParentProc)) {
            SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->previous));
            g_parentHooks.erase(it);
        } else {
            it->state = nullptr;  // someone replaced it after us: keep passing messages on
        }
        return;
    }
}

CommandBandsState* FindBands(HWND bands) {
    return bands ? static_cast<CommandBandsState*>(GetPropW(bands, kBandsProperty)) : nullptr;
}

int BandIndexOf(HWND bands, HWND child) {
    const int count = static_cast<int>(SendMessageW(bands, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW info{};
        info.cbSize = REBARBANDINFOW_V6_SIZE;
        info.fMask = RBBIM_CHILD;
        if (SendMessageW(bands, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&info)) && info.hwndChild == child)
            return i;
    }
    return -1;
}

}  // namespace

bool CommandBandsTranslateKey(HWND parent, const MSG* msg) {
    if (msg == nullptr || msg->message != WM_SYSCHAR || !(HIWORD(msg->lParam) & KF_ALTDOWN)) return false;
    const wchar_t key = static_cast<wchar_t>(msg->wParam);
    if (key == 0 || key == L' ' || (msg->hwnd != parent && !IsChild(parent, msg->hwnd))) return false;
    const ParentHook* hook = FindParentHook(parent);
    if (hook == nullptr || hook->state == nullptr || hook->state->menuBar == nullptr) return false;
    CommandBarState* bar = FindCommandBar(hook->state->menuBar);
    return bar != nullptr && MenuBarKeyMenu(*bar, key);
}

HWND CreateCommandBands(HINSTANCE instance, HWND parent, UINT id, DWORD style, int bitmapId, int imageWidth) {
    HIMAGELIST images = nullptr;
    if (FindResourceW(instance, MAKEINTRESOURCEW(bitmapId), MAKEINTRESOURCEW(2) /* RT_BITMAP */))
        images = ImageList_LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), imageWidth, 1, CLR_DEFAULT,
                                      IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!images) ShowFatal(parent, L"RT_BITMAP[%d]", bitmapId);

    RECT client{};
    GetClientRect(parent, &client);
    const DWORD bandsStyle = (style & ~kDeviceOnlyBandStyles) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                             CCS_NODIVIDER;
    // A control parent: Tab and Shift+Tab of the parent's dialog keyboard handling walk into
    // its bars and reach the controls inserted there.
    HWND bands = CreateWindowExW(WS_EX_CONTROLPARENT, REBARCLASSNAMEW, nullptr, bandsStyle, 0, 0, client.right, 0,
                                 parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (!bands) {
        if (images) ImageList_Destroy(images);
        return nullptr;
    }
    if (images) {
        REBARINFO info{};
        info.cbSize = sizeof info;
        info.fMask = RBIM_IMAGELIST;
        info.himl = images;
        SendMessageW(bands, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    }
    auto* state = new CommandBandsState{bands, parent, images, nullptr, nullptr};
    SetPropW(bands, kBandsProperty, state);
    SetWindowSubclass(bands, BandsProc, kBandsSubclass, reinterpret_cast<DWORD_PTR>(state));
    HookParent(parent, state);
    return bands;
}

bool AddCommandBands(HWND bands, UINT count, const REBARBANDINFOW* infos) {
    CommandBandsState* state = FindBands(bands);
    if (!state || !infos) return false;
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(bands, GWLP_HINSTANCE));
    bool all = true;
    for (UINT i = 0; i < count; ++i) {
        const REBARBANDINFOW& given = infos[i];
        const UINT barId = (given.fMask & RBBIM_ID) ? given.wID : 0;
        HWND bar = CreateWindowExW(WS_EX_CONTROLPARENT, TOOLBARCLASSNAMEW, nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | CCS_NODIVIDER |
                                       CCS_NORESIZE | CCS_NOPARENTALIGN | TBSTYLE_TOOLTIPS,
                                   0, 0, 0, 0, bands, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(barId)),
                                   instance, nullptr);
        if (!bar) {
            all = false;
            continue;
        }
        SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        AttachCommandBar(bar, state->parent);

        REBARBANDINFOW band{};
        band.cbSize = REBARBANDINFOW_V6_SIZE;
        band.fMask = (given.fMask & (RBBIM_ID | RBBIM_IMAGE | RBBIM_STYLE | RBBIM_SIZE)) | RBBIM_CHILD |
                     RBBIM_CHILDSIZE;
        band.wID = given.wID;
        band.iImage = given.iImage;
        band.fStyle = given.fStyle;
        band.cx = given.cx;
        band.hwndChild = bar;
        band.cyMinChild = HIWORD(SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0));
        if (!SendMessageW(bands, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band))) {
            DestroyWindow(bar);
            all = false;
        }
    }
    PlaceAdornments(*state);
    return all;
}

HWND CommandBandsGetCommandBar(HWND bands, UINT index) {
    REBARBANDINFOW info{};
    info.cbSize = REBARBANDINFOW_V6_SIZE;
    info.fMask = RBBIM_CHILD;
    if (!SendMessageW(bands, RB_GETBANDINFOW, index, reinterpret_cast<LPARAM>(&info))) return nullptr;
    return FindCommandBar(info.hwndChild) ? info.hwndChild : nullptr;
}

bool AddCommandBandsAdornments(HWND bands, DWORD flags) {
    CommandBandsState* state = FindBands(bands);
    if (!state || state->adornments) return false;
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(bands, GWLP_HINSTANCE));
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NODIVIDER | CCS_NORESIZE |
                                   CCS_NOPARENTALIGN | TBSTYLE_FLAT | TBSTYLE_LIST,
                               0, 0, 0, 0, state->parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kAdornmentBarId)), instance, nullptr);
    if (!bar) return false;
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETPARENT, reinterpret_cast<WPARAM>(bands), 0);  // its clicks come here
    SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageW(bar, TB_SETPADDING, 0, MAKELPARAM(kCompactPadding, HIWORD(SendMessageW(bar, TB_GETPADDING, 0, 0))));

    struct Adorn {
        DWORD flag;
        int command;
        const wchar_t* text;
    };
    const Adorn all[] = {{kAdornHelp, kAdornHelpCommand, L"?"},
                         {kAdornOk, kAdornOkCommand, L"OK"},
                         {0, kAdornCloseCommand, L"\u00D7"}};
    for (const Adorn& adorn : all) {
        if (adorn.flag && !(flags & adorn.flag)) continue;
        TBBUTTON button{};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = adorn.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        button.iString = reinterpret_cast<INT_PTR>(adorn.text);
        SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    state->adornments = bar;
    FitBandsToWidth(*state);
    return true;
}

void SetMenuBarOfBands(HWND bands, HWND bar) {
    if (CommandBandsState* state = FindBands(bands)) state->menuBar = bar;
}

void FitBandToBar(HWND bar) {
    HWND bands = GetParent(bar);
    const int index = BandIndexOf(bands, bar);
    if (index < 0) return;
    int height = HIWORD(SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0));
    // Controls inserted into the bar (the combo box) may stand taller than its buttons.
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32];
        if (GetClassNameW(child, name, 32) && lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) continue;
        RECT rect;
        if (GetWindowRect(child, &rect) && rect.bottom - rect.top + 2 > height) height = rect.bottom - rect.top + 2;
    }
    REBARBANDINFOW info{};
    info.cbSize = REBARBANDINFOW_V6_SIZE;
    info.fMask = RBBIM_CHILDSIZE;
    // A band never gets narrower than what its bar holds: too narrow a row wraps instead.
    info.cxMinChild = CommandBarButtonsWidth(bar);
    info.cyMinChild = height;
    SendMessageW(bands, RB_SETBANDINFOW, index, reinterpret_cast<LPARAM>(&info));
    if (CommandBandsState* state = FindBands(bands)) FitBandsToWidth(*state);
}

#endif
