#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/paths.h"

// Where runs with Keep on leave what they replace or delete: in the folder they write,
//   <folder>\.zolvkept\<run name>\<the entry's path relative to the folder>
// with the run's record in the run folder (see run_record.h). The store is hidden, and the
// entry of that name directly in either folder of a run is never copied, deleted, counted or
// compared: it is the runs' own.
extern const wchar_t kKeptStoreName[];
bool IsKeptStoreName(const wchar_t* name);

// A run folder's name: the run's place in the order of the store's runs (one more than the
// newest run there), then the local time the run made it: "7-20261210-140305". The order,
// not the clock, tells which run is newer: a clock set back does not reorder them. Names of
// stores of old, "20261210-140305" and on a clash "20261210-140305-2", read as order 0,
// older than any ordered run, and among themselves by their time and suffix.
constexpr size_t kRunStampChars = 32;
constexpr unsigned kMaxRunOrder = 999999999;
struct RunStamp {
    unsigned order = 0;
    SYSTEMTIME time{};
    int suffix = 1;
};
// Whether the run `a` came before `b`.
bool RunBefore(const RunStamp& a, const RunStamp& b);
void FormatRunStamp(unsigned order, const SYSTEMTIME& time, wchar_t (&out)[kRunStampChars]);
// False for any name that is not such a name (a time that is no date, a number out of its
// range): only those are run folders.
bool ParseRunStamp(const wchar_t* name, RunStamp* stamp);
// "2026-12-10 14:03", for the words of a question.
void FormatRunTime(const SYSTEMTIME& time, wchar_t (&out)[kRunStampChars]);

// `folder`\.zolvkept; false when it would not fit.
bool KeptStorePath(const wchar_t* folder, PathBuffer& out);

struct KeptRun {
    std::wstring name;
    RunStamp stamp;
};
// The run folders of a store (plain folders named as runs; a link of such a name is nobody's
// run), oldest first. False, with the platform's code in `error`, when the store exists but
// cannot be listed; a store that is not there holds none.
bool ListKeptRuns(const wchar_t* store, std::vector<KeptRun>& runs, DWORD* error);
