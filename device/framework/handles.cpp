#include "handles.h"

#include <cwchar>

#include "base/text.h"

FMenu::~FMenu() {
    if (owned && handle) DestroyMenu(handle);
}

FFont::~FFont() {
    if (owned && handle) DeleteObject(handle);
    handle = nullptr;
    owned = false;
}

HFONT FFont::Create(int height, int weight, BYTE pitchAndFamily, const wchar_t* faceName) {
    if (owned && handle) DeleteObject(handle);  // a second Create replaces the first font
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = UiLanguage ? SHIFTJIS_CHARSET : ANSI_CHARSET;
    font.lfPitchAndFamily = pitchAndFamily;
    if (faceName) wcsncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    handle = CreateFontIndirectW(&font);
    owned = true;
    return handle;
}

FPaintDC::FPaintDC(HWND window) : hwnd(window) { hdc = BeginPaint(window, &paint); }

FPaintDC::~FPaintDC() { EndPaint(hwnd, &paint); }
