#include "file_actions.h"

#include <cwchar>

#include "base/paths.h"
#include "sync_texts.h"

const wchar_t* WalkedFolder::Resolved() {
    if (!resolvedRead_) {
        resolvedRead_ = true;
        if (!ResolveFolderPath(folder, resolved_, kResolvedPathChars)) resolved_[0] = L'\0';
    }
    return resolved_;
}

bool DiskActions::MakeFolder(const wchar_t* path, bool withParents) {
    return withParents ? CreateFolderPath(owner_, path) : CreateFolderReport(owner_, path);
}

bool DiskActions::CopyFile(const FileCopy& copy, CopyProgress* progress) {
    return CopyFileKnownReport(owner_, copy.source, copy.sourceAttributes, copy.times, copy.destination,
                               copy.destinationBefore, progress, copy.written, copy.beforeReplace,
                               copy.hookMovesDestination, copy.check);
}

bool DiskActions::DeleteFile(const wchar_t* path, LinkKind kind, WalkedFolder* walked) {
    if (kind == LinkKind::Link) return RemoveLinkReport(owner_, path);
    if (walked == nullptr) return DeleteFileReport(owner_, path);
    // Known gone only once the folder's walk has looked for it.
    if (!DeleteFileReport(owner_, path, false)) return false;
    walked->deleted.Insert(BaseName(path));
    return true;
}

bool DiskActions::RemoveFolder(const wchar_t* path, LinkKind kind, Removed& removed) {
    if (kind != LinkKind::Link) return RemoveFolderTree(owner_, path, &check_, &removed);
    if (!RemoveLinkReport(owner_, path)) return false;
    ++removed.folders;
    return true;
}

bool DryActions::RemoveFolder(const wchar_t* path, LinkKind kind, Removed& removed) {
    if (!(kind == LinkKind::Link ? LookBeforeLinkRemoval(owner_, path) : LookBeforeRemoval(owner_, path, &check_, nullptr))) {
        return false;
    }
    ++removed.folders;
    return true;
}

namespace {

// Whether the folder that would hold `path` is there (a path without one is in the current
// folder).
bool ParentIsFolder(const wchar_t* path) {
    PathBuffer parent;
    if (!CopyPath(parent, path)) return false;
    for (size_t length = wcslen(parent); length > 1 && parent[length - 1] == L'\\';) parent[--length] = L'\0';
    return !ParentFolder(parent) || parent[0] == L'\0' || IsFolder(parent);
}

}  // namespace

// What would stop the run's own folder making stops a dry run too, with its message.
bool DryActions::MakeFolder(const wchar_t* path, bool withParents) { return LookBeforeMakeFolder(owner_, path, withParents); }

bool LookBeforeMakeFolder(ErrorReporter& owner, const wchar_t* path, bool withParents) {
    DWORD attributes = GetFileAttributesW(path);
    if (withParents) {
        // The walk makes a folder's parents before it: only a file in its place is in the way.
        return attributes == kUnreadableAttributes || IsFolderAttributes(attributes) || ReportFileInTheWay(owner, path);
    }
    // One folder, as CreateFolderReport makes it: the name free, the folder that holds it there.
    DWORD code = attributes != kUnreadableAttributes ? ERROR_ALREADY_EXISTS
                 : !ParentIsFolder(path)             ? ERROR_PATH_NOT_FOUND
                                                     : ERROR_SUCCESS;
    if (code == ERROR_SUCCESS) return true;
    wchar_t text[kMessageChars];
    CreateFolderErrorText(code, path, text);
    owner.ShowError(text);
    return false;
}
