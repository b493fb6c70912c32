#include "sync_fixture.h"

#include "sync/file_ops.h"
#include "sync/sync_texts.h"

using CopyPass = SyncFixture;

TEST_F(CopyPass, ExampleRunCopiesNewerAndMissingThenAsksBeforeDeleting) {
    options.deleteAfterCopy = true;
    WriteMirrorExample(tree);
    host.answers = {kIdYes};

    EXPECT_TRUE(Forward());

    // Copy rows (in enumeration order) come before the deletion pass.
    Rows rows = host.Rows();
    ASSERT_EQ(rows.size(), 3u);
    Rows copies(rows.begin(), rows.begin() + 2);
    std::sort(copies.begin(), copies.end());
    EXPECT_EQ(copies, (Rows{L"copy|" + S(L"a.txt") + L"|" + D(L"a.txt"), L"copy|" + S(L"b\\c.txt") + L"|" + D(L"b\\c.txt")}));
    EXPECT_EQ(rows[2], L"del|" + D(L"d.txt") + L"|");
    ASSERT_EQ(host.prompts.size(), 1u);
    EXPECT_EQ(host.prompts[0].kind, PromptKind::FileDelete);
    EXPECT_EQ(host.prompts[0].message, L"Are you sure you want to delete 'd.txt'?");
    EXPECT_EQ(host.events.back(), L"success");
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "new a");
    EXPECT_EQ(tree.Read(L"dst\\b\\c.txt"), "c");
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    EXPECT_EQ(host.begun, 1);
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(host.status.back(), L"");
}

TEST_F(CopyPass, CopiesOnlyWhatIsMissingOrStrictlyNewer) {
    tree.Write(L"src\\missing.txt", "m");
    tree.Write(L"src\\equal.txt", "src equal");
    tree.SetWriteTime(L"src\\equal.txt", older);
    tree.Write(L"dst\\equal.txt", "dst equal");
    tree.SetWriteTime(L"dst\\equal.txt", older);
    tree.Write(L"src\\stale.txt", "src stale");
    tree.SetWriteTime(L"src\\stale.txt", older);
    tree.Write(L"dst\\stale.txt", "dst newer");
    tree.SetWriteTime(L"dst\\stale.txt", newer);

    EXPECT_TRUE(Forward());

    EXPECT_EQ(host.Rows(), (Rows{L"copy|" + S(L"missing.txt") + L"|" + D(L"missing.txt")}));
    EXPECT_EQ(tree.Read(L"dst\\equal.txt"), "dst equal");
    EXPECT_EQ(tree.Read(L"dst\\stale.txt"), "dst newer");
    EXPECT_TRUE(host.Only(L"error").empty());
}

TEST_F(CopyPass, DosTimeComparesInTwoSecondSteps) {
    tree.Write(L"src\\t.txt", "src");
    tree.SetWriteTime(L"src\\t.txt", MakeTime(2022, 3, 4, 10, 0, 1, 500));
    tree.Write(L"dst\\t.txt", "dst");
    tree.SetWriteTime(L"dst\\t.txt", MakeTime(2022, 3, 4, 10, 0, 0, 0));

    options.dosTime = true;
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(host.Rows().empty());
    EXPECT_EQ(tree.Read(L"dst\\t.txt"), "dst");

    options.dosTime = false;
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.Rows().size(), 1u);
    EXPECT_EQ(tree.Read(L"dst\\t.txt"), "src");
}

TEST_F(CopyPass, ExcludeObjSkipsObjectFilesOnly) {
    options.excludeObj = true;
    tree.Write(L"src\\main.obj", "o");
    tree.Write(L"src\\MAIN2.OBJ", "o");
    tree.Write(L"src\\main.obj.bak", "b");
    tree.Write(L"src\\x.obj\\inner.txt", "i");

    EXPECT_TRUE(Forward());

    EXPECT_FALSE(tree.Exists(L"dst\\main.obj"));
    EXPECT_FALSE(tree.Exists(L"dst\\MAIN2.OBJ"));
    EXPECT_EQ(tree.Read(L"dst\\main.obj.bak"), "b");
    EXPECT_EQ(tree.Read(L"dst\\x.obj\\inner.txt"), "i");
    EXPECT_EQ(host.Rows().size(), 2u);
}

