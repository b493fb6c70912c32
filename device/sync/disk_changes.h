#pragma once
#include <windows.h>

#include "error_reporter.h"
#include "file_actions.h"
#include "file_ops.h"
#include "run_record.h"

// The lowest changes a run makes on the disk: a folder made, a file copied, deleted or
// renamed, a link or a tree removed, a record written. Each is made, or in a dry run only
// looked at as it would be made (failing where the change would fail, reported as it would
// be, or with the same last error): this is the one place where a dry run and a run part, so
// that a dry run makes every look the run makes and cannot drift from it.
class DiskChanges {
public:
    explicit DiskChanges(bool dry) : dry_(dry) {}

    // One folder where no entry is, with `attributes` when not 0; false with the last error
    // set (ERROR_ALREADY_EXISTS when the name is taken). Reports nothing.
    bool MakeFolder(const wchar_t* path, DWORD attributes = 0);
    // The same, a failure reported through `owner` (the name taken, its parent missing).
    bool MakeFolderReport(ErrorReporter& owner, const wchar_t* path, DWORD attributes = 0);
    // A folder and its missing parents; a failure is reported through `owner`.
    bool MakeFolderPath(ErrorReporter& owner, const wchar_t* path);
    // One file of the copy pass (see CopyFileKnownReport); `copy.written` gets the bytes
    // written (a dry run: the size it would write).
    bool Copy(ErrorReporter& owner, const FileCopy& copy, CopyProgress* progress);
    // A file deleted. Where `walked` names the folder whose walk found it, it is known gone
    // only once that walk has looked for it (see WalkedFolder).
    bool RemoveFile(ErrorReporter& owner, const wchar_t* path, WalkedFolder* walked);
    // A link removed as itself, never through it.
    bool RemoveLink(ErrorReporter& owner, const wchar_t* path);
    // `from` renamed to `to` in one step of the file system (see RenameEntry); false with the
    // last error set. The look of a dry run: `from` there, `to` free, and no mount point on
    // the way from `within` down to `from` (a rename does not cross one).
    bool Rename(const wchar_t* from, const wchar_t* to, const wchar_t* within);
    // A folder and all it holds, links as themselves (see RemoveFolderTree), every folder it
    // enters shown to `check` (may be null), reported through `owner`; `removed` (may be
    // null) gets what went (a dry run: the folder, as one removed whole).
    bool RemoveTree(ErrorReporter& owner, const wchar_t* path, FolderCheck* check = nullptr,
                    Removed* removed = nullptr);
    // A file and then its empty folder, made for nothing: gone again, in silence.
    void RemoveUnused(const wchar_t* file, const wchar_t* folder);
    // The size and last-write time of the file a copy just wrote (a dry run: those it was
    // given, the source's); false with the last error set when it cannot be read.
    bool ReadWritten(const wchar_t* path, ULONGLONG* size, ULONGLONG* lastWrite);
    // The record a run keeps: created (never over one), or in a dry run one that writes
    // nothing and takes every line.
    bool CreateRecord(RunRecordWriter& record, const wchar_t* path);

private:
    bool dry_;
};

// The looks of making a folder, making nothing: false, reported as the making would report
// it, where it would stop (a file in the way; for one folder, its name taken or its parent
// missing).
bool LookBeforeMakeFolder(ErrorReporter& owner, const wchar_t* path, bool withParents);
