#include "run_display.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/window_calls.h"

namespace {

// Looks at the message queue at most this often during a run: a look costs tens of
// microseconds under some platforms and a message it takes may be a repaint costing
// milliseconds; Abort still acts well within a tenth of a second.
constexpr DWORD kQueueLookInterval = 20;
// Repaints the operation list and the status bar at most this often during a run instead of
// after every row or folder: a repaint can cost tens of milliseconds under some platforms.
// The list waits longer when its repaints are slow, so that painting never takes more than
// about a ninth of the run. The final state is always painted, and so is the state at each
// dialog of the run.
constexpr DWORD kPaintInterval = 150;
constexpr DWORD kPaintCostFactor = 8;

}  // namespace

int InsertListRow(HWND list, int index, const wchar_t* const* texts, int count) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(texts[0]);
    int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return -1;
    for (int column = 1; column < count; ++column) {
        LVITEMW sub{};
        sub.iSubItem = column;
        sub.pszText = const_cast<wchar_t*>(texts[column]);
        SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

void RunDisplay::Begin() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    UpdateWindow(list_);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    running_ = true;
    lastListPaint_ = lastStatusPaint_ = GetTickCount();
    listPaintInterval_ = kPaintInterval;
    listPaintPending_ = statusPending_ = false;
}

void RunDisplay::End() {
    running_ = false;
    listPaintPending_ = true;
    RepaintList();
}

bool RunDisplay::Step() {
    DWORD now = GetTickCount();
    if (listPaintPending_ && now - lastListPaint_ >= listPaintInterval_) RepaintList();
    if (statusPending_ && now - lastStatusPaint_ >= kPaintInterval) ShowStatusNow();
    if (now - lastQueueLook_ < kQueueLookInterval) return false;
    lastQueueLook_ = now;
    return true;
}

void RunDisplay::ShowNow() { ShowListNow(); }

void RunDisplay::ResumeBatching() {
    if (running_) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

void RunDisplay::RepaintList() {
    if (!listPaintPending_) return;
    ShowListNow();
    ResumeBatching();
}

void RunDisplay::ShowListNow() {
    DWORD start = GetTickCount();
    int last = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)) - 1;
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    if (last >= 0) SendMessageW(list_, LVM_ENSUREVISIBLE, last, TRUE);
    RepaintNow(list_);
    lastListPaint_ = GetTickCount();
    listPaintInterval_ = std::max(kPaintInterval, kPaintCostFactor * (lastListPaint_ - start));
    listPaintPending_ = false;
    if (statusPending_) ShowStatusNow();
}

void RunDisplay::ShowStatusNow() {
    wchar_t text[kMessageChars];
    // The percent first: a long folder would push it out of sight.
    if (copyPercent_ >= 0) {
        FormatInto(text, L"%d%%  %s", copyPercent_, statusText_);
    } else {
        FormatInto(text, L"%s", statusText_);
    }
    SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    lastStatusPaint_ = GetTickCount();
    statusPending_ = false;
}

void RunDisplay::AddRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) {
    int row = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    const wchar_t* texts[] = {operation, first, second};
    row = InsertListRow(list_, row, texts, 3);
    if (row < 0) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    listPaintPending_ = true;
    if (GetTickCount() - lastListPaint_ >= listPaintInterval_) RepaintList();
}

void RunDisplay::SetStatus(const wchar_t* text) {
    FormatInto(statusText_, L"%s", text);
    copyPercent_ = -1;
    // Outside a run, and for the empty text that ends one, at once; otherwise batched.
    if (!running_ || text[0] == L'\0' || GetTickCount() - lastStatusPaint_ >= kPaintInterval) {
        ShowStatusNow();
    } else {
        statusPending_ = true;
    }
}

// A copy that ends within one piece never shows a percent.
void RunDisplay::SetCopyProgress(unsigned long long done, unsigned long long total) {
    int percent = done < total ? static_cast<int>(done * 100 / total) : -1;
    if (percent == copyPercent_) return;
    copyPercent_ = percent;
    statusPending_ = true;
}
