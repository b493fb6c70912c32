#include "dos_time.h"

namespace {

constexpr DosStamp kFirstStamp{(0 << 9) | (1 << 5) | 1, 0};
constexpr DosStamp kLastStamp{(127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29};

}  // namespace

DosStamp FileTimeToDosStamp(const FILETIME& time) {
    SYSTEMTIME s;
    if (!FileTimeToSystemTime(&time, &s)) return kLastStamp;  // beyond the platform's calendar
    if (s.wYear < 1980) return kFirstStamp;
    if (s.wYear > 2107) return kLastStamp;
    DosStamp stamp;
    stamp.date = static_cast<WORD>(((s.wYear - 1980) << 9) | (s.wMonth << 5) | s.wDay);
    stamp.time = static_cast<WORD>((s.wHour << 11) | (s.wMinute << 5) | (s.wSecond / 2));
    return stamp;
}

int CompareDosStamps(const FILETIME& a, const FILETIME& b) {
    DosStamp first = FileTimeToDosStamp(a);
    DosStamp second = FileTimeToDosStamp(b);
    if (first.date != second.date) return first.date < second.date ? -1 : 1;
    if (first.time != second.time) return first.time < second.time ? -1 : 1;
    return 0;
}
