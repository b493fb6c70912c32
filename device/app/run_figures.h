#pragma once
#include <string>

#include "framework/text.h"
#include "sync/sync_engine.h"

// What a run or a preview did, in words for the window (no window calls here).

// The status-bar line after a run: "12 files copied (3.4 MB), 3 files deleted, 1 folder
// removed, 0.52 s", after "Preview: " for a preview.
void FormatRunFigures(const RunStats& stats, double seconds, bool preview, wchar_t (&out)[kMessageChars]);

// The result box of a preview: what would happen, "Nothing was changed." at the end.
// `createdFolder`: the destination folder the run would create, or null.
std::wstring FormatPreviewResult(const RunStats& stats, const wchar_t* createdFolder);

extern const TextPair kPreviewCaption;
