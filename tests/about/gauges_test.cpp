// The gauges painted into a memory bitmap with chosen figures: which strip colour lies
// where, how wide the fill is, and whether a text was drawn on the bar.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <set>
#include <vector>

#include "about/about_pages.h"
#include "about/gauges.h"

namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 220;

// A white 32-bit top-down bitmap selected into a memory device context.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = SelectObject(dc, bitmap_);
        for (int i = 0; i < kWidth * kHeight; ++i) bits_[i] = 0xFFFFFF;
    }
    ~Canvas() {
        SelectObject(dc, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    std::uint32_t At(int x, int y) {
        GdiFlush();
        return bits_[y * kWidth + x] & 0xFFFFFF;
    }
    HDC dc;

private:
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    std::uint32_t* bits_ = nullptr;
};

// Every colour of one strip column, as 0xRRGGBB.
std::set<std::uint32_t> StripColours(int column) {
    std::set<std::uint32_t> colours;
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kStripBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip) return colours;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, kStripColumns, -kStripRows, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> raw(kStripColumns * kStripRows);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, strip, 0, kStripRows, raw.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(strip);
    for (int y = 0; y < kStripRows; ++y) colours.insert(raw[y * kStripColumns + column] & 0xFFFFFF);
    return colours;
}

struct Strip {
    std::set<std::uint32_t> columns[kStripColumns];
    Strip() {
        for (int c : {kBlueColumn, kGreenColumn, kOrangeColumn, kRedColumn, kGreyColumn}) columns[c] = StripColours(c);
    }
    bool From(std::uint32_t colour, int column) const { return columns[column].count(colour) != 0; }
};

const Strip& Colours() {
    static const Strip strip;
    return strip;
}

bool IsDark(std::uint32_t c) { return ((c >> 16) & 0xFF) < 80 && ((c >> 8) & 0xFF) < 80 && (c & 0xFF) < 80; }
bool IsBlueText(std::uint32_t c) { return (c & 0xFF) > ((c >> 16) & 0xFF) + 60 && (c & 0xFF) > ((c >> 8) & 0xFF) + 60; }

// Pixels of a rectangle that satisfy `test`.
template <class Test>
int Count(Canvas& canvas, int left, int top, int right, int bottom, Test test) {
    int found = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) found += test(canvas.At(x, y)) ? 1 : 0;
    return found;
}

// A bar drawn at gauge origin (gx, gy): `filled` pixels of `column` from the left, grey
// after that, on its top row (clear of the centred text) and down its left edge.
void ExpectBar(Canvas& canvas, int gx, int gy, int column, int filled) {
    const int left = gx + kBarLeft, top = gy + kBarTop;
    const Strip& strip = Colours();
    for (int x = 0; x < kBarWidth; ++x) {
        ASSERT_TRUE(strip.From(canvas.At(left + x, top), x < filled ? column : kGreyColumn))
            << "at " << left + x << "," << top << ": " << std::hex << canvas.At(left + x, top);
    }
    for (int y = 0; y < kBarHeight; ++y)
        EXPECT_TRUE(strip.From(canvas.At(left, top + y), filled > 0 ? column : kGreyColumn))
            << "at " << left << "," << top + y << ": " << std::hex << canvas.At(left, top + y);
    EXPECT_EQ(canvas.At(left + kBarWidth, top), 0xFFFFFFu);  // nothing beyond the bar
    EXPECT_EQ(canvas.At(left, top + kBarHeight), 0xFFFFFFu);
}

int DarkOnBar(Canvas& canvas, int gx, int gy) {
    const int left = gx + kBarLeft, top = gy + kBarTop;
    return Count(canvas, left, top, left + kBarWidth, top + kBarHeight, IsDark);
}

}  // namespace

TEST(Gauges, MemoryBarsFillTheirShareInTheQuarterColour) {
    struct Case {
        std::uint64_t freeBytes, totalBytes;
        int column, filled;
    } cases[] = {
        {249, 1000, kRedColumn, 38},  {25, 100, kOrangeColumn, 40}, {37, 100, kOrangeColumn, 59},
        {50, 100, kGreenColumn, 80},  {75, 100, kBlueColumn, 120},  {100, 100, kBlueColumn, 160},
        {3ull << 30, 6ull << 30, kGreenColumn, 80},  // 3 GiB of 6: 64-bit counts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filled);
        Canvas canvas;
        DrawMemoryGauge(canvas.dc, 4, 4, c.freeBytes, c.totalBytes, kMemoryIcon, L"Store");
        ExpectBar(canvas, 4, 4, c.column, c.filled);
        EXPECT_GT(DarkOnBar(canvas, 4, 4), 10);  // "NN%"
    }
}

