// The main window's side of a sync run: starting it, locking the interface, and the host
// operations the engine calls (message pump, log rows, status text).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "command_ids.h"
#include "framework/fault_guard.h"
#include "main_window.h"
#include "platform/window_calls.h"
#include "sync/file_ops.h"

namespace {

// Looks at the message queue at most this often during a run: a look costs tens of
// microseconds under some platforms and a message it takes may be a repaint costing
// milliseconds; Abort still acts well within a tenth of a second.
constexpr DWORD kQueueLookInterval = 20;
// Repaints the operation list and the status bar at most this often during a run instead of
// after every row or folder: a repaint can cost tens of milliseconds under some platforms.
// The list waits longer when its repaints are slow, so that painting never takes more than
// about a ninth of the run. The final state is always painted, and so is the state at each
// dialog of the run.
constexpr DWORD kPaintInterval = 150;
constexpr DWORD kPaintCostFactor = 8;

}  // namespace

void MainWindow::SyncForward() { Sync(false); }
void MainWindow::SyncBackward() { Sync(true); }
void MainWindow::PreviewForward() { Sync(false, true); }
void MainWindow::PreviewBackward() { Sync(true, true); }

// A folder edit holding more than a set keeps (text put there by a program, not typed) is
// refused with the too-long box: a run never works on a path other than the one shown.
bool MainWindow::RefuseOverlongPaths() {
    for (const FEdit* edit : {&sourceEdit, &destinationEdit}) {
        const int length = GetWindowTextLengthW(edit->hwnd);
        if (length < static_cast<int>(MAX_PATH)) continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(edit->hwnd, text.data(), length + 1);
        ReportPathTooLong(*this, text.c_str(), L"");
        return true;
    }
    return false;
}

void MainWindow::Sync(bool backward, bool preview) {
    // Every other command waits until the run is over, whatever sends it.
    struct RunScope {
        // The run ends here also when a fault abandons it: its lock, list and status go.
        MainWindow& window;
        RecoveryStep afterFault{[](void* w) noexcept { static_cast<MainWindow*>(w)->FinishRun(); }, &window};
        explicit RunScope(MainWindow& w) : window(w) { window.inRun_ = true; }
        ~RunScope() { window.FinishRun(); }
    } scope(*this);
    if (RefuseOverlongPaths()) return;
    // A run always uses what is on screen.
    ReadSetControls();
    CommitCurrentSet();
    PathBuffer from, to;
    CopyPath(from, backward ? CurrentSet.destination : CurrentSet.source);
    CopyPath(to, backward ? CurrentSet.source : CurrentSet.destination);
    SyncOptions options;
    options.deleteAfterCopy = CurrentSet.deleteAfterCopy != 0;
    options.dosTime = CurrentSet.dosTime != 0;
    options.force = CurrentSet.force != 0;
    options.excludeObj = CurrentSet.excludeObj != 0;
    options.dryRun = preview;
    SyncEngine engine(*this, runState, options);
    SendMessageW(statusBar.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));  // the last run's figures go
    if (!engine.CheckSyncFolders(from, to)) return;
    BeginRunFigures(engine.Stats(), preview, to);
    engine.RunSync(from, to);
    EndRunFigures();
}

void MainWindow::FinishRun() {
    if (running_) {
        SetStatusText(L"");
        EndRun();
    }
    figures_.stats = nullptr;  // they lived on the run's stack
    figures_.createdFolder = nullptr;
    inRun_ = false;
}

void MainWindow::SetRunControlsEnabled(bool enabled) {
    static const int menuItems[] = {kCmdOpenIni,        kCmdSaveIni,         kCmdExit,  kCmdForward, kCmdBackward,
                                    kCmdPreviewForward, kCmdPreviewBackward, kCmdAbout};
    for (int id : menuItems) EnableMenuItem(menu.handle, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    for (FWindow* control : {static_cast<FWindow*>(&setList), static_cast<FWindow*>(&sourceEdit),
                             static_cast<FWindow*>(&destinationEdit), static_cast<FWindow*>(&sourceBrowse),
                             static_cast<FWindow*>(&destinationBrowse), static_cast<FWindow*>(&back),
                             static_cast<FWindow*>(&forward), static_cast<FWindow*>(&deleteAfterCopy),
                             static_cast<FWindow*>(&dosTime), static_cast<FWindow*>(&force),
                             static_cast<FWindow*>(&excludeObj)}) {
        EnableWindow(control->hwnd, enabled);
    }
    for (int id : {kCmdNewSet, kCmdDeleteSet}) SendMessageW(commandBar.hwnd, TB_ENABLEBUTTON, id, enabled);
    EnableWindow(abort.hwnd, !enabled);
}

void MainWindow::LockUiForRun() {
    SetRunControlsEnabled(false);
    SetFocus(abort.hwnd);
}

void MainWindow::UnlockUiAfterRun() {
    SetRunControlsEnabled(true);
    SetFocus(setList.hwnd);
}

void MainWindow::BeginRun() {
    LockUiForRun();
    SendMessageW(operationList.hwnd, LVM_DELETEALLITEMS, 0, 0);
    UpdateWindow(operationList.hwnd);
    // Rows are painted at a bounded rate during the run (RepaintList), not one by one.
    SendMessageW(operationList.hwnd, WM_SETREDRAW, FALSE, 0);
    running_ = true;
    faultsAtRunStart_ = FaultsCaught();
    lastListPaint_ = lastStatusPaint_ = GetTickCount();
    listPaintInterval_ = kPaintInterval;
    listPaintPending_ = statusPending_ = false;
}

void MainWindow::EndRun() {
    running_ = false;
    listPaintPending_ = true;
    RepaintList();
    UnlockUiAfterRun();
}

void MainWindow::RepaintList() {
    if (!listPaintPending_) return;
    ShowListNow();
    if (running_) SendMessageW(operationList.hwnd, WM_SETREDRAW, FALSE, 0);  // back to batched painting
}

void MainWindow::ShowListNow() {
    DWORD start = GetTickCount();
    HWND list = operationList.hwnd;
    int last = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) - 1;
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    if (last >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, last, TRUE);
    RepaintNow(list);
    lastListPaint_ = GetTickCount();
    listPaintInterval_ = std::max(kPaintInterval, kPaintCostFactor * (lastListPaint_ - start));
    listPaintPending_ = false;
    if (statusPending_) ShowStatusNow();
}

