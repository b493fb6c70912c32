#pragma once
#include <windows.h>

// The program's instance handle and the screen size, recorded once at start-up. Until the
// start-up code records them, the module of the running image and the live system metrics
// stand in, so that the framework also works in programs (tests) that skip start-up.
HINSTANCE ProgramInstance();
void SetProgramInstance(HINSTANCE instance);

int ScreenWidth();
int ScreenHeight();
void ReadScreenSize();  // system metrics 0 and 1
