#include "main_window.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

#include "about/about_box.h"
#include "base/text.h"
#include "command_ids.h"
#include "framework/message_boxes.h"
#include "framework/program.h"
#include "layout.h"
#include "program_names.h"
#include "sets/app_settings.h"

namespace {

const TextPair kSourceLabel{L"SRC:", L"転送元"};
const TextPair kDestinationLabel{L"DST:", L"転送先"};
const TextPair kBackText{L"Back", L"逆方向"};
const TextPair kForwardText{L"Forward", L"順方向"};
const TextPair kAbortText{L"Abort", L"中断"};

constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;                        // 0x50000000
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;  // 0x50010080
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;          // 0x50010000
constexpr DWORD kCheckStyle = kButtonStyle | BS_AUTOCHECKBOX;               // 0x50010003
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL;  // 0x50010005

// One character more than a set keeps: a longer path, typed or pasted, is cut to a text that
// still shows it is too long, and the run refuses it instead of working on a cut folder.
constexpr WPARAM kFolderEditLimit = MAX_PATH;

HMENU ControlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

void Place(FWindow& control, const ControlPlace& p) { MoveWindow(control.hwnd, p.x, p.y, p.width, p.height, TRUE); }

}  // namespace

MainWindow::MainWindow() {
    ClearSetFields(CurrentSet);
    LoadSettings();
    font.Create(-12, FW_NORMAL, 0, nullptr);
}

MainWindow::~MainWindow() { SaveSettings(); }

bool MainWindow::CreateMainWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle,
                                  int backgroundColour) {
    HINSTANCE instance = ProgramInstance();
    if (!FindResourceW(instance, MAKEINTRESOURCEW(kProgramIcon), RT_GROUP_ICON)) {
        ShowFatal(nullptr, L"RT_GROUP_ICON[%d]", kProgramIcon);
    }
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
    HBRUSH brush = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>((backgroundColour & 0xFF) + 1));
    if (!RegisterFrameClass(g_programNames.className, icon, brush)) return false;
    if (!Create(exStyle, g_programNames.className, g_programNames.windowTitle, style, x, y, width, height, nullptr,
                nullptr)) {
        return false;
    }
    HICON small = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, 16, 16, 0));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    return true;
}

LRESULT MainWindow::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: return OnCreate(window, msg, wParam, lParam);
    case WM_DESTROY: return OnDestroy(window, msg, wParam, lParam);
    case WM_SIZE: LayoutControls(); return 0;
    case WM_ACTIVATE: return OnActivate(window, msg, wParam, lParam);
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (statusLine_.OnNotify(lParam)) return 0;
        if (header->idFrom == kIdCommandBands && header->code == RBN_HEIGHTCHANGE) {
            LayoutControls();
            return 0;
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    case WM_HELP:
        if (!inRun_ && GetActiveWindow() == window) PostMessageW(window, WM_COMMAND, kCmdAbout, 0);
        return 0;
    case WM_COMMAND: return OnCommand(window, msg, wParam, lParam);
    case WM_CLOSE:
        // The save at exit happens while the window is still there to own its error box.
        runState.abortRequested = true;
        SaveAtExit();
        return DefWindowProcW(window, msg, wParam, lParam);
    case kMsgStartupNotice: ShowStartupNotice(); return 0;
    default: return DefWindowProcW(window, msg, wParam, lParam);
    }
}

LRESULT MainWindow::OnCreate(HWND window, UINT, WPARAM, LPARAM) {
    SetDialogOwner(window);
    INITCOMMONCONTROLSEX classes{sizeof classes, 0x4FF};
    InitCommonControlsEx(&classes);
    BuildCommandBands();
    CreateChildControls();
    InsertOperationColumns();
    SendMessageW(operationList.hwnd, LVM_SETCOLUMNWIDTH, 1, LOWORD(AppSettings.srcWidth));
    SendMessageW(operationList.hwnd, LVM_SETCOLUMNWIDTH, 2, LOWORD(AppSettings.dstWidth));
    auto setFont = [this](const FWindow& control) {
        SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle), TRUE);
    };
    setFont(setList);
    setFont(sourceEdit);
    setFont(destinationEdit);
    for (const FCheckBox& box : optionBoxes) setFont(box);
    for (const FWindow* control : std::initializer_list<const FWindow*>{&back, &forward, &sourceLabel,
                                                                         &destinationLabel, &abort}) {
        setFont(*control);
    }
    display_.Attach(operationList.hwnd, statusBar.hwnd);
    statusLine_.Attach(statusBar.hwnd, window);
    if (AppSettings.iniFile[0] != L'\0') {
        if (!LoadSetFile()) PostMessageW(window, kMsgStartupNotice, 0, 0);
    } else {
        PostMessageW(window, WM_COMMAND, kCmdOpenIni, 0);
    }
    SetFocus(setList.hwnd);
    return 0;
}

