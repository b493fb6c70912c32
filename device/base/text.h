#pragma once
#include <cstdarg>
#include <cstddef>
#include <string>

// The interface language, chosen once at start-up: 0 English, anything else Japanese.
extern int UiLanguage;

constexpr int kLanguageEnglish = 0;
constexpr int kLanguageJapanese = 1;

// Every user-visible text is an English/Japanese pair.
struct TextPair {
    const wchar_t* english;
    const wchar_t* japanese;
};

inline const wchar_t* Pick(const TextPair& text) { return UiLanguage ? text.japanese : text.english; }
inline const char* PickName(const char* english, const char* japanese) { return UiLanguage ? japanese : english; }
inline const wchar_t* PickName(const wchar_t* english, const wchar_t* japanese) { return UiLanguage ? japanese : english; }

// Message texts are formatted into 520 wide characters, where nothing can be cut there. A
// text that holds paths or names (two folders of 259 characters are more than 520) is
// formatted into a string of its own length instead (FormatString).
constexpr int kMessageChars = 520;

// printf-style formatting with wide semantics: %s takes a wide string, %d a signed 32-bit
// integer, %u an unsigned one, %c a wide character, %% a percent sign. Or with numbered
// arguments, so that each language puts the words where its sentence wants them: %1 to %9
// the first to ninth argument, a wide string, or with its kind as %2!d! (!s!, !d!, !u!,
// !c!), in any order and as often as the text needs; every number up to the highest must
// appear. A format with a numbered argument takes all its arguments so (other % forms are
// shown as written). The output is always terminated and never longer than `capacity`
// units; text that does not fit is cut. Returns the number of characters written (without
// the terminator).
size_t FormatTextV(wchar_t* out, size_t capacity, const wchar_t* format, va_list args);
size_t FormatText(wchar_t* out, size_t capacity, const wchar_t* format, ...);

// The same formatting into a string as long as what it holds: nothing is ever cut.
std::wstring FormatStringV(const wchar_t* format, va_list args);
std::wstring FormatString(const wchar_t* format, ...);

// UTF-8 of `length` UTF-16 units, into `out` (its room kept for the next call).
void ToUtf8(const wchar_t* text, size_t length, std::string& out);
std::string ToUtf8(const std::wstring& text);

// A count with what it counts, in the language of the interface: "1 entry", "2 entries";
// "2 個" in Japanese, whose sentences name the kind themselves.
std::wstring CountText(unsigned long long n, const wchar_t* one, const wchar_t* many);

template <size_t N>
size_t FormatInto(wchar_t (&out)[N], const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    size_t written = FormatTextV(out, N, format, args);
    va_end(args);
    return written;
}
