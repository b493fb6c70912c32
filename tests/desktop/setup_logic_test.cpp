// The launcher's logic without windows: language rule, the texts each failure shows, their
// conversion from Shift-JIS, the manager's argument, and the registry reads.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "launcher.h"
#include "message_box.h"
#include "reg_key.h"
#include "setup_texts.h"

namespace {

TEST(SetupLanguage, JapaneseJapanOnlyThenInvertedByAReadNonZeroToggle) {
    EXPECT_EQ(LanguageFor(0x0411, false, 0), kJapanese);
    EXPECT_EQ(LanguageFor(0x0409, false, 0), kEnglish);
    EXPECT_EQ(LanguageFor(0x0011, false, 0), kEnglish);  // Japanese without the country
    EXPECT_EQ(LanguageFor(0x0409, true, 1), kJapanese);
    EXPECT_EQ(LanguageFor(0x0411, true, 0x80000000u), kEnglish);
    EXPECT_EQ(LanguageFor(0x0411, true, 0), kJapanese);
    EXPECT_EQ(LanguageFor(0x0409, false, 1), kEnglish);  // a failed read counts as absent
}

std::wstring Shown(const char* text, int language) {
    wchar_t wide[kMessageBytes];
    EXPECT_TRUE(AnsiToWide(text, TextCodePage(language), wide, kMessageBytes));
    return wide;
}

// Each failure's box, title and text in both languages, as the user reads them.
TEST(SetupTexts, EachFailureHasItsBoxAndBothLanguagesReadRight) {
    struct Row {
        Failure failure;
        BoxKind box;
        UINT icon;
        const wchar_t *titleEn, *titleJa, *textEn, *textJa;
    } rows[] = {
        {Failure::OwnPathMissing, BoxKind::Message, MB_ICONINFORMATION, L"Message", L"ﾒｯｾｰｼﾞ",
         L"Can't get setup.exe path.", L"実行ﾊﾟｽが取得できません"},
        {Failure::SyncManagerMissing, BoxKind::Message, MB_ICONINFORMATION, L"Message", L"ﾒｯｾｰｼﾞ",
         L"Please install Microsoft Active Sync Version 3.0",
         L"Microsoft Active Sync Version 3.0 以上をｲﾝｽﾄｰﾙしてください"},
        {Failure::AppManagerPathMissing, BoxKind::Error, MB_ICONERROR, L"Error", L"ｴﾗｰ",
         L"Can't get CEAppMgr path.", L"ｱﾌﾟﾘｹｰｼｮﾝﾏﾈｰｼﾞｬのﾊﾟｽが取得できません"},
        {Failure::SetupIniMissing, BoxKind::Fatal, MB_ICONERROR, L"Fatal", L"致命的なｴﾗｰ",
         L"Can't find setup.ini file.", L"setup.ini ﾌｧｲﾙが見つかりません"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.failure));
        ASSERT_EQ(BoxFor(row.failure), row.box);
        EXPECT_EQ(BoxStyle(row.box), MB_OK | row.icon);
        EXPECT_EQ(Shown(BoxTitle(row.box, kEnglish), kEnglish), row.titleEn);
        EXPECT_EQ(Shown(BoxTitle(row.box, kJapanese), kJapanese), row.titleJa);
        EXPECT_EQ(Shown(FailureText(row.failure, kEnglish), kEnglish), row.textEn);
        EXPECT_EQ(Shown(FailureText(row.failure, kJapanese), kJapanese), row.textJa);
    }
    // Japanese is converted from Shift-JIS, not from whatever the PC's ANSI code page is.
    EXPECT_EQ(TextCodePage(kJapanese), 932u);
}

TEST(SetupTexts, ConversionIsCutToFitAndEmptyWhenImpossible) {
    wchar_t small[5];
    EXPECT_TRUE(AnsiToWide("\xB4\xD7\xB0 and more", 932, small, 5));
    EXPECT_STREQ(small, L"ｴﾗｰ ");
    wchar_t out[8] = L"junk";
    EXPECT_FALSE(AnsiToWide("text", 12345, out, 8));  // no such code page
    EXPECT_STREQ(out, L"");
}

