#include "file_system.h"

#include <cwchar>

#if defined(_WIN32_WCE)

wchar_t NameCapital(wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
}

HANDLE OpenFolderSearch(const wchar_t* pattern, WIN32_FIND_DATAW* first) { return FindFirstFileW(pattern, first); }

// The object store holds files and folders only.
bool IsSpecialFile(const wchar_t*) { return false; }

// The object store gives folders no handle to ask, so no identity: callers compare the
// paths as text.
bool ReadFileIdentity(const wchar_t*, FileIdentity*) { return false; }

// The object store has no links.
LinkKind ClassifyLink(const wchar_t*) { return LinkKind::Entry; }

LinkKind ClassifyLinkIn(const wchar_t*, const wchar_t*) { return LinkKind::Entry; }

bool RemoveLink(const wchar_t*) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return false;
}

bool CanRemoveLink(const wchar_t*) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return false;
}

bool ResolveFolderPath(const wchar_t*, wchar_t*, DWORD) { return false; }

// The device has no drive letters.
bool FolderAboveDriveRoot(const wchar_t*, wchar_t*, DWORD) { return false; }

bool FullPathOf(const wchar_t* path, wchar_t* out, DWORD outChars) {
    size_t length = wcslen(path);
    if (length >= outChars) return false;
    wmemcpy(out, path, length + 1);
    return true;
}

bool ReplaceFileWith(const wchar_t* replacement, const wchar_t* destination) {
    if (GetFileAttributesW(destination) == INVALID_FILE_ATTRIBUTES) return MoveFileW(replacement, destination) != 0;
    return DeleteAndRenameFile(destination, replacement) != 0;
}

// The device's MoveFile renames within the object store and fails onto an existing name.
bool RenameEntry(const wchar_t* from, const wchar_t* to) { return MoveFileW(from, to) != 0; }

bool IsHeldOpen(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

// The device's own replace: the destination is removed and the replacement renamed to it
// as one operation of the file system. The device sets times only through a handle open for
// writing, which a read-only copy refuses: its read-only bit is off while the times are set.
bool ReplaceFileAtomically(const wchar_t* replacement, const wchar_t* destination, const FILETIME* creation,
                           const FILETIME* lastAccess, const FILETIME* lastWrite) {
    const DWORD attributes = GetFileAttributesW(replacement);
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) SetFileAttributesW(replacement, attributes & ~FILE_ATTRIBUTE_READONLY);
    HANDLE file = CreateFileW(replacement, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        SetFileTime(file, creation, lastAccess, lastWrite);
        CloseHandle(file);
    }
    if (readOnly) SetFileAttributesW(replacement, attributes);
    if (GetFileAttributesW(destination) == INVALID_FILE_ATTRIBUTES) return MoveFileW(replacement, destination) != 0;
    return DeleteAndRenameFile(destination, replacement) != 0;
}

#else

wchar_t NameCapital(wchar_t c) {
    wchar_t upper = c;
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, &c, 1, &upper, 1);
    return upper;
}

HANDLE OpenFolderSearch(const wchar_t* pattern, WIN32_FIND_DATAW* first) {
    // Basic information skips the short names, which nothing here reads; the large fetch
    // asks for many entries per call.
    return FindFirstFileExW(pattern, FindExInfoBasic, first, FindExSearchNameMatch, nullptr,
                            FIND_FIRST_EX_LARGE_FETCH);
}

// Wine gives attributes to files and folders only: for anything else the attribute read of
// the path fails with "invalid parameter", while a search on the path still finds it.
bool IsSpecialFile(const wchar_t* path) {
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_INVALID_PARAMETER) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// A handle on the path itself (a folder too), that asks for no access to its contents
// and stands in nobody's way.
HANDLE OpenForQuery(const wchar_t* path) {
    return CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

bool ReadFileIdentity(const wchar_t* path, FileIdentity* identity) {
    HANDLE handle = OpenForQuery(path);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    BOOL ok = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!ok) return false;
    *identity = FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow, info.ftCreationTime,
                             info.ftLastWriteTime, 0};
    ULARGE_INTEGER available, total;
    if (info.dwVolumeSerialNumber == 0 && GetDiskFreeSpaceExW(path, &available, &total, nullptr)) {
        identity->volumeBytes = total.QuadPart;
    }
    return true;
}

namespace {

// The handle's own path, without the "\\?\" prefix: "\\?\C:\dir" -> "C:\dir",
// "\\?\UNC\server\share" -> "\\server\share".
bool HandlePath(HANDLE handle, wchar_t* out, DWORD outChars) {
    DWORD length = GetFinalPathNameByHandleW(handle, out, outChars, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= outChars) return false;
    if (wcsncmp(out, L"\\\\?\\UNC\\", 8) == 0) {
        wmemmove(out + 2, out + 8, length - 8 + 1);
    } else if (wcsncmp(out, L"\\\\?\\", 4) == 0) {
        wmemmove(out, out + 4, length - 4 + 1);
    }
    return true;
}

}  // namespace

