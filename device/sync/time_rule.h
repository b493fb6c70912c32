#pragma once
#include <windows.h>

// How a run tells whether a source file is newer than its destination (last-write times).
struct TimeRule {
    // Times within two seconds of each other are the same: FAT keeps two-second steps and
    // rounds a copy's time up to the next one. Times outside FAT's years (1980 to 2107) count
    // as its first or last.
    bool dosTime = false;
    // Times an hour apart (within two seconds) with equal sizes are the same: FAT keeps local
    // time, so after a daylight-saving change or a time-zone move every file of a card reads
    // an hour off.
    bool ignoreHourShift = false;
};

// -1 when the source is older, 0 when the two count as the same, +1 when it is newer.
int CompareWriteTimes(const FILETIME& source, ULONGLONG sourceSize, const FILETIME& destination,
                      ULONGLONG destinationSize, const TimeRule& rule);

// True when `time` is more than a day after `now`: a clock set wrong, which would win every
// comparison.
bool MoreThanADayAhead(const FILETIME& time, const FILETIME& now);
