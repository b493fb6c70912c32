#include "folder_search.h"

#include <cwchar>

FolderSearch::FolderSearch(const wchar_t* pattern) {
    // Basic information skips the short names, which nothing here reads.
    handle_ = FindFirstFileExW(pattern, FindExInfoBasic, &data_, FindExSearchNameMatch, nullptr,
                               FIND_FIRST_EX_LARGE_FETCH);
}

FolderSearch::~FolderSearch() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
}

const WIN32_FIND_DATAW* FolderSearch::Next() {
    if (handle_ == INVALID_HANDLE_VALUE) return nullptr;
    for (;;) {
        if (first_) {
            first_ = false;
        } else if (!FindNextFileW(handle_, &data_)) {
            return nullptr;
        }
        const wchar_t* name = data_.cFileName;
        bool dots = name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
        if (!dots) return &data_;
    }
}
