#pragma once
#include <windows.h>

#include <string>

#include "framework/controls.h"
#include "framework/window.h"
#include "run_figures.h"

// File › Save Log: the operation list as a UTF-8 text file, after a line naming the last run
// with its figures, through the same staged save as the set file.
class RunLog {
public:
    // The window's parts the log reads.
    struct Controls {
        const FWnd& window;  // owns the file dialog and the error box
        const FListView& operationList;
        const FStatusBar& statusBar;  // the last run's figures
    };
    explicit RunLog(const Controls& controls);

    void NoteRunForLog(const wchar_t* set, const wchar_t* kind);  // as a run starts
    // What was noted last, to put back when the run it was noted for did not happen after all.
    RunLogHeader NotedRun() const { return logHeader_; }
    void RestoreNotedRun(const RunLogHeader& run) { logHeader_ = run; }
    std::string LogContent() const;
    void SaveLogCommand();

private:
    Controls controls_;
    RunLogHeader logHeader_;
};
