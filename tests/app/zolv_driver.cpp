#include "zolv_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "process.h"

namespace {

// The driver's output reaches the log also when the program is ended from outside.
const int kUnbuffered = (setvbuf(stdout, nullptr, _IONBF, 0), setvbuf(stderr, nullptr, _IONBF, 0), 0);

// A test that hangs is ended with its name, well before CTest's limit would end the whole
// program without a word. Every wait of the driver is far shorter.
constexpr DWORD kTestLimitMs = 90000;

DWORD WINAPI Watchdog(void*) {
    const ::testing::TestInfo* watched = nullptr;
    DWORD since = GetTickCount();
    for (;;) {
        Sleep(1000);
        const ::testing::TestInfo* now = ::testing::UnitTest::GetInstance()->current_test_info();
        if (now != watched) {
            watched = now;
            since = GetTickCount();
        } else if (now && GetTickCount() - since > kTestLimitMs) {
            fprintf(stderr, "%s.%s has not ended after %lu s: the program stops here\n", now->test_suite_name(),
                    now->name(), kTestLimitMs / 1000);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}
const HANDLE kWatchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);

constexpr int kListId = 11000;
constexpr int kAbortId = 40305;
constexpr int kForwardId = 40201;
constexpr int kBackwardId = 40202;
const wchar_t kMarkerRow[] = L"<before the run>";
// Markers set the list's hover time, which the program does not use otherwise.
constexpr DWORD kMarkerBase = 0x5A000000;

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    return out;
}

struct DialogSearch {
    DWORD processId;
    const std::wstring* caption;  // null: any dialog
    HWND found;
    bool hiddenToo = false;        // also one not shown yet
    std::vector<HWND>* all = nullptr;  // every one, not only the first
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || (!search->hiddenToo && !IsWindowVisible(window))) return TRUE;
    wchar_t cls[64];
    GetClassNameW(window, cls, 64);
    if (wcscmp(cls, L"#32770") != 0) return TRUE;
    if (search->caption && WindowText(window) != *search->caption) return TRUE;
    search->found = window;
    if (search->all) {
        search->all->push_back(window);
        return TRUE;
    }
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
    DWORD error = 0;
    if (!StartProcess(line, false, 0, cwd.c_str(), &startup, &process_, &error)) {
        ADD_FAILURE() << "could not start " << Narrow(exe) << ": error " << error;
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
    if (main_ == nullptr) {
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        ADD_FAILURE() << "waited 10 s for the main window (class Larkmoor, shown); saw the program "
                      << (Running() ? "running" : "ended with " + std::to_string(code)) << ", dialogs: " << Narrow(Seen());
    }
    return main_ != nullptr;
}

ZolvProcess::~ZolvProcess() {
    if (process_.hProcess) {
        // Ended and gone before anything else starts: a program started next would find
        // this one's window and hand over to it.
        if (Running() && TerminateProcess(process_.hProcess, 99)) WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool ZolvProcess::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

int ZolvProcess::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "waited " << timeoutMs << " ms for the program to end; it was still running: " << Narrow(Seen());
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
    ADD_FAILURE() << "waited " << timeoutMs << " ms for the dialog \"" << Narrow(caption) << "\"; saw " << Narrow(Seen());
    return nullptr;
}

// What the program shows: its dialogs (shown or not yet), the Abort button, the list.
std::wstring ZolvProcess::Seen() const {
    std::vector<HWND> dialogs;
    DialogSearch search{process_.dwProcessId, nullptr, nullptr, true, &dialogs};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    std::wstring seen = L"dialogs [";
    for (HWND dialog : dialogs)
        seen += L"\"" + WindowText(dialog) + (IsWindowVisible(dialog) ? L"\" " : L"\" (hidden) ");
    seen += L"], Abort " + std::wstring(IsWindowEnabled(Control(kAbortId)) ? L"enabled" : L"disabled");
    seen += L", " + std::to_wstring(RowCount()) + L" rows";
    if (runMarked_) seen += MarkerRowThere() ? L", marker row still there" : L", marker row gone";
    seen += L", program " + std::wstring(Running() ? L"running" : L"ended");
    seen += L", answered [";
    for (const std::wstring& caption : answered_) seen += L"\"" + caption + L"\" ";
    return seen + L"]";
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

void ZolvProcess::Command(int id) const {
    if ((id == kForwardId || id == kBackwardId) && !IsWindowEnabled(Control(kAbortId))) {
        // The row is written into the program's memory and inserted before the command goes.
        const SIZE_T size = sizeof(LVITEMW) + sizeof kMarkerRow;
        auto* remote = static_cast<BYTE*>(VirtualAllocEx(process_.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        WriteProcessMemory(process_.hProcess, remote, &item, sizeof item, nullptr);
        WriteProcessMemory(process_.hProcess, remote + sizeof(LVITEMW), kMarkerRow, sizeof kMarkerRow, nullptr);
        runMarked_ = SendMessageW(Control(kListId), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(remote)) == 0;
        VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
    }
    answered_.clear();
    PostMessageW(main_, WM_COMMAND, id, 0);
}

bool ZolvProcess::MarkerRowThere() const { return RowCount() > 0 && Cell(0, 0) == kMarkerRow; }

void ZolvProcess::PostMarker() { PostMessageW(Control(kListId), LVM_SETHOVERTIME, 0, kMarkerBase + ++marker_); }

bool ZolvProcess::MarkerHandled() const {
    return static_cast<DWORD>(SendMessageW(Control(kListId), LVM_GETHOVERTIME, 0, 0)) == kMarkerBase + marker_;
}

bool ZolvProcess::WaitForRunStart(DWORD timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    do {
        if (IsWindowEnabled(Control(kAbortId)) && !(runMarked_ && MarkerRowThere())) return true;
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
    ADD_FAILURE() << "waited " << timeoutMs << " ms for the run to start (marker row gone, Abort enabled); saw "
                  << Narrow(Seen());
    return false;
}

// Positive events only: a marker posted behind the command (and again behind each answer)
// tells that the program has taken everything posted before it. A run empties the list,
// the marker row with it, before it looks at its queue; so a marker taken while the marker
// row is still there was taken before any run started, and with no dialog open it was taken
// by the program's own message loop: the command is over.
bool ZolvProcess::AnswerDialogs(const std::function<int(HWND, const std::wstring&)>& answer, DWORD timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    HWND abortButton = Control(kAbortId);
    bool runSeen = IsWindowEnabled(abortButton);
    PostMarker();
    do {
        if (HWND dialog = AnyDialog()) {
            std::wstring caption = WindowText(dialog);
            answered_.push_back(caption);
            ClickButton(dialog, answer(dialog, caption));
            for (int i = 0; i < 500 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
            PostMarker();
            continue;
        }
        // The marker first: once it is taken, a run the command started has begun, so the looks
        // after it see that run. (The other way round, a run that began between the looks
        // would pass unseen before its first dialog.)
        const bool handled = MarkerHandled();
        const bool running = IsWindowEnabled(abortButton);
        const bool started = runMarked_ && !MarkerRowThere();
        runSeen = runSeen || running || started;
        if (handled && !running) {
            DialogSearch search{process_.dwProcessId, nullptr, nullptr, true};
            EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found == nullptr) {
                if (!runSeen && runMarked_) SendMessageW(Control(kListId), LVM_DELETEITEM, 0, 0);  // no run came
                runMarked_ = false;
                SendMessageW(Control(kListId), LVM_SETHOVERTIME, 0, static_cast<LPARAM>(-1));
                return true;
            }
        }
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
    ADD_FAILURE() << "waited " << timeoutMs << " ms for the command to be over (a run it started ended: Abort "
                  << "disabled again; no dialog open; the program back in its message loop); saw " << Narrow(Seen());
    return false;
}