bool ResolveFolderPath(const wchar_t* path, wchar_t* out, DWORD outChars) {
    HANDLE handle = OpenForQuery(path);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool ok = HandlePath(handle, out, outChars);
    CloseHandle(handle);
    return ok;
}

namespace {

// Wine's own name of a path on the Linux side, allocated on the process heap; null where
// the program does not run under Wine.
char* UnixNameOf(const wchar_t* path) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    static const auto unixName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    return unixName ? unixName(path) : nullptr;
}

}  // namespace

bool FolderAboveDriveRoot(const wchar_t* root, wchar_t* out, DWORD outChars) {
    if (root[0] == L'\\' || root[1] != L':') return false;
    // Under Wine the drive letter is a link: its Linux path with "/.." opens, through the
    // link, the folder that holds what it leads to (the "\\?\unix" form is taken as it stands).
    if (char* unix = UnixNameOf(root)) {
        wchar_t holder[kResolvedPathChars] = L"\\\\?\\unix";
        const int used = static_cast<int>(wcslen(holder));
        int length = MultiByteToWideChar(CP_UTF8, 0, unix, -1, holder + used, kResolvedPathChars - used - 3);
        HeapFree(GetProcessHeap(), 0, unix);
        if (length == 0) return false;
        wcscat(holder, holder[wcslen(holder) - 1] == L'/' ? L".." : L"/..");
        wchar_t self[kResolvedPathChars];
        // The root of the Linux tree is its own parent.
        return ResolveFolderPath(holder, out, outChars) && ResolveFolderPath(root, self, kResolvedPathChars) &&
               wcscmp(out, self) != 0;
    }
    // A substituted drive names its folder: "\??\C:\folder".
    const wchar_t drive[3] = {root[0], L':', L'\0'};
    wchar_t target[kResolvedPathChars];
    if (!QueryDosDeviceW(drive, target, kResolvedPathChars) || wcsncmp(target, L"\\??\\", 4) != 0) return false;
    size_t length = wcslen(target + 4);
    if (length >= outChars) return false;
    wmemcpy(out, target + 4, length + 1);
    return true;
}

bool FullPathOf(const wchar_t* path, wchar_t* out, DWORD outChars) {
    DWORD length = GetFullPathNameW(path, outChars, out, nullptr);
    return length != 0 && length < outChars;
}

namespace {

constexpr DWORD kResolvedChars = kResolvedPathChars;

// Where the name `path` stands in `resolvedFolder`: the folder, then the path's last part
// (which may itself be a link).
bool PlaceIn(const wchar_t* resolvedFolder, const wchar_t* path, wchar_t (&out)[kResolvedChars]) {
    size_t length = wcslen(path);
    while (length > 0 && path[length - 1] == L'\\') --length;
    size_t cut = length;
    while (cut > 0 && path[cut - 1] != L'\\') --cut;
    size_t used = wcslen(resolvedFolder);
    if (used + 1 + (length - cut) >= kResolvedChars) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    wmemcpy(out, resolvedFolder, used);
    if (used > 0 && out[used - 1] != L'\\') out[used++] = L'\\';
    wmemcpy(out + used, path + cut, length - cut);
    out[used + length - cut] = L'\0';
    return true;
}

// The folder of `path`, resolved: the text before its last part ("C:\\" kept whole).
bool ResolveParent(const wchar_t* path, wchar_t (&out)[kResolvedChars]) {
    wchar_t folder[kResolvedChars];
    size_t length = wcslen(path);
    while (length > 0 && path[length - 1] == L'\\') --length;
    size_t cut = length;
    while (cut > 0 && path[cut - 1] != L'\\') --cut;
    if (cut == 0 || cut >= kResolvedChars) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    if (cut > 1 && path[cut - 2] != L':' && path[cut - 2] != L'\\') --cut;  // no separator at the end
    wmemcpy(folder, path, cut);
    folder[cut] = L'\0';
    return ResolveFolderPath(folder, out, kResolvedChars);
}

bool ResolvedPlace(const wchar_t* path, wchar_t (&out)[kResolvedChars]) {
    wchar_t folder[kResolvedChars];
    return ResolveParent(path, folder) && PlaceIn(folder, path, out);
}

}  // namespace

