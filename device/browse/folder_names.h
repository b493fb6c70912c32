#pragma once
#include <windows.h>

#include <functional>

#include "base/paths.h"
#include "base/text.h"

// Window-free rules of the folder browser: paths rebuilt from labels, the name of a new
// folder, which typed labels may become folder names, and the move-error texts.

// path = base joined with path (the way up the tree adds the parent in front). False, with
// the path emptied, when the result would not fit.
bool PrependPath(PathBuffer& path, const wchar_t* base);

// A special folder's path made absolute: `prefix` (the device root, see DeviceRootPrefix)
// in front of a path that starts at the root ("\", "\My Documents"); other paths (Desktop's
// empty one, the network's "\\") as they are. False (out empty) when it would not fit.
bool RootedPath(PathBuffer& out, const wchar_t* prefix, const wchar_t* path);

// The first free name in `parent`: "New Folder", then "New Folder (2)", (3), … (Japanese
// "新しいフォルダ"); anything of that name, file or folder, counts as taken. False (out
// empty) when no candidate fits a path buffer.
bool ChooseNewFolderPath(PathBuffer& out, const wchar_t* parent,
                         const std::function<bool(const wchar_t*)>& taken);

// A typed label that can name a folder beside its siblings: not empty, not "." or "..",
// and free of separators, wildcards and the other characters a file name cannot hold.
bool IsAcceptableFolderName(const wchar_t* label);

// The text of the box after a failed rename, for the platform's error code.
void MoveErrorText(DWORD code, const wchar_t* oldPath, wchar_t (&out)[kMessageChars]);

namespace BrowseTexts {
extern const TextPair NewFolderName;     // "New Folder"
extern const TextPair NewFolderNumbered; // "New Folder (%d)"
extern const TextPair InUse;             // %s: the old path
extern const TextPair DiskFull;
extern const wchar_t MoveFailed[];       // %d: the error code; English in both languages
extern const TextPair BrowseTitle;       // the title the main window passes: "Browse"
extern const TextPair DeleteQuestion;    // %s: the folder
extern const TextPair DeleteCaption;
extern const TextPair NotEmpty;          // %s: the folder
extern const wchar_t RemoveFailed[];     // %d: the error code
}  // namespace BrowseTexts
