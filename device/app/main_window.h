#pragma once
#include <windows.h>

#include "base/text.h"
#include "framework/frame.h"
#include "sets/set_fields.h"
#include "sync/dialogs/gui_sync_host.h"
#include "sync/sync_engine.h"

// The program's one window: the set list and the set's controls, the run buttons, the
// operation list and the status bar; the host of every sync run.
class MainWindow : public FAppFrame, public GuiSyncHost {
public:
    MainWindow();   // loads the registry settings, creates the control font
    ~MainWindow() override;  // saves the registry settings again

    bool CreateMainWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, int backgroundColour);

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    void LayoutControls();

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

    // The INI set file. A file that could not be read is never written over by the save at
    // exit; a failed save keeps the previous file as the program's INI file.
    int LoadSetFile();
    int SaveSetFile();
    void OpenSetFileCommand();
    void SaveSetFileCommand();
    // The settings and the set file, once, when the window closes; says so when it fails.
    void SaveAtExit();
    // Posted after creation: the notice about a set file that could not be read.
    void ShowStartupNotice();
    bool SetFileUnread() const { return setFileUnread_; }

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

    // The run's host: the parts the window supplies itself.
    void PumpOneMessage() override;
    void AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) override;
    void SetStatusText(const wchar_t* text) override;
    void ShowCopyProgress(unsigned long long done, unsigned long long total) override;
    void BeginRun() override;
    void EndRun() override;
    int AskPrompt(const Prompt& prompt) override;
    int AskEmptySource(const wchar_t* text) override;
    void ShowError(const wchar_t* text) override;
    void ShowSuccess() override;

    int currentIndex = -1;
    SetFields CurrentSet;
    RunState runState;

    FFont font;
    FComboBox setList;
    FEdit sourceEdit, destinationEdit;
    FStatic sourceLabel, destinationLabel;
    FPushButton sourceBrowse, destinationBrowse, back, forward, abort;
    FCheckBox deleteAfterCopy, dosTime, force, excludeObj;
    FListView operationList;

private:
    void Sync(bool backward, bool preview = false);
    // The run's figures in the status bar once it is over (a preview's too); the next run
    // clears them.
    void BeginRunFigures(const RunStats& stats, bool preview, const wchar_t* to);
    void ShowRunFigures();
    void EndRunFigures();
    void ShowPreviewResult();
    void BuildCommandBands();
    HWND AddCommandBand(UINT bandId, int image, int size, UINT bandStyle);
    void CreateChildControls();
    void InsertOperationColumns();
    void DestroySetRecords();
    void RepaintList();
    void ShowListNow();
    void ShowStatusNow();
    void SetRunControlsEnabled(bool enabled);
    void FinishRun();  // ends what a run left on (also after a fault), then unlocks the commands
    bool FaultedDuringRun();
    bool WriteSetFile(const wchar_t* path);
    void OfferToKeepUnsavedSets();
    void ShowSetFileFailure(const TextPair& text, const wchar_t* path, DWORD code);
    bool RefuseOverlongPaths();

    // Tick counts (milliseconds, wrapping every 49.7 days: only differences are compared).
    DWORD lastQueueLook_ = 0;
    DWORD lastListPaint_ = 0;
    bool listPaintPending_ = false;
    bool running_ = false;
    bool inRun_ = false;        // from the run command to its end: every command but Abort waits
    unsigned faultsAtRunStart_ = 0;
    bool setFileUnread_ = false;
    DWORD setFileFailure_ = ERROR_SUCCESS;
    bool exitSaved_ = false;
    DWORD listPaintInterval_ = 0;
    DWORD lastStatusPaint_ = 0;
    bool statusPending_ = false;
    wchar_t statusText_[kMessageChars] = L"";
    struct RunFigures {
        const RunStats* stats = nullptr;  // while a run is on
        bool preview = false;
        const wchar_t* createdFolder = nullptr;  // a preview's missing destination
        LARGE_INTEGER start{};
        bool shown = false;
        wchar_t text[kMessageChars] = L"";
    } figures_;
    int copyPercent_ = -1;  // shown beside the folder while a file copies; -1: none
};

// Inserts a row with texts[0] in column 0 and the rest in the following columns; the new
// row's index, or -1 when the list refused it (then nothing else is set).
int InsertListRow(HWND list, int index, const wchar_t* const* texts, int count);
