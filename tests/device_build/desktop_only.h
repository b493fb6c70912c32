// What desktop Win32 (and GCC) offers and Windows CE does not. The tests device_calls and
// platform_device_branches force this header into every device source they compile: after
// the system and standard headers are in, each name below is poisoned, so that a use of it
// is a compile error naming the file and line. Outside device/platform/ none may appear; in
// device/platform/ they stay inside the desktop branches (#if !defined(_WIN32_WCE)).
//
// Poisoning a macro undefines it: a call through the neutral name (MoveFileEx for
// MoveFileExW) fails like the call itself, since both are listed. A system macro whose
// expansion names a poisoned function is not caught (poison only sees the code's own
// tokens), nor is a call the system headers declare and this list lacks. Names marked
// "(unsure)" are those whose absence from the device is not certain; they are poisoned all
// the same, so that the code keeps to what the device surely has.
#pragma once
#pragma GCC system_header  // the warnings about poisoning existing macros

// Every header the device code includes, so that none is read after the poison.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

// Faults, the stack and thread storage: the device has structured exception handling only
// (__try/__except of its compilers), no vectored handlers, no unwind calls of its own, no
// GCC builtins and no thread_local.
#pragma GCC poison AddVectoredExceptionHandler RemoveVectoredExceptionHandler
#pragma GCC poison AddVectoredContinueHandler RemoveVectoredContinueHandler SetUnhandledExceptionFilter
#pragma GCC poison RtlCaptureStackBackTrace RtlVirtualUnwind RtlLookupFunctionEntry NtCurrentTeb
#pragma GCC poison __builtin_setjmp __builtin_longjmp thread_local FlsAlloc

// Files. The device has one root and no current directory, no drives, no links; its file
// handles have no extended information, and its C runtime has no descriptors.
#pragma GCC poison GetFileType GetFileSizeEx SetErrorMode
#pragma GCC poison SetFilePointerEx  // (unsure)
#pragma GCC poison GetFileInformationByHandleEx SetFileInformationByHandle
#pragma GCC poison FILE_BASIC_INFO FILE_STANDARD_INFO FILE_ID_INFO FILE_RENAME_INFO FILE_DISPOSITION_INFO
#pragma GCC poison GetFinalPathNameByHandle GetFinalPathNameByHandleA GetFinalPathNameByHandleW
#pragma GCC poison GetFullPathName GetFullPathNameA GetFullPathNameW
#pragma GCC poison GetShortPathName GetShortPathNameA GetShortPathNameW
#pragma GCC poison GetLongPathName GetLongPathNameA GetLongPathNameW
#pragma GCC poison GetCurrentDirectory GetCurrentDirectoryA GetCurrentDirectoryW
#pragma GCC poison SetCurrentDirectory SetCurrentDirectoryA SetCurrentDirectoryW
#pragma GCC poison SearchPath SearchPathA SearchPathW
#pragma GCC poison FindExInfoBasic FIND_FIRST_EX_LARGE_FETCH
#pragma GCC poison MoveFileEx MoveFileExA MoveFileExW MoveFileWithProgress MoveFileWithProgressA MoveFileWithProgressW
#pragma GCC poison ReplaceFile ReplaceFileA ReplaceFileW
#pragma GCC poison CopyFileEx CopyFileExA CopyFileExW CopyFile2 CreateFile2  // CopyFileEx (unsure)
#pragma GCC poison CreateSymbolicLink CreateSymbolicLinkA CreateSymbolicLinkW
#pragma GCC poison CreateHardLink CreateHardLinkA CreateHardLinkW
#pragma GCC poison GetLogicalDrives GetLogicalDriveStrings GetLogicalDriveStringsA GetLogicalDriveStringsW
#pragma GCC poison GetDriveType GetDriveTypeA GetDriveTypeW
#pragma GCC poison QueryDosDevice QueryDosDeviceA QueryDosDeviceW
#pragma GCC poison DRIVE_UNKNOWN DRIVE_NO_ROOT_DIR DRIVE_REMOVABLE DRIVE_FIXED DRIVE_REMOTE DRIVE_CDROM  // (unsure)
#pragma GCC poison DRIVE_RAMDISK  // (unsure)
#pragma GCC poison GetVolumeInformation GetVolumeInformationA GetVolumeInformationW
#pragma GCC poison GetVolumePathName GetVolumePathNameA GetVolumePathNameW
#pragma GCC poison GetDiskFreeSpace GetDiskFreeSpaceA GetDiskFreeSpaceW  // the device has the Ex form
#pragma GCC poison _open_osfhandle _get_osfhandle _fdopen _wfdopen _ftelli64 _fseeki64
#pragma GCC poison _wgetcwd _wchdir _wstat _wstat64 _waccess

