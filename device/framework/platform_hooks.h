#pragma once
#include <windows.h>

// The two calls the framework needs of the platform layer, which sits beside it and is not
// known here: the program's start hands them over (InstallPlatformHooks) before its first
// window. Until then a guarded body runs without a trap, and a notification's answer is lost.
using TrappedBody = void (*)(void* context) noexcept;

struct PlatformHooks {
    // Runs `body(context)`; false when a processor fault was sent back instead of it returning.
    bool (*runTrapped)(TrappedBody body, void* context) = nullptr;
    // Leaves a dialog procedure's answer to a notification where its sender reads it.
    void (*setDialogResult)(HWND dialog, LRESULT result) = nullptr;
};

void InstallPlatformHooks(const PlatformHooks& hooks);
const PlatformHooks& InstalledPlatformHooks();
