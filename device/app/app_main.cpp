// Zolv: the device program's entry point. The command line is not used.
#include <windows.h>

#include "startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return RunProgram(instance, showCommand);
}
