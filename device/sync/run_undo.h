#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "base/paths.h"
#include "battery_guard.h"
#include "kept_runs.h"
#include "run_record.h"
#include "sync_engine.h"

// What an undo did: kept entries put back in their places, what the run had made removed
// (its copies, their temporary files, its folders), and what it left where it was, each
// with a "skip" row; `stopped`: an Abort ended it part-way (run it again to go on).
struct UndoFigures {
    unsigned long long putBack = 0;
    unsigned long long removed = 0;
    unsigned long long left = 0;
    bool stopped = false;
};

// Undo: puts a folder back as it was before the newest kept run in it (see keep_actions.h).
// Every kept file and folder returns to its place; every file and folder that run made is
// removed, the new copies of what it replaced and a killed copy's temporary file too. The
// record is input like a stranger's file: only what it names that the disk shows the run did
// is undone, every path is checked (see IsWalkablePath) and nothing is done through a link
// (the store, the run folder and every folder on the way to a place or a kept entry are
// looked at first). Nothing changed since is lost, and nothing is forgotten: a copy whose
// size or time is not what the run wrote, a place something else has taken, a folder that
// holds more than the run put there, a line that cannot be acted on, an entry of the run
// folder the record does not name, all stay as they are with a "skip" row; the record keeps
// every line (an undone mark is added), so the next Undo goes one run further back. An
// undo stopped part-way can be run again: what is back already is no change. An undone
// run's folder goes once nothing of it is left. Undo writes, moves and deletes only inside
// the written folder.
class RunUndo {
public:
    RunUndo(SyncHost& host, RunState& state) : host_(host), state_(state) {}

    enum class Found { Run, None, Refused };
    // Finds the newest kept run of `folder` not yet undone (newest by the order of runs, not
    // by the clock). Refused: the store is not a folder of its own, or cannot be read (said).
    Found FindRun(const wchar_t* folder);
    const RunStamp& Stamp() const { return stamp_; }
    const wchar_t* Folder() const { return folder_; }
    // The run found: did it come after `other`'s?
    bool NewerThan(const RunUndo& other) const { return RunBefore(other.stamp_, stamp_); }

    // Asks first (unless `ask` is false: No is the default), naming the folder and what it
    // will do, and then, on battery power below `minBattery`, the run's battery question; then
    // undoes, with a row for each step, stopping between two entries should the battery drop
    // to its critical level. True when the folder is back as it was and nothing had to be
    // left; false also after No to either question (Declined()) and a stop.
    bool Undo(bool ask, int minBattery);
    bool Declined() const { return declined_; }
    const UndoFigures& Figures() const { return figures_; }

private:
    bool Step();
    // Each entry's undo, acted (`act`) or only counted into figures_ for the question.
    bool UndoEntry(const RecordEntry& entry, bool act);
    bool UndoCopied(const RecordEntry& entry, bool act);
    bool UndoCopy(const RecordEntry& entry, bool act);
    bool UndoMade(const RecordEntry& entry, bool act);
    bool UndoKept(const RecordEntry& entry, bool act);
    // Removes (or, not `act`, counts) a file or an empty `folder` the run made, marked done first.
    bool RemoveMade(const wchar_t* path, const RecordEntry& entry, bool act, bool folder);
    void Leave(const wchar_t* path, const TextPair& reason, bool act);
    bool Mark(const RecordEntry& entry);
    void RunThrough(bool act);
    void NameWhatStays(const wchar_t* folder, const wchar_t* relative);
    void Tidy();

    SyncHost& host_;
    RunState& state_;
    const wchar_t* folder_ = nullptr;
    PathBuffer store_ = L"";
    PathBuffer run_ = L"";
    PathBuffer record_ = L"";
    RunStamp stamp_{};
    RunRecordContents contents_;
    RunRecordWriter marks_;
    std::set<unsigned> backLines_;                 // entries an earlier, stopped undo acted on
    std::set<std::wstring> copiedPaths_, copyPaths_;  // met so far, newest first
    struct NoCase {
        bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
    };
    std::set<std::wstring, NoCase> keptWheres_;  // every entry of the run folder the record names
    // What a count for the question takes as removed already (the undo removes it first).
    std::set<std::wstring, NoCase> countedRemoved_;
    bool Gone(const wchar_t* path) const { return countedRemoved_.count(path) != 0; }
    UndoFigures figures_;
    PowerWatch power_;
    bool declined_ = false;
};