// Names anywhere, paths below the run folder, without case; in both folders and both
// directions; the empty-source question looks past them; a malformed list is refused.
TEST_F(CopyPass, ExcludePatternsLeaveNamesAndPathsOutOfBothPasses) {
    options.deleteAfterCopy = options.force = true;
    options.exclude = L" *.TMP ; thumbs.db;Photos\\*.raw;build\\;Temp\\";
    for (const wchar_t* name : {L"a.tmp", L"sub\\b.Tmp", L"Thumbs.db", L"Photos\\x.raw", L"build\\o.txt"}) {
        tree.Write(L"src\\" + std::wstring(name), "s");
    }
    tree.Write(L"src\\sub\\Photos\\y.raw", "s");  // the path pattern starts at the run folder
    tree.Write(L"src\\build.txt", "s");
    tree.Write(L"dst\\old.tmp", "d");
    tree.Write(L"dst\\build\\keep.txt", "d");
    tree.Write(L"dst\\gone.txt", "d");
    tree.Write(L"dst\\olddir\\x.tmp", "d");  // not removed with its folder either
    tree.Write(L"dst\\olddir\\y.txt", "d");
    tree.Write(L"src\\Temp", "s");  // a file: not copied into the excluded folder of its name
    tree.Write(L"dst\\Temp\\t.txt", "d");

    EXPECT_TRUE(Forward());
    EXPECT_EQ(SortedRows(), (Rows{L"copy|" + S(L"build.txt") + L"|" + D(L"build.txt"),
                                  L"copy|" + S(L"sub\\Photos\\y.raw") + L"|" + D(L"sub\\Photos\\y.raw"),
                                  L"del|" + D(L"gone.txt") + L"|", L"del|" + D(L"olddir\\y.txt") + L"|"}));
    EXPECT_TRUE(tree.Exists(L"dst\\olddir\\x.tmp"));
    EXPECT_FALSE(tree.Exists(L"dst\\Temp\\Temp"));
    EXPECT_TRUE(tree.Exists(L"dst\\Temp\\t.txt"));
    EXPECT_TRUE(tree.Exists(L"dst\\old.tmp"));
    EXPECT_TRUE(tree.Exists(L"dst\\build\\keep.txt"));
    EXPECT_FALSE(tree.Exists(L"dst\\a.tmp") || tree.Exists(L"dst\\Thumbs.db") || tree.Exists(L"dst\\Photos\\x.raw"));

    host.events.clear();  // backward: the source's excluded entries stay too
    EXPECT_TRUE(Run(dst, src));
    EXPECT_TRUE(host.Rows().empty());
    EXPECT_TRUE(tree.Exists(L"src\\a.tmp") && tree.Exists(L"src\\build\\o.txt"));

    // A source holding only excluded entries is empty: the question comes before a deletion.
    TempTree other;
    other.Write(L"s\\x.tmp", "s");
    other.Write(L"d\\y.txt", "d");
    host.events.clear();
    host.emptySourceAnswer = kIdNo;
    EXPECT_FALSE(Run(other.Path(L"s"), other.Path(L"d")));
    EXPECT_EQ(host.Only(L"empty").size(), 1u);
    EXPECT_TRUE(other.Exists(L"d\\y.txt"));

    std::wstring bad;
    EXPECT_EQ(CheckPatternList(L"*.tmp;;x", &bad), PatternFault::Empty);
    EXPECT_EQ(CheckPatternList(L"\\\\", &bad), PatternFault::OnlySeparators);
    EXPECT_EQ(CheckPatternList(L"a;docs\\..\\x", &bad), PatternFault::DotPart);
    EXPECT_EQ(bad, L"docs\\..\\x");
    EXPECT_EQ(CheckPatternList(L"a\\\\b"), PatternFault::EmptyPart);
    EXPECT_EQ(CheckPatternList(L"  "), PatternFault::None);
    // A list a set file's field cut short is refused, never run with its patterns cut.
    EXPECT_EQ(CheckPatternList(std::wstring(kPatternListChars, L'a').c_str()), PatternFault::None);
    EXPECT_EQ(CheckPatternList((std::wstring(kPatternListChars, L'a') + L"b").c_str()), PatternFault::TooLong);
    options.exclude = L"*.tmp;";  // as a hand-edited set file may hold it: no run
    host.events.clear();
    EXPECT_FALSE(Forward());
    EXPECT_EQ(host.Only(L"error"),
              Rows{L"error:The exclude pattern '' cannot be used: there is nothing between two ';' or at an end of the list."});
}

