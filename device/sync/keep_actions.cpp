#include "keep_actions.h"

#include <algorithm>
#include <cwchar>

#include "file_numbers.h"
#include "folder_search.h"
#include "keep_texts.h"
#include "sync_texts.h"

namespace {

// A kept run that cannot be pruned stays with a row of its own, not an error box.
class NoErrorBox final : public ErrorReporter {
public:
    void ShowError(const wchar_t*) override {}
};

}  // namespace

KeepActions::KeepActions(FileActions& inner, SyncHost& host, const wchar_t* written, bool dryRun, int keptRuns)
    : inner_(inner), host_(host), written_(written), keptRuns_(keptRuns), disk_(dryRun) {}

const wchar_t* KeepActions::Relative(const wchar_t* path) const {
    size_t length = wcslen(written_);
    if (_wcsnicmp(path, written_, length) != 0) return nullptr;
    const wchar_t* rest = path + length;
    if (length > 0 && written_[length - 1] == L'\\') return *rest ? rest : nullptr;
    return rest[0] == L'\\' && rest[1] ? rest + 1 : nullptr;
}

// The store must be a folder of its own: through a link the run would keep its files in
// whatever the link leads to, outside the two folders. The run folder is named one past the
// newest run there, and its record must fit the path limit: all this is known before the
// run changes anything.
bool KeepActions::PlanRun() {
    if (planned_) return true;
    if (!KeptStorePath(written_, store_)) {
        ReportPathTooLong(host_, written_, kKeptStoreName);
        return false;
    }
    DWORD attributes = GetFileAttributesW(store_);
    storeThere_ = attributes != kUnreadableAttributes;
    if (!storeThere_) {
        DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) return ReportUnreadable(host_, store_, code);
    } else if (!IsFolderAttributes(attributes)) {
        return ReportText(host_, KeepTexts::StoreInTheWay, store_);
    } else if (IsFolderLink(attributes)) {
        LinkKind kind = ClassifyLink(store_);
        if (kind == LinkKind::Unknown) return ReportUnreadable(host_, store_, GetLastError());
        if (kind == LinkKind::Link) return ReportText(host_, KeepTexts::StoreInTheWay, store_);
    }
    std::vector<KeptRun> runs;
    DWORD error;
    if (storeThere_ && !ListKeptRuns(store_, runs, &error)) return ReportFolderUnlistable(host_, store_, error);
    order_ = runs.empty() ? 1 : runs.back().stamp.order + 1;
    if (order_ > kMaxRunOrder) return ReportText(host_, KeepTexts::StoreInTheWay, store_);
    GetLocalTime(&time_);
    FormatRunStamp(order_, time_, runName_);
    if (!JoinPath(run_, store_, runName_) || !JoinPath(record_, run_, kKeptStoreName)) {
        return ReportText(host_, KeepTexts::NoRoomForRecord, written_, store_);
    }
    planned_ = true;
    return true;
}

// Made only where no folder of that name is (the next order on a clash: another run of the
// same folder at the same moment), so that a run never mixes its files with another's.
bool KeepActions::MakeRunFolder() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (disk_.MakeFolder(run_)) return disk_.CreateRecord(recordFile_, record_) || RecordFailed();
        DWORD code = GetLastError();
        if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) {
            wchar_t text[kMessageChars];
            CreateFolderErrorText(code, run_, text);
            host_.ShowError(text);
            return false;
        }
        if (++order_ > kMaxRunOrder) break;
        FormatRunStamp(order_, time_, runName_);
        if (!JoinPath(run_, store_, runName_) || !JoinPath(record_, run_, kKeptStoreName)) break;
    }
    return ReportText(host_, SyncTexts::FileInTheWay, run_);
}

bool KeepActions::StartRun() {
    if (started_) return true;
    if (!PlanRun()) return false;
    if (!storeThere_) {
        if (!disk_.MakeFolderReport(host_, store_, FILE_ATTRIBUTE_HIDDEN)) return false;
        storeThere_ = true;
    }
    if (!MakeRunFolder()) return false;
    started_ = true;
    return true;
}

bool KeepActions::RecordFailed() {
    return ReportWithReason(host_, KeepTexts::RecordFailed, GetLastError(), record_);
}

// The oldest runs beyond the count go, never this one; a run that cannot be removed stays
// with a "note" row (the run went well: nothing of the user's is at stake).
void KeepActions::PruneOldRuns() {
    std::vector<KeptRun> runs;
    DWORD error;
    if (!ListKeptRuns(store_, runs, &error)) return;
    size_t count = runs.size();
    if (std::none_of(runs.begin(), runs.end(), [this](const KeptRun& run) { return run.name == runName_; })) {
        ++count;  // a dry run's folder is not there
    }
    for (const KeptRun& run : runs) {
        if (count <= static_cast<size_t>(keptRuns_)) break;
        if (run.name == runName_) continue;
        PathBuffer old;
        if (!JoinPath(old, store_, run.name.c_str())) continue;
        host_.AddLogRow(kLogRemoveFolder, old, L"");
        --count;
        NoErrorBox failure;
        if (!disk_.RemoveTree(failure, old)) host_.AddLogRow(kLogNote, old, Pick(KeepTexts::NotRemovable));
    }
}

void KeepActions::EndOfRun() {
    if (changes_ == 0) {
        // Made for a change that then did not happen (a stop, a failure): nothing to undo.
        if (started_) {
            recordFile_.Close();
            disk_.RemoveUnused(record_, run_);
        }
        return;
    }
    recordFile_.Close();
    PruneOldRuns();
}

