// Command bars: flat tool bars inside the command bands, holding buttons, tool tips, a menu
// bar and inserted combo boxes.
#include "command_bands.h"

// The same on both platforms.
int CommandBarButtonsWidth(HWND bar) {
    int width = 0;
    const int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT rect{};
        if (SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect))) width += rect.right - rect.left;
    }
    return width;
}

// Desktop Win32 only from here: the device has command bands of its own (device_bands.cpp).
#if !defined(_WIN32_WCE)

#include "command_bar_state.h"
#include "framework/fault_guard.h"

namespace {

constexpr UINT_PTR kBarSubclass = 0x5A44;
constexpr int kComboDroppedHeight = 200;  // the combo box's height with its list down
const wchar_t kBarProperty[] = L"ZolvCommandBar";  // the state (no GetWindowSubclass in MinGW)

LRESULT BarMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, CommandBarState* state);

LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    return Guarded(hwnd, L"WndProc", [&] {
        return BarMessage(hwnd, msg, wParam, lParam, reinterpret_cast<CommandBarState*>(data));
    });
}

LRESULT BarMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, CommandBarState* state) {
    LRESULT result = 0;
    if (MenuBarMessage(*state, msg, wParam, lParam, &result)) return result;
    switch (msg) {
    case WM_COMMAND:
        // Controls inserted into the bar report to the bar; their owner is the main window.
        if (lParam && reinterpret_cast<HWND>(lParam) != hwnd)
            return SendMessageW(state->notify, WM_COMMAND, wParam, lParam);
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (const wchar_t* tip = CommandBarToolTip(hwnd, static_cast<int>(header->idFrom))) {
                info->lpszText = const_cast<wchar_t*>(tip);
                info->hinst = nullptr;
                return 0;
            }
        }
        break;
    }
    case WM_NCDESTROY:
        MenuBarDestroyed(*state);
        RemoveWindowSubclass(hwnd, BarProc, kBarSubclass);
        RemovePropW(hwnd, kBarProperty);
        if (state->images) ImageList_Destroy(state->images);
        if (state->listFont) DeleteObject(state->listFont);
        delete state;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    default: break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

int ButtonCount(HWND bar) { return static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)); }

// The combo box's drop-down list draws its items with plain text output, which takes no
// character from another font, while its edit lays its text out by script and does: in a
// font of no face in the ANSI character set (the English control font) a Japanese name
// reads in the edit and shows as empty boxes in the list. The list gets the same font in the
// face of the system's message font instead, whose linked fonts hold those characters.
void GiveListItsFont(CommandBarState& state, HFONT font) {
    LOGFONTW shape{};
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (!font || !GetObjectW(font, sizeof shape, &shape) || shape.lfFaceName[0] || shape.lfCharSet != ANSI_CHARSET ||
        !GetComboBoxInfo(state.combo, &parts))
        return;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    lstrcpynW(shape.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
    shape.lfCharSet = DEFAULT_CHARSET;
    HFONT listFont = CreateFontIndirectW(&shape);
    if (!listFont) return;
    SendMessageW(parts.hwndList, WM_SETFONT, reinterpret_cast<WPARAM>(listFont), FALSE);
    if (state.listFont) DeleteObject(state.listFont);
    state.listFont = listFont;
}

// The combo box's procedure is replaced the classic way, the bar's state in the box's user
// data: the common controls' subclassing finds its data through a window property, which
// under some platforms costs a round trip to the window server on every message, and a set
// list of thousands of sets gets several messages per set.
LRESULT CALLBACK ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<CommandBarState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(state->comboProc, hwnd, msg, wParam, lParam);
    if (msg == WM_SETFONT) {
        Guarded(hwnd, L"WndProc", [&]() -> LRESULT {
            GiveListItsFont(*state, reinterpret_cast<HFONT>(wParam));
            return 0;
        });
    }
    return result;
}

}  // namespace

CommandBarState* FindCommandBar(HWND bar) {
    return bar ? static_cast<CommandBarState*>(GetPropW(bar, kBarProperty)) : nullptr;
}

CommandBarState* AttachCommandBar(HWND bar, HWND notify) {
    auto* state = new CommandBarState;
    state->bar = bar;
    state->notify = notify;
    // Button clicks and tool bar notifications go straight to the main window.
    SendMessageW(bar, TB_SETPARENT, reinterpret_cast<WPARAM>(notify), 0);
    SetPropW(bar, kBarProperty, state);
    SetWindowSubclass(bar, BarProc, kBarSubclass, reinterpret_cast<DWORD_PTR>(state));
    return state;
}

int CommandBarAddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int width, int height) {
    CommandBarState* state = FindCommandBar(bar);
    if (!state || count <= 0) return -1;
    HIMAGELIST images = ImageList_LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), width, 0, CLR_DEFAULT,
                                             IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!images) return -1;
    int first = 0;
    if (state->images) {
        // Later bitmaps extend the images already there.
        first = ImageList_GetImageCount(state->images);
        for (int i = 0; i < count && i < ImageList_GetImageCount(images); ++i) {
            HICON icon = ImageList_GetIcon(images, i, ILD_NORMAL);
            ImageList_AddIcon(state->images, icon);
            DestroyIcon(icon);
        }
        ImageList_Destroy(images);
    } else {
        if (ImageList_GetImageCount(images) > count) ImageList_SetImageCount(images, count);
        state->images = images;
        SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
        SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    FitBandToBar(bar);
    return first;
}

