#include "run_undo.h"

#include <cwchar>
#include <string>

#include "file_numbers.h"
#include "file_ops.h"
#include "folder_search.h"
#include "keep_texts.h"
#include "kept_runs.h"
#include "sync_texts.h"

namespace {

// The copy the run wrote, untouched since: the same size and last-write time.
bool StillTheRunsCopy(const WIN32_FILE_ATTRIBUTE_DATA& info, const RecordEntry& entry) {
    return !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && FileSizeOf(info) == entry.size &&
           FileTimeTicks(info.ftLastWriteTime) == entry.lastWrite;
}

bool Exists(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* info) {
    return GetFileAttributesExW(path, GetFileExInfoStandard, info) != 0;
}

std::wstring Entries(unsigned long long n) {
    return std::to_wstring(n) + (UiLanguage ? L" 個" : n == 1 ? L" entry" : L" entries");
}

// Removes what is empty below `folder`, then `folder` itself when it is empty; what holds
// anything stays.
bool RemoveEmptyFolders(const wchar_t* folder) {
    bool empty = true;
    {
        FolderSearch search(folder);
        PathBuffer child;
        while (const WIN32_FIND_DATAW* found = search.Next()) {
            bool plainFolder = (found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsFolderLink(found->dwFileAttributes);
            if (!plainFolder || !JoinPath(child, folder, found->cFileName) || !RemoveEmptyFolders(child)) empty = false;
        }
        if (search.Error() != 0) return false;
    }
    return empty && RemoveDirectoryW(folder) != 0;
}

}  // namespace

bool RunUndo::FindRun(const wchar_t* folder) {
    folder_ = folder;
    if (!KeptStorePath(folder, store_)) return false;
    std::vector<std::wstring> runs;
    DWORD error;
    if (!ListKeptRuns(store_, runs, &error)) return ReportFolderUnlistable(host_, store_, error);
    // The newest first; one an earlier undo marked is passed over.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        if (!JoinPath(run_, store_, run->c_str()) || !JoinPath(record_, run_, kKeptStoreName)) continue;
        bool undone = false;
        DWORD code;
        if (!ReadRunRecord(record_, entries_, &undone, &code)) {
            // A run killed before its record was made kept nothing.
            if (code != ERROR_FILE_NOT_FOUND) return ReportUnreadable(host_, record_, code);
            entries_.clear();
        }
        if (undone) continue;
        ParseRunStamp(run->c_str(), &time_, &suffix_);
        return true;
    }
    run_[0] = L'\0';
    return false;
}

bool RunUndo::NewerThan(const RunUndo& other) const {
    FILETIME mine, theirs;
    SystemTimeToFileTime(&time_, &mine);
    SystemTimeToFileTime(&other.time_, &theirs);
    int order = CompareFileTime(&mine, &theirs);
    return order > 0 || (order == 0 && suffix_ > other.suffix_);
}

bool RunUndo::Step() {
    host_.PumpOneMessage();
    return !state_.abortRequested;
}

// What the undo would do as things stand, for the question.
void RunUndo::Plan(UndoFigures& planned) const {
    PathBuffer path;
    WIN32_FILE_ATTRIBUTE_DATA info;
    for (const RecordEntry& entry : entries_) {
        if (entry.kind == RecordEntry::Kept) {
            if (JoinPath(path, run_, entry.path.c_str()) && Exists(path, &info)) ++planned.putBack;
        } else if (JoinPath(path, folder_, entry.path.c_str()) && Exists(path, &info)) {
            if (entry.kind == RecordEntry::Made || StillTheRunsCopy(info, entry)) ++planned.removed;
        }
    }
}

void RunUndo::Leave(const wchar_t* path, const TextPair& reason) {
    host_.AddLogRow(kLogSkip, path, Pick(reason));
    ++figures_.left;
}

bool RunUndo::PutBack(const wchar_t* kept, const wchar_t* place) {
    PathBuffer folder, name;
    SplitPath(place, folder, name);
    if (!CreateFolderPath(host_, folder)) return false;
    host_.AddLogRow(kLogBack, kept, place);
    if (!RenameEntry(kept, place)) return ReportWithReason(host_, KeepTexts::KeepFailed, GetLastError(), kept, place);
    ++figures_.putBack;
    return true;
}

bool RunUndo::UndoEntry(const RecordEntry& entry) {
    PathBuffer place, kept;
    if (!JoinPath(place, folder_, entry.path.c_str())) {
        ReportPathTooLong(host_, folder_, entry.path.c_str());
        return false;
    }
    WIN32_FILE_ATTRIBUTE_DATA info;
    switch (entry.kind) {
    case RecordEntry::Copied:
        if (!Exists(place, &info)) return true;
        if (!StillTheRunsCopy(info, entry)) {
            Leave(place, KeepTexts::ChangedSinceRun);
            return true;
        }
        host_.AddLogRow(kLogDelete, place, L"");
        if (!DeleteEntryReport(host_, place)) return false;
        ++figures_.removed;
        return true;
    case RecordEntry::Made:
        if (!Exists(place, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
        if (IsFolderLink(info.dwFileAttributes) || !RemoveDirectoryW(place)) {
            Leave(place, KeepTexts::FolderNotEmpty);
            return true;
        }
        host_.AddLogRow(kLogRemoveFolder, place, L"");
        ++figures_.removed;
        return true;
    case RecordEntry::Kept:
        if (!JoinPath(kept, run_, entry.path.c_str()) || !Exists(kept, &info)) return true;  // back already
        if (GetFileAttributesW(place) != kUnreadableAttributes) {
            Leave(place, KeepTexts::PlaceTaken);
            return true;
        }
        return PutBack(kept, place);
    }
    return true;
}

// An undone run's folder goes once nothing of it is left; otherwise it is marked undone.
void RunUndo::Tidy() {
    if (figures_.left == 0 && DeleteFileW(record_) && RemoveEmptyFolders(run_)) {
        RemoveDirectoryW(store_);  // only when no other run is kept there
        return;
    }
    RunRecordWriter record;
    if (GetFileAttributesW(record_) == kUnreadableAttributes ? record.Create(record_) : record.OpenToAdd(record_)) {
        record.AddUndone();
    }
}

bool RunUndo::Undo(bool ask) {
    if (ask) {
        UndoFigures planned;
        Plan(planned);
        wchar_t when[kRunStampChars], text[kMessageChars];
        FormatRunTime(time_, when);
        FormatInto(text, Pick(KeepTexts::UndoQuestion), when, Entries(planned.putBack).c_str(),
                   Entries(planned.removed).c_str());
        if (host_.AskUndo(text) != kIdYes) return false;
    }
    host_.BeginRun();
    state_.abortRequested = false;
    figures_ = UndoFigures();
    host_.SetStatusText(folder_);
    bool ok = true;
    // Newest first: what the run did last is undone first (a folder's files before the folder).
    for (auto entry = entries_.rbegin(); ok && entry != entries_.rend(); ++entry) {
        ok = Step() && UndoEntry(*entry);
    }
    if (ok) Tidy();
    if (ok && figures_.left > 0) ok = ReportText(host_, KeepTexts::UndoLeft, static_cast<int>(figures_.left));
    host_.SetStatusText(L"");
    host_.EndRun();
    return ok;
}
