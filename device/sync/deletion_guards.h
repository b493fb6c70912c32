#pragma once
#include "file_actions.h"
#include "sync_host.h"
#include "sync_options.h"

// What must hold before a deletion pass may start: a source with nothing in it is asked
// about, even with Force (a card not inserted would otherwise empty the destination), and a
// deletion limit is checked with the deletion pass run dry, counting. False stops the run
// with nothing deleted (already said).
class DeletionGuards {
public:
    // The run's deletion pass, run with other actions and another host (no rows, no
    // questions), for the count; false when it stopped (said through the host).
    class CountingPass {
    public:
        virtual bool RunCounting(SyncHost& host, FileActions& actions) = 0;
        // Whether the written folder `to` holds a file the run counts: a file the pass could
        // delete, not the kept runs' store nor what the set leaves out.
        virtual bool DestinationHoldsFile(const wchar_t* to) const = 0;

    protected:
        ~CountingPass() = default;
    };

    // `check`: what the real pass shows every folder it enters or removes.
    DeletionGuards(SyncHost& host, const SyncOptions& options, FolderCheck& check, CountingPass& pass)
        : host_(host), options_(options), check_(check), pass_(pass) {}

    // `sourceHoldsFile`: the copy pass met a file it could sync.
    bool MayDelete(const wchar_t* from, const wchar_t* to, bool sourceHoldsFile);

private:
    // The source holds no file the copy pass could sync (only folders, excluded or skipped
    // entries: a freshly formatted card), while the destination holds one.
    bool ConfirmEmptySource(const wchar_t* from, const wchar_t* to, bool sourceHoldsFile);
    bool WithinDeleteLimit();

    SyncHost& host_;
    const SyncOptions& options_;
    FolderCheck& check_;
    CountingPass& pass_;
};
