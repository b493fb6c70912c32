#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/frame.h"
#include "framework/window.h"
#include "framework/window_list.h"

namespace {

const wchar_t kClass[] = L"ZolvTestWindow";

// Records every message that reaches the object.
class RecordingWindow : public FWindow {
public:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(msg);
        if (msg == WM_APP) return reinterpret_cast<LRESULT>(this);
        return FWindow::WindowProc(hwnd, msg, wParam, lParam);
    }
    int Count(UINT msg) const {
        int n = 0;
        for (UINT m : messages) n += m == msg;
        return n;
    }
    std::vector<UINT> messages;
};

HWND MakeWindow(FWindow& window) {
    EXPECT_TRUE(RegisterFrameClass(kClass, nullptr, nullptr));
    return window.Create(0, kClass, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
}

}  // namespace

TEST(WindowDispatch, ObjectSeesMessagesFromCreateToDestroyOnly) {
    RecordingWindow window;
    HWND hwnd = MakeWindow(window);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(window.owned);
    EXPECT_EQ(window.hwnd, hwnd);
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(window.messages.front(), UINT(WM_CREATE));  // WM_NCCREATE and earlier went past it
    EXPECT_EQ(window.Count(WM_NCCREATE), 0);
    EXPECT_TRUE(WindowList.Contains(&window));

    DestroyWindow(hwnd);
    EXPECT_EQ(window.Count(WM_DESTROY), 1);
    EXPECT_EQ(window.Count(WM_NCDESTROY), 0);  // after WM_DESTROY: default procedure
    EXPECT_EQ(window.messages.back(), UINT(WM_DESTROY));
    EXPECT_FALSE(WindowList.Contains(&window));
}

TEST(WindowDispatch, TwoWindowsOfOneClassEachReachTheirObject) {
    RecordingWindow first, second;
    HWND a = MakeWindow(first);
    HWND b = MakeWindow(second);
    EXPECT_EQ(SendMessageW(a, WM_APP, 0, 0), reinterpret_cast<LRESULT>(&first));
    EXPECT_EQ(SendMessageW(b, WM_APP, 0, 0), reinterpret_cast<LRESULT>(&second));
    EXPECT_EQ(WindowList.Find(b), &second);

    DestroyWindow(a);
    EXPECT_EQ(SendMessageW(b, WM_APP, 0, 0), reinterpret_cast<LRESULT>(&second));
    EXPECT_EQ(first.Count(WM_APP), 1);
}

TEST(WindowDispatch, DestroyingTheObjectDestroysOnlyAnOwnedWindow) {
    HWND made;
    {
        RecordingWindow window;
        made = MakeWindow(window);
    }
    EXPECT_FALSE(IsWindow(made));

    HWND other = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    { FWindow attached(other); }
    EXPECT_TRUE(IsWindow(other));
    DestroyWindow(other);
}

TEST(WindowDispatch, RegisteringAKnownClassKeepsIt) {
    ASSERT_TRUE(RegisterFrameClass(kClass, nullptr, nullptr));
    WNDCLASSW before;
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), kClass, &before));
    EXPECT_TRUE(RegisterFrameClass(kClass, LoadIconW(nullptr, IDI_WARNING), nullptr));
    WNDCLASSW after;
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), kClass, &after));
    EXPECT_EQ(after.hIcon, before.hIcon);
    EXPECT_EQ(after.lpfnWndProc, WndProc);
}

TEST(WindowDispatch, EmptyDialogListTakesNoMessage) {
    MSG msg{};
    EXPECT_FALSE(PreTranslateDialogMessage(&msg));
}

TEST(WindowLists, FrontInsertionAndRemovalOfEveryEqualEntry) {
    FWndList list;
    FWnd a(reinterpret_cast<HWND>(0x10)), b(reinterpret_cast<HWND>(0x10));
    list.PushFront(&a);
    list.PushFront(&b);
    list.PushFront(&a);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Find(reinterpret_cast<HWND>(0x10)), &a);  // newest first
    list.Remove(&a);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Find(reinterpret_cast<HWND>(0x10)), &b);
    EXPECT_EQ(list.Find(reinterpret_cast<HWND>(0x20)), nullptr);
    list.Remove(&b);
    EXPECT_EQ(list.Count(), 0);
}

