#include "bands_frame.h"

#include <commctrl.h>

#include "base/text.h"
#include "platform/bands/command_bands.h"

namespace {

const wchar_t kClass[] = L"ZolvBandsTestFrame";

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

HWND AddCommandBand(FAppFrame& frame, UINT id, int image, int size, UINT style) {
    if (!frame.commandBands.hwnd)
        frame.commandBands.hwnd = CreateCommandBands(Module(), frame.hwnd, kBandsId, 0x10003600, 100, 11);
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_IMAGE | RBBIM_ID | (size ? RBBIM_SIZE : 0);
    band.fStyle = style;
    band.iImage = image;
    band.wID = id;
    band.cx = size;
    AddCommandBands(frame.commandBands.hwnd, 1, &band);
    const int index = static_cast<int>(SendMessageW(frame.commandBands.hwnd, RB_IDTOINDEX, id, 0));
    HWND bar = CommandBandsGetCommandBar(frame.commandBands.hwnd, index);
    SetWindowLongW(bar, GWL_STYLE, GetWindowLongW(bar, GWL_STYLE) | 0x800);
    return bar;
}

}  // namespace

BandsFrame::BandsFrame(int language, int width) {
    UiLanguage = language;
    RegisterFrameClass(kClass, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Create(0, kClass, L"Zolv", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, 300, nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    Pump();
}

BandsFrame::~BandsFrame() {
    if (hwnd) DestroyWindow(hwnd);
    Pump();
    UiLanguage = 0;
}

LRESULT BandsFrame::OnCreate(HWND, UINT, WPARAM, LPARAM) {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x4FF};
    InitCommonControlsEx(&controls);

    menuBar = AddCommandBand(*this, 0, 0, 0, 260);
    CommandBarInsertMenuBar(menuBar, Module(), UiLanguage ? 1001 : 1002, 0);
    menu.handle = CommandBarGetMenu(menuBar, 0);
    CommandBarShow(menuBar, true);

    statusBar.Create(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                     reinterpret_cast<HMENU>(12600));

    commandBar.hwnd = AddCommandBand(*this, kToolBandId, 1, 0, 4);
    CommandBarAddBitmap(commandBar.hwnd, Module(), 1001, 7, 16, 16);
    TBBUTTON buttons[3] = {};
    buttons[0].fsStyle = BTNS_SEP;
    buttons[1].iBitmap = 0;
    buttons[1].idCommand = 40301;
    buttons[1].fsState = TBSTATE_ENABLED;
    buttons[2].iBitmap = 6;
    buttons[2].idCommand = 40302;
    buttons[2].fsState = TBSTATE_ENABLED;
    CommandBarAddButtons(commandBar.hwnd, 3, buttons);
    const wchar_t* tips[3] = {nullptr, Pick({L"New", L"新規"}), Pick({L"Delete", L"削除"})};
    CommandBarAddToolTips(commandBar.hwnd, 3, tips);

    AddCommandBandsAdornments(commandBands.hwnd, 11);
    const HWND bars[2] = {menuBar, commandBar.hwnd};
    for (UINT i = 0; i < 2; ++i) SetCommandBandSize(commandBands.hwnd, i, CommandBarButtonsWidth(bars[i]) + 4);

    setList = CommandBarInsertComboBox(commandBar.hwnd, Module(), 200, 0x10010842, kSetListId, 0);
    SendMessageW(setList, CB_LIMITTEXT, 260, 0);
    return 0;
}

LRESULT BandsFrame::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, msg, wParam, lParam);
    case WM_DESTROY: return OnDestroy(hwnd, msg, wParam, lParam);
    case WM_COMMAND: return OnCommand(hwnd, msg, wParam, lParam);
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom == kBandsId && header->code == RBN_HEIGHTCHANGE) {
            ++heightChanges;
            RECT usable;
            if (GetUsableClientRect(&usable, true)) usableTopAtHeightChange = usable.top;
            return 0;
        }
        break;
    }
    case WM_HELP: helps.push_back(*reinterpret_cast<HELPINFO*>(lParam)); return 0;
    case WM_CLOSE: ++closes; return 0;
    case WM_INITMENUPOPUP: {
        HMENU popup = reinterpret_cast<HMENU>(wParam);
        popups.push_back(popup);
        popupStates.push_back(GetMenuState(popup, watchedItem, MF_BYCOMMAND));
        break;
    }
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU) {
            // Once per popup: answer with the keys, or close it.
            HWND menuWindow = reinterpret_cast<HWND>(lParam);
            if (GetPropW(menuWindow, L"answered")) break;
            SetPropW(menuWindow, L"answered", reinterpret_cast<HANDLE>(1));
            if (keysInMenu.empty()) EndMenu();
            for (WPARAM key : keysInMenu) PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT BandsFrame::OnCommand(HWND, UINT, WPARAM wParam, LPARAM lParam) {
    commands.emplace_back(wParam, lParam);
    return 0;
}

bool BandsFrame::Has(WPARAM wParam, LPARAM lParam) const {
    for (const auto& command : commands)
        if (command.first == wParam && command.second == lParam) return true;
    return false;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void ClickButton(HWND bar, int index) {
    RECT rect{};
    SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(bar, WM_LBUTTONUP, 0, at);
}
