#include "run_undo.h"

#include <cwchar>
#include <map>
#include <string>

#include "file_numbers.h"
#include "file_ops.h"
#include "folder_search.h"
#include "keep_texts.h"
#include "sync_texts.h"

namespace {

// The file the run wrote, untouched since: a file (never a link: a link is not what the run
// made) of the same size and last-write time.
bool StillTheRunsFile(const wchar_t* path, ULONGLONG size, ULONGLONG lastWrite) {
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &info)) return false;
    return !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && FileSizeOf(info) == size &&
           FileTimeTicks(info.ftLastWriteTime) == lastWrite && ClassifyLink(path) == LinkKind::Entry;
}

// Whether anything stands at `path` (a link as itself, whatever it leads to).
bool Exists(const wchar_t* path) {
    if (GetFileAttributesW(path) != kUnreadableAttributes) return true;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(path, &found));
    return search.Valid();
}

// Every folder from below `base` down to the one holding `path` is a plain folder, or not
// there (then neither is anything below it): no link and no file on the way, so that what is
// done at `path` is done inside `base`. A mount point is a folder.
bool WayIsPlain(const wchar_t* base, const wchar_t* path) {
    size_t start = wcslen(base);
    PathBuffer folder;
    if (!CopyPath(folder, path)) return false;
    for (size_t i = start + 1; folder[i]; ++i) {
        if (folder[i] != L'\\') continue;
        folder[i] = L'\0';
        DWORD attributes = GetFileAttributesW(folder);
        if (attributes == kUnreadableAttributes) {
            DWORD code = GetLastError();
            // A dangling link reads as missing: only a name that is truly not there is.
            return (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) && !Exists(folder);
        }
        if (!IsFolderAttributes(attributes)) return false;
        if (IsFolderLink(attributes) && ClassifyLink(folder) != LinkKind::Entry) return false;
        folder[i] = L'\\';
    }
    return true;
}

std::wstring Entries(unsigned long long n) { return CountText(n, L"entry", L"entries"); }

const TextPair& FaultReason(RecordFault fault) {
    switch (fault) {
    case RecordFault::TooLong: return KeepTexts::RecordLineTooLong;
    case RecordFault::UnsafePath: return KeepTexts::RecordLineUnsafe;
    case RecordFault::TooLarge: return KeepTexts::RecordTooLarge;
    default: return KeepTexts::RecordLineMalformed;
    }
}

bool IsStoreOfItsOwn(const wchar_t* store) {
    DWORD attributes = GetFileAttributesW(store);
    if (attributes == kUnreadableAttributes) return !Exists(store);
    return IsFolderAttributes(attributes) && (!IsFolderLink(attributes) || ClassifyLink(store) == LinkKind::Entry);
}

}  // namespace

RunUndo::Found RunUndo::FindRun(const wchar_t* folder) {
    folder_ = folder;
    run_[0] = L'\0';
    if (!KeptStorePath(folder, store_)) return Found::None;
    if (!IsStoreOfItsOwn(store_)) {
        ReportText(host_, KeepTexts::StoreIsLink, store_);
        return Found::Refused;
    }
    std::vector<KeptRun> runs;
    DWORD error;
    if (!ListKeptRuns(store_, runs, &error)) {
        ReportFolderUnlistable(host_, store_, error);
        return Found::Refused;
    }
    // The newest first; one an earlier undo marked is passed over.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        if (!JoinPath(run_, store_, run->name.c_str()) || !JoinPath(record_, run_, kKeptStoreName)) continue;
        DWORD code;
        if (!ReadRunRecord(record_, contents_, &code)) {
            // A record that is not there is read as empty: what its folder holds is named.
            if (code != ERROR_FILE_NOT_FOUND) {
                ReportUnreadable(host_, record_, code);
                return Found::Refused;
            }
        }
        if (contents_.undone) continue;
        stamp_ = run->stamp;
        return Found::Run;
    }
    run_[0] = L'\0';
    return Found::None;
}