namespace {

class TestFrame : public FAppFrame {
public:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_CREATE: return OnCreate(hwnd, msg, wParam, lParam);
        case WM_DESTROY: return OnDestroy(hwnd, msg, wParam, lParam);
        case WM_ACTIVATE: return OnActivate(hwnd, msg, wParam, lParam);
        case WM_COMMAND: return OnCommand(hwnd, msg, wParam, lParam);
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }
    LRESULT OnCommand(HWND, UINT, WPARAM, LPARAM) override { return 0; }
};

void DrainQuit() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace

TEST(AppFrame, UsableClientRectLeavesOutBandsAndStatusBar) {
    TestFrame frame;
    ASSERT_TRUE(MakeWindow(frame));
    ShowWindow(frame.hwnd, SW_SHOW);
    frame.commandBands.Create(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 30, frame.hwnd, nullptr);
    frame.statusBar.Create(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame.hwnd, nullptr);
    RECT client, usable, status;
    GetClientRect(frame.hwnd, &client);
    GetWindowRect(frame.statusBar.hwnd, &status);
    ASSERT_TRUE(frame.GetUsableClientRect(&usable, true));
    EXPECT_EQ(usable.top, client.top + 30);
    EXPECT_EQ(usable.bottom, client.bottom - (status.bottom - status.top));

    ShowWindow(frame.statusBar.hwnd, SW_HIDE);
    ShowWindow(frame.commandBands.hwnd, SW_HIDE);
    ASSERT_TRUE(frame.GetUsableClientRect(&usable, true));
    EXPECT_EQ(usable.top, client.top);
    EXPECT_EQ(usable.bottom, client.bottom);

    DestroyWindow(frame.hwnd);
    DrainQuit();
}

TEST(AppFrame, FocusIsKeptAcrossDeactivation) {
    TestFrame frame;
    ASSERT_TRUE(MakeWindow(frame));
    ShowWindow(frame.hwnd, SW_SHOW);
    HWND edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame.hwnd, nullptr, nullptr, nullptr);
    HWND other = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 30, 50, 20, frame.hwnd, nullptr, nullptr, nullptr);
    SetFocus(other);
    frame.OnActivate(frame.hwnd, WM_ACTIVATE, WA_ACTIVE, 0);  // nothing saved yet
    EXPECT_EQ(GetFocus(), other);

    SetFocus(edit);
    frame.OnActivate(frame.hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(frame.savedFocus, edit);
    SetFocus(other);
    frame.OnActivate(frame.hwnd, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(GetFocus(), edit);

    DestroyWindow(frame.hwnd);
    DrainQuit();
}

TEST(AppFrame, ScrollRequestsAndClampedLineUp) {
    SCROLLINFO info{};
    info.nMin = 0;
    info.nMax = 100;
    info.nPage = 10;
    info.nPos = 40;
    info.nTrackPos = 77;
    EXPECT_EQ(RequestedScrollPosition(SB_LINEUP, info), 39);
    EXPECT_EQ(RequestedScrollPosition(SB_LINEDOWN, info), 41);
    EXPECT_EQ(RequestedScrollPosition(SB_PAGEUP, info), 30);
    EXPECT_EQ(RequestedScrollPosition(SB_PAGEDOWN, info), 50);
    EXPECT_EQ(RequestedScrollPosition(SB_THUMBTRACK, info), 77);
    EXPECT_EQ(RequestedScrollPosition(SB_TOP, info), 0);
    EXPECT_EQ(RequestedScrollPosition(SB_BOTTOM, info), 100);
    EXPECT_EQ(RequestedScrollPosition(SB_THUMBPOSITION, info), 40);
    EXPECT_EQ(RequestedScrollPosition(SB_ENDSCROLL, info), 40);

    TestFrame frame;
    ASSERT_TRUE(frame.Create(0, kClass, L"", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 0, 200, 100, nullptr, nullptr));
    SCROLLINFO range{sizeof range, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
    SetScrollInfo(frame.hwnd, SB_VERT, &range, FALSE);
    EXPECT_EQ(frame.OnVScroll(frame.hwnd, WM_VSCROLL, SB_LINEUP, 0), 0);
    EXPECT_EQ(GetScrollPos(frame.hwnd, SB_VERT), 0);
    frame.OnVScroll(frame.hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(GetScrollPos(frame.hwnd, SB_VERT), 10);
    frame.OnVScroll(frame.hwnd, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(frame.hwnd, SB_VERT), 91);  // clamped by the platform: max - page + 1
    DestroyWindow(frame.hwnd);
    DrainQuit();
}
