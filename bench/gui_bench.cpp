// Times a sync run in the real main window (list, status bar, message pump, dialogs):
//   zolv_gui_bench FROM TO            prints the seconds of one Forward run (FORCE set)
//   zolv_gui_bench FROM TO --abort    aborts the run after half a second and prints how long
//                                     the run took to stop after the Abort click was posted
//   zolv_gui_bench FROM TO --preview  prints the seconds of one Preview Forward
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/program_names.h"
#include "app/startup.h"
#include "sets/app_settings.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Watch {
    HWND main;
    bool abort;
    volatile double abortPosted;
    volatile LONG stop;
};

// Clicks OK on the result dialog or box (and, when asked, Abort once) from a second thread.
DWORD WINAPI WatchRun(void* context) {
    auto* watch = static_cast<Watch*>(context);
    double start = Now();
    while (!watch->stop) {
        if (watch->abort && watch->abortPosted == 0 && Now() - start > 0.5) {
            HWND button = GetDlgItem(watch->main, kCmdAbort);
            watch->abortPosted = Now();
            PostMessageW(watch->main, WM_COMMAND, MAKEWPARAM(kCmdAbort, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        }
        HWND result = FindWindowW(L"#32770", nullptr);
        if (result && IsWindowVisible(result)) {
            PostMessageW(result, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        Sleep(20);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: zolv_gui_bench FROM TO [--abort | --preview]\n");
        return 2;
    }
    bool abort = argc > 3 && wcscmp(argv[3], L"--abort") == 0;
    bool preview = argc > 3 && wcscmp(argv[3], L"--preview") == 0;
    ConnectFrameworkToPlatform();
    wcscpy(g_programNames.className, L"ZolvBench");
    MainWindow window;
    wcscpy(AppSettings.iniFile, L"Z:\\nonexistent\\bench.ini");  // no Open dialog, nothing saved
    if (!window.CreateMainWindow(0, 0, 800, 600, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0x4000000F)) return 1;
    UpdateWindow(window.hwnd);
    // A set made as the user makes one: New, the folders typed, Force checked; the run reads
    // the controls.
    SendMessageW(window.hwnd, WM_COMMAND, kCmdNewSet, 0);
    SetWindowTextW(GetDlgItem(window.hwnd, kIdSourceEdit), argv[1]);
    SetWindowTextW(GetDlgItem(window.hwnd, kIdDestinationEdit), argv[2]);
    SendMessageW(GetDlgItem(window.hwnd, kSetOptions[2].controlId), BM_SETCHECK, BST_CHECKED, 0);  // Force

    Watch watch{window.hwnd, abort, 0, 0};
    HANDLE watcher = CreateThread(nullptr, 0, WatchRun, &watch, 0, nullptr);
    double start = Now();
    SendMessageW(window.hwnd, WM_COMMAND, preview ? kCmdPreviewForward : kCmdForward, 0);
    double end = Now();
    watch.stop = 1;
    WaitForSingleObject(watcher, INFINITE);
    if (abort) {
        wprintf(L"%.3f\n", watch.abortPosted ? end - watch.abortPosted : -1.0);
    } else {
        wprintf(L"%.3f\n", end - start);
    }
    wcscpy(AppSettings.iniFile, L"");
    DestroyWindow(window.hwnd);
    return 0;
}
