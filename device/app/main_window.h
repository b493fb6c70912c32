#pragma once
#include <windows.h>

#include <string>

#include "base/text.h"
#include "framework/frame.h"
#include "run_display.h"
#include "run_figures.h"
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
    int AskLowBattery(const wchar_t* text) override;
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

    // Sets (the list items with their records, the working copy, the controls).
    void ClearCurrentSet();
    void ResetCurrentSet();
    void LoadCurrentSet(int index);
    void ShowCurrentSet();
    void ReadSetControls();
    int InsertSet(int index);
    void RemoveSet(int index);
    void CommitCurrentSet();
    void OnSetSelChange();
    void OnSetListDropDown();
    void NewSet();
    void DeleteSet();
    void BrowseFolderInto(FEdit& edit);
    int SetCount() const;
    void DestroySetRecords();
    void ShowOption(int index, bool on);
    bool OptionShownOn(int index) const;
    void ToggleMenuOption(int command);  // the click on an option shown as a menu item
    void EditOptionText(const SetOption& option);  // its dialog, for the current set

    // The INI set file. A file that could not be read is never written over by the save at
    // exit; a failed save keeps the previous file as the program's INI file.
    int LoadSetFile();
    int SaveSetFile();
    void OpenSetFileCommand();
    void SaveSetFileCommand();
    // File › Save Log: the operation list as a UTF-8 text file, after a line naming the run
    // with its figures, through the same staged save as the set file.
    void SaveLogCommand();
    std::string LogContent() const;
    void NoteRunForLog(const wchar_t* kind);
    // The settings and the set file, once, when the window closes; says so when it fails.
    void SaveAtExit();
    // Posted after creation: the notice about a set file that could not be read.
    void ShowStartupNotice();
    bool WriteSetFile(const wchar_t* path);
    std::string SetFileContent() const;  // the set list as the set file holds it
    void OfferToKeepUnsavedSets(const wchar_t* question);
    void ShowSetFileFailure(const TextPair& text, const wchar_t* path, DWORD code);

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
    bool RefuseOverlongPaths();

    // The run's figures in the status bar once it is over (a preview's too); the next run
    // clears them.
    void BeginRunFigures(const RunStats& stats, bool preview, const wchar_t* to);
    void ShowRunFigures();
    void EndRunFigures();
    void ShowPreviewResult();

    int currentIndex = -1;
    SetFields CurrentSet;
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
    RunLogHeader logHeader_;
    bool inRun_ = false;  // from the run command to its end: every command but Abort waits
    unsigned faultsAtRunStart_ = 0;
    bool setFileUnread_ = false;
    DWORD setFileFailure_ = ERROR_SUCCESS;
    bool exitSaved_ = false;
    // The set list as it was when the file was read or last saved. When the file's own bytes
    // would not be written again (another code page, lines the program drops), the save at
    // exit leaves it alone while nothing changed since, and asks once something did.
    std::string setFileAsRead_;
    bool setFileOnDisk_ = false;  // setFileAsRead_ is what the file holds
    bool setFileReadsBack_ = true;
};
