#pragma once
#include <windows.h>

#include "base/text.h"

// What a run shows in the main window while it goes: the rows of the operation list and
// the status bar's text (with the percent of a large copy), painted at a bounded pace, and
// how often the run looks at the message queue. Under some platforms a look at the queue
// costs tens of microseconds and a repaint milliseconds; painting after every row would
// cost more than the run.
class RunDisplay {
public:
    void Attach(HWND list, HWND statusBar) {
        list_ = list;
        statusBar_ = statusBar;
    }

    // Empties the list and freezes its painting; rows are painted at a bounded rate from now.
    void Begin();
    // Paints the final state; the list paints itself again as it did before the run.
    void End();
    bool Running() const { return running_; }

    void AddRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second);
    void SetStatus(const wchar_t* text);
    // The percent of the file being copied, shown before the folder at the status bar's pace.
    void SetCopyProgress(unsigned long long done, unsigned long long total);

    // Before a question or a box of the run: the list and the status are painted now and the
    // list paints itself while the dialog is open.
    void ShowNow();
    // After the dialog: back to batched painting while the run goes on.
    void ResumeBatching();

    // At each step of the run: paints what is due; true when it is time to look at the
    // message queue again.
    bool Step();

private:
    void RepaintList();
    void ShowListNow();
    void ShowStatusNow();

    HWND list_ = nullptr;
    HWND statusBar_ = nullptr;
    bool running_ = false;
    // Tick counts (milliseconds, wrapping every 49.7 days: only differences are compared).
    DWORD lastQueueLook_ = 0;
    DWORD lastListPaint_ = 0;
    DWORD listPaintInterval_ = 0;
    bool listPaintPending_ = false;
    DWORD lastStatusPaint_ = 0;
    bool statusPending_ = false;
    wchar_t statusText_[kMessageChars] = L"";
    int copyPercent_ = -1;  // shown before the folder while a file copies; -1: none
};

// Inserts a row with texts[0] in column 0 and the rest in the following columns; the new
// row's index, or -1 when the list refused it (then nothing else is set).
int InsertListRow(HWND list, int index, const wchar_t* const* texts, int count);
