#include "zolv_driver.h"

#include <commctrl.h>

namespace {

struct DialogSearch {
    DWORD processId;
    const std::wstring* caption;  // null: any dialog
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    wchar_t cls[64];
    GetClassNameW(window, cls, 64);
    if (wcscmp(cls, L"#32770") != 0) return TRUE;
    if (search->caption && WindowText(window) != *search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControl(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND ZolvProcess::Control(int id) const {
    // Children of children too: the set list lives in the tool bar.
    ControlSearch search{id, nullptr};
    EnumChildWindows(main_, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PumpFor(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

void SetText(HWND window, const std::wstring& text) {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
}

void ClickButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool ZolvProcess::Start(const std::wstring& exe, const std::wstring& cwd) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &startup, &process_)) {
        return false;
    }
    WaitForInputIdle(process_.hProcess, 10000);
    for (int i = 0; i < 500 && main_ == nullptr; ++i) {
        HWND candidate = FindWindowW(L"Larkmoor", nullptr);
        DWORD owner = 0;
        if (candidate) GetWindowThreadProcessId(candidate, &owner);
        if (candidate && owner == process_.dwProcessId && IsWindowVisible(candidate)) main_ = candidate;
        else Sleep(20);
    }
    return main_ != nullptr;
}

ZolvProcess::~ZolvProcess() {
    if (process_.hProcess) {
        if (Running()) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool ZolvProcess::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

int ZolvProcess::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 99);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

HWND ZolvProcess::WaitForDialog(const std::wstring& caption, DWORD timeoutMs) const {
    DWORD end = GetTickCount() + timeoutMs;
    do {
        DialogSearch search{process_.dwProcessId, &caption, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
    return nullptr;
}

HWND ZolvProcess::AnyDialog() const {
    DialogSearch search{process_.dwProcessId, nullptr, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int ZolvProcess::RowCount() const {
    return static_cast<int>(SendMessageW(Control(11000), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ZolvProcess::Cell(int row, int column) const {
    // The list writes into the caller's buffer in its own address space.
    const SIZE_T size = sizeof(LVITEMW) + 512 * sizeof(wchar_t);
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return L"<no memory>";
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = 512;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    WriteProcessMemory(process_.hProcess, remote, &item, sizeof item, nullptr);
    SendMessageW(Control(11000), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
    wchar_t text[512] = L"";
    ReadProcessMemory(process_.hProcess, remote + sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

void ZolvProcess::AnswerDialogs(const std::function<int(HWND, const std::wstring&)>& answer, DWORD timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    HWND abortButton = Control(40305);
    Sleep(50);
    do {
        if (HWND dialog = AnyDialog()) {
            int button = answer(dialog, WindowText(dialog));
            ClickButton(dialog, button);
            for (int i = 0; i < 100 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
            continue;
        }
        if (!IsWindowEnabled(abortButton)) {
            Sleep(100);  // a dialog may be on its way at the very end of the run
            if (!AnyDialog() && !IsWindowEnabled(abortButton)) return;
        }
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}
