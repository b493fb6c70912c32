#pragma once
#include <windows.h>

#include <atomic>

#include "file_ops.h"
#include "name_rules.h"
#include "platform/file_system.h"
#include "sync_host.h"
#include "sync_options.h"

// What a run did (or, in a dry run, would do).
struct RunStats {
    unsigned long long filesCopied = 0;
    unsigned long long bytesCopied = 0;
    unsigned long long filesDeleted = 0;
    unsigned long long foldersRemoved = 0;  // each with what it held
    unsigned long long entriesSkipped = 0;  // names the run could not use, each with a "skip" row
};

// The run state the host shares with the engine. The host's Abort sets abortRequested
// (from its window procedure, or from the console's interrupt handler thread).
struct RunState {
    std::atomic<bool> abortRequested{false};
    bool confirmEach = true;
};

// Runs one set in one direction: `from` is read, `to` is written. Every step returns
// true to go on (also after a skip) and false to stop the run; a failure has already
// been reported where it happened.
class SyncEngine : private FolderCheck {
public:
    SyncEngine(SyncHost& host, RunState& state, const SyncOptions& options)
        : host_(host), state_(state), options_(options) {}

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
    struct CopyWatch;  // services the host during a file copy and stops the copy on an abort

    bool Step();   // services one message; false once an abort was asked for
    template <typename Visit>
    bool ForEachEntry(const wchar_t* folder, const wchar_t* source, const wchar_t* destination, Visit visit);
    // `destinationMissing`: the destination's folder did not exist before this run (it was
    // just made, or a dry run would make it), so there is nothing there to look at.
    bool CopyEntry(const Entry& source, const wchar_t* destination, bool destinationMissing = false);
    bool CopyFolder(const wchar_t* source, const wchar_t* destination);
    bool SyncFileKnown(const Entry& source, const wchar_t* destination, const WIN32_FILE_ATTRIBUTE_DATA* destInfo);
    bool PrunePass(const wchar_t* from, const wchar_t* to);
    // Before the deletion pass: a source with nothing in it is asked about, even with Force
    // (a card not inserted would otherwise empty the destination), and a deletion limit is
    // checked with a dry deletion pass. False stops the run with nothing deleted.
    bool GuardDeletionPass(const wchar_t* from, const wchar_t* to);
    bool ConfirmEmptySource(const wchar_t* from, const wchar_t* to);
    bool WithinDeleteLimit(const wchar_t* from, const wchar_t* to);
    bool PruneEntry(const wchar_t* source, const wchar_t* destination, DWORD destAttributes);
    bool SourceCounterpart(const wchar_t* source, DWORD* attributes);
    int Ask(PromptKind kind, const wchar_t* path);
    // False (reported) when `folder` is the other run folder `other` (from_ or to_): a drive
    // mapped inside the other folder, a bind mount, or another name for the same place shows
    // only as the walk enters it. `info`: the folder's attributes, when just read.
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
    RunStats stats_;
    // The files the deletion pass deleted in the destination folder it walks: looked for
    // once when the folder's walk ends (a look for a name that is gone reads the whole
    // folder under some platforms), with the folder resolved once for the link checks.
    struct FolderDeletions {
        explicit FolderDeletions(const wchar_t* path) : folder(path) {}
        const wchar_t* folder;
        NameSet names{NameSet::Case::Kept};
        wchar_t resolved[kResolvedPathChars] = L"";
        bool resolvedRead = false;
    };
    bool DeleteInWalk(const wchar_t* path);
    bool ConfirmDeletionsGone(const FolderDeletions& deletions);
    FolderDeletions* deletions_ = nullptr;

    const wchar_t* from_ = nullptr;  // the folders of the run
    const wchar_t* to_ = nullptr;
    WIN32_FILE_ATTRIBUTE_DATA fromInfo_{}, toInfo_{};
    bool fromKnown_ = false, toKnown_ = false;
    bool rootsChanged_ = true;
};
