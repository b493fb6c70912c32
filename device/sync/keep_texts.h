#pragma once
#include "base/text.h"

// The texts of Keep and Undo, as English/Japanese pairs.
namespace KeepTexts {

extern const TextPair KeepFailed;       // %s, %s, %s: an entry, where it was to be kept, the system's reason
extern const TextPair StoreInTheWay;    // %s: a store name taken by a file or a link
extern const TextPair RecordFailed;     // %s, %s: a run's record, the system's reason
extern const TextPair NoRoomForRecord;  // %s, %s: the written folder, its store
extern const TextPair KeptPathTooLong;  // skip reason: an entry whose kept place would not fit
extern const TextPair NothingToUndo;    // %s: a folder without a kept run
extern const TextPair NothingToUndoIn;  // %s, %s: a set's two folders, neither with a kept run
extern const TextPair UndoQuestion;     // %s, %s, %s, %s: the run's time, the folder, entries put back, entries removed
extern const TextPair UndoCaption;
extern const TextPair UndoLeft;         // %d: entries an undo left where they were
extern const TextPair ChangedSinceRun;  // skip reasons of an undo
extern const TextPair PlaceTaken;
extern const TextPair FolderNotEmpty;
extern const TextPair NotRemovable;     // a kept run beyond the count that could not be removed
// Skip reasons of an undo for what it cannot act on.
extern const TextPair RecordLineTooLong;
extern const TextPair RecordLineMalformed;
extern const TextPair RecordLineUnsafe;
extern const TextPair RecordTooLarge;
extern const TextPair NotInRecord;      // an entry of the run folder its record does not name
extern const TextPair LinkOnTheWay;     // a link (or a file) where the way to a place has a folder
extern const TextPair PlaceTooLong;     // a kept entry whose place would pass the path limit
extern const TextPair PartialCopy;      // a file the run was writing in place when it stopped
extern const TextPair StoreIsLink;      // %s: a store that is a link or a file, refused by an undo

}  // namespace KeepTexts

// The operation words of Keep and Undo, the same in both languages.
extern const wchar_t kLogKeep[];  // an entry moved into the run folder: its path, where it was kept
extern const wchar_t kLogBack[];  // an undo puts a kept entry back: where it was kept, its place
