#include "set_file_writer.h"

#include <windows.h>

#include <cwchar>

#include "platform/file_system.h"
#include "sync/paths.h"

namespace {

bool WriteAll(const wchar_t* path, const std::string& content) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = content.empty() ||
              (WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
               written == content.size());
    ok = FlushFileBuffers(file) && ok;
    if (!ok) {
        DWORD failure = GetLastError();
        CloseHandle(file);
        SetLastError(failure);
        return false;
    }
    return CloseHandle(file) != FALSE;
}

// Removes the staging file and hands back the error that made the save fail.
bool Abandon(const wchar_t* staging) {
    DWORD failure = GetLastError();
    DeleteFileW(staging);
    SetLastError(failure == ERROR_SUCCESS ? ERROR_WRITE_FAULT : failure);
    return false;
}

}  // namespace

bool ReplaceFileContent(const wchar_t* path, const std::string& content) {
    PathBuffer staging;
    if (!CopyPath(staging, path) || wcslen(path) + 5 >= kPathChars) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    wcscat(staging, L".new");
    if (!WriteAll(staging, content)) return Abandon(staging);
    if (!ReplaceFileWith(staging, path)) return Abandon(staging);
    return true;
}