void MainWindow::ShowStatusNow() {
    wchar_t text[kMessageChars];
    if (copyPercent_ >= 0) {
        FormatInto(text, L"%s  %d%%", statusText_, copyPercent_);
    } else {
        FormatInto(text, L"%s", statusText_);
    }
    SendMessageW(statusBar.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    lastStatusPaint_ = GetTickCount();
    statusPending_ = false;
}

// A question, a box or the result dialog shows over an up-to-date list, which keeps painting
// normally while it is open.
int MainWindow::AskPrompt(const Prompt& prompt) {
    ShowListNow();
    int answer = GuiSyncHost::AskPrompt(prompt);
    if (FaultedDuringRun()) answer = kIdCancel;  // what a faulted dialog showed is in doubt
    if (running_) SendMessageW(operationList.hwnd, WM_SETREDRAW, FALSE, 0);
    return answer;
}

void MainWindow::ShowError(const wchar_t* text) {
    ShowListNow();
    GuiSyncHost::ShowError(text);
    if (running_) SendMessageW(operationList.hwnd, WM_SETREDRAW, FALSE, 0);
}

void MainWindow::ShowSuccess() {
    ShowListNow();
    ShowRunFigures();  // beside the result
    if (figures_.preview && figures_.stats) {
        ShowPreviewResult();
    } else {
        GuiSyncHost::ShowSuccess();
    }
}

int MainWindow::AskEmptySource(const wchar_t* text) {
    ShowListNow();
    int answer = GuiSyncHost::AskEmptySource(text);
    if (running_) SendMessageW(operationList.hwnd, WM_SETREDRAW, FALSE, 0);
    return answer;
}

// A fault taken anywhere during a run leaves the program's state in doubt: the run stops
// at its next step rather than go on writing and deleting files.
bool MainWindow::FaultedDuringRun() {
    if (running_ && FaultsCaught() != faultsAtRunStart_) runState.abortRequested = true;
    return runState.abortRequested;
}

void MainWindow::PumpOneMessage() {
    if (FaultedDuringRun()) return;
    DWORD now = GetTickCount();
    if (listPaintPending_ && now - lastListPaint_ >= listPaintInterval_) RepaintList();
    if (statusPending_ && now - lastStatusPaint_ >= kPaintInterval) ShowStatusNow();
    if (now - lastQueueLook_ < kQueueLookInterval) return;
    lastQueueLook_ = now;
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
    if (msg.message == WM_QUIT) {
        // The program is ending: leave the quit message for the main loop and stop the run.
        PostQuitMessage(static_cast<int>(msg.wParam));
        runState.abortRequested = true;
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void MainWindow::AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) {
    HWND list = operationList.hwnd;
    int row = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const wchar_t* texts[] = {operation, first, second};
    row = InsertListRow(list, row, texts, 3);
    if (row < 0) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    listPaintPending_ = true;
    if (GetTickCount() - lastListPaint_ >= listPaintInterval_) RepaintList();
}

void MainWindow::SetStatusText(const wchar_t* text) {
    FormatInto(statusText_, L"%s", text);
    copyPercent_ = -1;
    // Outside a run, and for the empty text that ends one, at once; otherwise batched.
    if (!running_ || text[0] == L'\0' || GetTickCount() - lastStatusPaint_ >= kPaintInterval) {
        ShowStatusNow();
    } else {
        statusPending_ = true;
    }
}

// The percent of the file being copied, beside the folder, at the pace of the status bar;
// a copy that ends within one piece never shows one.
void MainWindow::ShowCopyProgress(unsigned long long done, unsigned long long total) {
    int percent = done < total ? static_cast<int>(done * 100 / total) : -1;
    if (percent == copyPercent_) return;
    copyPercent_ = percent;
    statusPending_ = true;
}
