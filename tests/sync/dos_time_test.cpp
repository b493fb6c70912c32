#include <gtest/gtest.h>

#include "sync/dos_time.h"
#include "sync/time_rule.h"
#include "temp_tree.h"

TEST(DosStamp, PacksDateAndTimeAtTwoSecondResolution) {
    DosStamp stamp = FileTimeToDosStamp(MakeTime(2004, 3, 15, 10, 20, 31, 900));
    EXPECT_EQ(stamp.date, ((2004 - 1980) << 9) | (3 << 5) | 15);
    EXPECT_EQ(stamp.time, (10 << 11) | (20 << 5) | 15);
}

TEST(DosStamp, ComparesWithinTheSameSlotAsEqual) {
    FILETIME source = MakeTime(2010, 6, 1, 10, 0, 1, 500);
    FILETIME destination = MakeTime(2010, 6, 1, 10, 0, 0, 0);
    EXPECT_EQ(CompareDosStamps(source, destination), 0);
    EXPECT_EQ(CompareDosStamps(MakeTime(2010, 6, 1, 10, 0, 2), destination), 1);
    EXPECT_EQ(CompareDosStamps(destination, MakeTime(2010, 6, 1, 10, 0, 2)), -1);
    EXPECT_EQ(CompareDosStamps(MakeTime(2010, 6, 2), MakeTime(2010, 6, 1, 23, 59, 59)), 1);
}

TEST(DosStamp, ClampsTimesOutsideTheDosRange) {
    // 1979 must not wrap into a late year and look newer than a 2020 file.
    EXPECT_EQ(CompareDosStamps(MakeTime(1979, 12, 31, 23, 59, 58), MakeTime(2020, 1, 1)), -1);
    EXPECT_EQ(CompareDosStamps(MakeTime(1601, 1, 2), MakeTime(1980, 1, 1)), 0);
    EXPECT_EQ(CompareDosStamps(MakeTime(2200, 1, 1), MakeTime(2020, 1, 1)), 1);
    EXPECT_EQ(CompareDosStamps(MakeTime(2200, 1, 1), MakeTime(2107, 12, 31, 23, 59, 58)), 0);
    FILETIME huge{0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_EQ(CompareDosStamps(huge, MakeTime(2107, 12, 31, 23, 59, 59)), 0);
    DosStamp first = FileTimeToDosStamp(MakeTime(1970, 1, 1));
    EXPECT_EQ(first.date, (0 << 9) | (1 << 5) | 1);
    EXPECT_EQ(first.time, 0);
}

// With DOS time: a two-second window (FAT rounds a copy's time up), not two-second slots; an
// hour's shift (within two seconds) with equal sizes counts as the same when asked for.
TEST(TimeRule, ComparesWithinAWindowAndAcrossAnHourShift) {
    const TimeRule exact{}, dos{true, false}, dosHour{true, true}, hourOnly{false, true};
    const FILETIME t = MakeTime(2010, 6, 1, 10, 0, 1, 900);
    auto compare = [](const FILETIME& a, const FILETIME& b, const TimeRule& rule, ULONGLONG sizeB = 5) {
        return CompareWriteTimes(a, 5, b, sizeB, rule);
    };
    EXPECT_EQ(compare(t, AddSeconds(t, 0.2), dos), 0);  // 10:00:01.9 against 10:00:02.1
    EXPECT_EQ(compare(AddSeconds(t, 2), t, dos), 0);
    EXPECT_EQ(compare(AddSeconds(t, 2.1), t, dos), 1);
    EXPECT_EQ(compare(t, AddSeconds(t, 2.1), dos), -1);
    EXPECT_EQ(compare(t, AddSeconds(t, 0.2), exact), -1);
    EXPECT_EQ(compare(AddSeconds(t, 3600), t, dos), 1);
    for (double shift : {3598.0, 3600.0, 3602.0, -3601.5}) {
        EXPECT_EQ(compare(AddSeconds(t, shift), t, dosHour), 0) << shift;
        EXPECT_EQ(compare(AddSeconds(t, shift), t, hourOnly), 0) << shift;
    }
    EXPECT_EQ(compare(AddSeconds(t, 3602.5), t, dosHour), 1);
    EXPECT_EQ(compare(AddSeconds(t, 3597), t, dosHour), 1);
    EXPECT_EQ(compare(AddSeconds(t, 3600), t, dosHour, 6), 1);  // sizes differ: an edit
    EXPECT_EQ(compare(AddSeconds(t, 1), t, hourOnly), 1);       // no window without DOS time
    // Outside FAT's years, as the first or last of them.
    EXPECT_EQ(compare(MakeTime(1601, 1, 2), MakeTime(1979, 6, 1), dos), 0);
    EXPECT_EQ(compare(MakeTime(2200, 1, 1), MakeTime(2107, 12, 31, 23, 59, 59), dos), 0);
    EXPECT_TRUE(MoreThanADayAhead(AddSeconds(t, 86401), t));
    EXPECT_FALSE(MoreThanADayAhead(AddSeconds(t, 86399), t));
}