// System and environment: no environment, no system folders, no 64-bit memory figures, no
// plain power status (the device's has the backup battery), none of the newer calls.
#pragma GCC poison GlobalMemoryStatusEx MEMORYSTATUSEX GetSystemPowerStatus
#pragma GCC poison GetWindowsDirectory GetWindowsDirectoryA GetWindowsDirectoryW
#pragma GCC poison GetSystemDirectory GetSystemDirectoryA GetSystemDirectoryW
#pragma GCC poison GetEnvironmentVariable GetEnvironmentVariableA GetEnvironmentVariableW
#pragma GCC poison SetEnvironmentVariable SetEnvironmentVariableA SetEnvironmentVariableW
#pragma GCC poison ExpandEnvironmentStrings ExpandEnvironmentStringsA ExpandEnvironmentStringsW
#pragma GCC poison getenv _wgetenv _wputenv errno setlocale _wsetlocale
#pragma GCC poison CommandLineToArgvW GetTickCount64 GetNativeSystemInfo IsWow64Process
#pragma GCC poison GetComputerName GetComputerNameA GetComputerNameW GetUserName GetUserNameA GetUserNameW
#pragma GCC poison InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared InitOnceExecuteOnce
#pragma GCC poison InitializeConditionVariable SleepConditionVariableCS

// Locales: no invariant locale, no locale names.
#pragma GCC poison LOCALE_INVARIANT LOCALE_NAME_INVARIANT LOCALE_NAME_USER_DEFAULT LOCALE_NAME_SYSTEM_DEFAULT
#pragma GCC poison CompareStringEx LCMapStringEx CompareStringOrdinal GetUserDefaultLocaleName

// Windows: the device's window longs are 32 bits (GetWindowLongW, DWL_MSGRESULT), and it has
// no hooks, no subclassing helpers, no child enumeration, no RedrawWindow, no window menus
// (command bars hold them) and none of the desktop's window effects.
#pragma GCC poison GetWindowLongPtr GetWindowLongPtrA GetWindowLongPtrW
#pragma GCC poison SetWindowLongPtr SetWindowLongPtrA SetWindowLongPtrW
#pragma GCC poison GetClassLongPtr GetClassLongPtrA GetClassLongPtrW SetClassLongPtr SetClassLongPtrA SetClassLongPtrW
#pragma GCC poison GWLP_WNDPROC GWLP_HINSTANCE GWLP_HWNDPARENT GWLP_USERDATA GWLP_ID
#pragma GCC poison DWLP_MSGRESULT DWLP_DLGPROC DWLP_USER
#pragma GCC poison SetWindowsHookEx SetWindowsHookExA SetWindowsHookExW UnhookWindowsHookEx CallNextHookEx
#pragma GCC poison SetWindowSubclass GetWindowSubclass DefSubclassProc RemoveWindowSubclass
#pragma GCC poison EnumChildWindows EnumThreadWindows RedrawWindow LockWindowUpdate GetAncestor
#pragma GCC poison SetMenu GetMenu GetSystemMenu GetMenuBarInfo GetWindowContextHelpId
#pragma GCC poison RegisterClassEx RegisterClassExA RegisterClassExW
#pragma GCC poison FlashWindow FlashWindowEx AnimateWindow SetLayeredWindowAttributes UpdateLayeredWindow
#pragma GCC poison PrintWindow GetWindowInfo GetTitleBarInfo
#pragma GCC poison SaveDC RestoreDC  // (unsure)

// Shell and console (the console runner, device/zolvsync/, runs on the PC only).
#pragma GCC poison SHGetFolderPath SHGetFolderPathA SHGetFolderPathW SHGetKnownFolderPath
#pragma GCC poison SHBrowseForFolder SHBrowseForFolderA SHBrowseForFolderW
#pragma GCC poison SetConsoleCtrlHandler GetConsoleMode SetConsoleMode AllocConsole GetConsoleWindow
#pragma GCC poison WriteConsole WriteConsoleA WriteConsoleW ReadConsole ReadConsoleA ReadConsoleW
