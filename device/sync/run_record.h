#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/owned_handle.h"
#include "base/recovery_steps.h"

// The record of a kept run, in its run folder, under the store's own name (no entry of the
// written folder can have that name: the store is never synced). One line per change, in
// UTF-8, each written to the disk before the change it names, so that a run stopped or
// killed at any moment can be undone as far as it went:
//   kept <path> [<where>]                    before the entry is moved into the run folder
//                                            (<where>: its place there, when not <path>)
//   made <path>                              before a folder the run needs is made
//   copy <path> <temporary> <size> <time>    before a copy is written under <temporary>
//   copied <path> <size> <time> [<checksum>] after the copy took its place: what it is now
//                                            (<checksum>: a verified copy's, 16 hex digits)
//   back <line>                              before an undo acts on the entry of that line
//   undone                                   after an undo that had to leave something
// fields separated by tabs, times as last-write times in 100 ns, paths relative to the
// written folder (<where>: to the run folder). A line ends with LF (CR LF reads too).
//
// The record is input like any file on a card: a line that is too long, malformed, or
// names a path the walk could not have produced (absolute, with an empty part, ".", "..",
// a drive, a character no name holds, or the store's own name first) is not read as an
// entry but as a fault of its own, with its line number.
struct RecordEntry {
    enum Kind { Kept, Made, Copy, Copied, Back };
    Kind kind;
    unsigned line = 0;     // 1 for the first line
    std::wstring path;     // Back: empty
    std::wstring where;    // Kept: its place in the run folder; Copy: the temporary file
    ULONGLONG size = 0;
    ULONGLONG lastWrite = 0;
    unsigned backLine = 0;  // Back: the line it names
    bool hasChecksum = false;  // Copied: the copy was verified, and `checksum` is what it held
    ULONGLONG checksum = 0;
};

enum class RecordFault { TooLong, Malformed, UnsafePath, TooLarge };

struct RecordLineFault {
    unsigned line;
    RecordFault fault;
};

struct RunRecordContents {
    std::vector<RecordEntry> entries;
    std::vector<RecordLineFault> faults;
    bool undone = false;
};

// The most a record holds: a run stops before its record would pass it, and a reader reads
// no further (8 MiB, some 60 000 changes at the longest lines' length, about 100 000 at
// usual ones). A line is at most kMaxRecordLine bytes, its end included.
constexpr DWORD kMaxRecordBytes = 8u * 1024 * 1024;
constexpr size_t kMaxRecordLine = 2048;

// A path relative to a folder that the walk itself could have produced: not empty, no
// empty part, every part a usable name (see CheckName), none past the path limit, and the
// first not the store's name.
bool IsWalkablePath(const wchar_t* relative);

class RunRecordWriter {
public:
    RunRecordWriter() = default;
    RunRecordWriter(const RunRecordWriter&) = delete;
    RunRecordWriter& operator=(const RunRecordWriter&) = delete;

    // Creates the record; false, with the last error set, when it cannot (or is there).
    bool Create(const wchar_t* path);
    // Opens an existing record to add lines at its end.
    bool OpenToAdd(const wchar_t* path);
    void Close() { file_.Reset(); }
    bool IsOpen() const { return file_.Valid() || nothing_; }
    // Takes every line and writes none (a dry run's record).
    void WriteNothing() {
        Close();
        nothing_ = true;
    }

    // Each line goes to the file at once; false, with the last error set, when it did not
    // (ERROR_FILE_TOO_LARGE: the record would pass kMaxRecordBytes).
    bool AddKept(const wchar_t* path, const wchar_t* where);
    bool AddMade(const wchar_t* path);
    bool AddCopy(const wchar_t* path, const wchar_t* temporary, ULONGLONG size, ULONGLONG lastWrite);
    // `checksum` (may be null): a verified copy's.
    bool AddCopied(const wchar_t* path, ULONGLONG size, ULONGLONG lastWrite, const ULONGLONG* checksum = nullptr);
    bool AddBack(unsigned line);
    bool AddUndone();

private:
    bool WriteLine(const std::wstring& line);
    static void CloseAfterFault(void* writer) noexcept { static_cast<RunRecordWriter*>(writer)->file_.Reset(); }

    FileHandle file_;
    bool nothing_ = false;
    ULONGLONG bytes_ = 0;
    // A fault that abandons a run closes the record, so that an undo can open it again.
    RecoveryStep closeAfterFault_{CloseAfterFault, this};
};

// Reads a record, in pieces, to at most kMaxRecordBytes; false, with the platform's code in
// `error`, when it cannot be read. A last line without its end was cut by a kill before the
// change it names: it is left out, without a fault.
bool ReadRunRecord(const wchar_t* path, RunRecordContents& contents, DWORD* error);
