#pragma once
#include <windows.h>

#include "base/text.h"
#include "error_reporter.h"
#include "name_rules.h"
#include "platform/file_copy.h"
#include "sync_texts.h"

// Single-file and single-folder operations. Each failure is reported once, here, through
// the reporter; callers only pass false up.
// Copies a file with the source's three times. The copy is written beside the destination
// under a temporary name (the destination's name with kTemporarySuffix, or
// kTemporaryFallbackName in its folder when that would not fit; numbered on a clash) and then
// replaces the destination in one step. Where no such name is free (none fits, or each is
// taken), a new file is written under its own name, and an existing one is not replaced:
// that is reported, and it stays as it was.
bool CopyFileReport(ErrorReporter& owner, const wchar_t* source, const wchar_t* destination);

struct FileTimes {
    FILETIME creation;
    FILETIME lastAccess;
    FILETIME lastWrite;
};

// Told by a copy of each step before it is taken; false stops the copy there, with its
// temporary file removed and the destination as it is.
class ReplaceHook {
public:
    // Before the copy is written under `temporary` (a name that was free; the destination
    // itself where it is written in place). A name found taken is followed by the next.
    virtual bool BeforeTemporary(const wchar_t* temporary) = 0;
    // The new file is complete and about to take the destination's place (or, written in
    // place, about to be written).
    virtual bool BeforeReplace(const wchar_t* destination) = 0;

protected:
    ~ReplaceHook() = default;
};

// A copy read back from its medium before it takes its place (Verify), and what that found.
struct CopyCheck {
    bool verified = false;   // read back, and the same as what was read from the source
    bool mismatch = false;   // read back different: the copy is removed, the old file stays
    ULONGLONG checksum = 0;  // the verified copy's checksum (see Checksum)
};

// The same, for a caller that has just read the source's attributes and times and the
// destination's state (null: no destination) and need not pay for reading them again.
// `progress` (may be null) watches the copy and may stop it: a stopped copy leaves the
// destination as it was, reports nothing (it is no failure) and returns false. `written`
// (may be null) gets the bytes the copy wrote. `hookMovesDestination`: the hook moves an
// existing destination away before the new file takes its place (see FileCopy). `check`
// (null: none) has the copy read back first; a mismatch is not reported here (the caller
// writes its row and goes on) but returns false with `check->mismatch` set.
bool CopyFileKnownReport(ErrorReporter& owner, const wchar_t* source, DWORD sourceAttributes, const FileTimes& times,
                         const wchar_t* destination, const WIN32_FILE_ATTRIBUTE_DATA* destinationBefore,
                         CopyProgress* progress = nullptr, ULONGLONG* written = nullptr, ReplaceHook* hook = nullptr,
                         bool hookMovesDestination = false, CopyCheck* check = nullptr);
// The look of a copy that only the text shows: false, reported as the copy would report it,
// where an existing destination (`replaced`: one that stays in place until it is replaced)
// could not be replaced because no temporary name fits. `hook` (may be null) is told of the
// steps as the copy would tell it.
bool LookBeforeCopy(ErrorReporter& owner, const wchar_t* destination, bool replaced, ReplaceHook* hook = nullptr);
extern const wchar_t kTemporarySuffix[];
extern const wchar_t kTemporaryFallbackName[];
bool SetAttributesReport(ErrorReporter& owner, const wchar_t* path, DWORD attributes);
bool ReadFileTimes(const wchar_t* path, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite);
bool WriteFileTimes(const wchar_t* path, const FILETIME* creation, const FILETIME* lastAccess,
                    const FILETIME* lastWrite);
