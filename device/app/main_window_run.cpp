// The main window's side of a sync run: starting it, locking the interface, and the host
// operations the engine calls (message pump, log rows, status text).
#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "command_ids.h"
#include "framework/fault_guard.h"
#include "main_window.h"
#include "sync/file_ops.h"
#include "sync/keep_actions.h"
#include "sync/keep_texts.h"
#include "sync/run_undo.h"

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

struct MainWindow::RunScope {
    // The run ends here also when a fault abandons it: its lock, list and status go.
    MainWindow& window;
    RecoveryStep afterFault{[](void* w) noexcept { static_cast<MainWindow*>(w)->FinishRun(); }, &window};
    explicit RunScope(MainWindow& w) : window(w) { window.inRun_ = true; }
    ~RunScope() { window.FinishRun(); }
};

void MainWindow::Sync(bool backward, bool preview) {
    RunScope scope(*this);
    if (RefuseOverlongPaths()) return;
    runState.abortRequested = false;  // the last run's Abort
    // A run always uses what is on screen.
    ReadSetControls();
    CommitCurrentSet();
    PathBuffer from, to;
    CopyPath(from, backward ? CurrentSet.destination : CurrentSet.source);
    CopyPath(to, backward ? CurrentSet.source : CurrentSet.destination);
    NoteRunForLog(preview ? (backward ? L"Preview Backward" : L"Preview Forward") : (backward ? L"Backward" : L"Forward"));
    SyncOptions options;
    ApplySetFlags(CurrentSet, options);
    options.dryRun = preview;
    SyncEngine engine(*this, runState, options);
    // With Keep, nothing the run replaces or deletes is destroyed: a layer over the run's
    // actions moves it into a kept run of the written folder first.
    KeepActions keeping(engine.Actions(), *this, to, options.dryRun, options.keptRuns);
    if (options.keep) engine.UseActions(keeping);
    SendMessageW(statusBar.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));  // the last run's figures go
    if (!engine.CheckSyncFolders(from, to)) return;
    BeginRunFigures(engine.Stats(), preview, to);
    engine.RunSync(from, to);
    EndRunFigures();
}

void MainWindow::UndoLastRun() {
    RunScope scope(*this);
    if (RefuseOverlongPaths()) return;
    ReadSetControls();
    CommitCurrentSet();
    // The newer of the two folders' kept runs, by the order of runs in each store; the last
    // run's figures stay until an undo is under way.
    const RunLogHeader lastRun = logHeader_;  // a declined undo leaves the last run's log as it was
    NoteRunForLog(L"Undo");
    RunUndo destination(*this, runState), source(*this, runState);
    const RunUndo::Found inDestination = destination.FindRun(CurrentSet.destination);
    if (inDestination == RunUndo::Found::Refused) return;
    const RunUndo::Found inSource = source.FindRun(CurrentSet.source);
    if (inSource == RunUndo::Found::Refused) return;
    const bool destinationRun = inDestination == RunUndo::Found::Run, sourceRun = inSource == RunUndo::Found::Run;
    if (!destinationRun && !sourceRun) {
        ReportText(*this, KeepTexts::NothingToUndoIn, CurrentSet.destination, CurrentSet.source);
        return;
    }
    RunUndo& undo = destinationRun && (!sourceRun || destination.NewerThan(source)) ? destination : source;
    undo.Undo(true);
    if (undo.Declined()) {  // No changes nothing
        logHeader_ = lastRun;
        return;
    }
    wchar_t figures[kMessageChars];
    FormatUndoFigures(undo.Figures(), figures);
    SendMessageW(statusBar.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(figures));
}

void MainWindow::FinishRun() {
    if (display_.Running()) {
        SetStatusText(L"");
        EndRun();
    }
    figures_.stats = nullptr;  // they lived on the run's stack
    figures_.createdFolder = nullptr;
    inRun_ = false;
}

void MainWindow::SetRunControlsEnabled(bool enabled) {
    static const int menuItems[] = {kCmdOpenIni,     kCmdSaveIni,        kCmdSaveLog,         kCmdExit,
                                    kCmdForward,     kCmdBackward,       kCmdPreviewForward,  kCmdPreviewBackward,
                                    kCmdUndoLastRun, kCmdAbout};
    const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    for (int id : menuItems) EnableMenuItem(menu.handle, id, state);
    for (int i = kOptionBoxCount; i < kSetOptionCount; ++i) EnableMenuItem(menu.handle, kSetOptions[i].controlId, state);
    for (const FWindow* control : {static_cast<const FWindow*>(&setList), static_cast<const FWindow*>(&sourceEdit),
                                   static_cast<const FWindow*>(&destinationEdit),
                                   static_cast<const FWindow*>(&sourceBrowse),
                                   static_cast<const FWindow*>(&destinationBrowse), static_cast<const FWindow*>(&back),
                                   static_cast<const FWindow*>(&forward)}) {
        EnableWindow(control->hwnd, enabled);
    }
    for (const FCheckBox& box : optionBoxes) EnableWindow(box.hwnd, enabled);
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
    display_.Begin();
    faultsAtRunStart_ = FaultsCaught();
}

void MainWindow::EndRun() {
    display_.End();
    UnlockUiAfterRun();
}

// A question, a box or the result dialog shows over an up-to-date list, which keeps painting
// normally while it is open.
int MainWindow::AskPrompt(const Prompt& prompt) {
    display_.ShowNow();
    int answer = GuiSyncHost::AskPrompt(prompt);
    if (FaultedDuringRun()) answer = kIdCancel;  // what a faulted dialog showed is in doubt
    display_.ResumeBatching();
    return answer;
}

void MainWindow::ShowError(const wchar_t* text) {
    display_.ShowNow();
    GuiSyncHost::ShowError(text);
    display_.ResumeBatching();
}

void MainWindow::ShowSuccess() {
    display_.ShowNow();
    ShowRunFigures();  // beside the result
    if (figures_.preview && figures_.stats) {
        ShowPreviewResult();
    } else {
        GuiSyncHost::ShowSuccess();
    }
}

int MainWindow::AskUndo(const wchar_t* text) {
    display_.ShowNow();
    int answer = GuiSyncHost::AskUndo(text);
    display_.ResumeBatching();
    return answer;
}

int MainWindow::AskEmptySource(const wchar_t* text) {
    display_.ShowNow();
    int answer = GuiSyncHost::AskEmptySource(text);
    display_.ResumeBatching();
    return answer;
}

int MainWindow::AskLowBattery(const wchar_t* text) {
    display_.ShowNow();
    int answer = GuiSyncHost::AskLowBattery(text);
    display_.ResumeBatching();
    return answer;
}

// A fault taken anywhere during a run leaves the program's state in doubt: the run stops
// at its next step rather than go on writing and deleting files.
bool MainWindow::FaultedDuringRun() {
    if (display_.Running() && FaultsCaught() != faultsAtRunStart_) runState.abortRequested = true;
    return runState.abortRequested;
}

void MainWindow::PumpOneMessage() {
    if (FaultedDuringRun()) return;
    if (!display_.Step()) return;
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
    display_.AddRow(operation, first, second);
}

void MainWindow::SetStatusText(const wchar_t* text) { display_.SetStatus(text); }

void MainWindow::ShowCopyProgress(unsigned long long done, unsigned long long total) {
    display_.SetCopyProgress(done, total);
}
