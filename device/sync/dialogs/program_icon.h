#pragma once
#include <windows.h>

// Shows icon `iconId` of the program's module in the static icon control `control`.
// While the module lacks the picture, the system's own warning and information icons
// (which share the ids 32515 and 32516) stand in; any other missing icon leaves the
// control as the template made it.
void ShowProgramIcon(HWND dialog, int control, int iconId);
