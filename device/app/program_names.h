#pragma once

// The long product name (window class, single-instance mutex) and the short one (title),
// loaded from strings 100 and 101 at start-up.
struct ProgramNames {
    wchar_t className[128];
    wchar_t windowTitle[128];
};

extern ProgramNames g_programNames;

// Loads both strings from the program's resources.
void LoadProgramNames();
