#pragma once
#include <windows.h>

// One folder's entries in the platform's order, without "." and "..";
// the search is closed when the object goes.
class FolderSearch {
public:
    // `pattern` is the folder joined with "*.*".
    explicit FolderSearch(const wchar_t* pattern);
    ~FolderSearch();
    FolderSearch(const FolderSearch&) = delete;
    FolderSearch& operator=(const FolderSearch&) = delete;

    // The next entry, or nullptr when there is none.
    const WIN32_FIND_DATAW* Next();

private:
    HANDLE handle_;
    bool first_ = true;
    WIN32_FIND_DATAW data_;
};

inline bool IsFolderLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
