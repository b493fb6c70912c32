#include "live_box.h"

#include "process.h"

namespace {

struct BoxSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBoxOfProcess(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<BoxSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[32];
    if (owner == search->processId && IsWindowVisible(window) && GetClassNameW(window, className, 32) &&
        wcscmp(className, L"#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring LiveText(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

// The box's message is its one static control with text (the icon is a static without).
BOOL CALLBACK FindMessageText(HWND child, LPARAM context) {
    auto* text = reinterpret_cast<std::wstring*>(context);
    wchar_t className[32];
    if (GetClassNameW(child, className, 32) && _wcsicmp(className, L"Static") == 0) {
        std::wstring line = LiveText(child);
        if (!line.empty()) {
            *text = line;
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

void PumpFor(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

LaunchResult LaunchAndAnswerBoxes(const std::wstring& exe, const std::wstring& cwd, DWORD timeoutMs) {
    LaunchResult result;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!StartProcess(commandLine, false, 0, cwd.c_str(), &startup, &process))
        return result;

    HWND answered = nullptr;
    DWORD deadline = GetTickCount() + timeoutMs;
    while (static_cast<LONG>(deadline - GetTickCount()) > 0) {
        DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 50, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            result.exited = true;
            break;
        }
        PumpFor(0);
        BoxSearch search{process.dwProcessId, nullptr};
        EnumWindows(FindBoxOfProcess, reinterpret_cast<LPARAM>(&search));
        if (!search.found || search.found == answered) continue;
        if (result.boxes++ == 0) {
            result.title = LiveText(search.found);
            EnumChildWindows(search.found, FindMessageText, reinterpret_cast<LPARAM>(&result.text));
        }
        answered = search.found;
        PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    }
    if (!result.exited) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    } else {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result.exitCode = static_cast<int>(code);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return result;
}
