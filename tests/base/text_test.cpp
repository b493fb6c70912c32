#include <gtest/gtest.h>

#include "base/text.h"

TEST(FormatText, WideStringsNumbersAndPercent) {
    wchar_t out[kMessageChars];
    FormatInto(out, L"%s is %d%% done (%u, %c)", L"Ｆｉｌｅ", -42, 7u, L'x');
    EXPECT_STREQ(out, L"Ｆｉｌｅ is -42% done (7, x)");
    FormatInto(out, L"no placeholders");
    EXPECT_STREQ(out, L"no placeholders");
    FormatInto(out, L"%d", static_cast<int>(0x80000000));
    EXPECT_STREQ(out, L"-2147483648");
}

TEST(FormatText, CutsInsteadOfOverrunning) {
    wchar_t small[8];
    small[7] = L'#';
    size_t written = FormatInto(small, L"%s", L"abcdefghijkl");
    EXPECT_EQ(written, 7u);
    EXPECT_STREQ(small, L"abcdefg");
}

TEST(TextPairs, FollowTheLanguageFlag) {
    TextPair pair{L"Error", L"ｴﾗｰ"};
    UiLanguage = kLanguageEnglish;
    EXPECT_STREQ(Pick(pair), L"Error");
    UiLanguage = 5;  // any non-zero value is Japanese
    EXPECT_STREQ(Pick(pair), L"ｴﾗｰ");
    EXPECT_STREQ(PickName(L"DlgSuccess_E", L"DlgSuccess_J"), L"DlgSuccess_J");
    UiLanguage = kLanguageEnglish;
}
