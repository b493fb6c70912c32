#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "framework/platform_hooks.h"
#include "platform/fault_trap.h"
#include "platform/window_calls.h"

// GUI tests need the common controls registered before any sheet or bar is made, and the
// framework the platform's calls, as the program's start gives them.
int main(int argc, char** argv) {
    InstallPlatformHooks({RunTrapped, SetDialogResult});
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
