#pragma once
#include <windows.h>

// Formatted message boxes (printf-style, %s a wide string, %d a 32-bit integer; the fault
// and debug texts at most 520 characters, an error's as long as its paths need). Each waits
// until the user closes it; the answer is not used.

// Faults caught by the fault guard and missing resources. Caption "Fatal" / "致命的なｴﾗｰ".
void ShowFatal(HWND owner, const wchar_t* format, ...);
// Failed file operations. Caption "Error" / "ｴﾗｰ".
void ShowError(HWND owner, const wchar_t* format, ...);
// Developer diagnostics, owned by the active window and brought to the front. Caption "Debug".
void ShowDebug(const wchar_t* format, ...);

// The box types of the three helpers.
constexpr UINT kFatalBoxType = MB_OK | MB_ICONSTOP;
constexpr UINT kErrorBoxType = MB_OK | MB_ICONSTOP;
constexpr UINT kDebugBoxType = MB_OK | MB_ICONSTOP | MB_SETFOREGROUND;
