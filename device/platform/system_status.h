#pragma once
#include <windows.h>

#include <cstdint>

// The figures the About box shows: memory stores, storage cards and batteries. Windows CE
// reads them with its own calls; desktop Win32 has no object store, no backup battery and
// no card slots, so this layer supplies the nearest desktop figures instead. Byte counts
// are 64-bit: a desktop has more than 4 GiB of memory and disk.

struct ByteFigures {
    std::uint64_t freeBytes = 0;
    std::uint64_t totalBytes = 0;
};

// Flag and life percent as the power status reports them (255: unknown).
struct BatteryFigures {
    BYTE flag = 255;
    BYTE percent = 255;
};

struct PowerFigures {
    BatteryFigures main;
    BatteryFigures backup;
    BYTE acLine = 255;  // mains: 0 off line (on battery), 1 on line, 255 unknown
};

// Below this the main battery counts as critical, as the platform's critical flag says.
constexpr int kCriticalBatteryPercent = 5;

// On battery power: the mains is reported off line.
inline bool OnBattery(const PowerFigures& power) { return power.acLine == 0; }
// The main battery at the critical level: its critical flag, or a known level below 5%.
inline bool BatteryCritical(const PowerFigures& power) {
    return (power.main.flag != 255 && (power.main.flag & 4) != 0) || power.main.percent < kCriticalBatteryPercent;
}

// Program memory: available and total physical memory.
ByteFigures ReadProgramMemory();
// The data store: the object store on the device; on a desktop the file system that holds
// the root folder "\". Zeros when it cannot be read.
ByteFigures ReadDataStore();
// Free and total space of the volume holding `folder`; false when the query fails.
bool ReadVolumeSpace(const wchar_t* folder, ByteFigures* figures);
// Main and backup battery and the mains, not refreshed first. A desktop has no backup
// battery: unknown.
PowerFigures ReadPowerStatus();
// The same, read again only when the last reading is older than `maxAge` milliseconds (a
// reading costs about 10 us under some platforms, too much to take for every file of a run).
PowerFigures RecentPowerStatus(DWORD maxAge);
// Tests: ReadPowerStatus and RecentPowerStatus answer with `read` instead of the platform (null: the platform again).
void SetPowerStatusStandIn(PowerFigures (*read)());

// A mounted storage card shows as a folder in the root with the temporary bit set.
constexpr DWORD kStorageCardAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
inline bool IsStorageCard(DWORD attributes) {
    return (attributes & kStorageCardAttributes) == kStorageCardAttributes;
}
