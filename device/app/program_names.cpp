#include "program_names.h"

#include <windows.h>

#include "framework/program.h"

ProgramNames g_programNames = {L"Larkmoor", L"Zolv"};

void LoadProgramNames() {
    LoadStringW(ProgramInstance(), 101, g_programNames.windowTitle, 128);
    LoadStringW(ProgramInstance(), 100, g_programNames.className, 128);
}
