#pragma once
#include <windows.h>

#include <string>

#include "base/text.h"
#include "framework/frame.h"
#include "run_display.h"
#include "run_figures.h"
#include "set_editor.h"
#include "set_file_session.h"
#include "status_line.h"
#include "sets/set_fields.h"
#include "sets/set_options.h"
#include "sync/dialogs/gui_sync_host.h"
#include "sync/sync_engine.h"

// The program's one window: the set list and the set's controls, the run buttons, the
// operation list and the status bar; the host of every sync run. Everything arrives as a
// message (commands, the set list's notifications); what it does is in main_window.cpp
// (creation, layout, commands), main_window_bands.cpp, main_window_sets.cpp (the set list
// and the set file), main_window_run.cpp (runs) and main_window_figures.cpp (a run's figures).
class MainWindow : public FAppFrame, public GuiSyncHost {
public:
    MainWindow();   // loads the registry settings, creates the control font
    ~MainWindow() override;  // saves the registry settings again

    bool CreateMainWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, int backgroundColour);

    // The parts the window's commands reach.
    SetEditor& Sets() { return sets_; }
    SetFileSession& SetFile() { return setFile_; }

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT OnCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The run's host: the parts the window supplies itself.
    void PumpOneMessage() override;
    void AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) override;
    void SetStatusText(const wchar_t* text) override;
    void ShowCopyProgress(unsigned long long done, unsigned long long total) override;
    void BeginRun() override;
    void EndRun() override;
    int AskPrompt(const Prompt& prompt) override;
    int AskEmptySource(const wchar_t* text) override;
    int AskUndo(const wchar_t* text) override;
    void ShowError(const wchar_t* text) override;
    void ShowSuccess() override;

private:
    // The in-process tests reach the window's parts through this peer of theirs.
    friend struct MainWindowTestPeer;

    void LayoutControls();
    void BuildCommandBands();
    HWND AddCommandBand(UINT bandId, int image, int size, UINT bandStyle);
    void CreateChildControls();
    void InsertOperationColumns();

    // Runs.
    void SyncForward();
    void SyncBackward();
    // The dry run of either direction: the rows the run would write, nothing changed, no
    // question asked, and a box saying what would happen.
    void PreviewForward();
    void PreviewBackward();
    void AbortSync() { runState.abortRequested = true; }
    void LockUiForRun();
    void UnlockUiAfterRun();
    void Sync(bool backward, bool preview = false);
    // Sync › Undo Last Run: the newer of the kept runs of the set's two folders is undone.
    void UndoLastRun();
    // From a run command to its end: every other command waits, also after a fault.
    struct RunScope;
    void SetRunControlsEnabled(bool enabled);
    void FinishRun();  // ends what a run left on (also after a fault), then unlocks the commands
    bool FaultedDuringRun();

    // The run's figures in the status bar once it is over (a preview's too); the next run
    // clears them.
    void BeginRunFigures(const RunStats& stats, bool preview, const wchar_t* to);
    void ShowRunFigures();
    void EndRunFigures();
    void ShowPreviewResult();

    RunState runState;

    FFont font;
    FComboBox setList;
    FEdit sourceEdit, destinationEdit;
    FStatic sourceLabel, destinationLabel;
    FPushButton sourceBrowse, destinationBrowse, back, forward, abort;
    FCheckBox optionBoxes[kOptionBoxCount];  // the first rows of kSetOptions
    FListView operationList;

    RunDisplay display_;
    RunFigures figures_;
    StatusLine statusLine_;
    bool inRun_ = false;  // from the run command to its end: every command but Abort waits
    unsigned faultsAtRunStart_ = 0;
    SetEditor sets_;
    SetFileSession setFile_;
};
