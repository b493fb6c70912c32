#pragma once
#include <windows.h>

// File-system calls whose form differs between the device and desktop Win32. The engine
// calls these and never the platform's own variants, so it runs the same on both.

// The capital of `c` as names are told apart, the same in every locale: desktop Win32 maps
// it in the invariant locale, the device (which has none) with its own case table.
wchar_t NameCapital(wchar_t c);

// Starts a search of one folder's entries with `pattern` (the folder joined with "*.*")
// and fills in the first entry; INVALID_HANDLE_VALUE, with the last error set, when the
// search cannot start. Go on with FindNextFileW and end with FindClose.
HANDLE OpenFolderSearch(const wchar_t* pattern, WIN32_FIND_DATAW* first);

// True for an entry that is neither a file nor a folder: a pipe, a socket or a device node,
// which some platforms list as an empty plain file (Wine). Told without opening it (opening
// a pipe for reading waits for a writer; opening a device may act on it).
bool IsSpecialFile(const wchar_t* path);

// What a file or folder is, whatever name reaches it (a link, a short name, another drive
// letter, the \\?\ form): its volume's serial number and its index on that volume.
// Some platforms give every volume they cannot name the serial number 0 (under Wine, each
// tmpfs, whose roots all have index 1): there the folder's times and its volume's size tell
// two such folders apart. (Two volumes of one size whose folders last changed in the same
// clock tick still read alike, and count as one: a refusal, never a harm.)
struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    FILETIME changed;
    FILETIME written;
    ULONGLONG volumeBytes;
};

inline bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
    if (a.volume != b.volume || a.indexHigh != b.indexHigh || a.indexLow != b.indexLow) return false;
    return a.volume != 0 ||
           (CompareFileTime(&a.changed, &b.changed) == 0 && CompareFileTime(&a.written, &b.written) == 0 &&
            a.volumeBytes == b.volumeBytes);
}

// False when the path cannot be opened (missing, refused) or the platform cannot tell.
// Under some platforms this costs milliseconds (the volume is looked up each time).
bool ReadFileIdentity(const wchar_t* path, FileIdentity* identity);

// What a name in a folder is: the entry itself, or a link (symbolic link, junction) whose
// target is elsewhere. Under some platforms a file link carries no mark of its own, a
// folder link looks like a mount point, and deleting through a link deletes its target;
// so the answer comes from where the path leads, against the place of its name. A mount
// point leads to its own place: it is a folder. Unknown (the last error set) when the path
// cannot be opened to look.
enum class LinkKind { Entry, Link, Unknown };
LinkKind ClassifyLink(const wchar_t* path);
// The same for an entry of a folder already resolved by ResolveFolderPath (into a buffer
// of kResolvedPathChars; empty when that failed): half the cost, for many entries of one
// folder.
constexpr DWORD kResolvedPathChars = 1024;
LinkKind ClassifyLinkIn(const wchar_t* resolvedFolder, const wchar_t* path);

// Removes the link `path` itself, never what it points to; false, with the last error set
// (ERROR_NOT_SUPPORTED where the platform only reaches the target), when it cannot.
bool RemoveLink(const wchar_t* path);
// Whether RemoveLink could remove the link `path`, without removing it; false, with the last
// error set as RemoveLink would set it, when it could not.
bool CanRemoveLink(const wchar_t* path);

// The path of a folder with every link on its way resolved, in `out` (`outChars` units);
// false when the platform cannot tell or the result does not fit.
bool ResolveFolderPath(const wchar_t* path, wchar_t* out, DWORD outChars);

// Where the walk up from the root of a drive (`root`, "X:\\") goes on when the drive is itself a
// folder of another drive's tree: a substituted drive's own place, or, under Wine, where a
// drive letter is a link in the prefix, the folder that holds what the link leads to. In
// `out` (`outChars` units); false at a root of its own and where the platform cannot tell.
// Only a walk up from such a root shows that a folder lies inside another one.
bool FolderAboveDriveRoot(const wchar_t* root, wchar_t* out, DWORD outChars);

// The full path of `path` in `out` (`outChars` units): on desktop Win32 a relative path or
// one without a drive is completed from the current directory; the device has neither, so
// its paths are full as they stand. False when the result does not fit.
bool FullPathOf(const wchar_t* path, wchar_t* out, DWORD outChars);

// Puts the finished file `replacement` in the place of `destination` (which may be
// missing) in one step, written through to the disk before it returns; false, with the
// last error set, when it cannot.
bool ReplaceFileWith(const wchar_t* replacement, const wchar_t* destination);

// Gives the file or folder `from` the name `to` in one step of the file system, never by
// a copy (so not onto another volume), never over an existing entry; a link is renamed as
// itself. False, with the last error set, when it cannot.
bool RenameEntry(const wchar_t* from, const wchar_t* to);

// True when another program holds the file open so that it cannot be replaced (a replace
// of such a file fails with "access denied", which says nothing of the reason).
bool IsHeldOpen(const wchar_t* path);

// Gives the finished copy `replacement` its three times and puts it in the place of
// `destination` in one step: at any moment the destination is either the old file or the
// complete new one. A time that cannot be set is not a failure (the copy is whole); false,
// with the last error set, when the replace fails.
bool ReplaceFileAtomically(const wchar_t* replacement, const wchar_t* destination, const FILETIME* creation,
                           const FILETIME* lastAccess, const FILETIME* lastWrite);
