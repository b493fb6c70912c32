#pragma once
#include <windows.h>

#include "file_actions.h"
#include "kept_runs.h"
#include "run_record.h"
#include "sync_host.h"

struct RunStats;

// Keep: a layer over the run's file actions that destroys nothing. Before a replace or a
// delete, the old file or folder is moved (renamed, never copied) into this run's folder
// in the store of the written folder, at its path relative to that folder, with a "keep"
// row; the run's record says what was kept, made and copied, so that Undo can put the
// folder back. The run folder is made before the first change (a run that changes nothing
// leaves none), and then the oldest kept runs beyond the count go. A move that fails stops
// the run before anything is replaced or deleted. In a dry run nothing is moved or made,
// and the rows are the same.
class KeepActions final : public FileActions, private ReplaceHook {
public:
    KeepActions(FileActions& inner, SyncHost& host, RunStats& stats, const wchar_t* written, bool dryRun,
                int keptRuns);

    bool MakeFolder(const wchar_t* path, bool withParents) override;
    bool CopyFile(const FileCopy& copy, CopyProgress* progress) override;
    bool DeleteFile(const wchar_t* path, LinkKind kind, WalkedFolder* walked) override;
    bool RemoveFolder(const wchar_t* path, LinkKind kind, Removed& removed) override;

private:
    // The old file goes into the run folder once the new one is complete, just before the
    // new one takes its place: a run stopped or killed during the copy leaves it as it was.
    bool BeforeReplace(const wchar_t* destination) override;
    bool StartRun();
    bool OpenStore();
    bool MakeRunFolder();
    void PruneOldRuns();
    // Moves `path` to its place in the run folder (`kept`), with its record line and row.
    bool Keep(const wchar_t* path, PathBuffer& kept);
    // `path` relative to the written folder; null when it does not lie in it.
    const wchar_t* Relative(const wchar_t* path) const;
    bool Record(RecordEntry::Kind kind, const wchar_t* path, ULONGLONG size = 0, ULONGLONG lastWrite = 0);

    FileActions& inner_;
    SyncHost& host_;
    RunStats& stats_;
    const wchar_t* written_;
    bool dryRun_;
    int keptRuns_;
    bool started_ = false;
    PathBuffer store_ = L"";
    PathBuffer run_ = L"";
    wchar_t runName_[kRunStampChars] = L"";
    RunRecordWriter record_;
    PathBuffer replaced_ = L"";  // where the copy under way kept the file it replaces
};
