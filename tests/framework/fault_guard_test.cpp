#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <stdexcept>
#include <string>

#include "base/text.h"
#include "dialog_watcher.h"
#include "framework/dialog.h"
#include "framework/fault_guard.h"
#include "framework/hook_dialog.h"
#include "framework/window.h"

namespace {

int* volatile g_nowhere = nullptr;
volatile int g_zero = 0;

// Handlers that fault for real on command.
class FaultingWindow : public FWindow {
public:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_APP: *g_nowhere = 1; return 5;              // null write
        case WM_APP + 1: throw std::runtime_error("boom");  // C++ exception
        case WM_APP + 2: return 100 / g_zero;               // integer division by zero
        case WM_APP + 3: return 42;
        case WM_APP + 4: {
            // A fault that system code provokes and handles itself is not the guard's.
            return lstrlenW(reinterpret_cast<const wchar_t*>(16)) + 7;
        }
        default: return FWindow::WindowProc(hwnd, msg, wParam, lParam);
        }
    }
};

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterFrameClass(L"ZolvFaultWindow", nullptr, nullptr));
        ASSERT_TRUE(window.Create(0, L"ZolvFaultWindow", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    }
    void TearDown() override { UiLanguage = kLanguageEnglish; }
    FaultingWindow window;
};

}  // namespace

TEST_F(GuardTest, NullWriteExceptionAndDivisionEachShowTheFatalBoxAndGoOn) {
    DialogWatcher watcher(ClickEach(IDOK));
    EXPECT_EQ(SendMessageW(window.hwnd, WM_APP, 0, 0), 0);
    EXPECT_EQ(SendMessageW(window.hwnd, WM_APP + 3, 0, 0), 42);
    EXPECT_EQ(SendMessageW(window.hwnd, WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(SendMessageW(window.hwnd, WM_APP + 2, 0, 0), 0);
    EXPECT_EQ(SendMessageW(window.hwnd, WM_APP + 3, 0, 0), 42);

    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 3u);
    for (const SeenDialog& box : seen) {
        EXPECT_EQ(box.caption, L"Fatal");
        EXPECT_EQ(box.FirstStaticText(), L"WndProc");
        EXPECT_EQ(box.owner, window.hwnd);
    }
}

TEST_F(GuardTest, FaultsHandledBySystemCodePassUntouched) {
    DialogWatcher watcher(ClickEach(IDOK));
    EXPECT_EQ(SendMessageW(window.hwnd, WM_APP + 4, 0, 0), 7);
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(GuardTest, PostedFaultInTheMessageLoopAndJapaneseCaption) {
    UiLanguage = kLanguageJapanese;
    DialogWatcher watcher(ClickEach(IDOK));
    PostMessageW(window.hwnd, WM_APP, 0, 0);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        DispatchMessageW(&msg);
        if (msg.hwnd == window.hwnd && msg.message == WM_APP) break;
    }
    EXPECT_EQ(SendMessageW(window.hwnd, WM_APP + 3, 0, 0), 42);  // the window goes on
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"致命的なｴﾗｰ");
}

TEST(Guard, DirectCallsNestAndReturnTheBodyResult) {
    DialogWatcher watcher(ClickEach(IDOK));
    EXPECT_EQ(Guarded(nullptr, L"outer", [] { return LRESULT(3); }), 3);
    // An inner fault returns to the inner guard; the outer one finishes normally.
    LRESULT outer = Guarded(nullptr, L"outer", [] {
        LRESULT inner = Guarded(nullptr, L"inner", []() -> LRESULT { return *g_nowhere; });
        return inner + 10;
    });
    EXPECT_EQ(outer, 10);
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].FirstStaticText(), L"inner");
}

TEST(Guard, AFaultInTheRuntimeRunsTheRecoveryStepsOfTheFramesItLeaves) {
    DialogWatcher watcher(ClickEach(IDOK));
    static std::wstring undone;
    const auto note = [](void* mark) noexcept { undone += *static_cast<const wchar_t*>(mark); };
    wchar_t outside = L'o', first = L'1', second = L'2', ended = L'e';
    RecoveryStep kept(note, &outside);  // older than the guard: not its to run
    Guarded(nullptr, L"steps", [&]() -> LRESULT {
        { RecoveryStep gone(note, &ended); }  // ended normally: never run
        RecoveryStep a(note, &first), b(note, &second);
        const wchar_t* volatile nothing = nullptr;
        return static_cast<LRESULT>(wcslen(nothing));  // faults inside the C runtime's library
    });
    EXPECT_EQ(undone, L"21");
    EXPECT_EQ(NewestRecoveryStep(), &kept);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].FirstStaticText(), L"steps");
}

namespace {

bool DirectionFlagSet() {
    std::uintptr_t flags;
#if defined(__x86_64__)
    __asm__ __volatile__("pushfq\n\tpopq %0" : "=r"(flags));
#else
    __asm__ __volatile__("pushfl\n\tpopl %0" : "=r"(flags));
#endif
    return (flags & 0x400) != 0;
}

// Writes through a null pointer with the direction flag set, as a backward string copy
// that faults does.
void FaultWithDirectionFlagSet() { __asm__ __volatile__("std\n\tmovl $1, (%0)\n\tcld" : : "r"(g_nowhere) : "memory"); }

}  // namespace

