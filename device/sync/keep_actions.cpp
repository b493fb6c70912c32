#include "keep_actions.h"

#include <cwchar>

#include "file_numbers.h"
#include "folder_search.h"
#include "keep_texts.h"
#include "sync_engine.h"
#include "sync_texts.h"

namespace {

// A kept run that cannot be pruned stays with a row of its own, not an error box.
class NoErrorBox final : public ErrorReporter {
public:
    void ShowError(const wchar_t*) override {}
};


}  // namespace

KeepActions::KeepActions(FileActions& inner, SyncHost& host, RunStats& stats, const wchar_t* written, bool dryRun,
                         int keptRuns)
    : inner_(inner), host_(host), stats_(stats), written_(written), dryRun_(dryRun), keptRuns_(keptRuns) {}

const wchar_t* KeepActions::Relative(const wchar_t* path) const {
    size_t length = wcslen(written_);
    if (_wcsnicmp(path, written_, length) != 0) return nullptr;
    const wchar_t* rest = path + length;
    if (length > 0 && written_[length - 1] == L'\\') return *rest ? rest : nullptr;
    return rest[0] == L'\\' && rest[1] ? rest + 1 : nullptr;
}

// The store must be a folder of its own: through a link the run would keep its files in
// whatever the link leads to, outside the two folders.
bool KeepActions::OpenStore() {
    if (!KeptStorePath(written_, store_)) {
        ReportPathTooLong(host_, written_, kKeptStoreName);
        return false;
    }
    DWORD attributes = GetFileAttributesW(store_);
    if (attributes == kUnreadableAttributes) {
        DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) return ReportUnreadable(host_, store_, code);
        if (dryRun_) return true;
        if (!CreateFolderReport(host_, store_)) return false;
        SetFileAttributesW(store_, FILE_ATTRIBUTE_HIDDEN);
        return true;
    }
    if (!IsFolderAttributes(attributes)) return ReportText(host_, KeepTexts::StoreInTheWay, store_);
    if (IsFolderLink(attributes)) {
        LinkKind kind = ClassifyLink(store_);
        if (kind == LinkKind::Unknown) return ReportUnreadable(host_, store_, GetLastError());
        if (kind == LinkKind::Link) return ReportText(host_, KeepTexts::StoreInTheWay, store_);
    }
    return true;
}

// Named after the local time, made only where no folder of that name is (a suffix on a
// clash), so that a run never mixes its files with another's.
bool KeepActions::MakeRunFolder() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    for (int suffix = 1; suffix <= 999; ++suffix) {
        FormatRunStamp(now, suffix, runName_);
        if (!JoinPath(run_, store_, runName_)) {
            ReportPathTooLong(host_, store_, runName_);
            return false;
        }
        if (dryRun_) {
            if (GetFileAttributesW(run_) == kUnreadableAttributes) return true;
            continue;
        }
        if (CreateDirectoryW(run_, nullptr)) {
            PathBuffer record;
            if (!JoinPath(record, run_, kKeptStoreName)) {
                ReportPathTooLong(host_, run_, kKeptStoreName);
                return false;
            }
            if (!record_.Create(record)) return ReportWithReason(host_, KeepTexts::RecordFailed, GetLastError(), record);
            return true;
        }
        DWORD code = GetLastError();
        if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS) {
            wchar_t text[kMessageChars];
            CreateFolderErrorText(code, run_, text);
            host_.ShowError(text);
            return false;
        }
    }
    return ReportText(host_, SyncTexts::FileInTheWay, run_);
}

// The oldest runs beyond the count go, never this one; a run that cannot be removed stays
// with a "skip" row (the run goes on: nothing of the user's is at stake).
void KeepActions::PruneOldRuns() {
    std::vector<std::wstring> runs;
    DWORD error;
    if (!ListKeptRuns(store_, runs, &error)) return;
    size_t count = runs.size() + (dryRun_ ? 1 : 0);  // a dry run's folder is not there
    for (const std::wstring& name : runs) {
        if (count <= static_cast<size_t>(keptRuns_)) break;
        if (name == runName_) continue;
        PathBuffer old;
        if (!JoinPath(old, store_, name.c_str())) continue;
        host_.AddLogRow(kLogRemoveFolder, old, L"");
        --count;
        if (dryRun_) continue;
        NoErrorBox failure;
        if (!RemoveFolderTree(failure, old)) {
            host_.AddLogRow(kLogSkip, old, Pick(KeepTexts::NotRemovable));
            ++stats_.entriesSkipped;
        }
    }
}

