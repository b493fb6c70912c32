// The About box's rules without drawing: byte counts as text, the quarter-to-colour table,
// the battery table.
#include <gtest/gtest.h>

#include <string>

#include "about/byte_size.h"
#include "about/level_colours.h"

namespace {

std::wstring Bytes(std::uint64_t value) {
    wchar_t text[32];
    FormatByteSize(value, text);
    return text;
}

}  // namespace

TEST(ByteSizes, ReadInBytesKilobytesAndMegabytes) {
    EXPECT_EQ(Bytes(0), L"0 B");
    EXPECT_EQ(Bytes(1000), L"1000 B");
    EXPECT_EQ(Bytes(1023), L"1023 B");
    EXPECT_EQ(Bytes(1024), L"1.0 KB");
    EXPECT_EQ(Bytes(1536), L"1.5 KB");
    EXPECT_EQ(Bytes(1048576), L"1.0 MB");
    EXPECT_EQ(Bytes(3 * 1048576 + 300 * 1024), L"3.3 MB");
}

TEST(ByteSizes, ARemainderNearTheNextUnitKeepsOneDigit) {
    EXPECT_EQ(Bytes(1048575), L"1023.9 KB");
    EXPECT_EQ(Bytes(2 * 1048576 - 1), L"1.9 MB");
    EXPECT_EQ(Bytes(1048576 + 1000 * 1024), L"1.9 MB");
}

TEST(ByteSizes, CountsBeyond4GiBDoNotWrap) {
    const std::uint64_t gib = 1024ull * 1024 * 1024;
    EXPECT_EQ(Bytes(4 * gib), L"4096.0 MB");
    EXPECT_EQ(Bytes(5 * gib + 512 * 1024), L"5120.5 MB");
    EXPECT_EQ(Bytes(2048 * gib), L"2097152.0 MB");
    wchar_t small[6];
    FormatByteSize(5 * gib, small);  // cut, never past the buffer
    EXPECT_EQ(std::wstring(small), L"5120.");
}

TEST(LevelColours, QuarterOfTheFreeShareChoosesTheColour) {
    struct Case {
        std::uint64_t freeBytes, totalBytes;
        int level, column;
    } cases[] = {
        {249, 1000, 24, kRedColumn},  {250, 1000, 25, kOrangeColumn}, {499, 1000, 49, kOrangeColumn},
        {1, 2, 50, kGreenColumn},     {3, 4, 75, kBlueColumn},        {7, 7, 100, kBlueColumn},
        {0, 7, 0, kRedColumn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.freeBytes * 1000 / c.totalBytes);
        LevelBar bar = MemoryBar(c.freeBytes, c.totalBytes);
        EXPECT_EQ(bar.level, c.level);
        EXPECT_EQ(bar.column, c.column);
        EXPECT_EQ(bar.text, nullptr);
    }
}

TEST(LevelColours, LargeAndEmptyStoresStayInRange) {
    const std::uint64_t gib = 1024ull * 1024 * 1024;
    LevelBar big = MemoryBar(3 * gib, 6 * gib);
    EXPECT_EQ(big.level, 50);
    EXPECT_EQ(big.column, kGreenColumn);
    LevelBar empty = MemoryBar(0, 0);  // no division by zero: an empty bar reading 0%
    EXPECT_EQ(empty.level, 0);
    LevelBar odd = MemoryBar(12, 0);
    EXPECT_EQ(odd.level, 0);
    EXPECT_EQ(ColumnForLevel(250.0), kBlueColumn);  // never past the table
    EXPECT_EQ(ColumnForLevel(-1.0), kRedColumn);
}

TEST(BatteryTable, AnUnknownPercentTakesTheWordOfAnExactFlag) {
    struct Case {
        BYTE flag;
        int level, column;
        const wchar_t* english;
        const wchar_t* japanese;
    } cases[] = {
        {1, 100, kBlueColumn, L"High", L"多い"},      {2, 25, kOrangeColumn, L"Low", L"少ない"},
        {4, 10, kRedColumn, L"Critical", L"極少"},    {8, 0, kRedColumn, L"Charging", L"充電中"},
        {128, 0, kRedColumn, L"None", L"なし"},       {255, 0, kRedColumn, L"Unknown", L"不明"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        LevelBar bar = BatteryBar(255, c.flag);
        EXPECT_EQ(bar.level, c.level);
        EXPECT_EQ(bar.column, c.column);
        ASSERT_NE(bar.text, nullptr);
        EXPECT_STREQ(bar.text->english, c.english);
        EXPECT_STREQ(bar.text->japanese, c.japanese);
    }
    for (BYTE flag : {0, 9, 3, 6, 129}) {  // none, or a combination: empty bar, no text
        SCOPED_TRACE(flag);
        LevelBar bar = BatteryBar(255, flag);
        EXPECT_GT(bar.level, 100);
        EXPECT_EQ(bar.text, nullptr);
    }
}

TEST(BatteryTable, AKnownPercentIsTheLevel) {
    EXPECT_EQ(BatteryBar(100, 8).level, 100);
    EXPECT_EQ(BatteryBar(100, 8).column, kBlueColumn);
    EXPECT_EQ(BatteryBar(100, 8).text, nullptr);
    EXPECT_EQ(BatteryBar(0, 1).column, kRedColumn);
    EXPECT_EQ(BatteryBar(24, 1).column, kRedColumn);
    EXPECT_EQ(BatteryBar(25, 1).column, kOrangeColumn);
    EXPECT_EQ(BatteryBar(74, 1).column, kGreenColumn);
    LevelBar beyond = BatteryBar(101, 1);
    EXPECT_EQ(beyond.level, 101);
    EXPECT_EQ(beyond.column, kRedColumn);
    EXPECT_EQ(beyond.text, nullptr);
}
