#pragma once
#include <windows.h>

// Window calls whose form differs between the device and desktop Win32.

// Leaves a dialog procedure's answer to a message (a notification's result) where the dialog
// manager hands it back to the sender: desktop Win32 keeps it pointer-sized, the device in
// 32 bits.
void SetDialogResult(HWND dialog, LRESULT result);

// Paints `window` and its children now, backgrounds first (the device has no RedrawWindow:
// there each is invalidated and updated in turn).
void RepaintNow(HWND window);
