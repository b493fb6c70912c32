#pragma once
#include <windows.h>

#include <atomic>

#include "base/paths.h"
#include "battery_guard.h"
#include "deletion_guards.h"
#include "disk_actions.h"
#include "disk_changes.h"
#include "exclude_patterns.h"
#include "file_actions.h"
#include "file_ops.h"
#include "name_rules.h"
#include "platform/file_system.h"
#include "run_stats.h"
#include "sync_host.h"
#include "sync_options.h"
#include "time_rule.h"

// The run state the host shares with the engine. The host's Abort sets abortRequested
// (from its window procedure, or from the console's interrupt handler thread); the host
// clears it before a run, and nothing clears it during one.
struct RunState {
    std::atomic<bool> abortRequested{false};
    bool confirmEach = true;
};

// Runs one set in one direction: `from` is read, `to` is written. Every step returns
// true to go on (also after a skip) and false to stop the run; a failure has already
// been reported where it happened. What the run changes on the disk goes through its
// FileActions: the disk's own, which a dry run only looks at (see DiskChanges).
class SyncEngine : private FolderCheck, private DeletionGuards::CountingPass {
public:
    SyncEngine(SyncHost& host, RunState& state, const SyncOptions& options)
        : host_(host), state_(state), options_(options), excluded_(options.exclude.c_str()),
          timeRule_{options.dosTime, options.IgnoresHourShift()},
          changes_(options.dryRun), disk_(host, *this, changes_), actions_(&disk_) {}
    // A run whose changes go to `actions` instead.
    SyncEngine(SyncHost& host, RunState& state, const SyncOptions& options, FileActions& actions)
        : SyncEngine(host, state, options) {
        actions_ = &actions;
    }

    // The actions the run's changes go to: the disk's own (looked at only, in a dry run). A host
    // puts a layer over them (Keep) by handing the layer to UseActions before the run.
    FileActions& Actions() { return *actions_; }
    void UseActions(FileActions& actions) { actions_ = &actions; }

    // Source must be a folder; a missing destination is offered for creation.
    bool CheckSyncFolders(const wchar_t* from, const wchar_t* to);
    // Copy pass, then the deletion pass when the options ask for it, then the success dialog.
    bool RunSync(const wchar_t* from, const wchar_t* to);

    bool CopyTree(const wchar_t* source, const wchar_t* destination);
    bool SyncFile(const wchar_t* source, const wchar_t* destination);
    bool PruneTree(const wchar_t* source, const wchar_t* destination);
    bool PruneFile(const wchar_t* path);

    const RunStats& Stats() const { return stats_; }

private:
    struct Entry;      // a path with the attributes and last-write time already known
    struct CaseTwins;  // the names of a destination folder that differ only in case
    struct CopyWatch;  // services the host during a file copy and stops the copy on an abort