// Every function may take the direction flag for clear; the fault's recovery steps, the
// Fatal box and the code after the guard are no exception. (Runs on x86 where the tests
// are built for it; this machine runs the 64-bit tests only.)
TEST(Guard, TheRecoveryRunsWithTheDirectionFlagClear) {
    DialogWatcher watcher(ClickEach(IDOK));
    static int setInStep = -1;
    const auto look = [](void*) noexcept { setInStep = DirectionFlagSet(); };
    EXPECT_EQ(Guarded(nullptr, L"flag", [&]() -> LRESULT {
                  RecoveryStep step(look, nullptr);
                  FaultWithDirectionFlagSet();
                  return 1;
              }),
              0);
    EXPECT_EQ(setInStep, 0);
    EXPECT_FALSE(DirectionFlagSet());
    EXPECT_EQ(watcher.Seen().size(), 1u);
}

TEST(Guard, ARuntimeFaultThatSystemCodeHandlesPassesUntouched) {
    // The system calls a runtime function that faults, and takes the fault itself: a timer
    // procedure that is the runtime's wcslen, handed a null string by the dispatch, which
    // catches what its timer procedures raise.
    DialogWatcher watcher(ClickEach(IDOK));
    const FARPROC wcslenOfRuntime = GetProcAddress(GetModuleHandleW(L"msvcrt.dll"), "wcslen");
    ASSERT_NE(wcslenOfRuntime, nullptr);
    const auto procedure = reinterpret_cast<TIMERPROC>(reinterpret_cast<void (*)()>(wcslenOfRuntime));
    const unsigned before = FaultsCaught();
    const LRESULT result = Guarded(nullptr, L"timer", [&]() -> LRESULT {
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, procedure);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0)) {
            DispatchMessageW(&msg);
            if (msg.message == WM_TIMER && msg.wParam == timer) break;
        }
        KillTimer(nullptr, timer);
        return 8;
    });
    EXPECT_EQ(result, 8);
    EXPECT_EQ(FaultsCaught(), before);
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST(Guard, ARecoveryStepThatFaultsIsLeftOnceAndTheOthersRunFromOneFrame) {
    DialogWatcher watcher(ClickEach(IDOK));
    static std::wstring undone;
    static int faulted = 0;
    static std::uintptr_t depth[2];
    const auto note = [](void* mark) noexcept {
        volatile char here = 0;
        const wchar_t which = *static_cast<const wchar_t*>(mark);
        depth[which == L'1'] = reinterpret_cast<std::uintptr_t>(&here);
        undone += which;
    };
    const auto fault = [](void*) noexcept {
        ++faulted;
        *g_nowhere = 3;
    };
    wchar_t first = L'1', third = L'3';
    SetLastError(4321);  // registering a step keeps the last error
    { RecoveryStep ended(note, &first); }
    EXPECT_EQ(GetLastError(), 4321u);
    const unsigned before = FaultsCaught();
    EXPECT_EQ(Guarded(nullptr, L"steps", [&]() -> LRESULT {
                  RecoveryStep a(note, &first), b(fault, nullptr), c(note, &third);
                  return *g_nowhere;
              }),
              0);
    EXPECT_EQ(undone, L"31");
    EXPECT_EQ(faulted, 1);
    // The step after the faulting one ran from the same frame as the one before it: the
    // fault came back to the recovery, not into a recovery of its own.
    EXPECT_LT(depth[0] > depth[1] ? depth[0] - depth[1] : depth[1] - depth[0], 64u);
    EXPECT_EQ(NewestRecoveryStep(), nullptr);
    EXPECT_EQ(FaultsCaught(), before + 1);
    EXPECT_EQ(Guarded(nullptr, L"after", [] { return LRESULT(4); }), 4);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].FirstStaticText(), L"steps");
}

namespace {

class FaultingDialog : public FDlg {
public:
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        FDlg::OnInitDialog(hwnd, msg, wParam, lParam);
        *g_nowhere = 2;
        return TRUE;
    }
};

class FaultingHook : public FHookDlg {
public:
    LRESULT OnCommand(HWND, UINT, WPARAM, LPARAM) override { throw 5; }
};

}  // namespace

TEST(Guard, DialogAndHookHandlersAreGuardedWithTheirLabels) {
    DialogWatcher watcher([](const SeenDialog& seen) {
        DialogWatcher::Click(seen.hwnd, seen.HasControl(20) ? 20 : IDOK);
    });
    FaultingDialog dialog;
    EXPECT_EQ(RunDialog(&dialog, nullptr, L"TestDialog"), 20);  // the dialog stays open and works

    FaultingHook hook;
    EXPECT_EQ(HookProc(nullptr, WM_COMMAND, 1, 0), 0u);

    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].FirstStaticText(), L"DlgProc");
    EXPECT_EQ(seen[1].caption, L"Test dialog");
    EXPECT_EQ(seen[2].FirstStaticText(), L"HookProc");
}