bool RunUndo::Step() {
    host_.PumpOneMessage();
    return !state_.abortRequested && power_.Holds(host_);
}

void RunUndo::Leave(const wchar_t* path, const TextPair& reason, bool act) {
    if (act) host_.AddLogRow(kLogSkip, path, Pick(reason));
    ++figures_.left;
}

// Said in the record before the act: a stopped undo run again knows what it did.
bool RunUndo::Mark(const RecordEntry& entry) {
    if (marks_.IsOpen() && !marks_.AddBack(entry.line)) {
        return ReportWithReason(host_, KeepTexts::RecordFailed, GetLastError(), record_);
    }
    return true;
}

bool RunUndo::RemoveMade(const wchar_t* path, const RecordEntry& entry, bool act, bool folder) {
    if (act) {
        if (!Mark(entry)) return false;
        host_.AddLogRow(folder ? kLogRemoveFolder : kLogDelete, path, L"");
        if (!(folder ? RemoveFolderReport(host_, path) : DeleteEntryReport(host_, path))) return false;
    } else {
        countedRemoved_.insert(path);
    }
    ++figures_.removed;
    return true;
}

bool RunUndo::UndoCopied(const RecordEntry& entry, bool act) {
    copiedPaths_.insert(entry.path);
    PathBuffer place;
    if (!JoinPath(place, folder_, entry.path.c_str())) return true;  // never written then
    if (!WayIsPlain(folder_, place)) {
        Leave(place, KeepTexts::LinkOnTheWay, act);
        return true;
    }
    if (!Exists(place)) return true;
    // A verified copy's checksum tells a file changed within its size and time; one that
    // cannot be read counts as changed.
    ULONGLONG sum = 0;
    if (StillTheRunsFile(place, entry.size, entry.lastWrite) &&
        (!entry.hasChecksum || (ReadBackChecksum(place, &sum) && sum == entry.checksum))) {
        return RemoveMade(place, entry, act, false);
    }
    // What a stopped undo put back in its place is no change.
    if (backLines_.count(entry.line) == 0) Leave(place, KeepTexts::ChangedSinceRun, act);
    return true;
}

// A copy the record names before it was written: its temporary file, if a kill left it, and
// the copy itself where the kill came after it took its place but before "copied".
bool RunUndo::UndoCopy(const RecordEntry& entry, bool act) {
    // A later attempt of the same copy (its name was taken) or its "copied" line says more.
    const bool superseded = !copyPaths_.insert(entry.path).second;
    const bool copied = copiedPaths_.count(entry.path) != 0;
    PathBuffer place, temporary;
    if (!JoinPath(place, folder_, entry.path.c_str()) || !JoinPath(temporary, folder_, entry.where.c_str())) return true;
    PathBuffer placeFolder, temporaryFolder, name;
    SplitPath(place, placeFolder, name);
    SplitPath(temporary, temporaryFolder, name);
    // A temporary file lies beside its copy: a line naming another folder is not the run's.
    if (_wcsicmp(placeFolder, temporaryFolder) != 0) {
        Leave(place, KeepTexts::RecordLineUnsafe, act);
        return true;
    }
    if (!WayIsPlain(folder_, place)) {
        Leave(place, KeepTexts::LinkOnTheWay, act);
        return true;
    }
    const bool inPlace = _wcsicmp(place, temporary) == 0;
    if (!superseded && !inPlace && Exists(temporary)) {
        // What the run began: a file no larger than the source, never a folder or a link.
        WIN32_FILE_ATTRIBUTE_DATA info;
        if (GetFileAttributesExW(temporary, GetFileExInfoStandard, &info) &&
            !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && FileSizeOf(info) <= entry.size &&
            ClassifyLink(temporary) == LinkKind::Entry) {
            if (!RemoveMade(temporary, entry, act, false)) return false;
        } else {
            Leave(temporary, KeepTexts::ChangedSinceRun, act);
        }
    }
    if (copied || superseded || !Exists(place)) return true;
    if (StillTheRunsFile(place, entry.size, entry.lastWrite)) return RemoveMade(place, entry, act, false);
    // Written in place and stopped part-way: the run's, but not whole; anything else there
    // (a copy that never landed) is not the run's.
    if (inPlace && backLines_.count(entry.line) == 0) Leave(place, KeepTexts::PartialCopy, act);
    return true;
}

