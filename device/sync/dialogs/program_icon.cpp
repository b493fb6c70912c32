#include "program_icon.h"

#include "framework/program.h"

void ShowProgramIcon(HWND dialog, int control, int iconId) {
    HICON icon = LoadIconW(ProgramInstance(), MAKEINTRESOURCEW(iconId));
    if (icon == nullptr && (iconId == 32515 || iconId == 32516)) icon = LoadIconW(nullptr, MAKEINTRESOURCEW(iconId));
    if (icon == nullptr) return;
    SendDlgItemMessageW(dialog, control, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}
