#pragma once
#include <windows.h>
#include <commctrl.h>

// Command bands and command bars as Windows CE has them (there they are the device's own,
// device_bands.cpp), built on desktop Win32 from a rebar whose bands each hold a flat tool
// bar (the "command bar"). The main window keeps
// reading as it would on the device: band heights, RBN_HEIGHTCHANGE from the bands' id,
// WM_HELP from the help adornment, WM_COMMAND from the menu bar, the buttons and the combo
// box inserted into a bar.
//
// What the desktop adds on its own: the command bands follow the width of their parent
// (they watch its WM_SIZE) and, where a row cannot hold them, wrap onto further rows with a
// combo box narrowed to what its row holds, so that everything on them stays inside the
// parent down to a handheld's width; the menu bar opens its popups with the mouse, with Alt or F10
// and with the mnemonics of its titles, Tab reaches the controls inserted into a bar (the
// bands and bars are control parents for the dialog keyboard handling), and a close button
// ends the adornments, as on the device.

// Adornment flags.
constexpr DWORD kAdornHelp = 0x1;  // "?": sends WM_HELP to the parent
constexpr DWORD kAdornOk = 0x2;    // "OK": sends WM_COMMAND IDOK to the parent

// Control id of the tool bar holding the adornments (a child of the command bands' parent,
// over the first row's right end, which the bands' contents leave free, or on a strip below
// the rows when the first band needs the whole row), and its command ids.
constexpr int kAdornmentBarId = 0x7F00;
constexpr int kAdornHelpCommand = 0x7F01;
constexpr int kAdornOkCommand = 0x7F02;
constexpr int kAdornCloseCommand = 0x7F03;

// Creates the command bands as a child of `parent` with the given id and style (WS_CHILD is
// added; band-control bits the desktop rebar lacks are dropped). The bands' image list is
// loaded from bitmap `bitmapId` of `instance`, `imageWidth` pixels per image, the top-left
// pixel's colour as mask. A missing bitmap shows the Fatal box "RT_BITMAP[%d]" and creation
// goes on without images. Returns the bands' window, or null.
HWND CreateCommandBands(HINSTANCE instance, HWND parent, UINT id, DWORD style, int bitmapId, int imageWidth);

// Adds `count` bands, each with a command bar of its own as its child. Of each
// REBARBANDINFOW the id, image, style and size (when its mask bits say so) are used.
bool AddCommandBands(HWND bands, UINT count, const REBARBANDINFOW* infos);

// The command bar of the band at `index`, or null.
HWND CommandBandsGetCommandBar(HWND bands, UINT index);

// Alt+letter typed anywhere in `parent`, the command bands' parent: the key message goes to
// the control with the focus, whose default handling knows no menu bar on the bands, so the
// message loop hands it here first (before the dialog keyboard handling). Opens the popup
// whose title has that "&" mnemonic; true when it took the message.
bool CommandBandsTranslateKey(HWND parent, const MSG* msg);

// The height of the command bands' window (0 without a window).
int CommandBandsHeight(HWND bands);

// Sets the width of the band at `index` (RB_SETBANDINFO with the size only).
bool SetCommandBandSize(HWND bands, UINT index, int width);

// Adds the adornments at the right end of the command bands: kAdornHelp, kAdornOk, and the
// close button (WM_CLOSE to the parent), which is always there. Other flag bits are
// accepted and have no desktop counterpart.
bool AddCommandBandsAdornments(HWND bands, DWORD flags);

// Inserts the menu bar made from menu resource `menuId` into a command bar before button
// `button`: one button per popup. Returns false when the menu cannot be loaded.
bool CommandBarInsertMenuBar(HWND bar, HINSTANCE instance, int menuId, int button);

// The menu of the menu bar that starts at `button` (the menu the popups are taken from, so
// that EnableMenuItem on it grays what the user sees); null when there is none. The bar
// owns the menu.
HMENU CommandBarGetMenu(HWND bar, int button);

// Adds `count` images of width x height from bitmap `bitmapId` (top-left pixel's colour as
// mask). Returns the index of the first image, or -1 when the bitmap cannot be loaded.
int CommandBarAddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int width, int height);

// Appends buttons (TB_ADDBUTTONS); the band grows to the bar's height.
bool CommandBarAddButtons(HWND bar, UINT count, const TBBUTTON* buttons);

// One tool tip per button, in the bar's current button order; a null or empty entry gives
// that button none. Each text follows its button's command when buttons move.
bool CommandBarAddToolTips(HWND bar, UINT count, const wchar_t* const* tips);

// The tool tip text of the button with command `command`, or null (always on the device,
// whose bar shows its tips itself).
const wchar_t* CommandBarToolTip(HWND bar, int command);

// Inserts a combo box `width` pixels wide before button `button` (WS_CHILD is added to
// `style`). Its notifications reach the command bands' parent as WM_COMMAND with `id`.
// Returns the combo box, or null.
HWND CommandBarInsertComboBox(HWND bar, HINSTANCE instance, int width, DWORD style, int id, int button);

// Shows or hides a command bar.
bool CommandBarShow(HWND bar, bool show);

// The sum of the widths of the bar's buttons.
int CommandBarButtonsWidth(HWND bar);
