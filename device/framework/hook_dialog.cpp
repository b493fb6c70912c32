#include "hook_dialog.h"

#include "fault_guard.h"

namespace {
FHookDlg* g_currentHook = nullptr;
}

FHookDlg::FHookDlg() : forgetAfterFault_([](void*) noexcept { g_currentHook = nullptr; }, nullptr) { g_currentHook = this; }

FHookDlg::~FHookDlg() { g_currentHook = nullptr; }

FHookDlg* CurrentHookDialog() { return g_currentHook; }

LRESULT FHookDlg::HookDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(hwnd, msg, wParam, lParam);
    case WM_COMMAND: return OnCommand(hwnd, msg, wParam, lParam);
    case WM_NOTIFY: return OnNotify(hwnd, msg, wParam, lParam);
    default: return 0;
    }
}

UINT_PTR CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded(hwnd, L"HookProc", [&]() -> LRESULT {
        FHookDlg* hook = g_currentHook;
        if (hook == nullptr) return 0;
        hook->hwnd = hwnd;
        return hook->HookDialogProc(hwnd, msg, wParam, lParam);
    });
}
