#pragma once
#include <windows.h>

#include <string>

#include "base/text.h"

// What the main window says when the set file cannot be read or written.
namespace SetFileTexts {
extern const TextPair ReadFailed;   // %s the file, %s the reason
extern const TextPair SaveFailed;   // %s the file, %s the reason
extern const TextPair ExitSaveFailed;  // %s the file, %s the reason
extern const TextPair UnsavedSets;     // %s the file, %s why it was not read
extern const TextPair LogSaveFailed;  // %s the log file, %s the reason
extern const TextPair NotReadBack;     // %s the file, whose bytes its sets would not write again
}  // namespace SetFileTexts

// The reason for the platform's error code, in words where the cause is a common one.
void SetFileReason(DWORD code, wchar_t (&out)[kMessageChars]);

// One of the texts above for the file and the error code, whole however long the path.
std::wstring SetFileFailureText(const TextPair& text, const wchar_t* path, DWORD code);
