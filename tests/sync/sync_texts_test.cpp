#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted_host.h"
#include "sync/file_ops.h"
#include "sync/name_rules.h"
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

// `form` with each %s replaced by the next of `values`, as a reader expects the text.
std::wstring Filled(const wchar_t* form, const std::vector<std::wstring>& values) {
    std::wstring text = form;
    const bool numbered = text.find(L"%1") != std::wstring::npos;  // "%1", "%2": each where it stands
    size_t at = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const std::wstring mark = numbered ? L"%" + std::to_wstring(i + 1) : L"%s";
        at = text.find(mark, numbered ? 0 : at);
        text.replace(at, mark.size(), values[i]);
        at += values[i].size();
    }
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

// Two folders of 259 characters and a name of 255 hold more than a fixed message of 520:
// every text still ends with its own words, in both languages.
TEST(LongTexts, KeepEveryWordWithTheLongestFoldersAndNames) {
    const std::wstring folder = L"C:\\" + std::wstring(256, L'f');
    const std::wstring other = L"D:\\" + std::wstring(256, L'g');
    const std::wstring name(255, L'n');
    const std::wstring reason = L"the reason";
    for (int language : {kLanguageEnglish, kLanguageJapanese}) {
        LanguageScope scope(language);
        ScriptedHost host;
        ReportPathTooLong(host, folder.c_str(), name.c_str());
        ReportUnusableName(host, folder.c_str(), name.c_str(), NameFault::DeviceName);
        ReportText(host, SyncTexts::FoldersOverlap, folder.c_str(), other.c_str());
        ReportText(host, SyncTexts::FolderUnlistable, folder.c_str(), reason.c_str());
        const std::vector<std::wstring> expected = {
            L"error:" + Filled(Pick(SyncTexts::PathTooLong), {folder + L"\\" + name}),
            L"error:" + Filled(Pick(SyncTexts::UnusableName),
                               {folder, name, Pick(NameFaultReason(NameFault::DeviceName))}),
            L"error:" + Filled(Pick(SyncTexts::FoldersOverlap), {folder, other}),
            L"error:" + Filled(Pick(SyncTexts::FolderUnlistable), {folder, reason})};
        EXPECT_EQ(host.events, expected);
        // A run's questions hold one path or name each, and fit their room.
        Prompt prompt;
        ComposePrompt(PromptKind::Replace, folder.c_str(), true, prompt);
        EXPECT_EQ(prompt.message, Filled(Pick(SyncTexts::ReplaceMessage), {folder}));
        const std::wstring program = std::wstring(252, L'p') + L".exe";
        ComposePrompt(PromptKind::FileDelete, (L"C:\\" + program).c_str(), true, prompt);
        EXPECT_EQ(prompt.message, Filled(Pick(SyncTexts::FileDeleteProgram), {program}));
    }
}