void MainWindow::CreateChildControls() {
    auto child = [this](FWindow& control, DWORD exStyle, const wchar_t* cls, const wchar_t* text, int id, DWORD style) {
        control.Create(exStyle, cls, text, style, 0, 0, 0, 0, hwnd, ControlId(id));
    };
    child(sourceLabel, 0, L"Static", Pick(kSourceLabel), -1, kLabelStyle);
    child(destinationLabel, 0, L"Static", Pick(kDestinationLabel), -1, kLabelStyle);
    child(sourceEdit, WS_EX_CLIENTEDGE, L"Edit", L"", kIdSourceEdit, kEditStyle);
    SendMessageW(sourceEdit.hwnd, EM_LIMITTEXT, kFolderEditLimit, 0);
    child(sourceBrowse, 0, L"Button", L"...", kCmdBrowseSource, kButtonStyle);
    child(back, 0, L"Button", Pick(kBackText), kCmdBackward, kButtonStyle);
    child(forward, 0, L"Button", Pick(kForwardText), kCmdForward, kButtonStyle);
    child(abort, 0, L"Button", Pick(kAbortText), kCmdAbort, kButtonStyle);
    EnableWindow(abort.hwnd, FALSE);
    child(destinationEdit, WS_EX_CLIENTEDGE, L"Edit", L"", kIdDestinationEdit, kEditStyle);
    SendMessageW(destinationEdit.hwnd, EM_LIMITTEXT, kFolderEditLimit, 0);
    child(destinationBrowse, 0, L"Button", L"...", kCmdBrowseDestination, kButtonStyle);
    for (int i = 0; i < kOptionBoxCount; ++i) {
        child(optionBoxes[i], 0, L"Button", Pick(kSetOptions[i].label), kSetOptions[i].controlId, kCheckStyle);
    }
    child(operationList, WS_EX_CLIENTEDGE, L"SysListView32", L"", kIdOperationList, kListStyle);
}

void MainWindow::InsertOperationColumns() {
    struct Column {
        TextPair text;
        int englishWidth, japaneseWidth;
    };
    static const Column columns[] = {{{L"Operation", L"操作"}, 80, 40},
                                     {{L"Source", L"ｱｯﾌﾟﾃﾞｰﾄ元"}, 300, 300},
                                     {{L"Destination", L"ｱｯﾌﾟﾃﾞｰﾄ先"}, 200, 200}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = UiLanguage ? columns[i].japaneseWidth : columns[i].englishWidth;
        column.pszText = const_cast<wchar_t*>(Pick(columns[i].text));
        SendMessageW(operationList.hwnd, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void MainWindow::LayoutControls() {
    RECT usable;
    if (!GetUsableClientRect(&usable, true)) return;
    MainLayout m = ComputeMainLayout(usable);
    Place(sourceLabel, m.sourceLabel);
    Place(destinationLabel, m.destinationLabel);
    Place(sourceEdit, m.sourceEdit);
    Place(sourceBrowse, m.sourceBrowse);
    Place(back, m.back);
    Place(forward, m.forward);
    Place(abort, m.abort);
    Place(destinationEdit, m.destinationEdit);
    Place(destinationBrowse, m.destinationBrowse);
    for (int i = 0; i < kOptionBoxCount; ++i) Place(optionBoxes[i], m.optionBoxes[i]);
    Place(operationList, m.operationList);
    statusLine_.Refit();
}

LRESULT MainWindow::OnCommand(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A control's notification code takes part in the match; menus and accelerators do not.
    const WPARAM command = lParam ? wParam : LOWORD(wParam);
    // During a run only Abort is heard, whatever sent the command.
    if (inRun_ && command != kCmdAbort) return 0;
    switch (command) {
    case kCmdOpenIni: OpenSetFileCommand(); return 0;
    case kCmdSaveIni: SaveSetFileCommand(); return 0;
    case kCmdSaveLog: SaveLogCommand(); return 0;
    case kCmdExit: PostMessageW(window, WM_CLOSE, 0, 0); return 0;
    case kCmdForward: SyncForward(); return 0;
    case kCmdBackward: SyncBackward(); return 0;
    case kCmdPreviewForward: PreviewForward(); return 0;
    case kCmdPreviewBackward: PreviewBackward(); return 0;
    case kCmdNewSet: NewSet(); return 0;
    case kCmdDeleteSet: DeleteSet(); return 0;
    case kCmdBrowseSource: BrowseFolderInto(sourceEdit); return 0;
    case kCmdBrowseDestination: BrowseFolderInto(destinationEdit); return 0;
    case kCmdUndoLastRun: UndoLastRun(); return 0;
    case kCmdAbort: AbortSync(); return 0;
    case kCmdAbout: ShowAbout(window); return 0;
    case MAKEWPARAM(kIdSetList, CBN_SELCHANGE): OnSetSelChange(); return 0;
    case MAKEWPARAM(kIdSetList, CBN_DROPDOWN): OnSetListDropDown(); return 0;
    default:
        if (IsMenuOption(static_cast<int>(command))) {
            ToggleMenuOption(static_cast<int>(command));
            return 0;
        }
        if (const SetOption* option = DialogOptionOf(static_cast<int>(command))) {
            EditOptionText(*option);
            return 0;
        }
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

LRESULT MainWindow::OnDestroy(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    runState.abortRequested = true;  // a run pumping messages stops at its next step
    SaveAtExit();  // done already when the window was closed
    DestroySetRecords();
    AppSettings.srcWidth = static_cast<int>(SendMessageW(operationList.hwnd, LVM_GETCOLUMNWIDTH, 1, 0));
    AppSettings.dstWidth = static_cast<int>(SendMessageW(operationList.hwnd, LVM_GETCOLUMNWIDTH, 2, 0));
    return FAppFrame::OnDestroy(window, msg, wParam, lParam);
}
