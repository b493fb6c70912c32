#include "folder_overlap.h"

#include <cwchar>
#include <cwctype>

#include "base/paths.h"
#include "platform/file_system.h"

namespace {

// Full path without a trailing separator, in capitals for comparison; false when unusable.
bool ComparablePath(const wchar_t* path, PathBuffer& out) {
    if (!FullPathOf(path, out, kPathChars) && !CopyPath(out, path)) return false;
    DWORD length = static_cast<DWORD>(wcslen(out));
    while (length > 0 && out[length - 1] == L'\\') out[--length] = L'\0';
    for (DWORD i = 0; i < length; ++i) out[i] = static_cast<wchar_t>(towupper(out[i]));
    return true;
}

bool InsideOrSame(const wchar_t* inner, const wchar_t* outer) {
    size_t outerLength = wcslen(outer);
    return wcsncmp(inner, outer, outerLength) == 0 && (inner[outerLength] == L'\0' || inner[outerLength] == L'\\');
}

bool TextOverlap(const wchar_t* first, const wchar_t* second) {
    PathBuffer a, b;
    if (!ComparablePath(first, a) || !ComparablePath(second, b)) return false;
    return InsideOrSame(a, b) || InsideOrSame(b, a);
}

// A full path; false when unusable.
bool FullPath(const wchar_t* path, PathBuffer& out) { return FullPathOf(path, out, kPathChars); }

// Up one folder, in place; false at a root ("C:\\", "\\", "\\\\server\\share").
bool UpOneLevel(PathBuffer& folder) {
    const wchar_t* separator = LastSeparator(folder);
    if (separator == nullptr || separator == folder || separator[-1] == L'\\') return false;
    size_t cut = static_cast<size_t>(separator - folder);
    if (folder[cut - 1] == L':') {
        if (folder[cut + 1] == L'\0') return false;  // "C:\\" itself
        folder[cut + 1] = L'\0';
    } else {
        folder[cut] = L'\0';
    }
    return true;
}

// Up one folder, in place, as UpOneLevel; from the root of a drive that is itself a folder
// of another drive (a drive letter mapped inside the other run folder), on from where that
// drive really is. False at a root of its own.
bool UpOneFolder(PathBuffer& folder, int& driveHops) {
    if (UpOneLevel(folder)) return true;
    constexpr int kDriveLetters = 26;  // a cycle of drive links ends the walk
    wchar_t above[kResolvedPathChars];
    return ++driveHops <= kDriveLetters && FolderAboveDriveRoot(folder, above, kResolvedPathChars) &&
           CopyPath(folder, above);
}

// True when `path` or one of the folders above it is the folder `outer` names. The walk
// goes up the text of the path, so a folder that does not exist yet is judged by the
// parents it would have.
bool InsideOrSameByIdentity(const wchar_t* path, const FileIdentity& outer) {
    PathBuffer folder;
    if (!FullPath(path, folder)) return false;
    int driveHops = 0;
    do {
        FileIdentity identity;
        if (ReadFileIdentity(folder, &identity) && SameIdentity(identity, outer)) return true;
    } while (UpOneFolder(folder, driveHops));
    return false;
}

// One folder inside (or the same as) the other, judged by what the paths point to: a
// link, a short name, another drive letter or the \\?\ form is the same folder still.
bool IdentityOverlap(const wchar_t* inner, const wchar_t* outer) {
    FileIdentity outerIdentity;
    if (!ReadFileIdentity(outer, &outerIdentity)) return false;
    if (InsideOrSameByIdentity(inner, outerIdentity)) return true;
    // A link part-way down `inner` may lead into `outer` from a place whose own parents do
    // not: walk the parents of where the nearest existing folder on its way really lies.
    PathBuffer folder, resolved;
    if (!FullPath(inner, folder)) return false;
    do {
        if (ResolveFolderPath(folder, resolved, kPathChars)) return InsideOrSameByIdentity(resolved, outerIdentity);
    } while (UpOneLevel(folder));
    return false;
}

}  // namespace

bool FoldersOverlap(const wchar_t* first, const wchar_t* second) {
    return TextOverlap(first, second) || IdentityOverlap(first, second) || IdentityOverlap(second, first);
}
