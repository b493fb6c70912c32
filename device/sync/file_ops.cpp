#include "file_ops.h"

#include <cwchar>
#include <string>

#include "base/owned_handle.h"
#include "base/paths.h"
#include "folder_search.h"
#include "platform/file_attributes.h"
#include "platform/file_system.h"
#include "sync_texts.h"

namespace {

void ReportCode(ErrorReporter& owner, void (*compose)(DWORD, wchar_t (&)[kMessageChars]), DWORD code) {
    wchar_t text[kMessageChars];
    compose(code, text);
    owner.ShowError(text);
}

// How many names a copy tries for its temporary file before it gives up.
constexpr int kTemporaryNames = 100;

// The name a copy is written under before it takes the destination's place: beside the
// destination, so that the replace is a rename within one folder. Try `attempt` (0 first)
// of kTemporaryNames: the destination's name with kTemporarySuffix, then the suffix and a
// number; in the folder where none of those fits, kTemporaryFallbackName, numbered the
// same way. False when that name does not fit the path limit.
bool TemporaryNameFor(const wchar_t* destination, int attempt, PathBuffer& temporary) {
    wchar_t suffix[32];
    if (attempt == 0) {
        FormatInto(suffix, L"%s", kTemporarySuffix);
    } else {
        FormatInto(suffix, L"%s%d", kTemporarySuffix, attempt);
    }
    size_t length = wcslen(destination);
    size_t suffixLength = wcslen(suffix);
    if (length + wcslen(kTemporarySuffix) + 2 < kPathChars) {  // room for every numbered name
        wmemcpy(temporary, destination, length);
        wmemcpy(temporary + length, suffix, suffixLength + 1);
        return true;
    }
    PathBuffer folder, name;
    if (attempt == 0) {
        FormatInto(name, L"%s", kTemporaryFallbackName);
    } else {
        FormatInto(name, L"~zolv%d.tmp", attempt);
    }
    PathBuffer unused;
    return SplitPath(destination, folder, unused) && JoinPath(temporary, folder, name);
}

enum class FreshCopy { Made, NoFreeName, Failed };

// The copy under a name that did not exist: created only if it is not there (another name
// on a clash), so that the run never overwrites a file it did not make. NoFreeName when
// every name that fits the path limit is taken (or none fits); Failed, with the last error
// set, when the copy failed.
FreshCopy CopyToFreshName(const wchar_t* source, const wchar_t* destination, PathBuffer& temporary,
                          CopyProgress* progress, ULONGLONG* written, ReplaceHook* hook, ULONGLONG* checksum) {
    for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
        if (!TemporaryNameFor(destination, attempt, temporary)) continue;
        if (hook && !hook->BeforeTemporary(temporary)) {
            SetLastError(ERROR_REQUEST_ABORTED);  // said by the hook
            temporary[0] = L'\0';
            return FreshCopy::Failed;
        }
        if (CopyFileInPieces(source, temporary, true, progress, written, checksum)) return FreshCopy::Made;
        DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return FreshCopy::Failed;
    }
    temporary[0] = L'\0';  // none of them is ours
    return FreshCopy::NoFreeName;
}

bool ReportNoTemporaryName(ErrorReporter& owner, const wchar_t* destination) {
    return ReportText(owner, SyncTexts::NoTemporaryName, destination);
}

// Removes what a failed copy of this run made under `path`.
void RemoveLeftover(const wchar_t* path) {
    if (*path == L'\0' || GetFileAttributesW(path) == kUnreadableAttributes) return;
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path);
}

void ReportCopyError(ErrorReporter& owner, DWORD code, const wchar_t* path) {
    wchar_t text[kMessageChars];
    CopyFileErrorText(code, path, text);
    owner.ShowError(text);
}

// The destination is what failed here, so the message names it. A file held open by
// another program gives "access denied" on a replace: it is reported as in use.
void ReportReplaceError(ErrorReporter& owner, DWORD code, const wchar_t* destination) {
    if (code == ERROR_ACCESS_DENIED && IsHeldOpen(destination)) code = ERROR_SHARING_VIOLATION;
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_USER_MAPPED_FILE) {
        ReportCopyError(owner, code, destination);
        return;
    }
    ReportWithReason(owner, SyncTexts::ReplaceFailed, code, destination);
}

