// The live About box in both languages: caption, tabs in order, the program page's texts;
// every page shown once without a fault box.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "about/about_box.h"
#include "base/text.h"
#include "dialog_watcher.h"

namespace {

struct LiveSheet {
    std::wstring caption;
    std::vector<std::wstring> tabs;
    std::vector<std::wstring> texts;  // 11901 to 11905
    RECT rect{};
    std::vector<RECT> parts;  // OK, Cancel, then the program page and its texts
};

std::wstring String(int id) {
    wchar_t text[MAX_PATH] = L"";
    LoadStringW(GetModuleHandleW(nullptr), id, text, MAX_PATH);
    return text;
}

// Opens the About box over `owner`, reads it back, shows each tab in turn and closes it
// with Cancel.
LiveSheet OpenAbout(HWND owner, std::vector<SeenDialog>* boxes) {
    LiveSheet live;
    DialogWatcher watcher([&](const SeenDialog& seen) {
        if (!live.caption.empty() || !FindWindowExW(seen.hwnd, nullptr, WC_TABCONTROLW, nullptr)) {
            DialogWatcher::Click(seen.hwnd, IDOK);  // anything else: a fault box
            return;
        }
        live.caption = seen.caption;
        GetWindowRect(seen.hwnd, &live.rect);
        HWND tabs = FindWindowExW(seen.hwnd, nullptr, WC_TABCONTROLW, nullptr);
        int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = L"";
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            live.tabs.push_back(text);
        }
        HWND page = reinterpret_cast<HWND>(SendMessageW(seen.hwnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        for (int id = 11901; id <= 11905; ++id) {
            wchar_t text[MAX_PATH] = L"";
            GetDlgItemTextW(page, id, text, MAX_PATH);
            live.texts.push_back(text);
        }
        for (HWND part : {GetDlgItem(seen.hwnd, IDOK), GetDlgItem(seen.hwnd, IDCANCEL), page}) {
            live.parts.emplace_back();
            GetWindowRect(part, &live.parts.back());
        }
        // Each text whole: as tall as its lines at its width.
        for (int id = 11901; id <= 11905; ++id) {
            HWND text = GetDlgItem(page, id);
            RECT rect, need{0, 0, 0, 0};
            GetWindowRect(text, &rect);
            need.right = rect.right - rect.left;
            HDC dc = GetDC(text);
            HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
            DrawTextW(dc, live.texts[id - 11901].c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            SelectObject(dc, font);
            ReleaseDC(text, dc);
            rect.bottom = std::max(rect.bottom, rect.top + need.bottom);
            live.parts.push_back(rect);
        }
        for (int tab = 1; tab < count; ++tab) {
            SendMessageW(seen.hwnd, PSM_SETCURSEL, tab, 0);
            RedrawWindow(reinterpret_cast<HWND>(SendMessageW(seen.hwnd, PSM_GETCURRENTPAGEHWND, 0, 0)), nullptr,
                         nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        DialogWatcher::Click(seen.hwnd, IDCANCEL);
    });
    ShowAbout(owner);
    *boxes = watcher.Seen();
    return live;
}

class AboutBox : public ::testing::TestWithParam<int> {
protected:
    void TearDown() override { UiLanguage = kLanguageEnglish; }
};

}  // namespace

// Centred over its owner, on the screen however small (the test runs on a 240 × 320 and a
// 320 × 240 screen too): OK and Cancel, the program page and its texts whole inside.
TEST_P(AboutBox, OpensCentredWithThreeTabsAndTheProgramLines) {
    UiLanguage = GetParam();
    // An owner away from the screen's centre: the sheet opens centred over it.
    HWND owner = CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_VISIBLE, 40, 30, 700, 520, nullptr, nullptr,
                                 nullptr, nullptr);
    std::vector<SeenDialog> boxes;
    LiveSheet live = OpenAbout(owner, &boxes);
    DestroyWindow(owner);
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    if (area.right >= 800 && area.bottom >= 600) {
        EXPECT_NEAR((live.rect.left + live.rect.right) / 2, 40 + 700 / 2, 1);
        EXPECT_NEAR((live.rect.top + live.rect.bottom) / 2, 30 + 520 / 2, 1);
    }
    ASSERT_EQ(live.parts.size(), 8u);
    for (size_t i = 0; i < live.parts.size(); ++i) {
        const RECT& part = live.parts[i];
        const RECT& within = i > 2 ? live.parts[2] : live.rect;  // the texts within the page
        RECT in;
        EXPECT_TRUE(IntersectRect(&in, &part, &within) && EqualRect(&in, &part)) << "part " << i;
        EXPECT_TRUE(IntersectRect(&in, &part, &area) && EqualRect(&in, &part)) << "part " << i;
    }
    if (GetParam() == kLanguageEnglish) {
        EXPECT_EQ(live.caption, L"About...");
        EXPECT_EQ(live.tabs, (std::vector<std::wstring>{L"Version", L"Memory", L"Battery"}));
    } else {
        EXPECT_EQ(live.caption, L"ﾊﾞｰｼﾞｮﾝ情報...");
        EXPECT_EQ(live.tabs, (std::vector<std::wstring>{L"ﾊﾞｰｼﾞｮﾝ", L"ﾒﾓﾘ", L"ﾊﾞｯﾃﾘ"}));
    }
    ASSERT_EQ(live.texts.size(), 5u);
    EXPECT_EQ(live.texts[0], L"Zolv");
    EXPECT_EQ(live.texts[1], L"Version 3.01");
    for (int i = 2; i < 5; ++i) {
        EXPECT_FALSE(live.texts[i].empty()) << i;
        EXPECT_EQ(live.texts[i], String(101 + i));
    }
    EXPECT_EQ(boxes.size(), 1u);  // the sheet alone: no page drew a fault box
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AboutBox, ::testing::Values(kLanguageEnglish, kLanguageJapanese));
