#include <gtest/gtest.h>

#include "base/text.h"
#include "framework/handles.h"

TEST(Handles, FontCharacterSetFollowsTheLanguage) {
    for (int language : {kLanguageEnglish, kLanguageJapanese}) {
        UiLanguage = language;
        FFont font;
        HFONT made = font.Create(-12, 400, 0, L"Tahoma");
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(font.owned);
        LOGFONTW read{};
        ASSERT_TRUE(GetObjectW(made, sizeof read, &read));
        EXPECT_EQ(read.lfCharSet, language ? SHIFTJIS_CHARSET : ANSI_CHARSET);
        EXPECT_EQ(read.lfHeight, -12);
        EXPECT_STREQ(read.lfFaceName, L"Tahoma");
    }
    UiLanguage = kLanguageEnglish;
}

TEST(Handles, MenuIsDestroyedOnlyWhenOwned) {
    HMENU kept = CreatePopupMenu();
    HMENU dropped = CreatePopupMenu();
    {
        FMenu notOwned;
        notOwned.handle = kept;
        FMenu owned;
        owned.handle = dropped;
        owned.owned = true;
    }
    EXPECT_TRUE(IsMenu(kept));
    EXPECT_FALSE(IsMenu(dropped));
    DestroyMenu(kept);
}

TEST(Handles, PaintContextValidatesTheWindow) {
    HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                  nullptr);
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE));
    {
        FPaintDC paint(window);
        EXPECT_NE(paint.hdc, nullptr);
        EXPECT_EQ(paint.hwnd, window);
    }
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    DestroyWindow(window);
}
