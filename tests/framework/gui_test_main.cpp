#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

// GUI tests need the common controls registered before any sheet or bar is made.
int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
