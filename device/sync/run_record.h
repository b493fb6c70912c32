#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The record of a kept run, in its run folder, under the store's own name (no entry of the
// written folder can have that name: the store is never synced). One line per change, in
// UTF-8, written as the run goes, so that a run that was stopped or killed can be undone as
// far as it went:
//   kept <path>                  before the entry is moved into the run folder
//   made <path>                  before a folder the run needs is made
//   copied <path> <size> <time>  after a copy the run wrote (the last-write time in 100 ns)
//   undone                       after an undo that had to leave something where it was
// fields separated by tabs, paths relative to the written folder (a name with a tab or a
// line end is never synced).
struct RecordEntry {
    enum Kind { Kept, Made, Copied };
    Kind kind;
    std::wstring path;
    ULONGLONG size = 0;
    ULONGLONG lastWrite = 0;
};

class RunRecordWriter {
public:
    RunRecordWriter() = default;
    ~RunRecordWriter() { Close(); }
    RunRecordWriter(const RunRecordWriter&) = delete;
    RunRecordWriter& operator=(const RunRecordWriter&) = delete;

    // Creates the record; false, with the last error set, when it cannot (or is there).
    bool Create(const wchar_t* path);
    // Opens an existing record to add lines at its end.
    bool OpenToAdd(const wchar_t* path);
    void Close();

    // Each line goes to the file at once; false, with the last error set, when it did not.
    bool Add(RecordEntry::Kind kind, const wchar_t* path, ULONGLONG size = 0, ULONGLONG lastWrite = 0);
    bool AddUndone();

private:
    bool WriteLine(const std::wstring& line);
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Reads a record; false, with the platform's code in `error`, when it cannot be read. A line
// that cannot be read as one of the above (a run killed in the middle of a line) is left out.
bool ReadRunRecord(const wchar_t* path, std::vector<RecordEntry>& entries, bool* undone, DWORD* error);
