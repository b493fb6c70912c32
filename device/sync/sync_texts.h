#pragma once
#include <windows.h>

#include "base/text.h"

// Every text the sync engine shows, as English/Japanese pairs, and the tables that turn
// a platform error code into the message the user sees.
namespace SyncTexts {

extern const TextPair SourceMissing;      // %s: the from folder
extern const TextPair CreateDestination;  // %s: the to folder
extern const TextPair FoldersOverlap;     // %s, %s: from and to
extern const TextPair PathTooLong;        // %s: the path that does not fit
extern const TextPair SourceUnreadable;   // %s, %d: a source counterpart and the error code
extern const TextPair SourceGone;         // %s: the from folder, vanished before the deletion pass
extern const TextPair FolderUnlistable;   // %s, %s: a folder that cannot be listed, the system's reason
extern const TextPair FileUnreadable;     // %s, %s: a source entry that cannot be read, the system's reason
extern const TextPair ReplaceFailed;      // %s, %s: a destination the finished copy cannot replace, the reason
extern const TextPair NoTemporaryName;    // %s: a destination beside which no temporary name is free
extern const TextPair FileInTheWay;       // %s: a file standing where a folder is to be created
extern const TextPair EmptySource;        // %s, %s: the empty from folder, the to folder
extern const TextPair TooManyDeletions;   // %s, %s: the entries the deletion pass would remove, the limit
extern const TextPair UnusableName;       // %s, %s, %s: a folder, an entry in it, why its name cannot be used
extern const TextPair EntriesSkipped;     // %d: how many entries a run could not sync
extern const TextPair EntrySkipped;       // the one entry a run could not sync
extern const TextPair LinkInTheWay;       // %s: a link inside a tree that the run would write through
extern const TextPair LinkNotRemovable;   // %s: a link the platform cannot remove without its target
extern const TextPair NotDeleted;         // %s: a file or folder still there after its deletion
extern const TextPair TimeAhead;          // a "note" row's text: the source's time is more than a day ahead

// Why an entry was left alone, for "skip" rows.
extern const TextPair PathTooLongReason;  // its path (in either folder) would pass the path limit
extern const TextPair SpecialFileReason;  // a pipe, a socket or a device node: never opened
extern const TextPair LinkStaysReason;    // a link the platform cannot remove without its target
extern const TextPair CopyDiffersReason;  // its copy read back differs from the source (Verify)

extern const TextPair ReplaceCaption;
extern const TextPair ReplaceMessage;
extern const TextPair ReplaceYesToAll;
extern const TextPair FileDeleteCaption;
extern const TextPair FileDeleteReadOnly;
extern const TextPair FileDeleteProgram;
extern const TextPair FileDeleteSystem;
extern const TextPair FileDeletePlain;
extern const TextPair FolderDeleteCaption;
extern const TextPair FolderDeleteMessage;

extern const TextPair SuccessCaption;
extern const TextPair SuccessMessage;
extern const TextPair SourceNoticeCaption;
extern const TextPair DestinationQuestionCaption;
extern const TextPair EmptySourceCaption;

}  // namespace SyncTexts

// The operation words of the log, the same in both languages.
extern const wchar_t kLogCopy[];
extern const wchar_t kLogDelete[];
extern const wchar_t kLogRemoveFolder[];
extern const wchar_t kLogSkip[];  // an entry left alone; the row's second text says why
extern const wchar_t kLogNote[];  // a word on the next row's file; the row's second text says it

enum class NameFault;
// Why a name cannot be used (NameFault::None: a name that only differs in case from another
// of its folder), for "skip" rows and messages.
const TextPair& NameFaultReason(NameFault fault);

void CopyFileErrorText(DWORD code, const wchar_t* source, wchar_t (&out)[kMessageChars]);
void CreateFolderErrorText(DWORD code, const wchar_t* path, wchar_t (&out)[kMessageChars]);
void DeleteFileErrorText(DWORD code, wchar_t (&out)[kMessageChars]);
void RemoveFolderErrorText(DWORD code, wchar_t (&out)[kMessageChars]);
void SetAttributesErrorText(DWORD code, wchar_t (&out)[kMessageChars]);
// The system's own description of an error code, on one line, without a final period;
// "error %d" when the system has none.
void SystemReasonText(DWORD code, wchar_t (&out)[kMessageChars]);
