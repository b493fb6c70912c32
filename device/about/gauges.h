#pragma once
#include <windows.h>

#include <cstdint>

#include "level_colours.h"

// Icons of the gauges.
constexpr int kMemoryIcon = 118;
constexpr int kCardIcon = 120;
constexpr int kBatteryIcon = 121;

// Gauge geometry, in pixels from the gauge's origin: the icon at (0, 4), the label above
// the bar, the bar of 160 x 16 at (40, 14), the byte counts below it.
constexpr int kBarLeft = 40;
constexpr int kBarTop = 14;
constexpr int kBarWidth = 160;
constexpr int kBarHeight = 16;

// A bar of the grey strip column with `level` percent of it filled from the left with
// `column`, and centred on it `text` or, without one, "NN%" (nothing above 100), black
// with a white shadow. The strip is loaded for each stretch; without it nothing is drawn.
void DrawLevelBar(HDC dc, int x, int y, int width, int height, int column, int level, const wchar_t* text);

// Icon, label, level bar of the free share, free count on the left and total on the right.
void DrawMemoryGauge(HDC dc, int x, int y, std::uint64_t freeBytes, std::uint64_t totalBytes, int icon,
                     const wchar_t* label);

// Battery icon, label and level bar from the life percent and flag.
void DrawBatteryGauge(HDC dc, int x, int y, BYTE percent, BYTE flag, const wchar_t* label);