// Reads the copy at `path` back and compares it with `sourceSum`, what was read from the
// source. A copy that differs, or cannot be read back, is removed: a mismatch is left to the
// caller (false with `check->mismatch`), a read that fails is reported, one stopped is not.
bool ReadBackMatches(ErrorReporter& owner, const wchar_t* path, ULONGLONG sourceSum, CopyProgress* progress,
                     CopyCheck& check) {
    ULONGLONG readBack = 0;
    if (!ReadBackChecksum(path, &readBack, progress)) {
        DWORD code = GetLastError();
        RemoveLeftover(path);
        if (code != ERROR_REQUEST_ABORTED) ReportUnreadable(owner, path, code);
        return false;
    }
    if (readBack != sourceSum) {
        RemoveLeftover(path);
        check.mismatch = true;
        return false;
    }
    check.verified = true;
    check.checksum = readBack;
    return true;
}

// A new file where no temporary name is free beside it: the copy is made under its own name,
// created only if nothing is there (never through a link, never over a file), and removed
// again when it fails or is stopped. A file that is there is never written over in place: a
// stop or a failure would lose it.
bool CopyInPlace(ErrorReporter& owner, const wchar_t* source, const wchar_t* destination, const FileTimes& times,
                 CopyProgress* progress, ULONGLONG* written, ReplaceHook* hook, CopyCheck* check) {
    if (hook && !(hook->BeforeTemporary(destination) && hook->BeforeReplace(destination))) return false;
    ULONGLONG sum = 0;
    if (!CopyFileInPieces(source, destination, true, progress, written, check ? &sum : nullptr)) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) return ReportNoTemporaryName(owner, destination);
        if (code != ERROR_REQUEST_ABORTED) ReportCopyError(owner, code, source);
        return false;
    }
    if (check && !ReadBackMatches(owner, destination, sum, progress, *check)) return false;
    WriteFileTimes(destination, &times.creation, &times.lastAccess, &times.lastWrite);
    return true;
}

// What a replace lifts so that the new file may take the old one's place (read-only, hidden,
// system), and only then: a copy stopped or failed before it leaves the old file as it was.
constexpr DWORD kLiftedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Lifts them from `destination`, never through a link (that would change what it points to:
// the replace takes the link's own place); true when it did.
bool LiftAttributes(const wchar_t* destination, const WIN32_FILE_ATTRIBUTE_DATA* before) {
    if (!before || !(before->dwFileAttributes & kLiftedAttributes)) return false;
    return ClassifyLink(destination) == LinkKind::Entry && SetFileAttributesW(destination, FILE_ATTRIBUTE_NORMAL);
}

}  // namespace

const wchar_t kTemporarySuffix[] = L".zolvtmp";
const wchar_t kTemporaryFallbackName[] = L"~zolv.tmp";

bool CopyFileReport(ErrorReporter& owner, const wchar_t* source, const wchar_t* destination) {
    WIN32_FILE_ATTRIBUTE_DATA before;
    bool existedBefore = GetFileAttributesExW(destination, GetFileExInfoStandard, &before) != 0;
    FileTimes times{};
    if (!ReadFileTimes(source, &times.creation, &times.lastAccess, &times.lastWrite)) {
        // The copy carries the source's last-write time in any case.
        GetLastWriteTime(source, &times.lastWrite);
    }
    return CopyFileKnownReport(owner, source, GetFileAttributesW(source), times, destination,
                               existedBefore ? &before : nullptr);
}