// Both make sure the file or folder is gone: some platforms report success for a delete
// they did not do. `confirm` false leaves that to the caller (a folder's removal shows that
// all it held is gone; a look for a name that is not there costs a read of its folder under
// some platforms).
bool DeleteFileReport(ErrorReporter& owner, const wchar_t* path, bool confirm = true);
bool RemoveFolderReport(ErrorReporter& owner, const wchar_t* path);
// Deletes a file of a tree: a link is removed as itself, never through it; where the
// platform cannot do that, the link stays and is reported. `resolvedFolder`: the file's
// folder as ResolveFolderPath gives it, when known (see ClassifyLinkIn).
bool DeleteEntryReport(ErrorReporter& owner, const wchar_t* path, const wchar_t* resolvedFolder = L"",
                       bool confirm = true);
bool RemoveLinkReport(ErrorReporter& owner, const wchar_t* path);
// The look of RemoveLinkReport, taking nothing away: false, reported as it would report it,
// where it would stop before removing.
bool LookBeforeLinkRemoval(ErrorReporter& owner, const wchar_t* path);

// Asked as a walk enters a folder, before anything in it is touched; false (already
// reported) stops the walk.
class FolderCheck {
public:
    virtual bool MayEnter(const wchar_t* folder) = 0;

protected:
    ~FolderCheck() = default;
};

// What a removal took away, as a run's figures count it: a folder removed whole is one
// folder; of one that stayed, each file and folder below it that went (a link as a file or a
// folder, by what it looks like).
struct Removed {
    unsigned long long files = 0;
    unsigned long long folders = 0;
};

// Looks through the folder `path` as its removal would, taking nothing away: every folder is
// shown to `check` (may be null), every name and link looked at; the first thing that would
// stop the removal (a name that cannot be used, a link the platform cannot remove, a folder
// that cannot be listed) is reported as the removal would report it, and false returned.
// `entries` (may be null) gets how many files and folders it holds, at every depth (a folder
// link counts as one).
bool LookBeforeRemoval(ErrorReporter& owner, const wchar_t* path, FolderCheck* check, unsigned long long* entries);

// Removes a folder with everything in it; links are removed as themselves, and every
// folder is shown to `check` (may be null) before anything in it goes. The removal looks
// first (LookBeforeRemoval): one that would stop deletes nothing. `removed` (may be null)
// gets what went, also when it stopped part-way (a file the platform would not delete).
bool RemoveFolderTree(ErrorReporter& owner, const wchar_t* path, FolderCheck* check = nullptr,
                      Removed* removed = nullptr);

bool CreateFolderReport(ErrorReporter& owner, const wchar_t* path);
// Creates the folder and its missing parents; a file standing in the way is reported.
bool CreateFolderPath(ErrorReporter& owner, const wchar_t* path);

// The reports of a file standing where a folder belongs and of a folder that cannot be
// listed (with the system's reason); both return false.
bool ReportFileInTheWay(ErrorReporter& owner, const wchar_t* path);
bool ReportFolderUnlistable(ErrorReporter& owner, const wchar_t* folder, DWORD code);
// An entry of `folder` whose name cannot be used (see CheckName); returns false.
bool ReportUnusableName(ErrorReporter& owner, const wchar_t* folder, const wchar_t* name, NameFault fault);
// A path that cannot be read, with the system's reason; returns false.
bool ReportUnreadable(ErrorReporter& owner, const wchar_t* path, DWORD code);

// Shows `pair` formatted with `args` in the error box, whole however long its paths;
// returns false.
template <typename... Args>
bool ReportText(ErrorReporter& owner, const TextPair& pair, Args... args) {
    owner.ShowError(FormatString(Pick(pair), args...).c_str());
    return false;
}

// ReportText with the system's words for `code` as the text's last argument.
template <typename... Args>
bool ReportWithReason(ErrorReporter& owner, const TextPair& pair, DWORD code, Args... args) {
    wchar_t reason[kMessageChars];
    SystemReasonText(code, reason);
    return ReportText(owner, pair, args..., static_cast<const wchar_t*>(reason));
}

// Reports a path that does not fit a path buffer: `base` joined with `name`.
void ReportPathTooLong(ErrorReporter& owner, const wchar_t* base, const wchar_t* name);
