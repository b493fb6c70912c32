#include <gtest/gtest.h>

#include "sync/sync_texts.h"

namespace {

struct LanguageScope {
    explicit LanguageScope(int language) : saved(UiLanguage) { UiLanguage = language; }
    ~LanguageScope() { UiLanguage = saved; }
    int saved;
};

std::wstring CopyText(DWORD code) {
    wchar_t text[kMessageChars];
    CopyFileErrorText(code, L"\\src\\a.txt", text);
    return text;
}

}  // namespace

TEST(ErrorTables, CopyFileInBothLanguages) {
    {
        LanguageScope english(kLanguageEnglish);
        EXPECT_EQ(CopyText(2), L"File not found");
        EXPECT_EQ(CopyText(23), L"CRC ERROR \\src\\a.txt");
        EXPECT_EQ(CopyText(32), L"\\src\\a.txt is in use");
        EXPECT_EQ(CopyText(1224), L"\\src\\a.txt is in use");
        EXPECT_EQ(CopyText(87), L"Invalid parameter");
        EXPECT_EQ(CopyText(112), L"The disk is full");
        EXPECT_EQ(CopyText(999), L"SWAP ERROR \\src\\a.txt");
        EXPECT_EQ(CopyText(5), L"Error CopyFile 5");
    }
    LanguageScope japanese(kLanguageJapanese);
    EXPECT_EQ(CopyText(2), L"ﾌｧｲﾙが見つかりません");
    EXPECT_EQ(CopyText(23), L"CRCｴﾗｰ \\src\\a.txt");
    EXPECT_EQ(CopyText(32), L"\\src\\a.txt は使用中です");
    EXPECT_EQ(CopyText(87), L"ﾌｧｲﾙが壊れているかもしれません");
    EXPECT_EQ(CopyText(112), L"ﾃﾞｨｽｸがいっぱいです");
    EXPECT_EQ(CopyText(999), L"ｽﾜｯﾌﾟｴﾗｰ \\src\\a.txt");
    EXPECT_EQ(CopyText(5), L"Error CopyFile 5");  // the catch-all exists in English only
}

TEST(ErrorTables, FolderAndDeleteMessages) {
    wchar_t text[kMessageChars];
    LanguageScope japanese(kLanguageJapanese);
    CreateFolderErrorText(3, L"\\x\\y", text);
    EXPECT_STREQ(text, L"ﾃﾞｨﾚｸﾄﾘﾊﾟｽ '\\x\\y'が見つかりません。");
    CreateFolderErrorText(112, L"\\x", text);
    EXPECT_STREQ(text, L"ﾃﾞｨｽｸに十分な空き領域がありません。");
    CreateFolderErrorText(183, L"\\x", text);
    EXPECT_STREQ(text, L"Error CreateDirectory 183");
    DeleteFileErrorText(5, text);
    EXPECT_STREQ(text, L"ﾌｧｲﾙにｱｸｾｽできません");
    DeleteFileErrorText(32, text);
    EXPECT_STREQ(text, L"Error DeleteFile 32");
    RemoveFolderErrorText(145, text);
    EXPECT_STREQ(text, L"ﾌｫﾙﾀﾞが空でありません");
    RemoveFolderErrorText(5, text);
    EXPECT_STREQ(text, L"Error RemoveDirectory 5");
    SetAttributesErrorText(5, text);
    EXPECT_STREQ(text, L"Error SetFileAttribute 5");

    UiLanguage = kLanguageEnglish;
    CreateFolderErrorText(3, L"\\x\\y", text);
    EXPECT_STREQ(text, L"Can't find the path specified. '\\x\\y'");
    RemoveFolderErrorText(145, text);
    EXPECT_STREQ(text, L"Folder not empty");
    DeleteFileErrorText(5, text);
    EXPECT_STREQ(text, L"Access denied");
}
