#include "sync_fixture.h"

#include "platform/file_copy.h"
#include "platform/system_status.h"
#include "sync/keep_actions.h"
#include "sync/run_undo.h"

using SyncRun = SyncFixture;

TEST_F(SyncRun, ASourceThatIsNotAFolderIsRefusedBeforeTheRun) {
    tree.Write(L"plain.txt", "p");
    for (const std::wstring& from : {tree.Path(L"nowhere"), std::wstring(), tree.Path(L"plain.txt")}) {
        host = ScriptedHost();
        EXPECT_FALSE(Run(from, dst));
        EXPECT_EQ(host.events, (Rows{L"notice:Source folder '" + from + L"' is not exist."}));
        EXPECT_EQ(host.begun, 0);
    }
}

TEST_F(SyncRun, BackwardReadsTheDestinationAndNamesItWhenMissing) {
    tree.Write(L"dst\\back.txt", "b");
    EXPECT_TRUE(Run(dst, src));  // Backward: the set's destination is read
    EXPECT_EQ(tree.Read(L"src\\back.txt"), "b");

    host = ScriptedHost();
    RemoveTree(dst);
    EXPECT_FALSE(Run(dst, src));
    EXPECT_EQ(host.events, (Rows{L"notice:Source folder '" + dst + L"' is not exist."}));
}

TEST_F(SyncRun, AMissingDestinationIsCreatedOnlyWhenTheUserSaysYes) {
    tree.Write(L"src\\f.txt", "f");
    std::wstring target = tree.Path(L"new");

    host.createAnswer = kIdNo;
    EXPECT_FALSE(Run(src, target));
    EXPECT_EQ(host.events, (Rows{L"create:Destination folder '" + target +
                                 L"' is not exist. Are you sure you want to create destination folder"}));
    EXPECT_FALSE(tree.Exists(L"new"));

    host = ScriptedHost();
    host.createAnswer = kIdYes;
    EXPECT_TRUE(Run(src, target));
    EXPECT_EQ(tree.Read(L"new\\f.txt"), "f");

    host = ScriptedHost();
    host.createAnswer = kIdYes;
    std::wstring orphan = tree.Path(L"missing\\child");
    EXPECT_FALSE(Run(src, orphan));  // one folder only: its parent must exist
    EXPECT_EQ(host.Only(L"error"), (Rows{L"error:Can't find the path specified. '" + orphan + L"'"}));
    EXPECT_EQ(host.begun, 0);
}

TEST_F(SyncRun, OverlappingFoldersAreRefusedBeforeAnythingIsTouched) {
    tree.Write(L"src\\f.txt", "f");
    options.deleteAfterCopy = true;
    options.force = true;
    tree.MakeFolder(L"src\\sub");
    const std::wstring cases[][2] = {
        {src, src + L"\\"}, {src, src + L"\\inner"}, {S(L"SUB"), src}, {src + L"\\..\\src", S(L"inner")}};
    for (const auto& pair : cases) {
        host = ScriptedHost();
        EXPECT_FALSE(Run(pair[0], pair[1]));
        ASSERT_EQ(host.events.size(), 1u);
        EXPECT_EQ(host.events[0].rfind(L"notice:The source folder and the destination folder overlap: '", 0), 0u);
        EXPECT_EQ(host.begun, 0);
    }
    EXPECT_FALSE(tree.Exists(L"src\\inner"));
    EXPECT_EQ(tree.Read(L"src\\f.txt"), "f");
}

TEST_F(SyncRun, NothingNewerStillEndsWithSuccess) {
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.events, (Rows{L"success"}));
    EXPECT_EQ(host.begun, 1);
    EXPECT_EQ(host.ended, 1);
    ASSERT_FALSE(host.status.empty());
    EXPECT_EQ(host.status.front(), src);
    EXPECT_EQ(host.status.back(), L"");
}

TEST_F(SyncRun, JapaneseTexts) {
    UiLanguage = kLanguageJapanese;
    std::wstring missing = tree.Path(L"nowhere");
    EXPECT_FALSE(Run(missing, dst));
    tree.Write(L"dst\\x.txt", "x");
    options.deleteAfterCopy = true;
    host.answers = {kIdNo};
    EXPECT_TRUE(Forward());
    UiLanguage = kLanguageEnglish;
    EXPECT_EQ(host.events.front(), L"notice:転送元ﾌｫﾙﾀﾞ '" + missing + L"' が存在しません");
    ASSERT_EQ(host.prompts.size(), 1u);
    EXPECT_STREQ(host.prompts[0].caption, L"ﾌｧｲﾙ削除の確認");
    EXPECT_EQ(host.prompts[0].message, L"'x.txt' を削除してもよろしいですか?");
}

