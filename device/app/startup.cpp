#include "startup.h"

#include "base/language.h"
#include "command_ids.h"
#include "framework/message_boxes.h"
#include "framework/platform_hooks.h"
#include "framework/program.h"
#include "main_window.h"
#include "platform/bands/command_bands.h"
#include "platform/fault_trap.h"
#include "platform/window_calls.h"
#include "program_names.h"

HWND ActivateRunningInstance(const wchar_t* className) {
    CreateMutexW(nullptr, FALSE, className);  // kept until the process ends
    if (GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
    HWND first = FindWindowW(className, nullptr);
    if (first) SetForegroundWindow(first);
    return first;
}

int RunMessageLoop(HWND window, bool dialogNavigation) {
    HACCEL accelerators = LoadAcceleratorsW(ProgramInstance(), MAKEINTRESOURCEW(kAcceleratorTable));
    if (accelerators == nullptr) ShowDebug(L"IDR_ACCELERATOR_MAIN");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateDialogMessage(&msg)) continue;
        if (accelerators && TranslateAcceleratorW(window, accelerators, &msg)) continue;
        // Alt+letter reaches the menu bar from whichever control has the focus.
        if (CommandBandsTranslateKey(window, &msg)) continue;
        if (dialogNavigation && IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void ConnectFrameworkToPlatform() { InstallPlatformHooks({RunTrapped, SetDialogResult}); }

int RunProgram(HINSTANCE instance, int showCommand) {
    ConnectFrameworkToPlatform();
    SetProgramInstance(instance);
    ChooseUiLanguage();
    ReadScreenSize();
    LoadProgramNames();
    if (ActivateRunningInstance(g_programNames.className)) return 0;

    MainWindow window;
    if (!window.CreateMainWindow(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 WS_VISIBLE | WS_CLIPCHILDREN, 0, 0x4000000F)) {
        return 0;
    }
    ShowWindow(window.hwnd, showCommand);
    UpdateWindow(window.hwnd);
    return RunMessageLoop(window.hwnd, true);
}
