#pragma once
#include "base/text.h"

// The texts of Keep and Undo, as English/Japanese pairs.
namespace KeepTexts {

extern const TextPair KeepFailed;       // %s, %s, %s: an entry, where it was to be kept, the system's reason
extern const TextPair StoreInTheWay;    // %s: a store name taken by a file or a link
extern const TextPair RecordFailed;     // %s, %s: a run's record, the system's reason
extern const TextPair NothingToUndo;    // %s: a folder without a kept run
extern const TextPair NothingToUndoIn;  // %s, %s: a set's two folders, neither with a kept run
extern const TextPair UndoQuestion;     // %s, %s, %s: the run's time, entries put back, entries removed
extern const TextPair UndoCaption;
extern const TextPair UndoLeft;         // %d: entries an undo left where they were
extern const TextPair ChangedSinceRun;  // skip reasons of an undo
extern const TextPair PlaceTaken;
extern const TextPair FolderNotEmpty;
extern const TextPair NotRemovable;     // a kept run beyond the count that could not be removed

}  // namespace KeepTexts

// The operation words of Keep and Undo, the same in both languages.
extern const wchar_t kLogKeep[];  // an entry moved into the run folder: its path, where it was kept
extern const wchar_t kLogBack[];  // an undo puts a kept entry back: where it was kept, its place
