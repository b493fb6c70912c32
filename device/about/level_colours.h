#pragma once
#include <windows.h>

#include <cstdint>

#include "base/text.h"

// Columns of the colour strip (bitmap 102), 35 x 64 pixels: each column is one vertical
// gradient, stretched over a bar.
constexpr int kStripBitmap = 102;
constexpr int kStripColumns = 35;
constexpr int kStripRows = 64;
constexpr int kBlueColumn = 0;
constexpr int kGreenColumn = 1;
constexpr int kOrangeColumn = 3;
constexpr int kRedColumn = 4;
constexpr int kGreyColumn = 8;  // the empty part of every bar

// The fill colour for a level in percent, by quarter: red below 25, orange below 50, green
// below 75, blue from 75 up. Levels beyond 0..100 take the nearest end of the table.
int ColumnForLevel(double level);

// What a level bar shows: fill level in percent (above 100: nothing filled and no text),
// fill column, and a text in place of "NN%" (null: none).
struct LevelBar {
    int level;
    int column;
    const TextPair* text;
};

// A memory store or card: the free share of the total. A total of 0 bytes reads as an
// empty bar at 0%.
LevelBar MemoryBar(std::uint64_t freeBytes, std::uint64_t totalBytes);

// A battery from its life percent and flag: a known percent is its own level; the percent
// 255 (unknown) leaves the word to the flag, and a flag that is not exactly one known value
// (a combination such as high and charging) shows an empty bar without text.
LevelBar BatteryBar(BYTE percent, BYTE flag);
