// The device's own command bands and command bars, behind the calls the program makes on
// both platforms (desktop Win32 builds them in command_bands.cpp, command_bar.cpp and
// menu_bar.cpp, which also hold the few calls that are the same on both).
#include "command_bands.h"

#if defined(_WIN32_WCE)

#include <new>

#include "framework/message_boxes.h"
#include "framework/program.h"

HWND CreateCommandBands(HINSTANCE instance, HWND parent, UINT id, DWORD style, int bitmapId, int imageWidth) {
    HIMAGELIST images = nullptr;
    if (FindResourceW(instance, MAKEINTRESOURCEW(bitmapId), MAKEINTRESOURCEW(2) /* RT_BITMAP */))
        images = ImageList_LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), imageWidth, 1, CLR_DEFAULT, IMAGE_BITMAP, 0);
    if (!images) ShowFatal(parent, L"RT_BITMAP[%d]", bitmapId);
    return CommandBands_Create(instance, parent, id, style, images);
}

bool AddCommandBands(HWND bands, UINT count, const REBARBANDINFOW* infos) {
    return infos && CommandBands_AddBands(bands, ProgramInstance(), count, const_cast<REBARBANDINFOW*>(infos));
}

HWND CommandBandsGetCommandBar(HWND bands, UINT index) { return CommandBands_GetCommandBar(bands, index); }

// The device's menu bar has no Alt+letter.
bool CommandBandsTranslateKey(HWND, const MSG*) { return false; }

// The flags are the device's own (kAdornHelp and kAdornOk are its CMDBAR_HELP and CMDBAR_OK).
bool AddCommandBandsAdornments(HWND bands, DWORD flags) {
    return CommandBands_AddAdornments(bands, ProgramInstance(), flags, nullptr) != 0;
}

bool CommandBarInsertMenuBar(HWND bar, HINSTANCE instance, int menuId, int button) {
    return CommandBar_InsertMenubar(bar, instance, static_cast<WORD>(menuId), static_cast<WORD>(button)) != 0;
}

HMENU CommandBarGetMenu(HWND bar, int button) { return CommandBar_GetMenu(bar, static_cast<WORD>(button)); }

int CommandBarAddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int width, int height) {
    return CommandBar_AddBitmap(bar, instance, bitmapId, count, width, height);
}

bool CommandBarAddButtons(HWND bar, UINT count, const TBBUTTON* buttons) {
    return buttons && CommandBar_AddButtons(bar, count, const_cast<TBBUTTON*>(buttons));
}

// The device's bar keeps the array of tips, not a copy: it gets one of its own, which lives
// as long as the program (a bar's tips are set once). No tip is an empty one.
bool CommandBarAddToolTips(HWND bar, UINT count, const wchar_t* const* tips) {
    if (!tips) return false;
    auto* kept = new (std::nothrow) LPWSTR[count];
    if (!kept) return false;
    static wchar_t none[] = L"";
    for (UINT i = 0; i < count; ++i) kept[i] = tips[i] ? const_cast<LPWSTR>(tips[i]) : none;
    return CommandBar_AddToolTips(bar, count, kept) != 0;
}

// The device's bar shows its tips itself.
const wchar_t* CommandBarToolTip(HWND, int) { return nullptr; }

HWND CommandBarInsertComboBox(HWND bar, HINSTANCE instance, int width, DWORD style, int id, int button) {
    return CommandBar_InsertComboBox(bar, instance, width, style, static_cast<WORD>(id), static_cast<WORD>(button));
}

bool CommandBarShow(HWND bar, bool show) { return CommandBar_Show(bar, show) != 0; }

#endif
