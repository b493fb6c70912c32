#include <gtest/gtest.h>

#include "base/text.h"
#include "dialog_watcher.h"
#include "sync/dialogs/dialog_ids.h"
#include "sync/dialogs/gui_sync_host.h"
#include "sync/sync_texts.h"

namespace {

class TestGuiHost : public GuiSyncHost {
public:
    void PumpOneMessage() override {}
    void AddLogRow(const wchar_t*, const wchar_t*, const wchar_t*) override {}
    void SetStatusText(const wchar_t*) override {}
    void BeginRun() override {}
    void EndRun() override {}
};

// The icon a dialog should show: the program's own, or the system's stand-in for the two
// system ids while the program lacks the picture.
HICON ExpectedIcon(int id) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    if (!icon && (id == 32515 || id == 32516)) icon = LoadIconW(nullptr, MAKEINTRESOURCEW(id));
    return icon;
}

class RunDialogs : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { UiLanguage = GetParam(); }
    void TearDown() override { UiLanguage = kLanguageEnglish; }
    TestGuiHost host;
};

}  // namespace

TEST_P(RunDialogs, EachPromptShowsCaptionIconTextAndArgument) {
    struct Case {
        PromptKind kind;
        const wchar_t* path;
        int answer;
        const TextPair& caption;
        const TextPair& message;
        const wchar_t* argument;
        int icon;
    };
    const Case cases[] = {
        {PromptKind::Replace, L"C:\\dst\\sub", kIdYesToAll, SyncTexts::ReplaceCaption, SyncTexts::ReplaceMessage,
         L"C:\\dst\\sub", 153},
        {PromptKind::FileDelete, L"C:\\dst\\Report.EXE", kIdNo, SyncTexts::FileDeleteCaption,
         SyncTexts::FileDeleteProgram, L"Report.EXE", 155},
        {PromptKind::FolderDelete, L"C:\\dst\\old & new", kIdCancel, SyncTexts::FolderDeleteCaption,
         SyncTexts::FolderDeleteMessage, L"old & new", 155},
    };
    for (const Case& c : cases) {
        DialogWatcher watcher([&](const SeenDialog& seen) { DialogWatcher::Click(seen.hwnd, c.answer); });
        Prompt prompt;
        ComposePrompt(c.kind, c.path, true, prompt);
        EXPECT_EQ(host.AskPrompt(prompt), c.answer);
        auto seen = watcher.Seen();
        ASSERT_EQ(seen.size(), 1u);
        wchar_t expected[kMessageChars];
        FormatInto(expected, Pick(c.message), c.argument);
        EXPECT_EQ(seen[0].caption, Pick(c.caption));
        EXPECT_EQ(seen[0].Text(IDC_DIALOG_MESSAGE), expected);
        EXPECT_EQ(seen[0].icons[IDC_DIALOG_ICON], ExpectedIcon(c.icon));
        for (int id : {kIdYes, kIdYesToAll, kIdNo, kIdCancel}) EXPECT_TRUE(seen[0].HasControl(id)) << id;
        if (c.kind == PromptKind::Replace) {
            EXPECT_EQ(seen[0].Text(kIdYesToAll), Pick(SyncTexts::ReplaceYesToAll));
        }
    }
}

TEST_P(RunDialogs, EscapeOnAPromptAndTheTwoButtonForm) {
    {
        DialogWatcher watcher([](const SeenDialog& seen) { DialogWatcher::PressEscape(seen.hwnd); });
        Prompt prompt;
        ComposePrompt(PromptKind::FolderDelete, L"C:\\x\\y", true, prompt);
        EXPECT_EQ(host.AskPrompt(prompt), kIdCancel);
    }
    DialogWatcher watcher([](const SeenDialog& seen) { DialogWatcher::Click(seen.hwnd, kIdYes); });
    Prompt prompt;
    ComposePrompt(PromptKind::FileDelete, L"C:\\x\\y.txt", false, prompt);
    EXPECT_EQ(host.AskPrompt(prompt), kIdYes);
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FALSE(seen[0].HasControl(kIdYesToAll));
    EXPECT_FALSE(seen[0].HasControl(kIdCancel));
}

TEST_P(RunDialogs, NoticeQuestionAndSuccess) {
    DialogWatcher watcher([](const SeenDialog& seen) {
        DialogWatcher::Click(seen.hwnd, seen.HasControl(kIdYes) ? kIdYes : kIdOk);
    });
    host.ShowFolderNotice(L"notice 50% & more");
    EXPECT_EQ(host.AskCreateDestination(L"create?"), kIdYes);
    host.ShowSuccess();
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].caption, Pick(SyncTexts::SourceNoticeCaption));
    EXPECT_EQ(seen[0].Text(IDC_DIALOG_MESSAGE), L"notice 50% & more");
    EXPECT_EQ(seen[0].icons[IDC_DIALOG_ICON], ExpectedIcon(32515));
    EXPECT_EQ(seen[1].caption, Pick(SyncTexts::DestinationQuestionCaption));
    EXPECT_EQ(seen[1].Text(IDC_DIALOG_MESSAGE), L"create?");
    EXPECT_EQ(seen[1].Text(kIdNo), UiLanguage ? L"いいえ(&N)" : L"&No");
    EXPECT_EQ(seen[2].caption, Pick(SyncTexts::SuccessCaption));
    EXPECT_EQ(seen[2].message, Pick(SyncTexts::SuccessMessage));
    EXPECT_EQ(seen[2].icons[IDC_DIALOG_ICON], ExpectedIcon(32516));
}

TEST_P(RunDialogs, DestinationNoAndErrorBox) {
    DialogWatcher watcher([](const SeenDialog& seen) {
        if (seen.HasControl(kIdNo)) DialogWatcher::PressEscape(seen.hwnd);
        else DialogWatcher::Click(seen.hwnd, kIdOk);
    });
    EXPECT_EQ(host.AskCreateDestination(L"create?"), kIdNo);  // Escape is not Yes
    host.ShowError(L"Error CopyFile 5 %s");
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, UiLanguage ? L"ｴﾗｰ" : L"Error");
    EXPECT_EQ(seen[1].message, L"Error CopyFile 5 %s");
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, RunDialogs, ::testing::Values(kLanguageEnglish, kLanguageJapanese));