bool RunUndo::UndoMade(const RecordEntry& entry, bool act) {
    PathBuffer place;
    if (!JoinPath(place, folder_, entry.path.c_str())) return true;
    DWORD attributes = GetFileAttributesW(place);
    if (attributes == kUnreadableAttributes) {
        if (Exists(place)) Leave(place, KeepTexts::LinkOnTheWay, act);  // a dangling link
        return true;
    }
    if (!IsFolderAttributes(attributes)) return true;  // not the run's folder
    if (!WayIsPlain(folder_, place) || IsFolderLink(attributes)) {
        Leave(place, KeepTexts::LinkOnTheWay, act);
        return true;
    }
    bool empty = true;
    {
        FolderSearch search(place);
        PathBuffer child;
        while (const WIN32_FIND_DATAW* found = search.Next()) {
            if (act || !JoinPath(child, place, found->cFileName) || !Gone(child)) empty = false;
        }
        if (search.Error() != 0) empty = false;
    }
    if (!empty) {
        Leave(place, KeepTexts::FolderNotEmpty, act);
        return true;
    }
    return RemoveMade(place, entry, act, true);
}

bool RunUndo::UndoKept(const RecordEntry& entry, bool act) {
    PathBuffer place, kept;
    if (!JoinPath(kept, run_, entry.where.c_str())) return true;  // never kept then
    if (!WayIsPlain(run_, kept)) {
        Leave(kept, KeepTexts::LinkOnTheWay, act);
        return true;
    }
    if (!Exists(kept)) return true;  // back already, or never moved
    if (!JoinPath(place, folder_, entry.path.c_str())) {
        Leave(kept, KeepTexts::PlaceTooLong, act);
        return true;
    }
    if (!WayIsPlain(folder_, place)) {
        Leave(place, KeepTexts::LinkOnTheWay, act);
        return true;
    }
    if (Exists(place) && !Gone(place)) {
        Leave(place, KeepTexts::PlaceTaken, act);
        return true;
    }
    if (act) {
        if (!Mark(entry)) return false;
        PathBuffer parent, name;
        SplitPath(place, parent, name);
        if (!CreateFolderPath(host_, parent)) return false;
        host_.AddLogRow(kLogBack, kept, place);
        if (!RenameEntry(kept, place)) return ReportWithReason(host_, KeepTexts::KeepFailed, GetLastError(), kept, place);
    }
    ++figures_.putBack;
    return true;
}

bool RunUndo::UndoEntry(const RecordEntry& entry, bool act) {
    switch (entry.kind) {
    case RecordEntry::Copied: return UndoCopied(entry, act);
    case RecordEntry::Copy: return UndoCopy(entry, act);
    case RecordEntry::Made: return UndoMade(entry, act);
    case RecordEntry::Kept: return UndoKept(entry, act);
    default: return true;
    }
}

// Lines that cannot be acted on, then every entry, newest first: what the run did last is
// undone first (a folder's files before the folder).
void RunUndo::RunThrough(bool act) {
    figures_ = UndoFigures();
    copiedPaths_.clear();
    copyPaths_.clear();
    keptWheres_.clear();
    backLines_.clear();
    countedRemoved_.clear();
    for (const RecordEntry& entry : contents_.entries) {
        if (entry.kind == RecordEntry::Back) backLines_.insert(entry.backLine);
        if (entry.kind == RecordEntry::Kept) keptWheres_.insert(entry.where);
    }
    for (const RecordLineFault& fault : contents_.faults) {
        Leave(FormatString(L"%s:%u", record_, fault.line).c_str(), FaultReason(fault.fault), act);
    }
    // A replace is recorded as "copy", "kept", "copied": killed before "copied", its copy
    // may stand in the kept file's place, and goes before the kept file comes back.
    std::map<std::wstring, const RecordEntry*> lastCopy;
    for (const RecordEntry& entry : contents_.entries) {
        if (entry.kind == RecordEntry::Copy) lastCopy[entry.path] = &entry;
    }
    for (auto entry = contents_.entries.rbegin(); entry != contents_.entries.rend(); ++entry) {
        if (act && !Step()) {
            figures_.stopped = true;
            return;
        }
        if (entry->kind == RecordEntry::Kept) {
            auto copy = lastCopy.find(entry->path);
            if (copy != lastCopy.end() && copy->second->line < entry->line && !copiedPaths_.count(entry->path) &&
                !copyPaths_.count(entry->path) && !UndoCopy(*copy->second, act)) {
                figures_.stopped = true;
                return;
            }
        }
        if (!UndoEntry(*entry, act)) {
            figures_.stopped = true;  // reported where it failed
            return;
        }
    }
}

