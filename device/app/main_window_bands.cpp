// The command bands at the top of the main window: band 1 with the menu bar, band 2 with the
// tool bar (New, Delete and the set list), the adornments, and the status bar at the bottom.
#include "main_window.h"

#include <windows.h>

#include <commctrl.h>

#include "base/text.h"
#include "command_ids.h"
#include "framework/program.h"
#include "platform/bands/command_bands.h"

namespace {

constexpr DWORD kBandsStyle = 0x10003600;     // WS_VISIBLE, RBS_VARHEIGHT, RBS_BANDBORDERS, ...
constexpr UINT kMenuBandStyle = 260;          // RBBS_NOGRIPPER | RBBS_CHILDEDGE
constexpr UINT kToolBandStyle = RBBS_CHILDEDGE;
constexpr int kBandImageWidth = 11;
constexpr DWORD kSetListStyle = 0x10010842;   // WS_VISIBLE, WS_TABSTOP, CBS_DROPDOWN, CBS_AUTOHSCROLL
constexpr int kSetListWidth = 200;
constexpr DWORD kAdornments = 11;             // help, OK, 0x8

}  // namespace

// Creates the command bands on first use, adds one band and hands back its command bar
// (made flat).
HWND MainWindow::AddCommandBand(UINT bandId, int image, int size, UINT bandStyle) {
    HINSTANCE instance = ProgramInstance();
    if (commandBands.hwnd == nullptr) {
        commandBands.hwnd =
            CreateCommandBands(instance, hwnd, kIdCommandBands, kBandsStyle, kBandBitmap, kBandImageWidth);
    }
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_IMAGE | RBBIM_ID | (size ? RBBIM_SIZE : 0);
    band.fStyle = bandStyle;
    band.iImage = image;
    band.wID = bandId;
    band.cx = static_cast<UINT>(size);
    AddCommandBands(commandBands.hwnd, 1, &band);
    int index = static_cast<int>(SendMessageW(commandBands.hwnd, RB_IDTOINDEX, bandId, 0));
    HWND bar = CommandBandsGetCommandBar(commandBands.hwnd, static_cast<UINT>(index));
    if (bar) SetWindowLongW(bar, GWL_STYLE, GetWindowLongW(bar, GWL_STYLE) | TBSTYLE_FLAT);
    return bar;
}

void MainWindow::BuildCommandBands() {
    HINSTANCE instance = ProgramInstance();

    HWND menuBar = AddCommandBand(0, 0, 0, kMenuBandStyle);
    CommandBarInsertMenuBar(menuBar, instance, UiLanguage ? kMenuJapanese : kMenuEnglish, 0);
    menu.handle = CommandBarGetMenu(menuBar, 0);  // the bar's menu: never destroyed by the wrapper
    for (int i = kOptionBoxCount; i < kSetOptionCount; ++i) {
        InsertMenuW(menu.handle, kCmdUndoLastRun, MF_BYCOMMAND | MF_STRING, kSetOptions[i].controlId,
                    Pick(kSetOptions[i].label));
    }
    CommandBarShow(menuBar, true);

    statusBar.Create(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStatusBar)));

    commandBar.hwnd = AddCommandBand(kIdToolBand, 1, 0, kToolBandStyle);
    CommandBarAddBitmap(commandBar.hwnd, instance, kToolBitmap, 7, 16, 16);
    const TBBUTTON buttons[] = {
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {0, kCmdNewSet, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {6, kCmdDeleteSet, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    CommandBarAddButtons(commandBar.hwnd, 3, buttons);
    static const TextPair newTip{L"New", L"新規"};
    static const TextPair deleteTip{L"Delete", L"削除"};
    const wchar_t* tips[] = {nullptr, Pick(newTip), Pick(deleteTip)};
    CommandBarAddToolTips(commandBar.hwnd, 3, tips);

    AddCommandBandsAdornments(commandBands.hwnd, kAdornments);
    SetCommandBandSize(commandBands.hwnd, 0, CommandBarButtonsWidth(menuBar) + 4);
    SetCommandBandSize(commandBands.hwnd, 1, CommandBarButtonsWidth(commandBar.hwnd) + 4);

    setList.hwnd = CommandBarInsertComboBox(commandBar.hwnd, instance, kSetListWidth, kSetListStyle, kIdSetList, 0);
    SendMessageW(setList.hwnd, CB_LIMITTEXT, MAX_PATH - 1, 0);  // what the set keeps
}
