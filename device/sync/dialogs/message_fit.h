#pragma once
#include <windows.h>

// Puts a run's message into its text control so that every word of it can be read: a run of
// characters without a blank that the control cannot wrap within its width (a long path or
// name) is broken into lines of that width, and when the lines need more height than the
// control has, the control and the dialog grow, and the buttons below the text move down, by
// what is missing. Call before centring the dialog.
void ShowFittedMessage(HWND dialog, int controlId, const wchar_t* text);