// A dry run writes the rows a run without questions writes, asks nothing and touches nothing.
TEST_F(SyncRun, ADryRunWritesTheRowsOfAForcedRunAndTouchesNothing) {
    tree.Write(L"src\\a.txt", "a");
    tree.Write(L"src\\b\\c.txt", "cc");
    tree.Write(L"dst\\gone.txt", "g");
    tree.Write(L"dst\\old\\x.txt", "x");
    options.deleteAfterCopy = true;
    options.dryRun = true;
    SyncEngine dry(host, state, options);
    EXPECT_TRUE(dry.CheckSyncFolders(src.c_str(), dst.c_str()) && dry.RunSync(src.c_str(), dst.c_str()));
    Rows dryRows = SortedRows();
    EXPECT_EQ(dryRows.size(), 4u);
    EXPECT_TRUE(host.prompts.empty());
    EXPECT_FALSE(tree.Exists(L"dst\\a.txt") || tree.Exists(L"dst\\b"));
    EXPECT_TRUE(tree.Exists(L"dst\\gone.txt") && tree.Exists(L"dst\\old\\x.txt"));
    const RunStats& would = dry.Stats();
    EXPECT_EQ(would.filesCopied, 2u);
    EXPECT_EQ(would.bytesCopied, 3u);
    EXPECT_EQ(would.filesDeleted, 1u);
    EXPECT_EQ(would.foldersRemoved, 1u);

    // The forced run does what the dry run said, row for row.
    host = ScriptedHost();
    options.dryRun = false;
    options.force = true;
    SyncEngine real(host, state, options);
    EXPECT_TRUE(real.RunSync(src.c_str(), dst.c_str()));
    EXPECT_EQ(SortedRows(), dryRows);
    EXPECT_EQ(real.Stats().filesCopied, 2u);
    EXPECT_EQ(real.Stats().foldersRemoved, 1u);
    EXPECT_FALSE(tree.Exists(L"dst\\old"));

    // A missing destination is asked about as in a run, and not made; on Yes everything counts
    // as missing.
    host = ScriptedHost();
    host.createAnswer = kIdYes;
    options.dryRun = true;
    EXPECT_TRUE(Run(src, tree.Path(L"new")));
    EXPECT_EQ(host.Rows().size(), 2u);
    EXPECT_EQ(host.Only(L"create").size(), 1u);
    EXPECT_FALSE(tree.Exists(L"new"));
}

// An abort asked for from another thread (Ctrl+C) is never lost: not before the run starts,
// nor after the copy pass's last look at it (here: as the empty source is entered), before
// the deletion pass.
TEST_F(SyncRun, AnAbortBeforeTheRunOrBetweenItsPassesIsNotLost) {
    struct AbortOnStatus final : ScriptedHost {
        RunState* state = nullptr;
        void SetStatusText(const wchar_t* text) override {
            ScriptedHost::SetStatusText(text);
            if (*text) state->abortRequested = true;
        }
    } aborting;
    aborting.state = &state;
    tree.Write(L"dst\\a.txt", "a");
    options.deleteAfterCopy = options.force = true;
    SyncEngine engine(aborting, state, options);
    EXPECT_FALSE(engine.RunSync(src.c_str(), dst.c_str()));
    EXPECT_TRUE(aborting.Rows().empty());
    EXPECT_TRUE(tree.Exists(L"dst\\a.txt"));

    tree.Write(L"src\\b.txt", "b");
    state.abortRequested = true;  // as the folders were checked
    EXPECT_FALSE(Forward());
    EXPECT_FALSE(tree.Exists(L"dst\\b.txt"));
    EXPECT_TRUE(host.Only(L"success").empty());
}

namespace {
PowerFigures g_power;
PowerFigures StandInPower() { return g_power; }
}  // namespace

