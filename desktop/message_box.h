#pragma once
#include <windows.h>

#include "setup_texts.h"

// Message texts are formatted into 520 bytes.
constexpr int kMessageBytes = 520;

// Converts an ANSI text stored in `codePage` into `out` (always terminated, cut to fit).
// Returns false when the code page cannot convert it; `out` is then empty.
bool AnsiToWide(const char* text, UINT codePage, wchar_t* out, int capacity);

// Formats `format` printf-style (bounded) and shows it in the box of `kind`, owner-less, with
// one OK button, in `language`. The texts are converted from their own code page and shown
// through the wide message box, so that Japanese reads right on a PC of any ANSI code page.
void ShowBox(BoxKind kind, int language, const char* format, ...);