// What the run folder still holds that the record does not name (a record cut short or
// deleted) is said; the folders the run made there to keep entries in go when empty.
void RunUndo::NameWhatStays(const wchar_t* folder, const wchar_t* relative) {
    FolderSearch search(folder);
    PathBuffer child, childRelative;
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        if (*relative == L'\0' && IsKeptStoreName(found->cFileName)) continue;  // the record
        if (!JoinPath(child, folder, found->cFileName)) continue;
        if (*relative == L'\0') {
            CopyPath(childRelative, found->cFileName);
        } else {
            JoinPath(childRelative, relative, found->cFileName);
        }
        if (keptWheres_.count(childRelative)) continue;  // left with its row
        if (IsFolderAttributes(found->dwFileAttributes) && !IsFolderLink(found->dwFileAttributes)) {
            NameWhatStays(child, childRelative);
            RemoveDirectoryW(child);  // only when empty
        } else {
            Leave(child, KeepTexts::NotInRecord, true);
        }
    }
}

// An undone run's folder goes once nothing of it is left; otherwise its record is kept whole
// and marked undone.
void RunUndo::Tidy() {
    NameWhatStays(run_, L"");
    bool onlyRecord = true;
    {
        FolderSearch search(run_);
        while (const WIN32_FIND_DATAW* found = search.Next()) {
            if (!IsKeptStoreName(found->cFileName)) onlyRecord = false;
        }
        if (search.Error() != 0) onlyRecord = false;
    }
    marks_.Close();
    if (onlyRecord && figures_.left == 0 && (DeleteFileW(record_) || !Exists(record_)) && RemoveDirectoryW(run_)) {
        RemoveDirectoryW(store_);  // only when no other run is kept there
        return;
    }
    RunRecordWriter record;
    if (Exists(record_) ? record.OpenToAdd(record_) : record.Create(record_)) record.AddUndone();
}

bool RunUndo::Undo(bool ask, int minBattery) {
    declined_ = false;
    if (ask) {
        RunThrough(false);
        wchar_t when[kRunStampChars];
        FormatRunTime(stamp_.time, when);
        const std::wstring text = FormatString(Pick(KeepTexts::UndoQuestion), when, folder_,
                                               Entries(figures_.putBack).c_str(), Entries(figures_.removed).c_str());
        declined_ = host_.AskUndo(text.c_str()) != kIdYes;
    }
    // An undo moves and deletes as a run does: a flat battery must not cut it short either.
    if (declined_ || !BatteryAllowsRun(host_, minBattery)) {
        declined_ = true;
        figures_ = UndoFigures();
        return false;
    }
    power_.Start();
    host_.BeginRun();
    state_.abortRequested = false;
    host_.SetStatusText(folder_);
    if (Exists(record_)) marks_.OpenToAdd(record_);
    RunThrough(true);
    bool ok = !figures_.stopped;
    if (ok) Tidy();
    marks_.Close();
    if (ok && figures_.left > 0) ok = ReportText(host_, KeepTexts::UndoLeft, static_cast<int>(figures_.left));
    host_.SetStatusText(L"");
    host_.EndRun();
    return ok;
}
