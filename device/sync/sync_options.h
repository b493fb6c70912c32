#pragma once
#include <string>

// How many kept runs a folder holds at most by default, and at most at all: the oldest go
// when a new run makes its folder.
constexpr int kDefaultKeptRuns = 10;
constexpr int kMaxKeptRuns = 999;

// On battery power, the level (percent) below which a run asks before it starts, by default.
constexpr int kDefaultMinBattery = 10;

// How a run goes: the options of a set, in their fixed order, and what the console runner
// and the window add for one run.
struct SyncOptions {
    bool deleteAfterCopy = false;  // DELETE
    bool dosTime = false;          // DOSTIME
    bool force = false;            // FORCE
    bool excludeObj = false;       // EXCLUDEOBJ
    bool keep = false;             // KEEP: what a run replaces or deletes is moved into a kept run
    bool verify = false;           // VERIFY: each copy is read back and compared before it takes its place
    std::wstring exclude;          // EXCLUDE: the patterns of what the run leaves out (exclude_patterns.h)
    // Not a set option: walk both passes and write every row a run without questions
    // would write, but copy, create, delete and ask nothing.
    bool dryRun = false;
    // Not a set option: a run whose deletion pass would remove more entries than this
    // (files and folders, what a removed folder holds included) deletes nothing at all.
    static constexpr unsigned long long kNoDeleteLimit = ~0ULL;
    unsigned long long maxDelete = kNoDeleteLimit;
    // Not a set option: whether times an hour apart (within two seconds) with equal sizes
    // count as the same (see TimeRule); by default with dosTime.
    enum class HourShift { WithDosTime, Ignored, Compared };
    HourShift hourShift = HourShift::WithDosTime;
    bool IgnoresHourShift() const {
        return hourShift == HourShift::Ignored || (hourShift == HourShift::WithDosTime && dosTime);
    }
    // Not a set option: on battery power, below this level (percent) the run asks before it
    // starts; 0: never asks.
    int minBattery = kDefaultMinBattery;
    // Not a set option: how many kept runs the written folder holds at most (see kept_runs.h).
    int keptRuns = kDefaultKeptRuns;
};
