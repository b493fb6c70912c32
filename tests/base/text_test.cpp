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

TEST(FormatText, NumberedArgumentsInEachLanguagesOrder) {
    const TextPair pair{L"Can't keep '%1' in '%2': %3!d!.", L"'%2' に '%1' を保管できません (%3!d!、%3!d!)。%%"};
    UiLanguage = kLanguageJapanese;
    EXPECT_EQ(FormatString(Pick(pair), L"a.txt", L"\\K", -5), L"'\\K' に 'a.txt' を保管できません (-5、-5)。%");
    UiLanguage = kLanguageEnglish;
    wchar_t small[12];
    EXPECT_EQ(FormatInto(small, Pick(pair), L"a.txt", L"\\K", 5), 11u);  // cut where it is full
    EXPECT_STREQ(small, L"Can't keep ");
    EXPECT_EQ(FormatString(L"%2!u!%1!c! %s %4", L'x', 7u), L"7x %s %4");  // 4 follows a gap: not read
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
