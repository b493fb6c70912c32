#include "time_rule.h"

#include "file_numbers.h"

namespace {

constexpr ULONGLONG kSecond = 10000000;  // FILETIME counts 100 ns
constexpr ULONGLONG kDosWindow = 2 * kSecond;
constexpr ULONGLONG kHour = 3600 * kSecond;
constexpr ULONGLONG kFirstDosTime = 119600064000000000ULL;  // 1980-01-01 00:00:00
constexpr ULONGLONG kLastDosTime = 159992927980000000ULL;   // 2107-12-31 23:59:58

ULONGLONG ClampToDos(ULONGLONG ticks) {
    return ticks < kFirstDosTime ? kFirstDosTime : ticks > kLastDosTime ? kLastDosTime : ticks;
}

}  // namespace

int CompareWriteTimes(const FILETIME& source, ULONGLONG sourceSize, const FILETIME& destination,
                      ULONGLONG destinationSize, const TimeRule& rule) {
    ULONGLONG a = FileTimeTicks(source), b = FileTimeTicks(destination);
    if (rule.dosTime) {
        a = ClampToDos(a);
        b = ClampToDos(b);
    }
    const ULONGLONG apart = a > b ? a - b : b - a;
    if (apart <= (rule.dosTime ? kDosWindow : 0)) return 0;
    if (rule.ignoreHourShift && sourceSize == destinationSize && apart + kDosWindow >= kHour &&
        apart <= kHour + kDosWindow) {
        return 0;
    }
    return a < b ? -1 : 1;
}

bool MoreThanADayAhead(const FILETIME& time, const FILETIME& now) {
    return FileTimeTicks(time) > FileTimeTicks(now) + 24 * kHour;
}
