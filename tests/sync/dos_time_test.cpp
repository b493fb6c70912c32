#include <gtest/gtest.h>

#include "sync/dos_time.h"
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