TEST_F(CopyPass, EmptyFoldersAreCreatedWithoutARow) {
    tree.MakeFolder(L"src\\empty\\deeper");
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(tree.IsFolder(L"dst\\empty\\deeper"));
    EXPECT_TRUE(host.Rows().empty());
    EXPECT_EQ(host.events.back(), L"success");
}

TEST_F(CopyPass, AFileMeetingAFolderGoesIntoIt) {
    tree.Write(L"src\\a", "file a");
    tree.MakeFolder(L"dst\\a");
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.Rows(), (Rows{L"copy|" + S(L"a") + L"|" + D(L"a\\a")}));
    EXPECT_EQ(tree.Read(L"dst\\a\\a"), "file a");
}

TEST_F(CopyPass, AFolderInTheWayIsAskedAbout) {
    tree.Write(L"src\\a", "file a");
    tree.SetWriteTime(L"src\\a", MakeTime(2090, 1, 1));  // newer than the folder in its way
    tree.MakeFolder(L"dst\\a\\a");

    host.answers = {kIdNo};
    EXPECT_TRUE(Forward());  // No skips this file only
    ASSERT_EQ(host.prompts.size(), 1u);
    EXPECT_EQ(host.prompts[0].kind, PromptKind::Replace);
    EXPECT_EQ(host.prompts[0].iconId, kIconReplace);
    EXPECT_STREQ(host.prompts[0].caption, L"Confirm Folder Replace");
    EXPECT_STREQ(host.prompts[0].yesToAllCaption, L"Yes to &All");
    EXPECT_TRUE(host.prompts[0].yesToAll);
    EXPECT_EQ(std::wstring(host.prompts[0].message).rfind(L"This folder already contains a folder called '" + D(L"a\\a") + L"'.", 0), 0u);
    EXPECT_TRUE(host.Rows().empty());

    host = ScriptedHost();
    host.answers = {kIdCancel};
    EXPECT_FALSE(Forward());  // Cancel stops the run quietly
    EXPECT_TRUE(host.Only(L"success").empty());
    EXPECT_TRUE(host.Only(L"error").empty());

    host = ScriptedHost();
    host.answers = {kIdYes};
    EXPECT_FALSE(Forward());  // a file cannot replace a folder: the copy fails and is reported
    EXPECT_EQ(host.Rows().size(), 1u);
    EXPECT_EQ(host.Only(L"error").size(), 1u);
    EXPECT_TRUE(tree.IsFolder(L"dst\\a\\a"));
}

TEST_F(CopyPass, ReadOnlyDestinationIsOverwritten) {
    tree.Write(L"src\\r.txt", "new");
    tree.SetWriteTime(L"src\\r.txt", newer);
    tree.Write(L"dst\\r.txt", "old");
    tree.SetWriteTime(L"dst\\r.txt", older);
    tree.SetAttributes(L"dst\\r.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_TRUE(Forward());
    EXPECT_EQ(tree.Read(L"dst\\r.txt"), "new");
    EXPECT_TRUE(host.Only(L"error").empty());

    // A read-only source gives a read-only copy, with the source's time.
    tree.SetAttributes(L"src\\r.txt", FILE_ATTRIBUTE_READONLY);
    tree.SetWriteTime(L"dst\\r.txt", older);
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(host.Only(L"error").empty());
    EXPECT_NE(tree.Attributes(L"dst\\r.txt") & FILE_ATTRIBUTE_READONLY, 0u);
    FILETIME written = tree.WriteTime(L"dst\\r.txt");
    EXPECT_EQ(CompareFileTime(&written, &newer), 0);
}

TEST_F(CopyPass, CarriesTheFileTimesOverSoASecondRunCopiesNothing) {
    tree.Write(L"src\\f.txt", "f");
    tree.SetWriteTime(L"src\\f.txt", MakeTime(2019, 7, 8, 9, 10, 11, 123));
    EXPECT_TRUE(Forward());
    FILETIME s = tree.WriteTime(L"src\\f.txt"), d = tree.WriteTime(L"dst\\f.txt");
    EXPECT_EQ(CompareFileTime(&s, &d), 0);

    host = ScriptedHost();
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(host.Rows().empty());
}

// One box per failure, naming the file that failed; the old copy stays whole.
TEST_F(CopyPass, AFileInUseStopsTheRunWithOneMessageNamingItAndKeepsTheOldCopy) {
    for (const wchar_t* side : {L"src", L"dst"}) {
        host = ScriptedHost();
        tree.Write(L"src\\busy.txt", "new");
        tree.SetWriteTime(L"src\\busy.txt", newer);
        tree.Write(L"dst\\busy.txt", "old");
        tree.SetWriteTime(L"dst\\busy.txt", older);
        std::wstring held = std::wstring(side) == L"src" ? S(L"busy.txt") : D(L"busy.txt");
        HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);

        EXPECT_FALSE(Forward());
        CloseHandle(holder);

        EXPECT_EQ(host.Rows(), (Rows{L"copy|" + S(L"busy.txt") + L"|" + D(L"busy.txt")}));
        EXPECT_EQ(host.Only(L"error"), (Rows{L"error:" + held + L" is in use"}));
        EXPECT_TRUE(host.Only(L"success").empty());
        EXPECT_EQ(tree.Read(L"dst\\busy.txt"), "old");
        EXPECT_FALSE(tree.Exists(std::wstring(L"dst\\busy.txt") + kTemporarySuffix));
    }
}