bool CopyFileKnownReport(ErrorReporter& owner, const wchar_t* source, DWORD sourceAttributes, const FileTimes& times,
                         const wchar_t* destination, const WIN32_FILE_ATTRIBUTE_DATA* destinationBefore,
                         CopyProgress* progress, ULONGLONG* written, ReplaceHook* hook,
                         bool hookMovesDestination, CopyCheck* check) {
    if (written) *written = 0;
    // An old file the hook moves away first keeps its attributes, and its place is then free.
    const WIN32_FILE_ATTRIBUTE_DATA* replaced = hook && hookMovesDestination ? nullptr : destinationBefore;
    if (IsInRomOrUnreadable(sourceAttributes)) return true;
    // The destination keeps its old content until the new one is complete, with its times:
    // a run stopped, failed or killed leaves at most a temporary file, never a half-written
    // destination that a later run would take as up to date. The copy is not flushed before
    // the rename (that made a full copy of small files a quarter to several times slower):
    // after a power cut, what a just-renamed file holds is up to the file system's write order.
    // What a killed run left is a file like any other to later runs: the next copy takes
    // another name.
    PathBuffer temporary;
    ULONGLONG sum = 0;
    switch (CopyToFreshName(source, destination, temporary, progress, written, hook, check ? &sum : nullptr)) {
    case FreshCopy::Made: break;
    case FreshCopy::NoFreeName:
        // A file there is never written over in place.
        if (replaced) return ReportNoTemporaryName(owner, destination);
        return CopyInPlace(owner, source, destination, times, progress, written, hook, check);
    default: {
        // The copy removes what it made itself; whatever else stands under that name is not
        // this run's.
        DWORD code = GetLastError();
        if (code != ERROR_REQUEST_ABORTED) ReportCopyError(owner, code, source);
        return false;
    }
    }
    // Read back while the old file is still in its place (and, with Keep, not yet moved away).
    if (check && !ReadBackMatches(owner, temporary, sum, progress, *check)) return false;
    if (hook && !hook->BeforeReplace(destination)) {
        RemoveLeftover(temporary);
        return false;
    }
    const bool lifted = LiftAttributes(destination, replaced);
    if (!ReplaceFileAtomically(temporary, destination, &times.creation, &times.lastAccess, &times.lastWrite)) {
        DWORD code = GetLastError();
        if (lifted) SetFileAttributesW(destination, replaced->dwFileAttributes);
        RemoveLeftover(temporary);
        ReportReplaceError(owner, code, destination);
        return false;
    }
    return true;
}

bool LookBeforeCopy(ErrorReporter& owner, const wchar_t* destination, bool replaced, ReplaceHook* hook) {
    PathBuffer temporary;
    const bool fits = TemporaryNameFor(destination, 0, temporary);
    if (!fits && replaced) return ReportNoTemporaryName(owner, destination);
    return !hook || (hook->BeforeTemporary(fits ? temporary : destination) && hook->BeforeReplace(destination));
}

bool SetAttributesReport(ErrorReporter& owner, const wchar_t* path, DWORD attributes) {
    if (SetFileAttributesW(path, attributes)) return true;
    ReportCode(owner, SetAttributesErrorText, GetLastError());
    return false;
}

bool ReadFileTimes(const wchar_t* path, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite) {
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() && GetFileTime(file.Get(), creation, lastAccess, lastWrite) != 0;
}

bool WriteFileTimes(const wchar_t* path, const FILETIME* creation, const FILETIME* lastAccess,
                    const FILETIME* lastWrite) {
    FileHandle file(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() && SetFileTime(file.Get(), creation, lastAccess, lastWrite) != 0;
}

namespace {

// After a delete that reported success: the path must be gone.
bool ConfirmGone(ErrorReporter& owner, const wchar_t* path) {
    if (GetFileAttributesW(path) == kUnreadableAttributes) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return true;
    }
    return ReportText(owner, SyncTexts::NotDeleted, path);
}

}  // namespace

bool DeleteFileReport(ErrorReporter& owner, const wchar_t* path, bool confirm) {
    if (IsInRomOrUnreadable(GetFileAttributesW(path))) return true;
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(path)) return !confirm || ConfirmGone(owner, path);
    ReportCode(owner, DeleteFileErrorText, GetLastError());
    return false;
}

bool RemoveFolderReport(ErrorReporter& owner, const wchar_t* path) {
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (RemoveDirectoryW(path)) return ConfirmGone(owner, path);
    ReportCode(owner, RemoveFolderErrorText, GetLastError());
    return false;
}

