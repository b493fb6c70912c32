// Commands whose dialogs are not in the program yet: they do nothing.
#include "main_window.h"

void ShowAbout(HWND) {}
