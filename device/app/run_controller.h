#pragma once
#include <windows.h>

#include <vector>

#include "framework/controls.h"
#include "framework/handles.h"
#include "framework/window.h"
#include "run_display.h"
#include "run_figures.h"
#include "run_log.h"
#include "set_editor.h"
#include "status_line.h"
#include "sync/dialogs/gui_sync_host.h"
#include "sync/sync_engine.h"

// A sync run of the main window from its command to its end: it starts the run (Forward,
// Backward, their previews, Undo Last Run) on what the controls show, locks every command but
// Abort while the run is on (also after a fault), hosts the engine (pump, rows, status,
// questions, boxes) and puts the run's figures in the status bar once it is over.
class RunController : public GuiSyncHost {
public:
    // The window's parts a run locks, writes and reads.
    struct Controls {
        const FWnd& window;  // owns the run's dialogs
        const FMenu& menu;
        const FCommandBar& toolBar;  // New and Delete
        const FStatusBar& statusBar;
        const FListView& operationList;
        const FPushButton& abort;
        const FWindow& setList;              // has the focus after a run
        std::vector<const FWindow*> locked;  // the other controls a run disables
    };
    RunController(SetEditor& sets, StatusLine& statusLine, Controls controls);

    void Attach();  // once the window's controls are there

    void SyncForward();
    void SyncBackward();
    // The dry run of either direction: the rows the run would write, nothing changed, no
    // question asked, and a box saying what would happen.
    void PreviewForward();
    void PreviewBackward();
    // Sync › Undo Last Run: the newer of the kept runs of the set's two folders is undone.
    void UndoLastRun();
    void AbortSync() { runState.abortRequested = true; }
    // During a run only Abort is heard, whatever sent the command.
    bool Hears(WPARAM command) const;
    RunLog& Log() { return log_; }

    // The engine's host.
    void PumpOneMessage() override;
    void AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) override;
    void SetStatusText(const wchar_t* text) override;
    void ShowCopyProgress(unsigned long long done, unsigned long long total) override;
    void BeginRun() override;
    void EndRun() override;
    int AskPrompt(const Prompt& prompt) override;
    int AskEmptySource(const wchar_t* text) override;
    int AskLowBattery(const wchar_t* text) override;
    int AskUndo(const wchar_t* text) override;
    void ShowError(const wchar_t* text) override;
    void ShowSuccess() override;

    RunState runState;  // abortRequested, confirmEach

private:
    void Sync(bool backward, bool preview = false);
    // From a run command to its end: every other command waits, also after a fault.
    struct RunScope;
    void SetRunControlsEnabled(bool enabled);
    void LockUiForRun();
    void UnlockUiAfterRun();
    void FinishRun();  // ends what a run left on (also after a fault), then unlocks the commands
    bool FaultedDuringRun();
    // A question or a box shown over an up-to-date list, which keeps painting normally while
    // it is open.
    template <typename Show>
    auto OverTheList(Show show) {
        display_.ShowNow();
        auto answer = show();
        display_.ResumeBatching();
        return answer;
    }

    // The run's figures in the status bar once it is over (a preview's too); the next run
    // clears them.
    void BeginRunFigures(const RunStats& stats, bool preview, const wchar_t* to);
    void ShowRunFigures();
    void EndRunFigures();
    void ShowPreviewResult();

    SetEditor& sets_;
    StatusLine& statusLine_;
    Controls controls_;
    RunDisplay display_;
    RunFigures figures_;
    RunLog log_;
    bool inRun_ = false;  // from the run command to its end: every command but Abort waits
    unsigned faultsAtRunStart_ = 0;
};