TEST(SetupArgument, DescriptionPathInDoubleQuotesOrRefusedWhenTooLong) {
    char argument[MAX_PATH];
    ASSERT_TRUE(FormatInstallArgument(kInstallDescription, argument));
    EXPECT_STREQ(argument, "\".\\setup.ini\"");
    std::string longest(MAX_PATH - 3, 'x');  // with two quotes and the terminator: exactly full
    EXPECT_TRUE(FormatInstallArgument(longest.c_str(), argument));
    std::string tooLong(MAX_PATH - 2, 'x');
    EXPECT_FALSE(FormatInstallArgument(tooLong.c_str(), argument));
}

class SetupRegKey : public ::testing::Test {
protected:
    const char* key = "Software\\ZolvSetupTests";
    HKEY writer = nullptr;
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, key);
        RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &writer, nullptr);
    }
    void TearDown() override {
        RegCloseKey(writer);
        RegDeleteTreeA(HKEY_CURRENT_USER, key);
        RegDeleteKeyA(HKEY_CURRENT_USER, key);
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size) {
        RegSetValueExA(writer, name, 0, type, static_cast<const BYTE*>(data), size);
    }
};

TEST_F(SetupRegKey, QueryStringGivesATerminatedStringOrAnEmptyBuffer) {
    RegKey reg(HKEY_CURRENT_USER);
    ASSERT_EQ(reg.Open(key), 0);
    char buffer[8];
    DWORD size;

    Set("bare", REG_SZ, "abc", 3);  // stored without terminator
    memset(buffer, '#', sizeof buffer);
    size = sizeof buffer;
    EXPECT_EQ(reg.QueryString("bare", buffer, &size), 0);
    EXPECT_STREQ(buffer, "abc");

    Set("full", REG_SZ, "abcdefgh", 8);  // fills the buffer: no room left for a terminator
    size = sizeof buffer;
    EXPECT_NE(reg.QueryString("full", buffer, &size), 0);
    EXPECT_STREQ(buffer, "");

    Set("exact", REG_EXPAND_SZ, "%abcdef", 8);  // fills it terminated: fine, and unexpanded
    size = sizeof buffer;
    EXPECT_EQ(reg.QueryString("exact", buffer, &size), 0);
    EXPECT_STREQ(buffer, "%abcdef");

    DWORD number = 0x41414141;
    Set("number", REG_DWORD, &number, 4);  // not text: never handed on as a path
    size = sizeof buffer;
    EXPECT_NE(reg.QueryString("number", buffer, &size), 0);
    EXPECT_STREQ(buffer, "");

    size = sizeof buffer;
    strcpy(buffer, "old");
    EXPECT_NE(reg.QueryString("missing", buffer, &size), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(SetupRegKey, QueryDwordReadsFourBytesAndLeavesTheTargetOnFailure) {
    RegKey reg(HKEY_CURRENT_USER);
    EXPECT_NE(reg.Open("Software\\ZolvSetupTests\\Missing"), 0);
    EXPECT_EQ(reg.key, nullptr);
    ASSERT_EQ(reg.Open(key), 0);
    DWORD value = 7;
    EXPECT_NE(reg.QueryDword("missing", &value), 0);
    EXPECT_EQ(value, 7u);
    BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Set("long", REG_BINARY, eight, 8);
    EXPECT_EQ(reg.QueryDword("long", &value), ERROR_MORE_DATA);
    EXPECT_EQ(value, 7u);
    DWORD signedTop = 0x80000003u;
    Set("top", REG_DWORD, &signedTop, 4);
    EXPECT_EQ(reg.QueryDword("top", &value), 0);
    EXPECT_EQ(static_cast<LONG>(value), -2147483645);
    EXPECT_EQ(reg.Close(), 0);
    EXPECT_EQ(reg.Close(), 0);  // nothing open any more
}

}  // namespace
