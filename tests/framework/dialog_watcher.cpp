#include "dialog_watcher.h"

#include <algorithm>

namespace {

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[1024];
    buffer[0] = L'\0';
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

bool IsDialogClass(HWND hwnd) {
    wchar_t name[64];
    return GetClassNameW(hwnd, name, 64) && wcscmp(name, L"#32770") == 0;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    auto* seen = reinterpret_cast<SeenDialog*>(context);
    if (GetParent(child) != seen->hwnd) return TRUE;
    int id = GetDlgCtrlID(child);
    seen->texts[id] = WindowText(child);
    wchar_t name[64];
    const bool isStatic = GetClassNameW(child, name, 64) && _wcsicmp(name, L"Static") == 0;
    if (isStatic && seen->message.empty()) seen->message = seen->texts[id];
    if (isStatic &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        seen->icons[id] = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM context) {
    auto* found = reinterpret_cast<std::vector<HWND>*>(context);
    if (IsDialogClass(hwnd) && IsWindowVisible(hwnd)) found->push_back(hwnd);
    return TRUE;
}

}  // namespace

DialogWatcher::DialogWatcher(Answer answer) : answer_(std::move(answer)), uiThread_(GetCurrentThreadId()) {
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DialogWatcher::~DialogWatcher() {
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
}

std::vector<SeenDialog> DialogWatcher::Seen() {
    EnterCriticalSection(&lock_);
    std::vector<SeenDialog> copy = seen_;
    LeaveCriticalSection(&lock_);
    return copy;
}

DWORD WINAPI DialogWatcher::Run(void* self) {
    auto* watcher = static_cast<DialogWatcher*>(self);
    while (!watcher->stop_) {
        watcher->Poll();
        Sleep(10);
    }
    return 0;
}

void DialogWatcher::Poll() {
    handled_.erase(std::remove_if(handled_.begin(), handled_.end(), [](HWND h) { return !IsWindow(h); }),
                   handled_.end());
    std::vector<HWND> found;
    EnumThreadWindows(uiThread_, CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    for (HWND hwnd : found) {
        if (std::find(handled_.begin(), handled_.end(), hwnd) != handled_.end()) continue;
        handled_.push_back(hwnd);
        SeenDialog seen{};
        seen.hwnd = hwnd;
        seen.owner = GetWindow(hwnd, GW_OWNER);
        seen.caption = WindowText(hwnd);
        GetWindowRect(hwnd, &seen.rect);
        seen.exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
        EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&seen));
        EnterCriticalSection(&lock_);
        seen_.push_back(seen);
        LeaveCriticalSection(&lock_);
        answer_(seen);
    }
}

void DialogWatcher::Click(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void DialogWatcher::PressEscape(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus) target = info.hwndFocus;
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

DialogWatcher::Answer ClickEach(int id) {
    return [id](const SeenDialog& seen) { DialogWatcher::Click(seen.hwnd, seen.texts.count(id) ? id : IDOK); };
}
