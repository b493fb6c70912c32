#include "file_system.h"

#include <cwchar>

#if defined(_WIN32_WCE)

HANDLE OpenFolderSearch(const wchar_t* pattern, WIN32_FIND_DATAW* first) { return FindFirstFileW(pattern, first); }

// The object store gives folders no handle to ask, so no identity: callers compare the
// paths as text.
bool ReadFileIdentity(const wchar_t*, FileIdentity*) { return false; }

bool ResolveFolderPath(const wchar_t*, wchar_t*, DWORD) { return false; }

// The device's own replace: the destination is removed and the replacement renamed to it
// as one operation of the file system.
bool ReplaceFileAtomically(const wchar_t* replacement, const wchar_t* destination) {
    if (GetFileAttributesW(destination) == INVALID_FILE_ATTRIBUTES) return MoveFileW(replacement, destination) != 0;
    return DeleteAndRenameFile(destination, replacement) != 0;
}

#else

HANDLE OpenFolderSearch(const wchar_t* pattern, WIN32_FIND_DATAW* first) {
    // Basic information skips the short names, which nothing here reads; the large fetch
    // asks for many entries per call.
    return FindFirstFileExW(pattern, FindExInfoBasic, first, FindExSearchNameMatch, nullptr,
                            FIND_FIRST_EX_LARGE_FETCH);
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
    *identity = FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

bool ResolveFolderPath(const wchar_t* path, wchar_t* out, DWORD outChars) {
    HANDLE handle = OpenForQuery(path);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD length = GetFinalPathNameByHandleW(handle, out, outChars, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(handle);
    if (length == 0 || length >= outChars) return false;
    // "\\?\C:\dir" -> "C:\dir"; "\\?\UNC\server\share" -> "\\server\share".
    if (wcsncmp(out, L"\\\\?\\UNC\\", 8) == 0) {
        wmemmove(out + 2, out + 8, length - 8 + 1);
    } else if (wcsncmp(out, L"\\\\?\\", 4) == 0) {
        wmemmove(out, out + 4, length - 4 + 1);
    }
    return true;
}

bool ReplaceFileAtomically(const wchar_t* replacement, const wchar_t* destination) {
    return MoveFileExW(replacement, destination, MOVEFILE_REPLACE_EXISTING) != 0;
}

#endif
