#pragma once
// What the command bands and their bars keep beside the desktop controls. Internal to
// device/platform.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct CommandBarState {
    HWND bar = nullptr;
    HWND notify = nullptr;  // the command bands' parent: commands and notifications go there
    HIMAGELIST images = nullptr;
    std::vector<std::pair<int, std::wstring>> tips;  // command -> tool tip

    // The combo box inserted into the bar, and the width it was given: a row too narrow for
    // the whole bar takes it narrower, never wider.
    HWND combo = nullptr;
    int comboWidth = 0;
    WNDPROC comboProc = nullptr;  // the combo box's own procedure
    HFONT listFont = nullptr;  // the font of the combo box's drop-down list, when not the box's own

    // The menu bar, when the bar holds one: its menu and where its buttons are.
    HMENU menu = nullptr;
    int menuFirst = -1;
    int menuCount = 0;
    bool menuMode = false;  // keyboard navigation of the menu bar (Alt, F10)
    HWND focusBefore = nullptr;
};

// The state of a command bar made by AddCommandBands, or null for any other window.
CommandBarState* FindCommandBar(HWND bar);
// Makes `bar` a command bar: its commands go to `notify`.
CommandBarState* AttachCommandBar(HWND bar, HWND notify);
// Gives the bar's band the height of the bar's contents.
void FitBandToBar(HWND bar);
// The narrowest the bar's contents can be (its combo box at its least), and the bar's width
// with the combo box at the width it was given.
int CommandBarLeastWidth(HWND bar);
int CommandBarFullWidth(HWND bar);
// Makes the bar `width` wide by giving its combo box less width (never more than it was
// given, never less than its least); the buttons after it move along.
void CommandBarFitToWidth(HWND bar, int width);

// Tells the command bands which bar holds the menu bar (for Alt, F10 and mnemonics).
void SetMenuBarOfBands(HWND bands, HWND bar);

// Menu bar behaviour, called from the command bar's procedure; true when it took the
// message (then *result holds the answer).
bool MenuBarMessage(CommandBarState& state, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
// WM_SYSCOMMAND SC_KEYMENU of the top-level window: `key` 0 for Alt or F10, else the
// character typed with Alt. True when the menu bar took it.
bool MenuBarKeyMenu(CommandBarState& state, LPARAM key);
// Forgets a destroyed menu bar.
void MenuBarDestroyed(CommandBarState& state);

// The space around a text button's title (both sides together) in the menu bar and the
// adornments, less than a desktop tool bar's.
constexpr int kCompactPadding = 3;

// The first command id used by menu bar buttons.
constexpr int kMenuButtonCommandBase = 0x7E00;