bool RemoveLinkReport(ErrorReporter& owner, const wchar_t* path) {
    if (RemoveLink(path)) return ConfirmGone(owner, path);
    DWORD code = GetLastError();
    if (code == ERROR_NOT_SUPPORTED) return ReportText(owner, SyncTexts::LinkNotRemovable, path);
    ReportCode(owner, DeleteFileErrorText, code);
    return false;
}

bool DeleteEntryReport(ErrorReporter& owner, const wchar_t* path, const wchar_t* resolvedFolder, bool confirm) {
    switch (ClassifyLinkIn(resolvedFolder, path)) {
    case LinkKind::Entry: return DeleteFileReport(owner, path, confirm);
    case LinkKind::Link: return RemoveLinkReport(owner, path);
    default: return ReportUnreadable(owner, path, GetLastError());
    }
}

bool LookBeforeLinkRemoval(ErrorReporter& owner, const wchar_t* path) {
    if (CanRemoveLink(path)) return true;
    DWORD code = GetLastError();
    if (code == ERROR_NOT_SUPPORTED) return ReportText(owner, SyncTexts::LinkNotRemovable, path);
    ReportCode(owner, DeleteFileErrorText, code);
    return false;
}

namespace {

// Removes what `folder` holds, then the folder; or, with `look`, only goes through it as the
// removal would, counting what it holds there. Every file and link is looked at against the
// folder resolved once; a file is known gone when its folder is (RemoveFolderReport), so none
// is looked for again.
bool RemoveFolderAndContents(ErrorReporter& owner, const wchar_t* folder, FolderCheck* check, Removed* look) {
    if (check && !check->MayEnter(folder)) return false;
    wchar_t resolved[kResolvedPathChars];
    if (!ResolveFolderPath(folder, resolved, kResolvedPathChars)) resolved[0] = L'\0';
    PathBuffer child;
    {
        FolderSearch search(folder);
        while (const WIN32_FIND_DATAW* entry = search.Next()) {
            NameFault fault = CheckName(entry->cFileName);
            if (fault != NameFault::None) return ReportUnusableName(owner, folder, entry->cFileName, fault);
            if (!JoinPath(child, folder, entry->cFileName)) {
                ReportPathTooLong(owner, folder, entry->cFileName);
                return false;
            }
            if (IsSpecialEntry(*entry, child)) {
                return ReportText(owner, SyncTexts::UnusableName, folder, entry->cFileName,
                                  Pick(SyncTexts::SpecialFileReason));
            }
            // A link is removed as itself: what it points to is not ours to delete. A mount
            // point looks like a folder link, and is a folder like any other.
            DWORD attributes = entry->dwFileAttributes;
            bool plainFolder = IsFolderAttributes(attributes) && !IsFolderLink(attributes);
            LinkKind kind = plainFolder ? LinkKind::Entry : ClassifyLinkIn(resolved, child);
            if (look) ++(IsFolderAttributes(attributes) ? look->folders : look->files);
            bool removed;
            if (kind == LinkKind::Unknown) {
                removed = ReportUnreadable(owner, child, GetLastError());
            } else if (kind == LinkKind::Link) {
                removed = look ? LookBeforeLinkRemoval(owner, child) : RemoveLinkReport(owner, child);
            } else if (IsFolderAttributes(attributes)) {
                removed = RemoveFolderAndContents(owner, child, check, look);
            } else {
                removed = look || DeleteFileReport(owner, child, false);
            }
            if (!removed) return false;
        }
        if (search.Error() != 0) return ReportFolderUnlistable(owner, folder, search.Error());
    }
    return look || RemoveFolderReport(owner, folder);
}

// Files and folders below `folder`, at every depth; a folder link counts as one folder.
void CountEntries(const wchar_t* folder, Removed& count) {
    FolderSearch search(folder);
    PathBuffer child;
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        if (!IsFolderAttributes(found->dwFileAttributes)) {
            ++count.files;
            continue;
        }
        ++count.folders;
        if (!IsFolderLink(found->dwFileAttributes) && JoinPath(child, folder, found->cFileName)) CountEntries(child, count);
    }
}

unsigned long long Less(unsigned long long before, unsigned long long after) { return before > after ? before - after : 0; }

}  // namespace

