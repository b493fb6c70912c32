#include "program.h"

namespace {
HINSTANCE g_instance = nullptr;
int g_screenWidth = 0;
int g_screenHeight = 0;
}  // namespace

HINSTANCE ProgramInstance() { return g_instance ? g_instance : GetModuleHandleW(nullptr); }

void SetProgramInstance(HINSTANCE instance) { g_instance = instance; }

void ReadScreenSize() {
    g_screenWidth = GetSystemMetrics(SM_CXSCREEN);
    g_screenHeight = GetSystemMetrics(SM_CYSCREEN);
}

int ScreenWidth() {
    if (g_screenWidth == 0) ReadScreenSize();
    return g_screenWidth;
}

int ScreenHeight() {
    if (g_screenHeight == 0) ReadScreenSize();
    return g_screenHeight;
}
