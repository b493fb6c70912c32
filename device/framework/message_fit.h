#pragma once
#include <windows.h>

// Narrows a dialog wider than the screen's work area to its width: what reaches past the new
// right edge gets narrower (a text then wraps into more lines), and the buttons of a bottom
// row close up to the right, in as many rows as they need; a column of buttons at the right
// moves left with the edge, and what stands beside it gets narrower. Call before centring.
void FitDialogToScreenWidth(HWND dialog);

// Puts a message into its text control so that every word of it can be read, in a dialog no
// wider than the screen (FitDialogToScreenWidth first): a run of characters without a blank
// that the control cannot wrap within its width (a long path or name) is broken into lines of
// that width, and when the lines need more height than the control has, the control and the
// dialog grow, and the buttons below the text move down, by what is missing; no taller than
// the screen's work area, beyond which the text scrolls (a read-only edit of the same id
// takes the static's place). Call before centring the dialog.
void ShowFittedMessage(HWND dialog, int controlId, const wchar_t* text);

