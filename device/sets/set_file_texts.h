#pragma once
#include <windows.h>

#include <string>

#include "base/text.h"

// What the main window says when the set file cannot be read or written.
namespace SetFileTexts {
extern const TextPair ReadFailed;   // %1 the file, %2 the reason
extern const TextPair SaveFailed;   // %1 the file, %2 the reason
extern const TextPair ExitSaveFailed;  // %1 the file, %2 the reason
extern const TextPair UnsavedSets;     // %1 the file, %2 why it was not read
extern const TextPair LogSaveFailed;  // %1 the log file, %2 the reason
extern const TextPair NotReadBack;     // %s the file, whose bytes its sets would not write again
}  // namespace SetFileTexts

// The reason for the platform's error code, in words where the cause is a common one.
void SetFileReason(DWORD code, wchar_t (&out)[kMessageChars]);

// One of the texts above for the file and the error code, whole however long the path.
std::wstring SetFileFailureText(const TextPair& text, const wchar_t* path, DWORD code);
