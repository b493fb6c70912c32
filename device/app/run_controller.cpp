#include "run_controller.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "base/paths.h"
#include "base/text.h"
#include "command_ids.h"
#include "framework/fault_guard.h"
#include "framework/message_boxes.h"
#include "sets/set_options.h"
#include "sync/file_ops.h"
#include "sync/keep_actions.h"
#include "sync/keep_texts.h"
#include "sync/run_undo.h"

RunController::RunController(SetEditor& sets, StatusLine& statusLine, Controls controls)
    : sets_(sets),
      statusLine_(statusLine),
      controls_(std::move(controls)),
      log_({controls_.window, controls_.operationList, controls_.statusBar}) {}

void RunController::Attach() {
    SetDialogOwner(controls_.window.hwnd);
    display_.Attach(controls_.operationList.hwnd, controls_.statusBar.hwnd);
}

bool RunController::Hears(WPARAM command) const { return !inRun_ || command == static_cast<WPARAM>(kCmdAbort); }

void RunController::SyncForward() { Sync(false); }
void RunController::SyncBackward() { Sync(true); }
void RunController::PreviewForward() { Sync(false, true); }
void RunController::PreviewBackward() { Sync(true, true); }

struct RunController::RunScope {
    // The run ends here also when a fault abandons it: its lock, list and status go.
    RunController& run;
    RecoveryStep afterFault{[](void* r) noexcept { static_cast<RunController*>(r)->FinishRun(); }, &run};
    explicit RunScope(RunController& r) : run(r) { run.inRun_ = true; }
    ~RunScope() { run.FinishRun(); }
};

void RunController::Sync(bool backward, bool preview) {
    RunScope scope(*this);
    if (sets_.RefuseOverlongPaths(*this)) return;
    runState.abortRequested = false;  // the last run's Abort
    // A run always uses what is on screen.
    sets_.ReadSetControls();
    sets_.CommitCurrentSet();
    PathBuffer from, to;
    CopyPath(from, backward ? sets_.CurrentSet.destination : sets_.CurrentSet.source);
    CopyPath(to, backward ? sets_.CurrentSet.source : sets_.CurrentSet.destination);
    log_.NoteRunForLog(sets_.CurrentSet.name, preview ? (backward ? L"Preview Backward" : L"Preview Forward")
                                                     : (backward ? L"Backward" : L"Forward"));
    SyncOptions options;
    ApplySetFlags(sets_.CurrentSet, options);
    options.dryRun = preview;
    SyncEngine engine(*this, runState, options);
    // With Keep, nothing the run replaces or deletes is destroyed: a layer over the run's
    // actions moves it into a kept run of the written folder first.
    KeepActions keeping(engine.Actions(), *this, to, options.dryRun, options.keptRuns);
    if (options.keep) engine.UseActions(keeping);
    SendMessageW(controls_.statusBar.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));  // the last run's figures go
    if (!engine.CheckSyncFolders(from, to)) return;
    BeginRunFigures(engine.Stats(), preview, to);
    engine.RunSync(from, to);
    EndRunFigures();
}

void RunController::UndoLastRun() {
    RunScope scope(*this);
    if (sets_.RefuseOverlongPaths(*this)) return;
    sets_.ReadSetControls();
    sets_.CommitCurrentSet();
    // The newer of the two folders' kept runs, by the order of runs in each store; the last
    // run's figures stay until an undo is under way.
    const RunLogHeader lastRun = log_.NotedRun();  // a declined undo leaves the last run's log as it was
    log_.NoteRunForLog(sets_.CurrentSet.name, L"Undo");
    RunUndo destination(*this, runState), source(*this, runState);
    const RunUndo::Found inDestination = destination.FindRun(sets_.CurrentSet.destination);
    if (inDestination == RunUndo::Found::Refused) return;
    const RunUndo::Found inSource = source.FindRun(sets_.CurrentSet.source);
    if (inSource == RunUndo::Found::Refused) return;
    const bool destinationRun = inDestination == RunUndo::Found::Run, sourceRun = inSource == RunUndo::Found::Run;
    if (!destinationRun && !sourceRun) {
        ReportText(*this, KeepTexts::NothingToUndoIn, sets_.CurrentSet.destination, sets_.CurrentSet.source);
        return;
    }
    RunUndo& undo = destinationRun && (!sourceRun || destination.NewerThan(source)) ? destination : source;
    undo.Undo(true, kDefaultMinBattery);
    if (undo.Declined()) {  // No changes nothing
        log_.RestoreNotedRun(lastRun);
        return;
    }
    wchar_t figures[kMessageChars];
    FormatUndoFigures(undo.Figures(), figures);
    SendMessageW(controls_.statusBar.hwnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(figures));
}

void RunController::FinishRun() {
    if (display_.Running()) {
        SetStatusText(L"");
        EndRun();
    }
    figures_.stats = nullptr;  // they lived on the run's stack
    figures_.createdFolder = nullptr;
    inRun_ = false;
}

