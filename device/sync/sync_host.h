#pragma once
#include "error_reporter.h"
#include "prompts.h"

// Everything a run needs from the program around it. The main window is one host, the
// console runner another, the tests a third; the engine itself knows no window.
class SyncHost : public ErrorReporter {
public:
    // Services at most one waiting window message (repaint, Abort button).
    virtual void PumpOneMessage() = 0;
    virtual void AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) = 0;
    virtual void SetStatusText(const wchar_t* text) = 0;
    // A file copy under way: `done` of `total` bytes written. Comes after every piece of a
    // copy (then a pump follows), so a host that shows it keeps its own pace; a host that
    // shows nothing need not override it.
    virtual void ShowCopyProgress(unsigned long long done, unsigned long long total) {
        (void)done;
        (void)total;
    }
    // One of the three questions; returns kIdYes, kIdYesToAll, kIdNo or kIdCancel.
    virtual int AskPrompt(const Prompt& prompt) = 0;
    // The source-folder notice (a missing source, overlapping folders); returns when closed.
    virtual void ShowFolderNotice(const wchar_t* text) = 0;
    // The create-destination question; returns kIdYes to create.
    virtual int AskCreateDestination(const wchar_t* text) = 0;
    // Before a deletion pass would empty the destination from an empty source, even with
    // Force; returns kIdYes to go on (No is the safe answer and the default).
    virtual int AskEmptySource(const wchar_t* text) = 0;
    // Before a run on a low battery, even with Force; returns kIdYes to run (No is the
    // safe answer and the default).
    virtual int AskLowBattery(const wchar_t* text) = 0;
    // Before an undo puts a folder back; returns kIdYes to go on (No is the default).
    virtual int AskUndo(const wchar_t* text) = 0;
    virtual void ShowSuccess() = 0;
    // Around a run: lock the interface and empty the log; unlock it again.
    virtual void BeginRun() = 0;
    virtual void EndRun() = 0;
};