    bool Step();   // services one message; false once an abort was asked for
    // Counts what the actions' layer did around a change; false when it left the entry alone
    // (the change is then not counted).
    bool Account(const ActionReport& report);
    // Before a file is written or deleted: false (said) when the battery has just dropped to
    // the critical level.
    bool PowerHolds() { return !watchPower_ || power_.Holds(host_); }
    // The path of `folder` below the run folder `root` (empty for `root` itself).
    static const wchar_t* FolderBelow(const wchar_t* root, const wchar_t* folder);
    // An entry of `folder` (in the tree of `root`) that the set's patterns leave out.
    bool Excluded(const wchar_t* root, const wchar_t* folder, const wchar_t* name, DWORD attributes) const;
    // An entry the run leaves alone: its "skip" row, counted; true (the run goes on).
    bool Skip(const wchar_t* path, const TextPair& reason);
    bool LeaveInDestination(const wchar_t* path, const TextPair& reason);  // the same, from the copy pass
    template <typename Visit>
    bool ForEachEntry(const wchar_t* folder, const wchar_t* source, const wchar_t* destination, Visit visit);
    // `destinationMissing`: the destination's folder did not exist before this run (it was
    // just made, or a dry run would make it), so there is nothing there to look at.
    // `twins`: those of the destination's folder, when it existed before the run.
    bool CopyEntry(const Entry& source, const wchar_t* destination, bool destinationMissing = false,
                   CaseTwins* twins = nullptr);
    // Where the copy pass is to write a file `destination` whose folder holds other names that
    // differ from it only in case (some file systems allow them), the first of them in the
    // folder's order is written (`picked`, named exactly) and the others stay with a row; one
    // the folder holds only under another case is written under that name (`picked`).
    // `*found` false: no such names. False (reported) when the folder cannot be listed.
    bool PickCaseTwin(CaseTwins& twins, const wchar_t* destination, PathBuffer& picked, bool* found);
    bool Newer(const Entry& source, const WIN32_FILE_ATTRIBUTE_DATA& destination) const;
    bool CopyFolder(const wchar_t* source, const wchar_t* destination);
    bool SyncFileKnown(const Entry& source, const wchar_t* destination, const WIN32_FILE_ATTRIBUTE_DATA* destInfo);
    bool PrunePass(const wchar_t* from, const wchar_t* to);
    // The deletion pass of this run, counting with `actions`, for the deletion limit.
    bool RunCounting(SyncHost& host, FileActions& actions) override;
    // Whether the written folder holds a file the run counts (not its store, nor what the
    // set leaves out), for the empty-source question.
    bool DestinationHoldsFile(const wchar_t* to) const override;
    bool HoldsFile(const wchar_t* root, const wchar_t* folder) const;
    bool PruneEntry(const wchar_t* source, const wchar_t* destination, DWORD destAttributes);
    bool SourceCounterpart(const wchar_t* source, DWORD* attributes);
    bool PruneWithin(const wchar_t* source, const wchar_t* destination);  // the entries of a destination folder
    // A destination folder (or one below it, links not followed) holding an entry the
    // set's patterns leave out.
    bool HoldsExcluded(const wchar_t* folder) const;
    int sourceGone_ = 0;  // within a destination folder the source lacks: no counterparts
    int Ask(PromptKind kind, const wchar_t* path);
    // False (reported) when `folder` is the other run folder `other` (from_ or to_): a bind
    // mount, which no path shows, is met only as the walk enters it. `info`: the folder's attributes, when just read.
    bool NotTheOther(const wchar_t* folder, const wchar_t* other, const WIN32_FILE_ATTRIBUTE_DATA* info = nullptr);
    // A destination folder the copy pass would write in: not a link, not the source.
    bool MayWriteInto(const wchar_t* folder, const WIN32_FILE_ATTRIBUTE_DATA& info);
    // The deletion pass's look before it walks or removes a destination folder.
    bool MayEnter(const wchar_t* folder) override {
        rootsChanged_ = true;  // deletions go on between these looks
        return NotTheOther(folder, from_);
    }
    // The run folders' attributes as NotTheOther compares them: read again after anything
    // the run changed, since a change inside a folder changes its times.
    const WIN32_FILE_ATTRIBUTE_DATA* RunFolderInfo(const wchar_t* folder);

    SyncHost& host_;
    RunState& state_;
    SyncOptions options_;
    ExcludePatterns excluded_;
    TimeRule timeRule_;
    PowerWatch power_;
    bool watchPower_ = false;  // a run that writes: not a dry run, nor the deletion count
    FILETIME now_{};  // when the run started, for the source times that lie ahead of it
    RunStats stats_;
    bool sourceHoldsFile_ = false;  // the copy pass met a file it could sync
    // What the copy pass left alone in the destination, with its row: the deletion pass
    // leaves it too, without a second row.
    NameSet leftInDestination_{NameSet::Case::Kept};
    DiskChanges changes_;  // made, or in a dry run only looked at
    DiskActions disk_;
    FileActions* actions_;
    // Some platforms report a delete as done and leave the file: none of the names deleted
    // in the walked folder may still be there when its walk ends.
    bool ConfirmDeletionsGone(WalkedFolder& walked);
    WalkedFolder* walked_ = nullptr;  // the destination folder the deletion pass is in

    const wchar_t* from_ = nullptr;  // the folders of the run
    const wchar_t* to_ = nullptr;
    WIN32_FILE_ATTRIBUTE_DATA fromInfo_{}, toInfo_{};
    bool fromKnown_ = false, toKnown_ = false;
    bool rootsChanged_ = true;
};
