#include "message_box.h"

#include <cstdarg>
#include <cstdio>
#include <new>

bool AnsiToWide(const char* text, UINT codePage, wchar_t* out, int capacity) {
    if (capacity <= 0) return false;
    out[0] = L'\0';
    int needed = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (needed <= 0) return false;
    if (needed <= capacity) return MultiByteToWideChar(codePage, 0, text, -1, out, capacity) > 0;
    // Too long: convert into a scratch copy of the right size and keep what fits.
    wchar_t* whole = new (std::nothrow) wchar_t[needed];
    if (!whole) return false;
    bool converted = MultiByteToWideChar(codePage, 0, text, -1, whole, needed) > 0;
    if (converted) {
        for (int i = 0; i < capacity - 1; ++i) out[i] = whole[i];
        out[capacity - 1] = L'\0';
    }
    delete[] whole;
    return converted;
}

void ShowBox(BoxKind kind, int language, const char* format, ...) {
    char text[kMessageBytes];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);

    const char* title = BoxTitle(kind, language);
    UINT codePage = TextCodePage(language);
    wchar_t wideText[kMessageBytes];
    wchar_t wideTitle[64];
    if (AnsiToWide(text, codePage, wideText, kMessageBytes) && AnsiToWide(title, codePage, wideTitle, 64)) {
        MessageBoxW(nullptr, wideText, wideTitle, BoxStyle(kind));
    } else {
        // No converter for the code page: show the bytes as they are.
        MessageBoxA(nullptr, text, title, BoxStyle(kind));
    }
}
