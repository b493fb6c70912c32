#include <windows.h>

#include "launcher.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunLauncher(instance); }
