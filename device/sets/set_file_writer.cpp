#include "set_file_writer.h"

#include <windows.h>

#include <cwchar>

#include "base/owned_handle.h"
#include "base/paths.h"
#include "platform/file_system.h"
#include "set_file_limit.h"

namespace {

bool WriteAll(const wchar_t* path, const std::string& content, DWORD disposition) {
    FileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD written = 0;
    bool ok = content.empty() ||
              (WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
               written == content.size());
    ok = FlushFileBuffers(file.Get()) && ok;
    if (!ok) return false;  // closed keeping the failure's error
    return CloseHandle(file.Release()) != FALSE;  // a close that fails is a save that fails
}

// Removes the staging file and hands back the error that made the save fail.
bool Abandon(const wchar_t* staging) {
    DWORD failure = GetLastError();
    DeleteFileW(staging);
    SetLastError(failure == ERROR_SUCCESS ? ERROR_WRITE_FAULT : failure);
    return false;
}

// Writes the content to a staging file beside `path`: "NAME.new" (written over, it is ours),
// or, where that would pass the path limit, a name of the same length as the file's own that
// does not exist yet (its first character replaced by "~" or another mark), so that every
// path that can be saved has a staging name that fits. On a failure `staging` names what
// has to be removed, or is empty when nothing of ours was made.
bool WriteStaging(const wchar_t* path, const std::string& content, PathBuffer& staging) {
    staging[0] = L'\0';
    const size_t length = wcslen(path);
    const size_t nameAt = static_cast<size_t>(BaseName(path) - path);
    if (length >= kPathChars || nameAt >= length) {
        SetLastError(length >= kPathChars ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_NAME);
        return false;
    }
    CopyPath(staging, path);
    if (length + 4 < kPathChars) {
        wcscat(staging, L".new");
        return WriteAll(staging, content, CREATE_ALWAYS);
    }
    for (wchar_t mark : {L'~', L'_', L'$', L'#', L'!'}) {
        if (mark == path[nameAt]) continue;
        staging[nameAt] = mark;
        if (WriteAll(staging, content, CREATE_NEW)) return true;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    staging[0] = L'\0';  // every such name belongs to someone else
    return false;
}

}  // namespace

bool ReplaceFileContent(const wchar_t* path, const std::string& content, unsigned long long limit) {
    // Never a set file that the next start would refuse to read.
    if (content.size() > limit) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return false;
    }
    PathBuffer staging;
    if (!WriteStaging(path, content, staging)) return staging[0] != L'\0' ? Abandon(staging) : false;
    if (!ReplaceFileWith(staging, path)) return Abandon(staging);
    return true;
}
