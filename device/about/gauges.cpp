#include "gauges.h"

#include "byte_size.h"
#include "framework/handles.h"
#include "framework/program.h"

namespace {

constexpr int kFontHeight = -12;
constexpr int kLabelWeight = 600;
constexpr COLORREF kLabelColour = RGB(0, 0, 139);
constexpr UINT kOneLine = DT_SINGLELINE | DT_NOPREFIX;

void StretchStripColumn(HDC dc, int x, int y, int width, int height, int column) {
    if (width <= 0 || height <= 0) return;
    HBITMAP strip = LoadBitmapW(ProgramInstance(), MAKEINTRESOURCEW(kStripBitmap));
    if (strip == nullptr) return;
    HDC source = CreateCompatibleDC(dc);
    if (source) {
        HGDIOBJ previous = SelectObject(source, strip);
        StretchBlt(dc, x, y, width, height, source, column, 0, 1, kStripRows, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    DeleteObject(strip);
}

void DrawIconAt(HDC dc, int x, int y, int icon) {
    HICON loaded = LoadIconW(ProgramInstance(), MAKEINTRESOURCEW(icon));
    if (loaded) DrawIcon(dc, x, y, loaded);  // shared icon: not destroyed
}

void DrawLabel(HDC dc, int x, int y, const wchar_t* label) {
    FFont font;
    font.Create(kFontHeight, kLabelWeight, 0, nullptr);
    HGDIOBJ previous = SelectObject(dc, font.handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelColour);
    RECT box{x + kBarLeft, y, x + kBarLeft + kBarWidth, y + kBarTop};
    DrawTextW(dc, label, -1, &box, DT_LEFT | kOneLine);
    SelectObject(dc, previous);
}

}  // namespace

void DrawLevelBar(HDC dc, int x, int y, int width, int height, int column, int level, const wchar_t* text) {
    // What this changes in the caller's DC is put back at the end (the device has no SaveDC).
    const int stretchMode = SetStretchBltMode(dc, COLORONCOLOR);  // whole strip rows, not rows ANDed together
    StretchStripColumn(dc, x, y, width, height, kGreyColumn);
    FFont font;
    font.Create(kFontHeight, FW_NORMAL, 0, nullptr);
    HGDIOBJ previousFont = SelectObject(dc, font.handle);
    if (level >= 0 && level <= 100) StretchStripColumn(dc, x, y, width * level / 100, height, column);

    wchar_t percent[16] = L"";
    if (text == nullptr) {
        if (level <= 100) FormatInto(percent, L"%d%%", level);
        text = percent;
    }
    const int backgroundMode = SetBkMode(dc, TRANSPARENT);
    RECT box{x + 1, y + 1, x + width + 1, y + height + 1};
    const UINT centred = DT_CENTER | DT_VCENTER | kOneLine;
    const COLORREF textColour = SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, text, -1, &box, centred);
    OffsetRect(&box, -1, -1);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, -1, &box, centred);
    SetTextColor(dc, textColour);
    SetBkMode(dc, backgroundMode);
    SelectObject(dc, previousFont);  // before the wrapper deletes this font
    SetStretchBltMode(dc, stretchMode);
}

void DrawMemoryGauge(HDC dc, int x, int y, std::uint64_t freeBytes, std::uint64_t totalBytes, int icon,
                     const wchar_t* label) {
    DrawIconAt(dc, x, y + 4, icon);
    LevelBar bar = MemoryBar(freeBytes, totalBytes);
    DrawLevelBar(dc, x + kBarLeft, y + kBarTop, kBarWidth, kBarHeight, bar.column, bar.level, nullptr);

    FFont font;
    font.Create(kFontHeight, FW_NORMAL, 0, nullptr);
    HGDIOBJ previous = SelectObject(dc, font.handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    wchar_t count[32];
    FormatByteSize(freeBytes, count);
    RECT left{x + 40, y + 30, x + 120, y + 42};
    DrawTextW(dc, count, -1, &left, DT_LEFT | kOneLine);
    FormatByteSize(totalBytes, count);
    RECT right{x + 120, y + 30, x + 200, y + 42};
    DrawTextW(dc, count, -1, &right, DT_RIGHT | kOneLine);
    SelectObject(dc, previous);

    DrawLabel(dc, x, y, label);
}

void DrawBatteryGauge(HDC dc, int x, int y, BYTE percent, BYTE flag, const wchar_t* label) {
    DrawIconAt(dc, x, y + 4, kBatteryIcon);
    LevelBar bar = BatteryBar(percent, flag);
    DrawLevelBar(dc, x + kBarLeft, y + kBarTop, kBarWidth, kBarHeight, bar.column, bar.level,
                 bar.text ? Pick(*bar.text) : nullptr);
    DrawLabel(dc, x, y, label);
}
