#pragma once
#include <windows.h>

#include "disk_changes.h"
#include "file_actions.h"
#include "kept_runs.h"
#include "name_rules.h"
#include "run_record.h"
#include "sync_host.h"

// Keep: a layer over the run's file actions that destroys nothing. Before a replace or a
// delete, the old file or folder is moved (renamed, never copied) into this run's folder
// in the store of the written folder, at its path relative to that folder, with a "keep"
// row; the run's record names each change before it is made (see run_record.h), so that
// Undo can put the folder back after a stop or a kill at any moment. The run folder is made
// at the run's first change (a run that changes nothing leaves none), and only after a run
// that changed something do the oldest kept runs beyond the count go. A move that fails
// stops the run before anything is replaced or deleted; an entry whose kept place would pass
// the path limit stays as it was, with a "skip" row. A dry run takes the same steps, with
// the same looks and rows: only its lowest changes are not made (see DiskChanges).
class KeepActions final : public FileActions, private ReplaceHook {
public:
    // Over `inner`, for a run that writes `written`; a host that wants Keep puts it between
    // the engine and its actions (see SyncEngine::UseActions).
    KeepActions(FileActions& inner, SyncHost& host, const wchar_t* written, bool dryRun, int keptRuns);

    bool MakeFolder(const wchar_t* path, bool withParents) override;
    bool CopyFile(const FileCopy& copy, CopyProgress* progress) override;
    bool DeleteFile(const wchar_t* path, LinkKind kind, WalkedFolder* walked) override;
    bool RemoveFolder(const wchar_t* path, LinkKind kind, Removed& removed) override;

    // At the run's end: a run folder in which nothing was changed goes again; after a run that
    // changed something, the oldest kept runs beyond the count go (one that cannot is a "note").
    void EndOfRun() override;

private:
    bool BeforeTemporary(const wchar_t* temporary) override;
    // The old file goes into the run folder once the new one is complete, just before the
    // new one takes its place: a run stopped or killed during the copy leaves it as it was.
    bool BeforeReplace(const wchar_t* destination) override;
    // Chooses the run folder's name and checks the store, making nothing; once.
    bool PlanRun();
    // Makes the store, the run folder and its record: at the first change.
    bool StartRun();
    bool MakeRunFolder();
    void PruneOldRuns();
    // Where `relative` goes in the run folder: its own path, or, where this run kept
    // something there already, the path with "~2", "~3", ... on its last part. False (with a
    // "skip" row, counted) when that would pass the path limit: the entry stays.
    bool PlanKeep(const wchar_t* path, const wchar_t* relative, PathBuffer& where, PathBuffer& kept);
    // Moves `path` to its place in the run folder (`kept`), with its record line and row.
    bool Keep(const wchar_t* path, const wchar_t* where, const wchar_t* kept);
    // Keep with its plan; true with the report's leftAlone set when the entry stays.
    bool KeepPlanned(const wchar_t* path);
    // `path` relative to the written folder; null when it does not lie in it.
    const wchar_t* Relative(const wchar_t* path) const;
    bool RecordFailed();

    FileActions& inner_;
    SyncHost& host_;
    const wchar_t* written_;
    int keptRuns_;
    DiskChanges disk_;  // made, or in a dry run only looked at
    bool planned_ = false;
    bool started_ = false;
    unsigned long long changes_ = 0;  // changes made (a dry run: that would be made)
    PathBuffer store_ = L"";
    bool storeThere_ = false;
    PathBuffer run_ = L"";
    PathBuffer record_ = L"";
    unsigned order_ = 1;
    SYSTEMTIME time_{};
    wchar_t runName_[kRunStampChars] = L"";
    RunRecordWriter recordFile_;
    NameSet keptPaths_{NameSet::Case::Ignored};  // kept this run, with the folders above them
    // The replace under way: where its old file goes, and where it went.
    bool keepOnReplace_ = false;
    PathBuffer replaceWhere_ = L"", replaceKept_ = L"";
    bool replaced_ = false;
    const FileCopy* current_ = nullptr;  // the copy under way
};
