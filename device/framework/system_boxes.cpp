#include "system_boxes.h"

#include <cstdarg>

#include "base/text.h"

namespace {

const TextPair kFatalCaption{L"Fatal", L"致命的なｴﾗｰ"};

// The texts are short and fixed (labels, resource names): they keep the stack buffer, which
// asks nothing of a heap that a fault may have left in doubt.
void ShowBox(HWND owner, const wchar_t* caption, UINT type, const wchar_t* format, va_list args) {
    wchar_t text[kMessageChars];
    FormatTextV(text, kMessageChars, format, args);
    MessageBoxW(owner, text, caption, type);
}

}  // namespace

void ShowFatal(HWND owner, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    ShowBox(owner, Pick(kFatalCaption), kFatalBoxType, format, args);
    va_end(args);
}

void ShowDebug(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    ShowBox(GetActiveWindow(), L"Debug", kDebugBoxType, format, args);
    va_end(args);
}
