#pragma once
#include <windows.h>

#include <vector>

#include "base/paths.h"
#include "run_record.h"
#include "sync_engine.h"

// What an undo did: kept entries put back in their places, what the run had made removed
// (its copies, its folders), and what it left where it was because it changed after the run.
struct UndoFigures {
    unsigned long long putBack = 0;
    unsigned long long removed = 0;
    unsigned long long left = 0;
};

// Undo: puts a folder back as it was before the newest kept run in it (see keep_actions.h).
// Every kept file and folder returns to its place; every file and folder that run made is
// removed, the new copies of what it replaced too. Nothing changed since is lost: a copy
// whose size or time is not what the run wrote, a place something else has taken, a folder
// that holds more than the run put there, all stay as they are with a "skip" row, and the
// run is marked undone so that the next Undo goes one run further back. An undone run's
// folder goes once it is empty.
class RunUndo {
public:
    RunUndo(SyncHost& host, RunState& state) : host_(host), state_(state) {}

    // Finds the newest kept run of `folder` not yet undone; false when there is none. A store
    // that cannot be read is said (error box) and is false too.
    bool FindRun(const wchar_t* folder);
    const SYSTEMTIME& RunTime() const { return time_; }
    // The run found: is it newer than `other`'s?
    bool NewerThan(const RunUndo& other) const;

    // Asks first (unless `ask` is false: No is the default), then undoes, with a row for each
    // step. True when the folder is back as it was and nothing had to be left.
    bool Undo(bool ask);
    const UndoFigures& Figures() const { return figures_; }

private:
    bool Step();
    void Plan(UndoFigures& planned) const;
    bool UndoEntry(const RecordEntry& entry);
    bool PutBack(const wchar_t* kept, const wchar_t* place);
    void Leave(const wchar_t* path, const TextPair& reason);
    void Tidy();

    SyncHost& host_;
    RunState& state_;
    const wchar_t* folder_ = nullptr;
    PathBuffer store_ = L"";
    PathBuffer run_ = L"";
    PathBuffer record_ = L"";
    SYSTEMTIME time_{};
    int suffix_ = 0;
    std::vector<RecordEntry> entries_;
    UndoFigures figures_;
};
