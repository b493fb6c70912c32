#include "disk_changes.h"

#include <cwchar>

#include "base/paths.h"
#include "file_numbers.h"
#include "file_actions.h"
#include "folder_search.h"

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

}  // namespace

bool DiskChanges::MakeFolder(const wchar_t* path, DWORD attributes) {
    if (!dry_) {
        if (!CreateDirectoryW(path, nullptr)) return false;
        if (attributes) SetFileAttributesW(path, attributes);
        return true;
    }
    return GetFileAttributesW(path) == kUnreadableAttributes || Fail(ERROR_ALREADY_EXISTS);
}

bool DiskChanges::MakeFolderPath(ErrorReporter& owner, const wchar_t* path) {
    return dry_ ? LookBeforeMakeFolder(owner, path, true) : CreateFolderPath(owner, path);
}

bool DiskChanges::Rename(const wchar_t* from, const wchar_t* to, const wchar_t* within) {
    if (!dry_) return RenameEntry(from, to);
    if (CrossesMountPoint(within, from)) return Fail(ERROR_NOT_SAME_DEVICE);
    if (GetFileAttributesW(to) != kUnreadableAttributes) return Fail(ERROR_ALREADY_EXISTS);
    return true;
}

bool DiskChanges::RemoveTree(ErrorReporter& owner, const wchar_t* path) {
    return dry_ ? LookBeforeRemoval(owner, path, nullptr, nullptr) : RemoveFolderTree(owner, path);
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
