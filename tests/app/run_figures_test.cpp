#include <gtest/gtest.h>

#include "app/run_figures.h"

// The status line and its short form read whole in both languages: singular counts in English,
// 個 on every count in Japanese, and a stopped run or undo says so first.
TEST(RunFigures, SayEachCountInItsLanguageAndAStopFirst) {
    RunStats stats;
    stats.filesCopied = 1;
    stats.bytesCopied = 1;
    stats.filesDeleted = 2;
    stats.foldersRemoved = 1;
    stats.entriesKept = 1;
    stats.filesVerified = 2;
    wchar_t out[kMessageChars];
    UndoFigures undo;
    undo.putBack = 1;
    undo.removed = 2;

    UiLanguage = 0;
    stats.completed = true;
    FormatRunFigures(stats, 0.5, false, out);
    EXPECT_STREQ(out, L"1 file copied (1 B), 2 files deleted, 1 folder removed, 1 entry kept, 2 files verified, 0.50 s");
    FormatBriefRunFigures(stats, 0.5, true, out);
    EXPECT_STREQ(out, L"Preview: 1 to copy (1 B), 2 to delete, 1 to remove, 1 kept, 2 verified, 0.50 s");
    stats.completed = false;
    FormatRunFigures(stats, 0, true, out);
    EXPECT_EQ(std::wstring(out).rfind(L"Preview stopped: 1 file would be copied", 0), 0u);
    FormatUndoFigures(undo, out);
    EXPECT_STREQ(out, L"Undo: 1 entry put back, 2 entries removed, 0 entries left as they were");
    undo.stopped = true;
    FormatUndoFigures(undo, out);
    EXPECT_EQ(std::wstring(out).rfind(L"Undo stopped: 1 entry", 0), 0u);

    UiLanguage = 1;
    FormatRunFigures(stats, 0.5, false, out);
    EXPECT_STREQ(out, L"中止: ﾌｧｲﾙのｺﾋﾟｰ 1 個 (1 B)、ﾌｧｲﾙの削除 2 個、ﾌｫﾙﾀﾞの削除 1 個、保管 1 個、検証 2 個、0.50 秒");
    FormatBriefRunFigures(stats, 0.5, false, out);
    EXPECT_STREQ(out, L"中止: 1 個ｺﾋﾟｰ (1 B)、2 個削除、1 ﾌｫﾙﾀﾞ削除、1 個保管、2 個検証、0.50 秒");
    FormatUndoFigures(undo, out);
    EXPECT_STREQ(out, L"元に戻す中止: 戻したもの 1 個、削除したもの 2 個、そのままのもの 0 個");
    UiLanguage = 0;
}
