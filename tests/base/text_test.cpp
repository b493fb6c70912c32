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

TEST(FormatText, AStringHoldsTheWholeText) {
    const std::wstring path(600, L'p');
    const std::wstring text = FormatString(L"'%s' and '%s': %d%%", path.c_str(), path.c_str(), 7);
    EXPECT_EQ(text, L"'" + path + L"' and '" + path + L"': 7%");
    EXPECT_EQ(FormatString(L"%s is %u", L"Ｆｉｌｅ", 3u), L"Ｆｉｌｅ is 3");
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
