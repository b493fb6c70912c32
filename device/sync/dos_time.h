#pragma once
#include <windows.h>

struct DosStamp {
    WORD date;  // ((year - 1980) << 9) | (month << 5) | day
    WORD time;  // (hour << 11) | (minute << 5) | (second / 2)
};

// Times before 1980 are clamped to the first stamp, times after 2107 to the last one,
// so that an old file never compares as newer than a recent one.
DosStamp FileTimeToDosStamp(const FILETIME& time);

// -1, 0 or +1 by the DOS stamps of the two times (two-second resolution).
int CompareDosStamps(const FILETIME& a, const FILETIME& b);