bool CommandBarAddButtons(HWND bar, UINT count, const TBBUTTON* buttons) {
    if (!FindCommandBar(bar) || !buttons) return false;
    const bool added = SendMessageW(bar, TB_ADDBUTTONSW, count, reinterpret_cast<LPARAM>(buttons)) != 0;
    FitBandToBar(bar);
    return added;
}

bool CommandBarAddToolTips(HWND bar, UINT count, const wchar_t* const* tips) {
    CommandBarState* state = FindCommandBar(bar);
    if (!state || !tips) return false;
    const int buttons = ButtonCount(bar);
    for (UINT i = 0; i < count && static_cast<int>(i) < buttons; ++i) {
        if (!tips[i] || !tips[i][0]) continue;
        TBBUTTON button{};
        if (!SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
        if (button.fsStyle & BTNS_SEP) continue;
        state->tips.emplace_back(button.idCommand, tips[i]);
    }
    return true;
}

const wchar_t* CommandBarToolTip(HWND bar, int command) {
    CommandBarState* state = FindCommandBar(bar);
    if (!state) return nullptr;
    for (const auto& tip : state->tips)
        if (tip.first == command) return tip.second.c_str();
    return nullptr;
}

HWND CommandBarInsertComboBox(HWND bar, HINSTANCE instance, int width, DWORD style, int id, int button) {
    if (!FindCommandBar(bar) || width <= 0) return nullptr;
    // The combo box stands on a separator as wide as itself.
    TBBUTTON place{};
    place.iBitmap = width;
    place.idCommand = id;
    place.fsStyle = BTNS_SEP;
    if (!SendMessageW(bar, TB_INSERTBUTTONW, button, reinterpret_cast<LPARAM>(&place))) return nullptr;
    RECT rect{};
    SendMessageW(bar, TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&rect));
    HWND combo = CreateWindowExW(0, L"ComboBox", nullptr, (style | WS_CHILD) & ~WS_POPUP, rect.left, rect.top, width,
                                 kComboDroppedHeight, bar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                 nullptr);
    if (!combo) {
        SendMessageW(bar, TB_DELETEBUTTON, button, 0);
        return nullptr;
    }
    CommandBarState* state = FindCommandBar(bar);
    state->combo = combo;
    state->comboWidth = width;
    SetWindowLongPtrW(combo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->comboProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(combo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboProc)));
    FitBandToBar(bar);
    // Centred on the band's height once the band has it.
    RECT bar_rect, combo_rect;
    GetClientRect(bar, &bar_rect);
    GetWindowRect(combo, &combo_rect);
    const int top = (bar_rect.bottom - (combo_rect.bottom - combo_rect.top)) / 2;
    SetWindowPos(combo, nullptr, rect.left, top > 0 ? top : 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return combo;
}

namespace {

// A narrower combo box would show too little of a set's name beside its arrow.
constexpr int kLeastComboWidth = 64;

int ComboWidthNow(const CommandBarState& state) {
    RECT rect{};
    GetWindowRect(state.combo, &rect);
    return rect.right - rect.left;
}

}  // namespace

int CommandBarFullWidth(HWND bar) {
    const CommandBarState* state = FindCommandBar(bar);
    int width = CommandBarButtonsWidth(bar);
    if (state && state->combo) width += state->comboWidth - ComboWidthNow(*state);
    return width;
}

int CommandBarLeastWidth(HWND bar) {
    const CommandBarState* state = FindCommandBar(bar);
    int width = CommandBarFullWidth(bar);
    if (state && state->combo && state->comboWidth > kLeastComboWidth) width -= state->comboWidth - kLeastComboWidth;
    return width;
}

void CommandBarFitToWidth(HWND bar, int barWidth) {
    CommandBarState* state = FindCommandBar(bar);
    if (!state || !state->combo) return;
    int width = state->comboWidth - (CommandBarFullWidth(bar) - barWidth);
    if (width > state->comboWidth) width = state->comboWidth;
    if (width < kLeastComboWidth) width = kLeastComboWidth;
    if (width == ComboWidthNow(*state)) return;
    // The combo box stands on a separator as wide as itself.
    const int index = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, GetDlgCtrlID(state->combo), 0));
    TBBUTTONINFOW place{};
    place.cbSize = sizeof place;
    place.dwMask = TBIF_BYINDEX | TBIF_SIZE | TBIF_IMAGE;
    place.cx = static_cast<WORD>(width);
    place.iImage = width;
    SendMessageW(bar, TB_SETBUTTONINFOW, index, reinterpret_cast<LPARAM>(&place));
    SetWindowPos(state->combo, nullptr, 0, 0, width, kComboDroppedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitBandToBar(bar);
}

bool CommandBarShow(HWND bar, bool show) {
    if (!FindCommandBar(bar)) return false;
    ShowWindow(bar, show ? SW_SHOW : SW_HIDE);
    return true;
}


#endif
