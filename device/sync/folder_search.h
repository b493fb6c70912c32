#pragma once
#include <windows.h>

#include "base/owned_handle.h"
#include "base/paths.h"
#include "base/recovery_steps.h"
#include "platform/file_system.h"

// One folder's entries in the platform's order, without "." and "..";
// the search is closed when the object goes, or by the fault guard when a fault abandons it.
class FolderSearch {
public:
    explicit FolderSearch(const wchar_t* folder);
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    // The next entry, or nullptr when there is none or the search failed.
    const WIN32_FIND_DATAW* Next();
    // After Next() returned nullptr: 0 when the folder was read to its end, else the
    // platform's error code. A folder that cannot be listed is not an empty one.
    DWORD Error() const { return error_; }

private:
    void Fail(DWORD code);
    static void Close(void* search) noexcept;

    FindHandle handle_;
    bool first_ = true;
    DWORD error_ = 0;
    WIN32_FIND_DATAW data_;
    RecoveryStep closeAfterFault_{Close, this};
};

inline bool IsFolderLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// An entry found at `path` that is neither a file nor a folder (a pipe, a socket, a device
// node): it lists as an empty file on some platforms, and only such entries are looked at.
inline bool IsSpecialEntry(const WIN32_FIND_DATAW& found, const wchar_t* path) {
    return !IsFolderAttributes(found.dwFileAttributes) && found.nFileSizeLow == 0 && found.nFileSizeHigh == 0 &&
           IsSpecialFile(path);
}
