#include <gtest/gtest.h>

#include "dialog_watcher.h"
#include "framework/prop_sheet.h"
#include "framework/window_list.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

struct NotifyResult {
    LRESULT returned;
    LONG_PTR stored;
};

class TestPage : public FPropPage {
public:
    LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kProbe) {  // on the UI thread, through the page's own dispatch
            apply = Notify(hwnd, PSN_APPLY);
            queryCancel = Notify(hwnd, PSN_QUERYCANCEL);
            killActive = Notify(hwnd, PSN_KILLACTIVE);
            unknown = Notify(hwnd, -204);
            reset = Notify(hwnd, PSN_RESET);
            otherListed = DialogList.Contains(reinterpret_cast<FWnd*>(lParam));
            selfListed = DialogList.Find(hwnd) == this;
            return TRUE;
        }
        return FPropPage::DialogProc(hwnd, msg, wParam, lParam);
    }
    LRESULT OnInitDialog(HWND, UINT, WPARAM, LPARAM) override {
        ++inits;
        return TRUE;
    }
    void OnReset() override { ++resets; }
    LRESULT OnKillActive() override { return 3; }
    NotifyResult Notify(HWND page, int code) {
        SetWindowLongPtrW(page, DWLP_MSGRESULT, 77);
        NMHDR header{GetParent(page), 0, static_cast<UINT>(code)};
        LRESULT returned = DialogProc(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
        return {returned, GetWindowLongPtrW(page, DWLP_MSGRESULT)};
    }
    int inits = 0;
    int resets = 0;
    NotifyResult apply{}, queryCancel{}, killActive{}, unknown{}, reset{};
    bool otherListed = true, selfListed = false;
};

}  // namespace

TEST(Sheets, PagesNotificationsAndTheList) {
    FPropSheet sheet;
    TestPage one, two;
    ASSERT_NE(AddPage(&one, &sheet, L"TestPageOne"), nullptr);
    ASSERT_NE(AddPage(&two, &sheet, L"TestPageTwo"), nullptr);
    EXPECT_EQ(sheet.pageCount, 2);
    EXPECT_EQ(one.sheet, &sheet);

    DialogWatcher watcher([&](const SeenDialog& seen) {
        HWND page = FindWindowExW(seen.hwnd, nullptr, L"#32770", nullptr);
        SendMessageW(page, kProbe, 0, reinterpret_cast<LPARAM>(static_cast<FWnd*>(&two)));
        DialogWatcher::Click(seen.hwnd, IDCANCEL);
    });
    sheet.ShowSheet(nullptr, PSH_NOAPPLYNOW, L"Sheet");

    const TestPage& p = one;
    EXPECT_EQ(p.apply.returned, TRUE);
    EXPECT_EQ(p.apply.stored, 0);  // change accepted
    EXPECT_EQ(p.queryCancel.returned, TRUE);
    EXPECT_EQ(p.queryCancel.stored, 0);  // cancel allowed
    EXPECT_EQ(p.killActive.stored, 3);
    EXPECT_EQ(p.unknown.returned, FALSE);
    EXPECT_EQ(p.unknown.stored, 77);
    EXPECT_EQ(p.reset.returned, TRUE);
    EXPECT_EQ(p.reset.stored, 77);  // nothing stored
    EXPECT_TRUE(p.selfListed);
    EXPECT_FALSE(p.otherListed);  // the second tab was never chosen
    EXPECT_EQ(one.inits, 1);
    EXPECT_EQ(two.inits, 0);
    EXPECT_GE(one.resets, 1);
    EXPECT_FALSE(DialogList.Contains(&one));
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption.find(L"Sheet"), 0u);
}

TEST(Sheets, MissingPageTemplateAndTheHundredPageLimit) {
    {
        DialogWatcher watcher(ClickEach(IDOK));
        FPropSheet sheet;
        TestPage page;
        HPROPSHEETPAGE made = AddPage(&page, &sheet, L"NoSuchPage");
        if (made) DestroyPropertySheetPage(made);
        auto seen = watcher.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].FirstStaticText(), L"DIALOG[NoSuchPage]");
        EXPECT_EQ(seen[0].owner, nullptr);
    }
    FPropSheet sheet;
    for (int i = 1; i <= 101; ++i) sheet.AddPageHandle(reinterpret_cast<HPROPSHEETPAGE>(static_cast<INT_PTR>(i)));
    EXPECT_EQ(sheet.pageCount, 100);
    EXPECT_EQ(sheet.pageHandles[99], reinterpret_cast<HPROPSHEETPAGE>(100));
}
