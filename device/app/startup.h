#pragma once
#include <windows.h>

// A first instance's window of the class, brought to the front; null when this is the first
// instance (or the first has no window yet). The mutex stays held until the process ends.
HWND ActivateRunningInstance(const wchar_t* className);

// The message loop: live dialogs first, then accelerator table 100, then (with
// dialogNavigation) the main window's dialog keys, then translate and dispatch.
int RunMessageLoop(HWND window, bool dialogNavigation);

// Hands the framework the platform's fault trap and dialog-result call; before any window.
void ConnectFrameworkToPlatform();

// Start-up to shut-down of the program; the exit code.
int RunProgram(HINSTANCE instance, int showCommand);
