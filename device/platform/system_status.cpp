#include "system_status.h"

ByteFigures ReadProgramMemory() {
    ByteFigures figures;
#if defined(_WIN32_WCE)
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    figures.freeBytes = status.dwAvailPhys;
    figures.totalBytes = status.dwTotalPhys;
#else
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) {
        figures.freeBytes = status.ullAvailPhys;
        figures.totalBytes = status.ullTotalPhys;
    }
#endif
    return figures;
}

ByteFigures ReadDataStore() {
    ByteFigures figures;
#if defined(_WIN32_WCE)
    STORE_INFORMATION store{};
    if (GetStoreInformation(&store)) {
        figures.freeBytes = store.dwFreeSize;
        figures.totalBytes = store.dwStoreSize;
    }
#else
    ReadVolumeSpace(L"\\", &figures);
#endif
    return figures;
}

bool ReadVolumeSpace(const wchar_t* folder, ByteFigures* figures) {
    ULARGE_INTEGER available{}, total{}, totalFree{};
    if (!GetDiskFreeSpaceExW(folder, &available, &total, &totalFree)) return false;
    figures->freeBytes = totalFree.QuadPart;
    figures->totalBytes = total.QuadPart;
    return true;
}

namespace {
PowerFigures (*g_powerStandIn)() = nullptr;
}  // namespace

void SetPowerStatusStandIn(PowerFigures (*read)()) { g_powerStandIn = read; }

PowerFigures RecentPowerStatus(DWORD maxAge) {
    static PowerFigures last;
    static DWORD readAt = 0;
    static bool read = false;
    if (g_powerStandIn) return g_powerStandIn();
    const DWORD now = GetTickCount();
    if (!read || now - readAt > maxAge) {
        last = ReadPowerStatus();
        readAt = now;
        read = true;
    }
    return last;
}

PowerFigures ReadPowerStatus() {
    if (g_powerStandIn) return g_powerStandIn();
    PowerFigures figures;
#if defined(_WIN32_WCE)
    SYSTEM_POWER_STATUS_EX status{};
    GetSystemPowerStatusEx(&status, FALSE);  // its result is not examined: what it leaves is shown
    figures.main = {status.BatteryFlag, status.BatteryLifePercent};
    figures.backup = {status.BackupBatteryFlag, status.BackupBatteryLifePercent};
    figures.acLine = status.ACLineStatus;
#else
    SYSTEM_POWER_STATUS status{};
    if (GetSystemPowerStatus(&status)) {
        figures.main = {status.BatteryFlag, status.BatteryLifePercent};
        figures.acLine = status.ACLineStatus;
    }
#endif
    return figures;
}
