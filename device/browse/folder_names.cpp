#include "folder_names.h"

#include <climits>
#include <cwchar>

namespace BrowseTexts {
const TextPair NewFolderName{L"New Folder", L"新しいフォルダ"};
const TextPair NewFolderNumbered{L"New Folder (%d)", L"新しいフォルダ (%d)"};
const TextPair InUse{L"%s is in use", L"%s は使用中です"};
const TextPair DiskFull{L"There is not enough space on the disk", L"ﾃﾞｨｽｸがいっぱいです"};
const wchar_t MoveFailed[] = L"Error Move file %d";
const TextPair BrowseTitle{L"Browse", L"参照"};
const TextPair DeleteQuestion{L"Are you sure delete this folder '%s'?", L"ﾌｫﾙﾀﾞ '%s' を削除してもよろしいですか?"};
const TextPair DeleteCaption{L"Confirm", L"確認"};
const TextPair NotEmpty{L"'%s' is not empty; only an empty folder can be deleted here.",
                        L"'%s' は空ではありません。ここでは空のﾌｫﾙﾀﾞだけを削除できます。"};
const wchar_t RemoveFailed[] = L"Error RemoveDirectory %d";
}  // namespace BrowseTexts

bool PrependPath(PathBuffer& path, const wchar_t* base) {
    PathBuffer joined;
    if (!JoinPath(joined, base, path)) {
        path[0] = L'\0';
        return false;
    }
    return CopyPath(path, joined);
}

bool RootedPath(PathBuffer& out, const wchar_t* prefix, const wchar_t* path) {
    const bool rooted = path[0] == L'\\' && path[1] != L'\\';
    if (!rooted || prefix[0] == L'\0') return CopyPath(out, path);
    if (wcslen(prefix) + wcslen(path) >= kPathChars) {
        out[0] = L'\0';
        return false;
    }
    wcscpy(out, prefix);
    wcscat(out, path);
    return true;
}

bool ChooseNewFolderPath(PathBuffer& out, const wchar_t* parent,
                         const std::function<bool(const wchar_t*)>& taken) {
    if (!JoinPath(out, parent, Pick(BrowseTexts::NewFolderName))) return false;
    // The number 1 is never used: the plain name stands for it.
    for (int n = 2; taken(out); ++n) {
        wchar_t name[kPathChars];
        FormatInto(name, Pick(BrowseTexts::NewFolderNumbered), n);
        if (n == INT_MAX || !JoinPath(out, parent, name)) {
            out[0] = L'\0';
            return false;
        }
    }
    return true;
}

bool IsAcceptableFolderName(const wchar_t* label) {
    if (label == nullptr || *label == L'\0') return false;
    if (wcscmp(label, L".") == 0 || wcscmp(label, L"..") == 0) return false;
    for (const wchar_t* c = label; *c; ++c) {
        if (*c < 0x20 || wcschr(L"\\/:*?\"<>|", *c) != nullptr) return false;
    }
    return true;
}

void MoveErrorText(DWORD code, const wchar_t* oldPath, wchar_t (&out)[kMessageChars]) {
    switch (code) {
    case ERROR_SHARING_VIOLATION: FormatInto(out, Pick(BrowseTexts::InUse), oldPath); break;
    case ERROR_DISK_FULL: FormatInto(out, Pick(BrowseTexts::DiskFull)); break;
    default: FormatInto(out, BrowseTexts::MoveFailed, static_cast<int>(code)); break;
    }
}
