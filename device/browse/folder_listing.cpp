#include "folder_listing.h"

#include <windows.h>

#include "base/owned_handle.h"
#include "base/paths.h"

namespace {

bool IsSelfOrParent(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Visits every entry but "." and ".."; `visit` returns false to stop early.
bool ForEachEntry(const wchar_t* folder, const std::function<bool(const WIN32_FIND_DATAW&)>& visit) {
    PathBuffer pattern;
    if (!JoinPath(pattern, folder, L"*.*")) return false;
    WIN32_FIND_DATAW data;
    FindHandle search(FindFirstFileW(pattern, &data));
    if (!search.Valid()) return false;
    do {
        if (IsSelfOrParent(data.cFileName)) continue;
        if (!visit(data)) break;
    } while (FindNextFileW(search.Get(), &data));
    return true;
}

}  // namespace

bool ForEachSubfolder(const wchar_t* folder, const std::function<void(const wchar_t* name)>& visit) {
    return ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) visit(data.cFileName);
        return true;
    });
}

bool HasSubfolders(const wchar_t* folder) {
    bool found = false;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& data) {
        found = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return !found;
    });
    return found;
}

bool IsEmptyFolder(const wchar_t* folder) {
    bool empty = true;
    const bool read = ForEachEntry(folder, [&](const WIN32_FIND_DATAW&) {
        empty = false;
        return false;
    });
    return read && empty;
}
