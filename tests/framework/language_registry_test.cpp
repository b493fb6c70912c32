#include <gtest/gtest.h>

#include "base/language.h"
#include "base/registry.h"
#include "base/text.h"

// The start-up rule against the real registry value HKCU\Software\Quenbrook\LangToggle.
class LanguageRegistry : public ::testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override {
        Remove();
        UiLanguage = kLanguageEnglish;
    }
    static void Remove() {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Quenbrook", 0, KEY_ALL_ACCESS, &key) == 0) {
            RegDeleteValueW(key, L"LangToggle");
            RegCloseKey(key);
        }
    }
    static void SetToggle(DWORD value) {
        FRegKey key(HKEY_CURRENT_USER);
        ASSERT_EQ(key.Create(L"Software\\Quenbrook"), 0);
        RegSetValueExW(key.key, L"LangToggle", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value);
    }
};

TEST_F(LanguageRegistry, ToggleAbsentZeroAndOneOnBothDeviceLanguages) {
    const LANGID english = 0x0409, japanese = 0x0411;
    EXPECT_EQ(ChooseUiLanguageFor(english), kLanguageEnglish);
    EXPECT_EQ(ChooseUiLanguageFor(japanese), kLanguageJapanese);
    EXPECT_EQ(UiLanguage, kLanguageJapanese);

    SetToggle(0);
    EXPECT_EQ(ChooseUiLanguageFor(english), kLanguageEnglish);
    EXPECT_EQ(ChooseUiLanguageFor(japanese), kLanguageJapanese);

    SetToggle(1);
    EXPECT_EQ(ChooseUiLanguageFor(english), kLanguageJapanese);
    EXPECT_EQ(ChooseUiLanguageFor(japanese), kLanguageEnglish);
    EXPECT_EQ(UiLanguage, kLanguageEnglish);

    SetToggle(7);  // any non-zero value inverts
    EXPECT_EQ(ChooseUiLanguageFor(english), kLanguageJapanese);
}
