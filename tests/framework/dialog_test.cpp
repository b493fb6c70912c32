#include <gtest/gtest.h>

#include "base/text.h"
#include "dialog_watcher.h"
#include "framework/box_layout.h"
#include "framework/dialog.h"
#include "framework/hook_dialog.h"
#include "framework/message_boxes.h"
#include "framework/window_list.h"

namespace {

class ListedDialog : public FDlg {
public:
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        listedAtInit = DialogList.Contains(this) && DialogList.Find(hwnd) == this;
        return FDlg::OnInitDialog(hwnd, msg, wParam, lParam);
    }
    bool listedAtInit = false;
};

}  // namespace

TEST(Dialogs, IdsOneToTwentyEndTheDialogAndTwentyOneDoesNot) {
    for (int id : {1, 2, 6, 7, 13, 20}) {
        DialogWatcher watcher([id](const SeenDialog& seen) { DialogWatcher::Click(seen.hwnd, id); });
        ListedDialog dialog;
        EXPECT_EQ(RunDialog(&dialog, nullptr, L"TestDialog"), id);
        EXPECT_TRUE(dialog.listedAtInit);
        EXPECT_FALSE(DialogList.Contains(&dialog));
        EXPECT_FALSE(dialog.owned);
    }

    bool aliveAfter21 = false;
    DialogWatcher watcher([&](const SeenDialog& seen) {
        SendMessageW(seen.hwnd, WM_COMMAND, 21, 0);
        aliveAfter21 = IsWindowVisible(seen.hwnd) != FALSE;
        DialogWatcher::Click(seen.hwnd, 20);
    });
    ListedDialog dialog;
    EXPECT_EQ(RunDialog(&dialog, nullptr, L"TestDialog"), 20);
    EXPECT_TRUE(aliveAfter21);
}

TEST(Dialogs, EscapeGivesCancelWithoutACancelButton) {
    DialogWatcher watcher([](const SeenDialog& seen) { DialogWatcher::PressEscape(seen.hwnd); });
    ListedDialog dialog;
    EXPECT_EQ(RunDialog(&dialog, nullptr, L"TestDialog"), IDCANCEL);
}

TEST(Dialogs, MissingTemplateShowsItsNameAndFails) {
    DialogWatcher watcher(ClickEach(IDOK));
    ListedDialog dialog;
    INT_PTR result = RunDialog(&dialog, nullptr, L"NoSuchTemplate_E");
    EXPECT_TRUE(result < 1 || result > 20);
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"Fatal");
    EXPECT_EQ(seen[0].FirstStaticText(), L"DIALOG[NoSuchTemplate_E]");
}

TEST(Centering, ArithmeticOverParentScreenAndEdges) {
    const RECT box{0, 0, 100, 50};
    const RECT parent{100, 100, 301, 301};
    POINT at = CenteredPosition(box, &parent, 1024, 768);
    EXPECT_EQ(at.x, 100 + 101 / 2);
    EXPECT_EQ(at.y, 100 + 151 / 2);
    at = CenteredPosition(box, nullptr, 240, 320);
    EXPECT_EQ(at.x, 70);
    EXPECT_EQ(at.y, 135);

    at = CenteredPosition(RECT{0, 0, 300, 50}, nullptr, 240, 320);  // wider than the screen
    EXPECT_EQ(at.x, 0);

    const RECT offRight{200, 10, 400, 110};  // partly off a 240-wide screen
    at = CenteredPosition(box, &offRight, 240, 320);
    EXPECT_EQ(at.x, 140);
    const RECT offTopLeft{-300, -300, -100, -100};
    at = CenteredPosition(box, &offTopLeft, 240, 320);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);

    // Signed division rounds toward zero: (51 - 100) / 2 = -24.
    const RECT narrow{500, 0, 551, 100};
    EXPECT_EQ(CenteredPosition(box, &narrow, 1024, 768).x, 476);
}

