#include <gtest/gtest.h>

#include <cstring>

#include "base/language.h"
#include "base/registry.h"
#include "base/text.h"

TEST(LanguageRule, DefaultLanguageThenToggle) {
    EXPECT_EQ(LanguageFor(0x0411, false, 0), kLanguageJapanese);
    EXPECT_EQ(LanguageFor(0x0409, false, 0), kLanguageEnglish);
    EXPECT_EQ(LanguageFor(0x0409, true, 1), kLanguageJapanese);
    EXPECT_EQ(LanguageFor(0x0411, true, 1), kLanguageEnglish);
    EXPECT_EQ(LanguageFor(0x0411, true, 0), kLanguageJapanese);
    EXPECT_EQ(LanguageFor(0x0409, false, 1), kLanguageEnglish);  // an unread value counts as absent
    EXPECT_EQ(LanguageFor(0x0811, false, 0), kLanguageEnglish);  // only Japanese/Japan
}

class RegistryTest : public ::testing::Test {
protected:
    const wchar_t* key = L"Software\\ZolvTests\\Registry";
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, key); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZolvTests"); }
};

TEST_F(RegistryTest, ReadRegistryDwordAndToggleInTheRealRegistry) {
    DWORD value = 77;
    EXPECT_NE(ReadRegistryDword(HKEY_CURRENT_USER, key, L"LangToggle", &value), 0);
    EXPECT_EQ(value, 77u);  // untouched when the key is missing

    FRegKey writer(HKEY_CURRENT_USER);
    ASSERT_EQ(writer.Create(key), 0);
    DWORD one = 1;
    RegSetValueExW(writer.key, L"LangToggle", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, key, L"LangToggle", &value), 0);
    EXPECT_EQ(value, 1u);

    BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    RegSetValueExW(writer.key, L"Long", 0, REG_BINARY, eight, 8);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, key, L"Long", &value), ERROR_MORE_DATA);
}

TEST_F(RegistryTest, QueryStringTerminatesOrLeavesEmpty) {
    FRegKey reg(HKEY_CURRENT_USER);
    ASSERT_EQ(reg.Create(key), 0);
    wchar_t buffer[8];
    DWORD size = sizeof buffer;
    buffer[0] = L'x';
    EXPECT_NE(reg.QueryString(L"missing", buffer, &size), 0);
    EXPECT_EQ(buffer[0], L'\0');

    // Stored without terminator: terminated because there is room.
    RegSetValueExW(reg.key, L"bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 6);
    size = sizeof buffer;
    wmemset(buffer, L'#', 8);
    EXPECT_EQ(reg.QueryString(L"bare", buffer, &size), 0);
    EXPECT_STREQ(buffer, L"abc");

    DWORD number = 0x12345678;
    RegSetValueExW(reg.key, L"number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4);
    size = sizeof buffer;
    EXPECT_EQ(reg.QueryString(L"number", buffer, &size), 0);
    DWORD readBack;
    memcpy(&readBack, buffer, sizeof readBack);
    EXPECT_EQ(readBack, 0x12345678u);

    EXPECT_EQ(reg.Open(key), 0);  // a second open closes the first key
    EXPECT_EQ(reg.Close(), 0);
    EXPECT_EQ(reg.key, nullptr);
    EXPECT_EQ(reg.Close(), 0);
}
