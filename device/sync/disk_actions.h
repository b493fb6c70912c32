#pragma once
#include "disk_changes.h"
#include "error_reporter.h"
#include "file_actions.h"
#include "file_ops.h"

// The run's own actions: each change made through DiskChanges (on the disk, or in a dry run
// only looked at), each failure reported once, through `owner`. Every folder a removal
// enters is shown to `check` first.
class DiskActions final : public FileActions {
public:
    DiskActions(ErrorReporter& owner, FolderCheck& check, DiskChanges& changes)
        : owner_(owner), check_(check), changes_(changes) {}

    bool MakeFolder(const wchar_t* path, bool withParents) override;
    bool CopyFile(const FileCopy& copy, CopyProgress* progress) override;
    bool DeleteFile(const wchar_t* path, LinkKind kind, WalkedFolder* walked) override;
    bool RemoveFolder(const wchar_t* path, LinkKind kind, Removed& removed) override;

private:
    ErrorReporter& owner_;
    FolderCheck& check_;
    DiskChanges& changes_;
};
