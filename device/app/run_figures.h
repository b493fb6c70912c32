#pragma once
#include <windows.h>

#include <string>

#include "base/text.h"
#include "sync/run_undo.h"
#include "sync/sync_engine.h"

// What a run or a preview did, in words for the window (no window calls here).

// The status-bar line after a run: "12 files copied (3.4 MB), 3 files deleted, 1 folder
// removed, 0.52 s"; a preview's in its own words ("Preview: 12 files would be copied ...");
// "Stopped: " or "Preview stopped: " first for one that did not walk to its end.
void FormatRunFigures(const RunStats& stats, double seconds, bool preview, wchar_t (&out)[kMessageChars]);
// Its short form for a narrow status bar, the counts first: "12 copied (3.4 MB), 3 deleted,
// 1 removed, 0.52 s".
void FormatBriefRunFigures(const RunStats& stats, double seconds, bool preview, wchar_t (&out)[kMessageChars]);

// The result box of a preview: what would happen, "Nothing was changed." at the end.
// `createdFolder`: the destination folder the run would create, or null.
std::wstring FormatPreviewResult(const RunStats& stats, const wchar_t* createdFolder);

// The status-bar line after an undo: "Undo: 12 entries put back, 3 entries removed, 0 entries left as
// they were", "Undo stopped: " first for one an Abort ended.
void FormatUndoFigures(const UndoFigures& figures, wchar_t (&out)[kMessageChars]);

extern const TextPair kPreviewCaption;

// What the main window keeps of a run for its figures.
struct RunFigures {
    const RunStats* stats = nullptr;  // while a run is on
    bool preview = false;
    const wchar_t* createdFolder = nullptr;  // a preview's missing destination
    LARGE_INTEGER start{};
    bool shown = false;
    wchar_t text[kMessageChars] = L"";
    wchar_t brief[kMessageChars] = L"";
};

// What a saved log's first line says of the last run: its set, its kind, when it started.
struct RunLogHeader {
    wchar_t set[MAX_PATH] = L"";
    const wchar_t* kind = L"";  // "Forward", "Backward", "Preview Forward", ..., "Undo"; empty: no run yet
    SYSTEMTIME started{};
};
