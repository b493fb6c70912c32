#pragma once
#include <windows.h>

#include "base/object.h"

// A menu; destroyed with the wrapper only when `owned` (the command bar's menu is not).
class FMenu : public FObject {
public:
    FMenu() = default;
    ~FMenu() override;
    FMenu(const FMenu&) = delete;
    FMenu& operator=(const FMenu&) = delete;

    HMENU handle = nullptr;
    bool owned = false;
};

// A font in the UiLanguage's character set.
class FFont : public FObject {
public:
    FFont() = default;
    ~FFont() override;
    FFont(const FFont&) = delete;
    FFont& operator=(const FFont&) = delete;

    // height < 0 asks for a character height in pixels; weight 400 is normal; faceName
    // null means the platform's default face. `owned` is set even when creation fails.
    HFONT Create(int height, int weight, BYTE pitchAndFamily, const wchar_t* faceName);

    HFONT handle = nullptr;
    bool owned = false;
};

// One paint handler's device context: BeginPaint on construction, EndPaint on destruction.
class FPaintDC : public FObject {
public:
    explicit FPaintDC(HWND window);
    ~FPaintDC() override;
    FPaintDC(const FPaintDC&) = delete;
    FPaintDC& operator=(const FPaintDC&) = delete;

    HDC hdc;
    PAINTSTRUCT paint;
    HWND hwnd;
};
