#include "disk_changes.h"

#include <cwchar>

#include "base/paths.h"
#include "file_numbers.h"
#include "folder_search.h"
#include "sync_texts.h"

namespace {

// A folder on the way from `within` down to `path` that a rename cannot cross: a mount point
// (the walk enters those; links it does not).
bool CrossesMountPoint(const wchar_t* within, const wchar_t* path) {
    PathBuffer folder;
    if (!CopyPath(folder, path)) return false;
    size_t base = wcslen(within);
    while (ParentFolder(folder) && wcslen(folder) > base) {
        DWORD attributes = GetFileAttributesW(folder);
        if (attributes != kUnreadableAttributes && IsFolderLink(attributes)) return true;
    }
    return false;
}

bool Fail(DWORD code) {
    SetLastError(code);
    return false;
}

// Whether the folder that would hold `path` is there (a path without one is in the current
// folder).
bool ParentIsFolder(const wchar_t* path) {
    PathBuffer parent;
    if (!CopyPath(parent, path)) return false;
    for (size_t length = wcslen(parent); length > 1 && parent[length - 1] == L'\\';) parent[--length] = L'\0';
    return !ParentFolder(parent) || parent[0] == L'\0' || IsFolder(parent);
}

}  // namespace

bool DiskChanges::MakeFolder(const wchar_t* path, DWORD attributes) {
    if (!dry_) {
        if (!CreateDirectoryW(path, nullptr)) return false;
        if (attributes) SetFileAttributesW(path, attributes);
        return true;
    }
    return GetFileAttributesW(path) == kUnreadableAttributes || Fail(ERROR_ALREADY_EXISTS);
}

bool DiskChanges::MakeFolderReport(ErrorReporter& owner, const wchar_t* path, DWORD attributes) {
    if (dry_) return LookBeforeMakeFolder(owner, path, false);
    if (!CreateFolderReport(owner, path)) return false;
    if (attributes) SetFileAttributesW(path, attributes);
    return true;
}

bool DiskChanges::MakeFolderPath(ErrorReporter& owner, const wchar_t* path) {
    return dry_ ? LookBeforeMakeFolder(owner, path, true) : CreateFolderPath(owner, path);
}

bool DiskChanges::Copy(ErrorReporter& owner, const FileCopy& copy, CopyProgress* progress) {
    if (!dry_) {
        return CopyFileKnownReport(owner, copy.source, copy.sourceAttributes, copy.times, copy.destination,
                                   copy.destinationBefore, progress, copy.written, copy.beforeReplace,
                                   copy.hookMovesDestination, copy.check);
    }
    *copy.written = copy.size;
    return LookBeforeCopy(owner, copy.destination, copy.destinationBefore && !copy.hookMovesDestination,
                          copy.beforeReplace);
}

// A dry run's delete looks at nothing: the pass has told the links that cannot be removed,
// and any other fault shows only as the delete's own.
bool DiskChanges::RemoveFile(ErrorReporter& owner, const wchar_t* path, WalkedFolder* walked) {
    if (dry_) return true;
    if (walked == nullptr) return DeleteFileReport(owner, path);
    if (!DeleteFileReport(owner, path, false)) return false;
    walked->deleted.Insert(BaseName(path));
    return true;
}

bool DiskChanges::RemoveLink(ErrorReporter& owner, const wchar_t* path) {
    return dry_ ? LookBeforeLinkRemoval(owner, path) : RemoveLinkReport(owner, path);
}

bool DiskChanges::Rename(const wchar_t* from, const wchar_t* to, const wchar_t* within) {
    if (!dry_) return RenameEntry(from, to);
    if (GetFileAttributesW(from) == kUnreadableAttributes) return false;  // its own last error
    if (CrossesMountPoint(within, from)) return Fail(ERROR_NOT_SAME_DEVICE);
    if (GetFileAttributesW(to) != kUnreadableAttributes) return Fail(ERROR_ALREADY_EXISTS);
    return true;
}

bool DiskChanges::RemoveTree(ErrorReporter& owner, const wchar_t* path, FolderCheck* check, Removed* removed) {
    if (!dry_) return RemoveFolderTree(owner, path, check, removed);
    if (!LookBeforeRemoval(owner, path, check, nullptr)) return false;
    if (removed) ++removed->folders;
    return true;
}

void DiskChanges::RemoveUnused(const wchar_t* file, const wchar_t* folder) {
    if (!dry_ && DeleteFileW(file)) RemoveDirectoryW(folder);
}

bool DiskChanges::ReadWritten(const wchar_t* path, ULONGLONG* size, ULONGLONG* lastWrite) {
    if (dry_) return true;
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &info)) return false;
    *size = FileSizeOf(info);
    *lastWrite = FileTimeTicks(info.ftLastWriteTime);
    return true;
}

bool DiskChanges::CreateRecord(RunRecordWriter& record, const wchar_t* path) {
    if (!dry_) return record.Create(path);
    record.WriteNothing();
    return true;
}

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
