#pragma once
#include <windows.h>

#include "error_reporter.h"
#include "file_ops.h"
#include "name_rules.h"
#include "platform/file_copy.h"
#include "platform/file_system.h"

// Everything a run changes on the disk goes through FileActions: the passes decide what
// is to be done (and write its row), an implementation does it. The run does it on the
// disk (DiskActions, made or, in a dry run, only looked at by DiskChanges); the deletion
// limit counts (DeletionCounter); a layer over another can do more around each change.

// One file of the copy pass: what the walk read of the source, and what stands at the
// destination.
struct FileCopy {
    const wchar_t* source;
    DWORD sourceAttributes;
    FileTimes times;
    ULONGLONG size;
    const wchar_t* destination;
    const WIN32_FILE_ATTRIBUTE_DATA* destinationBefore;  // null: nothing there
    ULONGLONG* written;  // gets the bytes the copy wrote (a dry run: the size it would write)
    ReplaceHook* beforeReplace = nullptr;  // hears of each step of the copy
    // The hook moves an existing destination away before the new file takes its place (Keep):
    // nothing is lifted from the old file, and where no temporary name is free the copy is
    // written in place, in the place the hook freed.
    bool hookMovesDestination = false;
    // Verify: the copy is read back before it takes its place (null: it is not).
    CopyCheck* check = nullptr;
};

// The destination folder the deletion pass walks: resolved once for the link checks of its
// files, and the names deleted in it, looked for once when its walk ends (a look for a
// name that is gone reads the whole folder under some platforms).
struct WalkedFolder {
    explicit WalkedFolder(const wchar_t* path) : folder(path) {}
    // The folder resolved by ResolveFolderPath, read on first use; empty when that failed.
    const wchar_t* Resolved();

    const wchar_t* folder;
    NameSet deleted{NameSet::Case::Kept};

private:
    wchar_t resolved_[kResolvedPathChars] = L"";
    bool resolvedRead_ = false;
};

// What a layer did around the change it was asked for, which the run's figures count: an
// entry it left as it was on purpose (with its "skip" row: the call's true then means "go
// on", not "done"), and entries it moved aside (Keep).
struct ActionReport {
    bool leftAlone = false;
    unsigned long long kept = 0;
};

class FileActions {
public:
    // What the last call did beyond its change; read once, after each call.
    ActionReport TakeReport() {
        ActionReport report = report_;
        report_ = ActionReport();
        return report;
    }
    // The run's passes are over, stopped or not, before its result is shown: a layer ends
    // its own work here (with its rows).
    virtual void EndOfRun() {}

    // A folder the run needs where none is: `path`, and its missing parents when
    // `withParents`. A file in its way stops the run.
    virtual bool MakeFolder(const wchar_t* path, bool withParents) = 0;
    // One file copied onto its destination, made new or replacing what is there.
    // `progress` (may be null) watches a long copy and may stop it.
    virtual bool CopyFile(const FileCopy& copy, CopyProgress* progress) = 0;
    // A file of the destination (or, `kind` Link, a file link, removed as itself) that the
    // deletion pass deletes. `walked`: the folder whose walk found it, or null.
    virtual bool DeleteFile(const wchar_t* path, LinkKind kind, WalkedFolder* walked) = 0;
    // A folder of the destination removed with everything in it, or, `kind` Link, a folder
    // link removed as itself. `removed` gets what went (see Removed), also when the removal
    // stopped part-way.
    virtual bool RemoveFolder(const wchar_t* path, LinkKind kind, Removed& removed) = 0;

protected:
    ~FileActions() = default;
    ActionReport report_;
};
