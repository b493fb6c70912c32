// The device's own calls that the _WIN32_WCE branches of device/platform/ make, declared as
// Windows CE documents them (its Coredll and common controls reference), and only those:
// the test platform_device_branches compiles device/platform/ with _WIN32_WCE defined and
// this header forced in front, after desktop_only.h has poisoned what the device lacks. The
// desktop headers stand in for the calls both have. A branch that calls what the device
// lacks, or a device call with the wrong arguments, fails to compile.
#pragma once
#pragma GCC system_header

#include "desktop_only.h"

extern "C" {

// The object store: its size and free space in bytes.
struct STORE_INFORMATION {
    DWORD dwStoreSize;
    DWORD dwFreeSize;
};
BOOL WINAPI GetStoreInformation(STORE_INFORMATION* lpsi);

// The power status with the backup battery.
struct SYSTEM_POWER_STATUS_EX {
    BYTE ACLineStatus;
    BYTE BatteryFlag;
    BYTE BatteryLifePercent;
    BYTE Reserved1;
    DWORD BatteryLifeTime;
    DWORD BatteryFullLifeTime;
    BYTE Reserved2;
    BYTE BackupBatteryFlag;
    BYTE BackupBatteryLifePercent;
    BYTE Reserved3;
    DWORD BackupBatteryLifeTime;
    DWORD BackupBatteryFullLifeTime;
};
BOOL WINAPI GetSystemPowerStatusEx(SYSTEM_POWER_STATUS_EX* pstatus, BOOL fUpdate);

// Replaces the file `lpszDestFile` by `lpszSourceFile` in one step.
BOOL WINAPI DeleteAndRenameFile(LPCWSTR lpszDestFile, LPCWSTR lpszSourceFile);

// Command bands: a band control whose bands hold command bars.
HWND WINAPI CommandBands_Create(HINSTANCE hinst, HWND hwndParent, UINT wID, DWORD dwStyles, HIMAGELIST himl);
BOOL WINAPI CommandBands_AddBands(HWND hwndCmdBands, HINSTANCE hinst, UINT cBands, LPREBARBANDINFOW prbbi);
HWND WINAPI CommandBands_GetCommandBar(HWND hwndCmdBands, UINT uBand);
BOOL WINAPI CommandBands_AddAdornments(HWND hwndCmdBands, HINSTANCE hinst, DWORD dwFlags, LPREBARBANDINFOW prbbi);

// Command bars.
BOOL WINAPI CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE hInst, WORD idMenu, WORD iButton);
HMENU WINAPI CommandBar_GetMenu(HWND hwndCB, WORD iButton);
int WINAPI CommandBar_AddBitmap(HWND hwndCB, HINSTANCE hInst, int idBitmap, int iNumImages, int iImageWidth,
                                int iImageHeight);
BOOL WINAPI CommandBar_AddButtons(HWND hwndCB, UINT uNumButtons, LPTBBUTTON lpButtons);
BOOL WINAPI CommandBar_AddToolTips(HWND hwndCB, UINT uNumToolTips, LPWSTR* lpToolTips);
HWND WINAPI CommandBar_InsertComboBox(HWND hwndCB, HINSTANCE hInst, int iWidth, UINT dwStyle, WORD idComboBox,
                                      WORD iButton);
BOOL WINAPI CommandBar_Show(HWND hwndCB, BOOL fShow);

}  // extern "C"

// Adornment flags of CommandBands_AddAdornments.
#define CMDBAR_HELP 0x0001
#define CMDBAR_OK 0x0002
