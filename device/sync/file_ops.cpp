#include "file_ops.h"

#include "../platform/file_attributes.h"
#include "folder_search.h"
#include "paths.h"
#include "sync_texts.h"

namespace {

void ReportCode(ErrorReporter& owner, void (*compose)(DWORD, wchar_t (&)[kMessageChars]), DWORD code) {
    wchar_t text[kMessageChars];
    compose(code, text);
    owner.ShowError(text);
}

bool SameState(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

// A copy that failed part-way may leave a destination that is newer than its source and
// would pass for up to date at the next run. Remove it unless it is still the file that
// was there before the copy started.
void DiscardFailedCopy(const wchar_t* destination, bool existedBefore, const WIN32_FILE_ATTRIBUTE_DATA& before) {
    WIN32_FILE_ATTRIBUTE_DATA after;
    if (!GetFileAttributesExW(destination, GetFileExInfoStandard, &after)) return;
    if (after.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    if (existedBefore && SameState(before, after)) return;
    SetFileAttributesW(destination, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(destination);
}

}  // namespace

bool CopyFileReport(ErrorReporter& owner, const wchar_t* source, const wchar_t* destination) {
    WIN32_FILE_ATTRIBUTE_DATA before;
    bool existedBefore = GetFileAttributesExW(destination, GetFileExInfoStandard, &before) != 0;
    return CopyFileKnownReport(owner, source, GetFileAttributesW(source), destination, existedBefore ? &before : nullptr);
}

bool CopyFileKnownReport(ErrorReporter& owner, const wchar_t* source, DWORD sourceAttributes, const wchar_t* destination,
                         const WIN32_FILE_ATTRIBUTE_DATA* destinationBefore) {
    if (IsInRomOrUnreadable(sourceAttributes)) return true;
    if (CopyFileW(source, destination, FALSE)) return true;
    DWORD code = GetLastError();
    WIN32_FILE_ATTRIBUTE_DATA none{};
    DiscardFailedCopy(destination, destinationBefore != nullptr, destinationBefore ? *destinationBefore : none);
    wchar_t text[kMessageChars];
    CopyFileErrorText(code, source, text);
    owner.ShowError(text);
    return false;
}

bool SetAttributesReport(ErrorReporter& owner, const wchar_t* path, DWORD attributes) {
    if (SetFileAttributesW(path, attributes)) return true;
    ReportCode(owner, SetAttributesErrorText, GetLastError());
    return false;
}

bool ReadFileTimes(const wchar_t* path, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BOOL ok = GetFileTime(file, creation, lastAccess, lastWrite);
    CloseHandle(file);
    return ok != 0;
}

bool WriteFileTimes(const wchar_t* path, const FILETIME* creation, const FILETIME* lastAccess,
                    const FILETIME* lastWrite) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BOOL ok = SetFileTime(file, creation, lastAccess, lastWrite);
    CloseHandle(file);
    return ok != 0;
}

bool DeleteFileReport(ErrorReporter& owner, const wchar_t* path) {
    if (IsInRomOrUnreadable(GetFileAttributesW(path))) return true;
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(path)) return true;
    ReportCode(owner, DeleteFileErrorText, GetLastError());
    return false;
}

bool RemoveFolderReport(ErrorReporter& owner, const wchar_t* path) {
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (RemoveDirectoryW(path)) return true;
    ReportCode(owner, RemoveFolderErrorText, GetLastError());
    return false;
}

bool RemoveFolderTree(ErrorReporter& owner, const wchar_t* path) {
    DWORD attributes = GetFileAttributesW(path);
    if (!IsFolderAttributes(attributes)) return DeleteFileReport(owner, path);
    // A link is removed as itself: what it points to is not ours to delete.
    if (IsFolderLink(attributes)) return RemoveFolderReport(owner, path);
    PathBuffer pattern, child;
    if (!JoinPath(pattern, path, L"*.*")) {
        ReportPathTooLong(owner, path, L"*.*");
        return false;
    }
    {
        FolderSearch search(pattern);
        while (const WIN32_FIND_DATAW* entry = search.Next()) {
            if (!JoinPath(child, path, entry->cFileName)) {
                ReportPathTooLong(owner, path, entry->cFileName);
                return false;
            }
            if (!RemoveFolderTree(owner, child)) return false;
        }
    }
    return RemoveFolderReport(owner, path);
}

bool CreateFolderReport(ErrorReporter& owner, const wchar_t* path) {
    if (CreateDirectoryW(path, nullptr)) return true;
    DWORD code = GetLastError();
    wchar_t text[kMessageChars];
    CreateFolderErrorText(code, path, text);
    owner.ShowError(text);
    return false;
}

bool CreateFolderPath(ErrorReporter& owner, const wchar_t* path) {
    if (PathExists(path)) return IsFolder(path);
    PathBuffer prefix;
    if (!CopyPath(prefix, path)) {
        ReportPathTooLong(owner, path, L"");
        return false;
    }
    // Walk the copy: at each separator after the first component, cut it there briefly.
    size_t start = (path[0] == L'\\' && path[1] == L'\\') ? 2 : 0;
    size_t i = start;
    while (prefix[i] != L'\0' && prefix[i] != L'\\') ++i;
    if (prefix[i] == L'\0') return false;  // no separator: nothing to create from
    for (++i; prefix[i] != L'\0'; ++i) {
        if (prefix[i] != L'\\') continue;
        prefix[i] = L'\0';
        DWORD attributes = GetFileAttributesW(prefix);
        if (attributes != kUnreadableAttributes) {
            if (!IsFolderAttributes(attributes)) return false;
        } else if (!CreateFolderReport(owner, prefix)) {
            return false;
        }
        prefix[i] = L'\\';
    }
    return CreateFolderReport(owner, path);
}

void ReportPathTooLong(ErrorReporter& owner, const wchar_t* base, const wchar_t* name) {
    wchar_t joined[kMessageChars];
    if (*name) {
        FormatInto(joined, L"%s\\%s", base, name);
    } else {
        FormatInto(joined, L"%s", base);
    }
    wchar_t text[kMessageChars];
    FormatInto(text, Pick(SyncTexts::PathTooLong), joined);
    owner.ShowError(text);
}
