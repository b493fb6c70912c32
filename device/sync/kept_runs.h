#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/paths.h"

// Where runs with Keep on leave what they replace or delete: in the folder they write,
//   <folder>\.zolvkept\<run stamp>\<the entry's path relative to the folder>
// with the run's record in the run folder (see run_record.h). The store is hidden, and the
// entry of that name directly in either folder of a run is never copied, deleted, counted or
// compared: it is the runs' own.
extern const wchar_t kKeptStoreName[];
bool IsKeptStoreName(const wchar_t* name);

// A run folder's name: the local time the run made it, "20261210-140305", and on a clash
// (two runs in one second) a suffix from 2 on, "20261210-140305-2".
constexpr size_t kRunStampChars = 24;
void FormatRunStamp(const SYSTEMTIME& time, int suffix, wchar_t (&out)[kRunStampChars]);
// False for any name that is not such a stamp: only those are run folders.
bool ParseRunStamp(const wchar_t* name, SYSTEMTIME* time, int* suffix);
// "2026-12-10 14:03", for the words of a question.
void FormatRunTime(const SYSTEMTIME& time, wchar_t (&out)[kRunStampChars]);

// `folder`\.zolvkept; false when it would not fit.
bool KeptStorePath(const wchar_t* folder, PathBuffer& out);

// The run folders of a store, oldest first. False, with the platform's code in `error`,
// when the store exists but cannot be listed; a store that is not there holds none.
bool ListKeptRuns(const wchar_t* store, std::vector<std::wstring>& names, DWORD* error);