TEST(Gauges, MemoryGaugeDrawsIconLabelAndCounts) {
    Canvas canvas;
    DrawMemoryGauge(canvas.dc, 4, 4, 1536, 1048576, kMemoryIcon, L"Rest of data memory");
    auto notWhite = [](std::uint32_t c) { return c != 0xFFFFFF; };
    EXPECT_GT(Count(canvas, 4, 8, 36, 40, notWhite), 100);                    // icon at (x, y + 4)
    EXPECT_EQ(Count(canvas, 0, 0, 4, kHeight, notWhite), 0);                  // nothing left of x
    EXPECT_GT(Count(canvas, 44, 4, 204, 18, IsBlueText), 10);                 // label above the bar
    EXPECT_GT(Count(canvas, 44, 34, 84, 46, notWhite), 10);                   // free count, left
    EXPECT_GT(Count(canvas, 164, 34, 204, 46, notWhite), 10);                 // total count, right
    EXPECT_EQ(Count(canvas, 124, 34, 140, 46, notWhite), 0);                  // short texts: a gap
}

TEST(Gauges, AnEmptyStoreIsAGreyBarReadingZero) {
    Canvas canvas;
    DrawMemoryGauge(canvas.dc, 4, 4, 0, 0, kMemoryIcon, L"None");
    ExpectBar(canvas, 4, 4, kGreyColumn, 0);
    EXPECT_GT(DarkOnBar(canvas, 4, 4), 10);
}

TEST(Gauges, BatteriesShowTheirFlagOrPercent) {
    struct Case {
        BYTE percent, flag;
        int column, filled;
        bool text;
    } cases[] = {
        {255, 1, kBlueColumn, 160, true},   // "High"
        {255, 2, kOrangeColumn, 40, true},  // "Low"
        {255, 9, kGreyColumn, 0, false},    // high and charging: no word for it
        {100, 0, kBlueColumn, 160, true},   // "100%"
        {0, 0, kGreyColumn, 0, true},       // "0%", the red fill has no width
        {150, 0, kGreyColumn, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.percent) * 1000 + c.flag);
        Canvas canvas;
        DrawBatteryGauge(canvas.dc, 4, 46, c.percent, c.flag, L"Main Battery");
        ExpectBar(canvas, 4, 46, c.column, c.filled);
        if (c.text) {
            EXPECT_GT(DarkOnBar(canvas, 4, 46), 10);
        } else {
            const int left = 4 + kBarLeft, top = 46 + kBarTop;
            EXPECT_EQ(Count(canvas, left, top, left + kBarWidth, top + kBarHeight,
                            [](std::uint32_t px) { return !Colours().From(px, kGreyColumn); }),
                      0);
        }
        EXPECT_GT(Count(canvas, 44, 46, 204, 60, IsBlueText), 10);
    }
}

TEST(Gauges, PagesPlaceTheirGauges) {
    Canvas canvas;
    DrawMemoryStores(canvas.dc, {1, 5}, {3, 4});
    ExpectBar(canvas, 4, 4, kRedColumn, 32);
    ExpectBar(canvas, 4, 52, kBlueColumn, 120);
    DrawStorageCardGauge(canvas.dc, 0, L"CF", {1, 2});
    DrawStorageCardGauge(canvas.dc, 1, L"SD", {1, 2});
    ExpectBar(canvas, 220, 4, kGreenColumn, 80);
    ExpectBar(canvas, 220, 54, kGreenColumn, 80);  // the second card 50 pixels lower
    Canvas narrow;  // a page that ends before the card column: the cards go below the stores
    DrawStorageCardGauge(narrow.dc, 0, L"CF", {1, 2}, 216);
    ExpectBar(narrow, 4, 100, kGreenColumn, 80);

    Canvas batteries;
    DrawBatteries(batteries.dc, {{1, 255}, {8, 255}});
    ExpectBar(batteries, 4, 4, kBlueColumn, 160);
    ExpectBar(batteries, 4, 46, kGreyColumn, 0);
}