bool KeepActions::StartRun() {
    if (started_) return true;
    if (!OpenStore() || !MakeRunFolder()) return false;
    started_ = true;
    PruneOldRuns();
    return true;
}

bool KeepActions::Record(RecordEntry::Kind kind, const wchar_t* path, ULONGLONG size, ULONGLONG lastWrite) {
    if (dryRun_) return true;
    const wchar_t* relative = Relative(path);
    if (relative && record_.Add(kind, relative, size, lastWrite)) return true;
    PathBuffer record;
    JoinPath(record, run_, kKeptStoreName);
    return ReportWithReason(host_, KeepTexts::RecordFailed, relative ? GetLastError() : ERROR_INVALID_NAME, record);
}

bool KeepActions::Keep(const wchar_t* path, PathBuffer& kept) {
    if (!StartRun()) return false;
    const wchar_t* relative = Relative(path);
    if (relative == nullptr) return ReportWithReason(host_, KeepTexts::KeepFailed, ERROR_INVALID_NAME, path, run_);
    if (!JoinPath(kept, run_, relative)) {
        ReportPathTooLong(host_, run_, relative);
        return false;
    }
    if (!dryRun_) {
        // The record says so first: a run killed after the move still knows where it went.
        if (!Record(RecordEntry::Kept, path)) return false;
        PathBuffer folder, name;
        SplitPath(kept, folder, name);
        if (!CreateFolderPath(host_, folder)) return false;
        if (!RenameEntry(path, kept)) return ReportWithReason(host_, KeepTexts::KeepFailed, GetLastError(), path, run_);
    }
    host_.AddLogRow(kLogKeep, path, kept);
    ++stats_.entriesKept;
    return true;
}

bool KeepActions::MakeFolder(const wchar_t* path, bool withParents) {
    if (!dryRun_ && Relative(path)) {
        if (!StartRun() || !Record(RecordEntry::Made, path)) return false;
    }
    return inner_.MakeFolder(path, withParents);
}

bool KeepActions::BeforeReplace(const wchar_t* destination) { return Keep(destination, replaced_); }

bool KeepActions::CopyFile(const FileCopy& copy, CopyProgress* progress) {
    if (!StartRun()) return false;
    const WIN32_FILE_ATTRIBUTE_DATA* before = copy.destinationBefore;
    replaced_[0] = L'\0';
    if (before && !(before->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (dryRun_) {
            if (!Keep(copy.destination, replaced_)) return false;
            return inner_.CopyFile(copy, progress);
        }
        // The old file keeps its attributes in the run folder: nothing is lifted from it.
        FileCopy fresh = copy;
        fresh.destinationBefore = nullptr;
        fresh.beforeReplace = this;
        if (!inner_.CopyFile(fresh, progress)) {
            // Kept, and then the new file could not take its place: the old one goes back.
            if (replaced_[0] && GetFileAttributesW(copy.destination) == kUnreadableAttributes &&
                RenameEntry(replaced_, copy.destination)) {
                --stats_.entriesKept;
            }
            return false;
        }
    } else if (!inner_.CopyFile(copy, progress)) {
        return false;
    }
    if (dryRun_) return true;
    // What the copy is now, so that Undo can tell it from a file changed since.
    WIN32_FILE_ATTRIBUTE_DATA written;
    if (!GetFileAttributesExW(copy.destination, GetFileExInfoStandard, &written)) {
        return ReportUnreadable(host_, copy.destination, GetLastError());
    }
    return Record(RecordEntry::Copied, copy.destination, FileSizeOf(written), FileTimeTicks(written.ftLastWriteTime));
}

bool KeepActions::DeleteFile(const wchar_t* path, LinkKind, WalkedFolder*) {
    PathBuffer kept;
    return Keep(path, kept);
}

// A folder goes as one rename with all it holds; a link as itself.
bool KeepActions::RemoveFolder(const wchar_t* path, LinkKind, Removed& removed) {
    PathBuffer kept;
    if (!Keep(path, kept)) return false;
    ++removed.folders;
    return true;
}