// On battery below the level the run asks first, even with Force (No: nothing happens); on
// mains it does not; a drop to the critical level stops the run between two files.
TEST_F(SyncRun, ALowBatteryIsAskedAboutAndACriticalOneStopsBetweenFiles) {
    SetPowerStatusStandIn(StandInPower);
    g_power = PowerFigures();
    g_power.acLine = 0;
    g_power.main = {2, 8};
    options.force = true;
    tree.Write(L"src\\a.txt", "a");
    tree.Write(L"src\\b.txt", "b");
    EXPECT_FALSE(Forward());
    EXPECT_EQ(host.Only(L"battery"), Rows{L"battery:The battery is at 8%. A run stopped by a flat battery may leave a "
                                          L"file half written. Run anyway?"});
    EXPECT_TRUE(host.Rows().empty());
    EXPECT_FALSE(tree.Exists(L"dst\\a.txt"));
    options.minBattery = 5;  // below the level no more: not asked
    host.events.clear();
    options.dryRun = true;
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(host.Only(L"battery").empty());
    options.dryRun = false;

    // Yes at 8%, then the battery drops to its critical level after the first copy.
    options.minBattery = kDefaultMinBattery;
    host.events.clear();
    host.batteryAnswer = kIdYes;
    host.onPump = [this](int) {
        if (host.Rows().size() == 1) g_power.main = {4, 4};
    };
    EXPECT_FALSE(Forward());
    EXPECT_EQ(host.Rows().size(), 1u);
    ASSERT_EQ(host.Only(L"error").size(), 1u);
    EXPECT_NE(host.Only(L"error")[0].find(L"stopped between two files"), std::wstring::npos);
    EXPECT_TRUE(host.Only(L"success").empty());
    EXPECT_NE(tree.Exists(L"dst\\a.txt"), tree.Exists(L"dst\\b.txt"));

    host.events.clear();  // on mains power nothing is asked, whatever the level
    host.onPump = nullptr;
    g_power.acLine = 1;
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(host.Only(L"battery").empty());
    EXPECT_TRUE(tree.Exists(L"dst\\a.txt") && tree.Exists(L"dst\\b.txt"));

    // Undo moves and deletes as a run does: asked the same (No changes nothing), even unasked.
    tree.Write(L"src\\a.txt", "new");
    tree.SetWriteTime(L"src\\a.txt", AddSeconds(tree.WriteTime(L"dst\\a.txt"), 10));
    {
        SyncEngine engine(host, state, options);
        KeepActions keeping(engine.Actions(), host, dst.c_str(), false, kDefaultKeptRuns);
        engine.UseActions(keeping);
        ASSERT_TRUE(engine.RunSync(src.c_str(), dst.c_str()));
    }
    g_power.acLine = 0;
    g_power.main = {2, 8};
    for (int answer : {kIdNo, kIdYes}) {
        host.events.clear();
        host.batteryAnswer = answer;
        RunUndo undo(host, state);
        ASSERT_EQ(undo.FindRun(dst.c_str()), RunUndo::Found::Run);
        EXPECT_EQ(undo.Undo(false, kDefaultMinBattery), answer == kIdYes);
        EXPECT_EQ(undo.Declined(), answer == kIdNo);
        EXPECT_EQ(host.Only(L"battery").size(), 1u);
        EXPECT_EQ(tree.Read(L"dst\\a.txt"), answer == kIdYes ? "a" : "new");
    }
    SetPowerStatusStandIn(nullptr);
}

namespace {
// A medium that does not keep what is written to bad.txt.
void SpoilBadFile(const wchar_t* path, char* data, DWORD bytes) {
    if (bytes > 0 && wcsstr(path, L"bad.txt")) data[0] ^= 1;
}
}  // namespace

// Verify: a copy that reads back different is removed and the old file stays (with Keep too,
// in its place); a "skip" row names it, the run goes on and ends failed; verified copies count.
TEST_F(SyncRun, ACopyThatReadsBackDifferentLeavesTheOldFileAndFailsTheRun) {
    SetReadBackStandIn(SpoilBadFile);
    options.force = options.verify = true;
    for (bool keep : {false, true}) {
        host = ScriptedHost();
        tree.Write(L"dst\\bad.txt", "old");
        tree.SetWriteTime(L"dst\\bad.txt", older);
        tree.Write(L"src\\bad.txt", "new");
        tree.SetWriteTime(L"src\\bad.txt", newer);
        tree.Write(L"src\\good.txt", "good");
        DeleteFileW(D(L"good.txt").c_str());
        SyncEngine engine(host, state, options);
        KeepActions keeping(engine.Actions(), host, dst.c_str(), false, kDefaultKeptRuns);
        if (keep) engine.UseActions(keeping);
        EXPECT_FALSE(engine.CheckSyncFolders(src.c_str(), dst.c_str()) && engine.RunSync(src.c_str(), dst.c_str()));
        EXPECT_EQ(tree.Read(L"dst\\bad.txt"), "old");
        EXPECT_FALSE(tree.Exists(L"dst\\bad.txt.zolvtmp"));
        EXPECT_EQ(tree.Read(L"dst\\good.txt"), "good");
        EXPECT_EQ(host.Only(L"skip"), (Rows{L"skip|" + D(L"bad.txt") +
                                            L"|its copy, read back, differs from the source; the copy is removed and "
                                            L"the old file stays"}));
        ASSERT_EQ(host.Only(L"error").size(), 1u);
        EXPECT_NE(host.Only(L"error")[0].find(L"1 entry could not be synced"), std::wstring::npos);
        EXPECT_EQ(engine.Stats().filesVerified, 1u);
        EXPECT_EQ(engine.Stats().entriesKept, 0u);
    }
    SetReadBackStandIn(nullptr);
}