bool KeepActions::PlanKeep(const wchar_t* path, const wchar_t* relative, PathBuffer& where, PathBuffer& kept) {
    if (!PlanRun()) return false;
    bool fits = CopyPath(where, relative);
    for (int n = 2; fits && keptPaths_.Contains(where); ++n) {
        fits = swprintf(where, kPathChars, L"%s~%d", relative, n) > 0;
    }
    if (!fits || !JoinPath(kept, run_, where)) {
        host_.AddLogRow(kLogSkip, path, Pick(KeepTexts::KeptPathTooLong));
        report_.leftAlone = true;
        return false;
    }
    return true;
}

bool KeepActions::Keep(const wchar_t* path, const wchar_t* where, const wchar_t* kept) {
    if (!StartRun()) return false;
    // The record says so first: a run killed after the move still knows where it went.
    if (!recordFile_.AddKept(Relative(path), where)) return RecordFailed();
    PathBuffer folder, name;
    SplitPath(kept, folder, name);
    if (!disk_.MakeFolderPath(host_, folder)) return false;
    if (!disk_.Rename(path, kept, written_)) return ReportWithReason(host_, KeepTexts::KeepFailed, GetLastError(), path, run_);
    // This place and the folders above it are taken in the run folder now.
    PathBuffer taken;
    CopyPath(taken, where);
    do {
        keptPaths_.Insert(taken);
    } while (ParentFolder(taken) && taken[0]);
    host_.AddLogRow(kLogKeep, path, kept);
    ++report_.kept;
    ++changes_;
    return true;
}

bool KeepActions::KeepPlanned(const wchar_t* path) {
    const wchar_t* relative = Relative(path);
    if (relative == nullptr) return ReportWithReason(host_, KeepTexts::KeepFailed, ERROR_INVALID_NAME, path, store_);
    PathBuffer where, kept;
    if (!PlanKeep(path, relative, where, kept)) return report_.leftAlone;
    return Keep(path, where, kept);
}

bool KeepActions::MakeFolder(const wchar_t* path, bool withParents) {
    const wchar_t* relative = Relative(path);
    if (relative == nullptr) return inner_.MakeFolder(path, withParents);
    // What would stop the making stops the run before its first change.
    if (!LookBeforeMakeFolder(host_, path, withParents) || !StartRun()) return false;
    if (!recordFile_.AddMade(relative)) return RecordFailed();
    if (!inner_.MakeFolder(path, withParents)) return false;
    ++changes_;
    return true;
}

bool KeepActions::BeforeTemporary(const wchar_t* temporary) {
    if (!StartRun()) return false;
    const wchar_t* relative = Relative(current_->destination);
    const wchar_t* temporaryRelative = Relative(temporary);
    if (!relative || !temporaryRelative) return ReportWithReason(host_, KeepTexts::KeepFailed, ERROR_INVALID_NAME, temporary, store_);
    return recordFile_.AddCopy(relative, temporaryRelative, current_->size, FileTimeTicks(current_->times.lastWrite)) ||
           RecordFailed();
}

bool KeepActions::BeforeReplace(const wchar_t* destination) {
    if (!keepOnReplace_) return true;
    if (!Keep(destination, replaceWhere_, replaceKept_)) return false;
    replaced_ = true;
    return true;
}

bool KeepActions::CopyFile(const FileCopy& copy, CopyProgress* progress) {
    if (!PlanRun()) return false;
    const WIN32_FILE_ATTRIBUTE_DATA* before = copy.destinationBefore;
    keepOnReplace_ = before && !(before->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    replaced_ = false;
    FileCopy fresh = copy;
    if (keepOnReplace_) {
        // The walk names the file as the folder holds it: the new file keeps that name.
        const wchar_t* relative = Relative(copy.destination);
        if (relative == nullptr) {
            return ReportWithReason(host_, KeepTexts::KeepFailed, ERROR_INVALID_NAME, copy.destination, store_);
        }
        if (!PlanKeep(copy.destination, relative, replaceWhere_, replaceKept_)) return report_.leftAlone;
    }
    // The old file goes into the run folder with its attributes: nothing is lifted from it.
    fresh.beforeReplace = this;
    fresh.hookMovesDestination = keepOnReplace_;
    current_ = &fresh;
    bool copied = inner_.CopyFile(fresh, progress);
    current_ = nullptr;
    keepOnReplace_ = false;
    if (!copied) {
        // Kept, and then the new file could not take its place: the old one goes back.
        if (replaced_ && GetFileAttributesW(fresh.destination) == kUnreadableAttributes &&
            disk_.Rename(replaceKept_, fresh.destination, store_)) {
            --report_.kept;
            --changes_;
        }
        return false;
    }
    ++changes_;
    // What the copy is now, so that Undo can tell it from a file changed since.
    ULONGLONG size = copy.size, lastWrite = FileTimeTicks(copy.times.lastWrite);
    if (!disk_.ReadWritten(fresh.destination, &size, &lastWrite)) return ReportUnreadable(host_, fresh.destination, GetLastError());
    const ULONGLONG* checksum = fresh.check && fresh.check->verified ? &fresh.check->checksum : nullptr;
    return recordFile_.AddCopied(Relative(fresh.destination), size, lastWrite, checksum) || RecordFailed();
}

bool KeepActions::DeleteFile(const wchar_t* path, LinkKind, WalkedFolder*) { return KeepPlanned(path); }

// A folder goes as one rename with all it holds; a link as itself.
bool KeepActions::RemoveFolder(const wchar_t* path, LinkKind, Removed& removed) {
    if (!KeepPlanned(path)) return false;
    if (report_.leftAlone) return true;
    ++removed.folders;
    return true;
}
