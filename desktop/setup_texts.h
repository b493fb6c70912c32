#pragma once
#include <windows.h>

// The launcher's language: 0 English, 1 Japanese, chosen once at start-up.
constexpr int kEnglish = 0;
constexpr int kJapanese = 1;

// Japanese when the system's default language is Japanese/Japan (0x0411), inverted when
// LangToggle was read and is non-zero.
int LanguageFor(LANGID systemLanguage, bool toggleRead, DWORD toggle);

// The three boxes a failure can be reported in.
enum class BoxKind { Fatal, Error, Message };

// What can stop an install, each with its own box and text.
enum class Failure { OwnPathMissing, SyncManagerMissing, AppManagerPathMissing, SetupIniMissing };

// Texts are ANSI byte strings; the Japanese ones are Shift-JIS (code page 932).
const char* BoxTitle(BoxKind kind, int language);
UINT BoxStyle(BoxKind kind);  // MB_OK with the kind's icon
BoxKind BoxFor(Failure failure);
const char* FailureText(Failure failure, int language);

// The code page the texts of a language are stored in.
UINT TextCodePage(int language);
