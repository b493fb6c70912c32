#include <gtest/gtest.h>

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

TEST_F(Settings, AMissingWidthKeepsItsDefault) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    DWORD width = 77;
    RegSetValueExW(key, L"Dst width", 0, REG_DWORD, reinterpret_cast<BYTE*>(&width), 4);
    RegCloseKey(key);
    LoadSettings();
    EXPECT_EQ(AppSettings.srcWidth, 300);
    EXPECT_EQ(AppSettings.dstWidth, 77);
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