bool LookBeforeRemoval(ErrorReporter& owner, const wchar_t* path, FolderCheck* check, unsigned long long* entries) {
    Removed held;
    if (!RemoveFolderAndContents(owner, path, check, &held)) return false;
    if (entries) *entries = held.files + held.folders;
    return true;
}

bool RemoveFolderTree(ErrorReporter& owner, const wchar_t* path, FolderCheck* check, Removed* removed) {
    Removed gone;
    if (!removed) removed = &gone;
    DWORD attributes = GetFileAttributesW(path);
    if (!IsFolderAttributes(attributes)) {
        bool ok = DeleteEntryReport(owner, path);
        removed->files += ok;
        return ok;
    }
    if (IsFolderLink(attributes)) {
        LinkKind kind = ClassifyLink(path);
        if (kind == LinkKind::Link) {
            bool ok = RemoveLinkReport(owner, path);
            removed->folders += ok;
            return ok;
        }
        if (kind == LinkKind::Unknown) return ReportUnreadable(owner, path, GetLastError());
    }
    Removed before;
    if (!RemoveFolderAndContents(owner, path, check, &before)) return false;  // nothing deleted
    if (RemoveFolderAndContents(owner, path, check, nullptr)) {
        ++removed->folders;
        return true;
    }
    // Stopped part-way (a file the platform would not delete): what went is what is no longer
    // there, whatever the platform said of each delete.
    Removed after;
    CountEntries(path, after);
    removed->files += Less(before.files, after.files);
    removed->folders += Less(before.folders, after.folders);
    return false;
}

bool CreateFolderReport(ErrorReporter& owner, const wchar_t* path) {
    if (CreateDirectoryW(path, nullptr)) return true;
    DWORD code = GetLastError();
    wchar_t text[kMessageChars];
    CreateFolderErrorText(code, path, text);
    owner.ShowError(text);
    return false;
}

bool CreateFolderPath(ErrorReporter& owner, const wchar_t* path) {
    DWORD existing = GetFileAttributesW(path);
    if (existing != kUnreadableAttributes) return IsFolderAttributes(existing) || ReportFileInTheWay(owner, path);
    PathBuffer prefix;
    if (!CopyPath(prefix, path)) {
        ReportPathTooLong(owner, path, L"");
        return false;
    }
    // Walk the copy: at each separator after the first component, cut it there briefly.
    size_t start = (path[0] == L'\\' && path[1] == L'\\') ? 2 : 0;
    size_t i = start;
    while (prefix[i] != L'\0' && prefix[i] != L'\\') ++i;
    if (prefix[i] == L'\0') return false;  // no separator: nothing to create from
    for (++i; prefix[i] != L'\0'; ++i) {
        if (prefix[i] != L'\\') continue;
        prefix[i] = L'\0';
        DWORD attributes = GetFileAttributesW(prefix);
        if (attributes != kUnreadableAttributes) {
            if (!IsFolderAttributes(attributes)) return ReportFileInTheWay(owner, prefix);
        } else if (!CreateFolderReport(owner, prefix)) {
            return false;
        }
        prefix[i] = L'\\';
    }
    return CreateFolderReport(owner, path);
}

void ReportPathTooLong(ErrorReporter& owner, const wchar_t* base, const wchar_t* name) {
    const std::wstring joined = *name ? FormatString(L"%s\\%s", base, name) : std::wstring(base);
    ReportText(owner, SyncTexts::PathTooLong, joined.c_str());
}

bool ReportFileInTheWay(ErrorReporter& owner, const wchar_t* path) {
    return ReportText(owner, SyncTexts::FileInTheWay, path);
}

bool ReportFolderUnlistable(ErrorReporter& owner, const wchar_t* folder, DWORD code) {
    return ReportWithReason(owner, SyncTexts::FolderUnlistable, code, folder);
}

bool ReportUnusableName(ErrorReporter& owner, const wchar_t* folder, const wchar_t* name, NameFault fault) {
    return ReportText(owner, SyncTexts::UnusableName, folder, name, Pick(NameFaultReason(fault)));
}

bool ReportUnreadable(ErrorReporter& owner, const wchar_t* path, DWORD code) {
    return ReportWithReason(owner, SyncTexts::FileUnreadable, code, path);
}