// The copy is written under a temporary name and replaces the destination in one step. The
// name is one that was free: a file already there under it (a user's, or an interrupted
// run's, read-only) is neither overwritten nor removed, nor lends the copy its attributes.
TEST_F(CopyPass, TheCopyTakesTheDestinationsPlaceOnlyWhenComplete) {
    tree.Write(L"src\\f.txt", "complete");
    tree.SetWriteTime(L"src\\f.txt", newer);
    tree.Write(L"dst\\f.txt", "old");
    tree.SetWriteTime(L"dst\\f.txt", older);
    std::wstring leftover = std::wstring(L"dst\\f.txt") + kTemporarySuffix;
    tree.Write(leftover, "mine");
    tree.SetAttributes(leftover, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_TRUE(Forward());
    EXPECT_EQ(tree.Read(L"dst\\f.txt"), "complete");
    FILETIME written = tree.WriteTime(L"dst\\f.txt");
    EXPECT_EQ(CompareFileTime(&written, &newer), 0);
    EXPECT_EQ(GetFileAttributesW(D(L"f.txt").c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_EQ(tree.Read(leftover), "mine");
    EXPECT_EQ(host.Rows(), (Rows{L"copy|" + S(L"f.txt") + L"|" + D(L"f.txt")}));
}

TEST_F(CopyPass, AbortStopsAtTheNextStepAndKeepsTheRows) {
    options.deleteAfterCopy = true;
    for (int i = 0; i < 10; ++i) tree.Write(L"src\\f" + std::to_wstring(i) + L".txt", "x");
    tree.Write(L"dst\\extra.txt", "e");
    host.onPump = [&](int count) {
        if (count == 8) state.abortRequested = true;
    };

    EXPECT_FALSE(Forward());

    size_t copied = host.Rows().size();
    EXPECT_GT(copied, 0u);
    EXPECT_LT(copied, 10u);
    EXPECT_TRUE(host.prompts.empty());  // no deletion pass
    EXPECT_TRUE(tree.Exists(L"dst\\extra.txt"));
    EXPECT_TRUE(host.Only(L"success").empty());
    EXPECT_TRUE(host.Only(L"error").empty());
    EXPECT_EQ(host.ended, 1);
}

// A large file goes in pieces, the host hearing how far and servicing its window between
// them: an abort stops it mid-file, silently, with the old copy whole and no temporary file.
TEST_F(CopyPass, AnAbortStopsALargeCopyMidFileAndKeepsTheOldCopy) {
    const unsigned long long size = 16 * kCopyPieceBytes;
    tree.Write(L"src\\big.bin", std::string(size, 'n'));
    tree.SetWriteTime(L"src\\big.bin", newer);
    tree.Write(L"dst\\big.bin", "old");
    tree.SetWriteTime(L"dst\\big.bin", older);
    host.onPump = [&](int) {
        if (host.progress.size() == 4) state.abortRequested = true;
    };

    EXPECT_FALSE(Forward());
    using Progress = std::vector<std::pair<unsigned long long, unsigned long long>>;
    EXPECT_EQ(host.progress, (Progress{{kCopyPieceBytes, size}, {2 * kCopyPieceBytes, size},
                                       {3 * kCopyPieceBytes, size}, {4 * kCopyPieceBytes, size}}));
    EXPECT_EQ(tree.Read(L"dst\\big.bin"), "old");
    EXPECT_FALSE(tree.Exists(std::wstring(L"dst\\big.bin") + kTemporarySuffix));
    EXPECT_EQ(host.Rows().size(), 1u);
    EXPECT_TRUE(host.Only(L"error").empty());
    EXPECT_TRUE(host.Only(L"success").empty());

    host = ScriptedHost();
    state.abortRequested = false;
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.progress.size(), 16u);
    EXPECT_EQ(host.progress.back(), std::make_pair(size, size));
    EXPECT_EQ(tree.Read(L"dst\\big.bin"), std::string(size, 'n'));
}

TEST_F(CopyPass, APathThatWouldNotFitIsSkippedAndTheRunGoesOn) {
    // The destination root is longer than the source root, so only the destination overflows.
    std::wstring longDst = tree.Path(std::wstring(150, L'd'));
    tree.MakeFolder(std::wstring(150, L'd'));
    std::wstring name(259 - longDst.size(), L'n');  // destination path of 260 characters
    tree.Write(L"src\\" + name, "x");
    tree.Write(L"src\\a", "a");
    ASSERT_LT(S(name).size(), 260u);

    EXPECT_FALSE(Run(src, longDst));
    EXPECT_EQ(host.Only(L"error"), (Rows{L"error:1 entry could not be synced; its \"skip\" row says why."}));
    EXPECT_EQ(host.Rows(), (Rows{L"copy|" + S(L"a") + L"|" + longDst + L"\\a"}));
    EXPECT_EQ(host.Only(L"skip"), (Rows{L"skip|" + longDst + L"\\" + name + L"|the path is longer than 259 characters"}));
}

TEST_F(CopyPass, ASourceFolderMeetingADestinationFileStopsTheRunNamingIt) {
    tree.Write(L"src\\a\\inner.txt", "i");
    tree.Write(L"dst\\a", "a file");
    EXPECT_FALSE(Forward());
    EXPECT_EQ(host.Only(L"error"),
              (Rows{L"error:Can't create the folder '" + D(L"a") + L"': a file of that name is in the way."}));
    EXPECT_EQ(tree.Read(L"dst\\a"), "a file");
}

// Folders whose own paths are 256 to 259 characters long are walked like any other; below
// them only names that fit can be, and a longer one is skipped with its own path.
TEST_F(CopyPass, FoldersUpToThePathLimitAreCopied) {
    auto name = [&](size_t length, wchar_t letter) { return std::wstring(length - src.size() - 1, letter); };
    tree.Write(L"src\\" + name(256, L'w') + L"\\a", "in 256");  // a file of 258
    tree.Write(L"src\\" + name(257, L'x') + L"\\b", "in 257");  // a file of 259
    tree.MakeFolder(L"src\\" + name(258, L'y'));
    tree.MakeFolder(L"src\\" + name(259, L'z'));
    ASSERT_EQ(S(name(259, L'z')).size(), 259u);

    EXPECT_TRUE(Forward());
    EXPECT_TRUE(host.Only(L"error").empty());
    EXPECT_EQ(tree.Read(L"dst\\" + name(256, L'w') + L"\\a"), "in 256");
    EXPECT_EQ(tree.Read(L"dst\\" + name(257, L'x') + L"\\b"), "in 257");
    EXPECT_TRUE(tree.IsFolder(L"dst\\" + name(259, L'z')));

    tree.Write(L"src\\" + name(256, L'w') + L"\\abc", "260");
    host = ScriptedHost();
    EXPECT_FALSE(Forward());
    EXPECT_EQ(host.Only(L"skip"), (Rows{L"skip|" + S(name(256, L'w') + L"\\abc") + L"|the path is longer than 259 characters"}));
}
