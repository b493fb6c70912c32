#include "level_colours.h"

namespace {

// Indexed by quarter; a full level is the fifth entry.
const int kQuarterColumns[5] = {kRedColumn, kOrangeColumn, kGreenColumn, kBlueColumn, kBlueColumn};

const TextPair kHigh{L"High", L"多い"};
const TextPair kLow{L"Low", L"少ない"};
const TextPair kCritical{L"Critical", L"極少"};
const TextPair kCharging{L"Charging", L"充電中"};
const TextPair kNone{L"None", L"なし"};
const TextPair kUnknown{L"Unknown", L"不明"};

constexpr BYTE kUnknownPercent = 255;

}  // namespace

int ColumnForLevel(double level) {
    if (!(level >= 0)) return kQuarterColumns[0];  // NaN included
    if (level >= 100) return kQuarterColumns[4];
    return kQuarterColumns[static_cast<int>(level / 25.0)];
}

LevelBar MemoryBar(std::uint64_t freeBytes, std::uint64_t totalBytes) {
    if (totalBytes == 0) return {0, ColumnForLevel(0), nullptr};
    double level = static_cast<double>(freeBytes) * 100.0 / static_cast<double>(totalBytes);
    return {static_cast<int>(level), ColumnForLevel(level), nullptr};
}

LevelBar BatteryBar(BYTE percent, BYTE flag) {
    if (percent != kUnknownPercent) {
        if (percent > 100) return {percent, kRedColumn, nullptr};
        return {percent, ColumnForLevel(percent), nullptr};
    }
    switch (flag) {
    case BATTERY_FLAG_HIGH: return {100, kBlueColumn, &kHigh};
    case BATTERY_FLAG_LOW: return {25, kOrangeColumn, &kLow};
    case BATTERY_FLAG_CRITICAL: return {10, kRedColumn, &kCritical};
    case BATTERY_FLAG_CHARGING: return {0, kRedColumn, &kCharging};
    case BATTERY_FLAG_NO_BATTERY: return {0, kRedColumn, &kNone};
    case BATTERY_FLAG_UNKNOWN: return {0, kRedColumn, &kUnknown};
    default: return {255, kRedColumn, nullptr};
    }
}