LinkKind ClassifyLinkIn(const wchar_t* resolvedFolder, const wchar_t* path) {
    if (*resolvedFolder == L'\0') return ClassifyLink(path);
    wchar_t place[kResolvedChars], leads[kResolvedChars];
    if (!PlaceIn(resolvedFolder, path, place) || !ResolveFolderPath(path, leads, kResolvedChars)) return LinkKind::Unknown;
    return wcscmp(place, leads) == 0 ? LinkKind::Entry : LinkKind::Link;
}

LinkKind ClassifyLink(const wchar_t* path) {
    wchar_t folder[kResolvedChars];
    if (!ResolveParent(path, folder)) return LinkKind::Unknown;
    return ClassifyLinkIn(folder, path);
}

namespace {

// Opened without following the link, the handle is the link itself where the platform can
// do that; where it cannot (it opens the target all the same), the handle's path shows it:
// then no handle (ERROR_NOT_SUPPORTED).
HANDLE OpenLinkItself(const wchar_t* path) {
    wchar_t place[kResolvedChars], opened[kResolvedChars];
    if (!ResolvedPlace(path, place)) return INVALID_HANDLE_VALUE;
    HANDLE handle = CreateFileW(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return handle;
    if (HandlePath(handle, opened, kResolvedChars) && wcscmp(place, opened) == 0) return handle;
    CloseHandle(handle);
    SetLastError(ERROR_NOT_SUPPORTED);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool RemoveLink(const wchar_t* path) {
    HANDLE handle = OpenLinkItself(path);
    if (handle == INVALID_HANDLE_VALUE) return false;
    FILE_DISPOSITION_INFO disposition{TRUE};
    BOOL ok = SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
    DWORD code = GetLastError();
    CloseHandle(handle);
    if (ok) return true;
    SetLastError(code);
    return false;
}

bool CanRemoveLink(const wchar_t* path) {
    HANDLE handle = OpenLinkItself(path);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

bool ReplaceFileWith(const wchar_t* replacement, const wchar_t* destination) {
    return MoveFileExW(replacement, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Without MOVEFILE_COPY_ALLOWED a move to another volume fails instead of copying.
bool RenameEntry(const wchar_t* from, const wchar_t* to) { return MoveFileExW(from, to, 0) != 0; }

bool IsHeldOpen(const wchar_t* path) {
    HANDLE file = CreateFileW(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

namespace {

constexpr DWORD kRenameChars = 1024;

// The name the rename call takes: the full path in the object manager's form ("\??\C:\x",
// "\??\UNC\server\share\x"). False when it would not fit.
bool ObjectManagerPath(const wchar_t* path, wchar_t (&out)[kRenameChars]) {
    wchar_t full[kRenameChars];
    if (!FullPathOf(path, full, kRenameChars)) return false;
    const wchar_t* rest = full;
    const wchar_t* prefix = L"\\??\\";
    if (wcsncmp(full, L"\\\\?\\", 4) == 0 || wcsncmp(full, L"\\\\.\\", 4) == 0) {
        rest = full + 4;
    } else if (wcsncmp(full, L"\\\\", 2) == 0) {
        prefix = L"\\??\\UNC\\";
        rest = full + 2;
    }
    size_t prefixLength = wcslen(prefix), restLength = wcslen(rest);
    if (prefixLength + restLength >= kRenameChars) return false;
    wmemcpy(out, prefix, prefixLength);
    wmemcpy(out + prefixLength, rest, restLength + 1);
    return true;
}

}  // namespace

// One handle does both: the times, then a rename by handle that replaces the destination.
// Opening the file once costs a third of what setting the times and MoveFileExW cost apart.
bool ReplaceFileAtomically(const wchar_t* replacement, const wchar_t* destination, const FILETIME* creation,
                           const FILETIME* lastAccess, const FILETIME* lastWrite) {
    struct {
        FILE_RENAME_INFO info;
        wchar_t room[kRenameChars];
    } rename;
    wchar_t target[kRenameChars];
    if (!ObjectManagerPath(destination, target)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    // Times and the rename need no right to the contents, so a read-only copy opens too.
    HANDLE file = CreateFileW(replacement, FILE_WRITE_ATTRIBUTES | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    SetFileTime(file, creation, lastAccess, lastWrite);
    size_t length = wcslen(target);
    rename.info.ReplaceIfExists = TRUE;
    rename.info.RootDirectory = nullptr;
    rename.info.FileNameLength = static_cast<DWORD>(length * sizeof(wchar_t));
    wmemcpy(rename.info.FileName, target, length + 1);
    BOOL ok = SetFileInformationByHandle(file, FileRenameInfo, &rename, sizeof rename);
    DWORD code = GetLastError();
    CloseHandle(file);
    SetLastError(code);
    return ok != 0;
}

#endif
