#pragma once
#include <windows.h>

// The boxes that must show whatever state the program is in, in the system's own message
// box (printf-style, %s a wide string, %d a 32-bit integer; at most 520 characters). They
// need no dialog object, so the fault guard and the dialogs can show them; the fitted boxes
// built on dialogs are in message_boxes.h. Each waits until the user closes it.

// Faults caught by the fault guard and missing resources (short labels and resource names,
// which fit any screen). Caption "Fatal" / "致命的なｴﾗｰ".
void ShowFatal(HWND owner, const wchar_t* format, ...);
// Developer diagnostics, owned by the active window and brought to the front. Caption "Debug".
void ShowDebug(const wchar_t* format, ...);

constexpr UINT kFatalBoxType = MB_OK | MB_ICONSTOP;
constexpr UINT kDebugBoxType = MB_OK | MB_ICONSTOP | MB_SETFOREGROUND;
