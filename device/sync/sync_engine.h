#pragma once
#include <windows.h>

#include <atomic>

#include "sync_host.h"

// The four options of a set, in their fixed order.
struct SyncOptions {
    bool deleteAfterCopy = false;  // DELETE
    bool dosTime = false;          // DOSTIME
    bool force = false;            // FORCE
    bool excludeObj = false;       // EXCLUDEOBJ
    // Not a set option: walk both passes and write every row a run without questions
    // would write, but copy, create, delete and ask nothing.
    bool dryRun = false;
    // Not a set option: a run whose deletion pass would remove more entries than this
    // (files and folders, what a removed folder holds included) deletes nothing at all.
    static constexpr unsigned long long kNoDeleteLimit = ~0ULL;
    unsigned long long maxDelete = kNoDeleteLimit;
};

// What a run did (or, in a dry run, would do).
struct RunStats {
    unsigned long long filesCopied = 0;
    unsigned long long bytesCopied = 0;
    unsigned long long filesDeleted = 0;
    unsigned long long foldersRemoved = 0;  // each with what it held
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
class SyncEngine {
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
    bool ReportUnreadable(const wchar_t* path, DWORD code);

    SyncHost& host_;
    RunState& state_;
    SyncOptions options_;
    RunStats stats_;
};