// Buttons of 90 × 20 at y 100, 5 apart, ending at 380, in a dialog narrowed to 240.
TEST(BoxLayout, AButtonRowClosesUpRightAndWrapsWhereItMustKeepingItsCaptions) {
    auto row = [](int count) {
        std::vector<RECT> buttons;
        for (int i = 0; i < count; ++i) buttons.push_back(RECT{380 - (count - i) * 95 + 5, 100, 380 - (count - i - 1) * 95, 120});
        return buttons;
    };
    auto flat = [](const std::vector<RECT>& rects) {
        std::vector<int> out;
        for (const RECT& r : rects) out.insert(out.end(), {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right)});
        return out;
    };
    int extra = -1;
    // Two fit: the row keeps its sizes and moves to the new right edge.
    EXPECT_EQ(flat(FlowButtonRow(row(2), {40, 40}, 10, 230, 5, &extra)), (std::vector<int>{45, 100, 135, 140, 100, 230}));
    EXPECT_EQ(extra, 0);
    // Four do not: as many as their captions allow share a row and what it leaves in even
    // parts, none wider than it was; the rest go below.
    EXPECT_EQ(flat(FlowButtonRow(row(4), {60, 100, 50, 50}, 10, 230, 5, &extra)),
              (std::vector<int>{14, 100, 77, 82, 100, 172, 177, 100, 230, 140, 125, 230}));
    EXPECT_EQ(extra, 25);
    // A caption wider than the room gets the room, alone in its row.
    EXPECT_EQ(flat(FlowButtonRow({RECT{0, 0, 300, 20}, RECT{0, 0, 50, 20}}, {400, 30}, 10, 230, 5, &extra)),
              (std::vector<int>{10, 0, 230, 180, 25, 230}));
    EXPECT_EQ(extra, 25);
}

TEST(Centering, LiveDialogIsCentredOverItsOwner) {
    HWND owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_VISIBLE, 200, 100, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    DialogWatcher watcher(ClickEach(IDOK));
    ListedDialog dialog;
    RunDialog(&dialog, owner, L"TestDialog");
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    const RECT& r = seen[0].rect;
    EXPECT_EQ(r.left, 200 + (400 - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, 100 + (300 - (r.bottom - r.top)) / 2);
    EXPECT_EQ(seen[0].owner, owner);
    DestroyWindow(owner);
}

namespace {

class CountingHook : public FHookDlg {
public:
    LRESULT OnInitDialog(HWND, UINT, WPARAM, LPARAM) override { return ++inits; }
    LRESULT OnCommand(HWND, UINT, WPARAM wParam, LPARAM) override { return 100 + wParam; }
    int inits = 0;
};

}  // namespace

TEST(HookObject, NewestIsCurrentAndAnyDestructionEmptiesIt) {
    EXPECT_EQ(CurrentHookDialog(), nullptr);
    EXPECT_EQ(HookProc(nullptr, WM_INITDIALOG, 0, 0), 0u);  // no hook object: nothing called
    auto* first = new CountingHook;
    EXPECT_EQ(CurrentHookDialog(), first);
    HWND fake = reinterpret_cast<HWND>(0x4242);
    EXPECT_EQ(HookProc(fake, WM_INITDIALOG, 0, 0), 1u);
    EXPECT_EQ(first->hwnd, fake);
    EXPECT_EQ(HookProc(fake, WM_COMMAND, 7, 0), 107u);
    EXPECT_EQ(HookProc(fake, WM_PAINT, 0, 0), 0u);
    {
        CountingHook second;
        EXPECT_EQ(CurrentHookDialog(), &second);
        EXPECT_EQ(HookProc(fake, WM_INITDIALOG, 0, 0), 1u);
        EXPECT_EQ(first->inits, 1);  // not current, not called
        delete first;
        EXPECT_EQ(CurrentHookDialog(), nullptr);
    }
    EXPECT_EQ(CurrentHookDialog(), nullptr);
}

class MessageBoxes : public ::testing::Test {
protected:
    void TearDown() override { UiLanguage = kLanguageEnglish; }
};

TEST_F(MessageBoxes, CaptionsIconsOwnersAndFormatting) {
    HWND owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    DialogWatcher watcher(ClickEach(IDOK));
    ShowFatal(owner, L"WndProc");
    ShowError(nullptr, L"Error CopyFile %d on '%s'", 5, L"a%sb");
    UiLanguage = kLanguageJapanese;
    ShowFatal(nullptr, L"x");
    ShowError(owner, L"y");
    SetActiveWindow(owner);
    ShowDebug(L"@DEL");

    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].caption, L"Fatal");
    EXPECT_EQ(seen[0].owner, owner);
    EXPECT_EQ(seen[1].caption, L"Error");
    EXPECT_EQ(seen[1].FirstStaticText(), L"Error CopyFile 5 on 'a%sb'");
    EXPECT_EQ(seen[1].owner, nullptr);
    EXPECT_EQ(seen[2].caption, L"致命的なｴﾗｰ");
    EXPECT_EQ(seen[3].caption, L"ｴﾗｰ");
    EXPECT_EQ(seen[4].caption, L"Debug");
    EXPECT_EQ(seen[4].owner, owner);  // the active window
    HICON stop = LoadIconW(nullptr, IDI_HAND);
    for (const SeenDialog& box : seen) {
        bool hasStop = false;
        for (const auto& icon : box.icons) hasStop |= icon.second == stop;
        EXPECT_TRUE(hasStop) << "no stop icon in " << box.caption.size();
    }
    EXPECT_EQ(kDebugBoxType, 0x10010u);
    DestroyWindow(owner);
}
