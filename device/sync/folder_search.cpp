#include "folder_search.h"

#include <cwchar>

#include "platform/file_system.h"

namespace {

constexpr wchar_t kAllEntries[] = L"*.*";

}  // namespace

FolderSearch::FolderSearch(const wchar_t* folder) {
    // The pattern has room of its own beyond the path limit: a folder whose path is 256 to
    // 259 characters long is still a folder that can be listed.
    wchar_t pattern[kPathChars + sizeof kAllEntries / sizeof kAllEntries[0]];
    size_t length = wcslen(folder);
    if (length >= kPathChars) {
        Fail(ERROR_FILENAME_EXCED_RANGE);
        return;
    }
    wmemcpy(pattern, folder, length);
    if (length > 0 && folder[length - 1] != L'\\') pattern[length++] = L'\\';
    wmemcpy(pattern + length, kAllEntries, sizeof kAllEntries / sizeof kAllEntries[0]);
    handle_.Reset(OpenFolderSearch(pattern, &data_));
    if (!handle_.Valid()) Fail(GetLastError());
}

void FolderSearch::Close(void* search) noexcept { static_cast<FolderSearch*>(search)->handle_.Reset(); }

void FolderSearch::Fail(DWORD code) {
    // An empty folder or the end of the listing: nothing went wrong.
    error_ = (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) ? 0 : code;
}

const WIN32_FIND_DATAW* FolderSearch::Next() {
    if (!handle_.Valid()) return nullptr;
    for (;;) {
        if (first_) {
            first_ = false;
        } else if (!FindNextFileW(handle_.Get(), &data_)) {
            Fail(GetLastError());
            return nullptr;
        }
        const wchar_t* name = data_.cFileName;
        bool dots = name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
        if (!dots) return &data_;
    }
}