void RunController::SetRunControlsEnabled(bool enabled) {
    static const int menuItems[] = {kCmdOpenIni,     kCmdSaveIni,        kCmdSaveLog,         kCmdExit,
                                    kCmdForward,     kCmdBackward,       kCmdPreviewForward,  kCmdPreviewBackward,
                                    kCmdUndoLastRun, kCmdAbout};
    const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    for (int id : menuItems) EnableMenuItem(controls_.menu.handle, id, state);
    for (int i = kOptionBoxCount; i < kSetOptionCount; ++i) EnableMenuItem(controls_.menu.handle, kSetOptions[i].controlId, state);
    for (const FWindow* control : controls_.locked) EnableWindow(control->hwnd, enabled);
    for (int id : {kCmdNewSet, kCmdDeleteSet}) SendMessageW(controls_.toolBar.hwnd, TB_ENABLEBUTTON, id, enabled);
    EnableWindow(controls_.abort.hwnd, !enabled);
}

void RunController::LockUiForRun() {
    SetRunControlsEnabled(false);
    SetFocus(controls_.abort.hwnd);
}

void RunController::UnlockUiAfterRun() {
    SetRunControlsEnabled(true);
    SetFocus(controls_.setList.hwnd);
}

void RunController::BeginRun() {
    LockUiForRun();
    display_.Begin();
    faultsAtRunStart_ = FaultsCaught();
}

void RunController::EndRun() {
    display_.End();
    UnlockUiAfterRun();
}

// A question, a box or the result dialog shows over an up-to-date list (OverTheList).
int RunController::AskPrompt(const Prompt& prompt) {
    return OverTheList([&] {
        int answer = GuiSyncHost::AskPrompt(prompt);
        return FaultedDuringRun() ? kIdCancel : answer;  // what a faulted dialog showed is in doubt
    });
}

void RunController::ShowError(const wchar_t* text) {
    OverTheList([&] {
        GuiSyncHost::ShowError(text);
        return true;
    });
}

void RunController::ShowSuccess() {
    display_.ShowNow();
    ShowRunFigures();  // beside the result
    if (figures_.preview && figures_.stats) {
        ShowPreviewResult();
    } else {
        GuiSyncHost::ShowSuccess();
    }
}

int RunController::AskUndo(const wchar_t* text) {
    return OverTheList([&] { return GuiSyncHost::AskUndo(text); });
}

int RunController::AskEmptySource(const wchar_t* text) {
    return OverTheList([&] { return GuiSyncHost::AskEmptySource(text); });
}

int RunController::AskLowBattery(const wchar_t* text) {
    return OverTheList([&] { return GuiSyncHost::AskLowBattery(text); });
}

// A fault taken anywhere during a run leaves the program's state in doubt: the run stops
// at its next step rather than go on writing and deleting files.
bool RunController::FaultedDuringRun() {
    if (display_.Running() && FaultsCaught() != faultsAtRunStart_) runState.abortRequested = true;
    return runState.abortRequested;
}

void RunController::PumpOneMessage() {
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

void RunController::AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) {
    display_.AddRow(operation, first, second);
    TestFaultPoint(FaultSite::LogRow);
}

void RunController::SetStatusText(const wchar_t* text) { display_.SetStatus(text); }

void RunController::ShowCopyProgress(unsigned long long done, unsigned long long total) {
    display_.SetCopyProgress(done, total);
}

void RunController::BeginRunFigures(const RunStats& stats, bool preview, const wchar_t* to) {
    figures_.stats = &stats;
    figures_.preview = preview;
    figures_.createdFolder = preview && GetFileAttributesW(to) == INVALID_FILE_ATTRIBUTES ? to : nullptr;
    figures_.shown = false;
    QueryPerformanceCounter(&figures_.start);
}

// Once per run: at its result, or at its end when it stopped before one.
void RunController::ShowRunFigures() {
    if (!figures_.stats || figures_.shown) return;
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const double seconds =
        static_cast<double>(now.QuadPart - figures_.start.QuadPart) / static_cast<double>(frequency.QuadPart);
    FormatRunFigures(*figures_.stats, seconds, figures_.preview, figures_.text);
    FormatBriefRunFigures(*figures_.stats, seconds, figures_.preview, figures_.brief);
    figures_.shown = true;
    statusLine_.Show(figures_.text, figures_.brief);
}

// The run empties the status bar as it ends: the figures come back after it.
void RunController::EndRunFigures() {
    ShowRunFigures();
    statusLine_.Show(figures_.text, figures_.brief);
    figures_.stats = nullptr;
    figures_.createdFolder = nullptr;
}

void RunController::ShowPreviewResult() {
    const std::wstring text = FormatPreviewResult(*figures_.stats, figures_.createdFolder);
    ShowMessageBox(controls_.window.hwnd, text.c_str(), Pick(kPreviewCaption), MB_OK | MB_ICONINFORMATION);
}
