#include <gtest/gtest.h>

#include <string>

#include "sets/app_settings.h"
#include "sets/set_file_writer.h"
#include "temp_tree.h"

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        AppSettings = AppSettingsRecord{{0}, kDefaultSrcWidth, kDefaultDstWidth};
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }

    bool ValueExists(const wchar_t* name) {
        return RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
};

}  // namespace

TEST_F(Settings, FirstRunKeepsTheDefaultsAndWritesNoEmptyIniFile) {
    wcscpy(AppSettings.iniFile, L"stale");
    LoadSettings();
    EXPECT_STREQ(AppSettings.iniFile, L"");
    EXPECT_EQ(AppSettings.srcWidth, 300);
    EXPECT_EQ(AppSettings.dstWidth, 200);

    SaveSettings();
    EXPECT_FALSE(ValueExists(L"Ini file"));
    EXPECT_TRUE(ValueExists(L"Src width"));
    EXPECT_TRUE(ValueExists(L"Dst width"));
}

TEST_F(Settings, RoundTripThroughTheRegistry) {
    wcscpy(AppSettings.iniFile, L"C:\\sets\\Zolv.ini");
    AppSettings.srcWidth = 123;
    AppSettings.dstWidth = 45;
    SaveSettings();
    AppSettings = AppSettingsRecord{{0}, kDefaultSrcWidth, kDefaultDstWidth};
    LoadSettings();
    EXPECT_STREQ(AppSettings.iniFile, L"C:\\sets\\Zolv.ini");
    EXPECT_EQ(AppSettings.srcWidth, 123);
    EXPECT_EQ(AppSettings.dstWidth, 45);

    DWORD size = 0;
    RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"Ini file", RRF_RT_REG_SZ, nullptr, nullptr, &size);
    EXPECT_EQ(size, 2u * (wcslen(L"C:\\sets\\Zolv.ini") + 1));  // the terminator is stored
}

TEST_F(Settings, MissingValuesAndValuesOfTheWrongTypeKeepTheDefaults) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    auto set = [&](const wchar_t* name, DWORD type, const void* data, size_t bytes) {
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(bytes));
    };
    DWORD width = 77;
    set(L"Dst width", REG_DWORD, &width, 4);
    set(L"Src width", REG_BINARY, &width, 4);
    set(L"Ini file", REG_DWORD, &width, 4);
    LoadSettings();
    EXPECT_EQ(AppSettings.srcWidth, 300);
    EXPECT_EQ(AppSettings.dstWidth, 77);
    EXPECT_STREQ(AppSettings.iniFile, L"");

    // A text that does not fit a path with its terminator would be cut: it counts as absent.
    const std::wstring tooLong(MAX_PATH, L'x');
    set(L"Ini file", REG_SZ, tooLong.c_str(), tooLong.size() * sizeof(wchar_t));
    LoadSettings();
    EXPECT_STREQ(AppSettings.iniFile, L"");
    const std::wstring longest(MAX_PATH - 1, L'y');  // stored without its terminator
    set(L"Ini file", REG_SZ, longest.c_str(), longest.size() * sizeof(wchar_t));
    LoadSettings();
    EXPECT_EQ(std::wstring(AppSettings.iniFile), longest);
    const wchar_t expandable[] = L"%ZOLV_TEST_DIR%\\Zolv.ini";
    SetEnvironmentVariableW(L"ZOLV_TEST_DIR", L"C:\\sets");
    set(L"Ini file", REG_EXPAND_SZ, expandable, sizeof expandable);
    LoadSettings();
    EXPECT_STREQ(AppSettings.iniFile, L"C:\\sets\\Zolv.ini");
    RegCloseKey(key);
}

TEST(SetFileWriter, ReplacesOnlyWithACompleteNewFile) {
    TempTree tree;
    std::wstring path = tree.Path(L"Zolv.ini");
    tree.Write(L"Zolv.ini", "old sets");
    ASSERT_TRUE(ReplaceFileContent(path.c_str(), "new sets"));
    EXPECT_EQ(tree.Read(L"Zolv.ini"), "new sets");
    EXPECT_FALSE(tree.Exists(L"Zolv.ini.new"));

    // The new file cannot be written: the old one stays as it was.
    tree.MakeFolder(L"Zolv.ini.new");
    EXPECT_FALSE(ReplaceFileContent(path.c_str(), "lost"));
    EXPECT_EQ(tree.Read(L"Zolv.ini"), "new sets");
    RemoveTree(tree.Path(L"Zolv.ini.new"));

    // The old file cannot be replaced (a folder stands there): nothing is left beside it.
    tree.MakeFolder(L"folder.ini\\inner");
    EXPECT_FALSE(ReplaceFileContent(tree.Path(L"folder.ini").c_str(), "lost"));
    EXPECT_TRUE(tree.IsFolder(L"folder.ini\\inner"));
    EXPECT_FALSE(tree.Exists(L"folder.ini.new"));

    EXPECT_FALSE(ReplaceFileContent(tree.Path(L"missing\\Zolv.ini").c_str(), "x"));
}
