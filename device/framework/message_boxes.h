#pragma once
#include <windows.h>

#include "system_boxes.h"

// Formatted message boxes (printf-style, %s a wide string, %d a 32-bit integer; an error's
// text as long as its paths need). The Fatal and Debug boxes are the system's own
// (system_boxes.h). Each waits until the user closes it; the answer is not used.

// A message box that fits the screen, for texts that hold paths and names: the system's
// types MB_OK and MB_YESNO (the first button the default) with their icon (MB_ICONSTOP,
// MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION), shown in the program's own box
// (templates DlgMessageOk and DlgMessageYesNo), which breaks a long path into lines and is
// never wider than the screen. Escape answers OK where OK is the only button, and nothing in
// a Yes/No question. Returns what MessageBoxW returns: IDOK, IDYES or IDNO. Other types, or
// a program without the templates, get the system's box.
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// Failed file operations, in the fitted box (ShowMessageBox). Caption "Error" / "ｴﾗｰ".
void ShowError(HWND owner, const wchar_t* format, ...);

constexpr UINT kErrorBoxType = MB_OK | MB_ICONSTOP;
