#include "sync_fixture.h"

class DeletionPass : public SyncFixture {
protected:
    DeletionPass() { options.deleteAfterCopy = true; }
};

TEST_F(DeletionPass, WithoutTheOptionTheDestinationKeepsItsExtras) {
    options.deleteAfterCopy = false;
    tree.Write(L"dst\\extra.txt", "e");
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(tree.Exists(L"dst\\extra.txt"));
    EXPECT_TRUE(host.prompts.empty());
}

TEST_F(DeletionPass, FilePromptWordingFollowsAttributesAndShowsTheNameOnly) {
    tree.Write(L"dst\\Report.EXE", "p");
    tree.Write(L"dst\\ro.exe", "r");
    tree.SetAttributes(L"dst\\ro.exe", FILE_ATTRIBUTE_READONLY);
    tree.Write(L"dst\\sys.dat", "s");
    tree.SetAttributes(L"dst\\sys.dat", FILE_ATTRIBUTE_SYSTEM);
    host.answers = {kIdYes, kIdYes, kIdYes};

    EXPECT_TRUE(Forward());

    std::vector<std::wstring> messages;
    for (const Prompt& p : host.prompts) {
        EXPECT_EQ(p.kind, PromptKind::FileDelete);
        EXPECT_EQ(p.iconId, kIconDelete);
        EXPECT_STREQ(p.caption, L"Confirm file delete");
        messages.push_back(p.message);
    }
    std::sort(messages.begin(), messages.end());
    EXPECT_EQ(messages, (Rows{
        L"The file 'Report.EXE' is a program.\n\nIf you remove it, you will no longer be able to run this program "
        L"or edit some documents. Are you sure you want to delete it?",
        L"The file 'ro.exe' is a read-only file. Are you sure you want to delete it?",
        L"The file 'sys.dat' is a system file.\n\nIf you remove it, your computer or one of your programs may no "
        L"longer work correctly."}));
    EXPECT_FALSE(tree.Exists(L"dst\\ro.exe"));  // read-only is lifted before deleting
    EXPECT_FALSE(tree.Exists(L"dst\\sys.dat"));
    EXPECT_EQ(SortedRows(), (Rows{L"del|" + D(L"Report.EXE") + L"|", L"del|" + D(L"ro.exe") + L"|",
                                  L"del|" + D(L"sys.dat") + L"|"}));
}

TEST_F(DeletionPass, NoOnAFileKeepsThatFileOnly) {
    tree.Write(L"dst\\x1.txt", "1");
    tree.Write(L"dst\\x2.txt", "2");
    host.answers = {kIdNo, kIdYes};
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.prompts.size(), 2u);
    EXPECT_EQ(host.Rows().size(), 1u);
    EXPECT_EQ(tree.Exists(L"dst\\x1.txt") + tree.Exists(L"dst\\x2.txt"), 1);
    EXPECT_EQ(host.events.back(), L"success");
}

TEST_F(DeletionPass, NoCancelOrEscapeOnAFolderStopsTheRun) {
    for (int answer : {kIdNo, kIdCancel}) {
        host = ScriptedHost();
        tree.Write(L"dst\\gone\\inner.txt", "i");
        host.answers = {answer};
        EXPECT_FALSE(Forward());
        ASSERT_EQ(host.prompts.size(), 1u);
        EXPECT_EQ(host.prompts[0].kind, PromptKind::FolderDelete);
        EXPECT_EQ(host.prompts[0].message, L"Are you sure you want to remove the folder 'gone' and all its contents?");
        EXPECT_TRUE(tree.Exists(L"dst\\gone\\inner.txt"));
        EXPECT_TRUE(host.Only(L"success").empty());
        EXPECT_TRUE(host.Rows().empty());
    }
}

TEST_F(DeletionPass, YesOnAFolderRemovesItWithOneRow) {
    tree.Write(L"dst\\gone\\a.txt", "a");
    tree.Write(L"dst\\gone\\sub\\b.txt", "b");
    tree.SetAttributes(L"dst\\gone\\sub\\b.txt", FILE_ATTRIBUTE_READONLY);
    host.answers = {kIdYes};
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.Rows(), (Rows{L"rmdir|" + D(L"gone") + L"|"}));
    EXPECT_FALSE(tree.Exists(L"dst\\gone"));
}

TEST_F(DeletionPass, YesToAllSilencesTheRestOfThePassOnly) {
    tree.Write(L"dst\\f1.txt", "1");
    tree.Write(L"dst\\f2.txt", "2");
    tree.Write(L"dst\\folder\\f3.txt", "3");
    host.answers = {kIdYesToAll};
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.prompts.size(), 1u);
    EXPECT_EQ(host.Rows().size(), 3u);
    EXPECT_FALSE(tree.Exists(L"dst\\f1.txt"));
    EXPECT_FALSE(tree.Exists(L"dst\\f2.txt"));
    EXPECT_FALSE(tree.Exists(L"dst\\folder"));

    // The next run asks again.
    tree.Write(L"dst\\f4.txt", "4");
    host = ScriptedHost();
    host.answers = {kIdNo};
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.prompts.size(), 1u);
}

TEST_F(DeletionPass, AYesToAllOfTheCopyPassDoesNotCarryOver) {
    tree.Write(L"src\\s.txt", "s");
    tree.Write(L"dst\\extra.txt", "e");
    host.onPump = [&](int) {
        if (host.Rows().empty()) state.confirmEach = false;  // as after a Yes to All in the copy pass
    };
    host.answers = {kIdYes};
    EXPECT_TRUE(Forward());
    EXPECT_EQ(host.prompts.size(), 1u);
}

TEST_F(DeletionPass, ForceAsksNothingInEitherPass) {
    options.force = true;
    tree.Write(L"src\\a", "file a");
    tree.SetWriteTime(L"src\\a", MakeTime(2090, 1, 1));
    tree.MakeFolder(L"dst\\a\\a");
    tree.Write(L"dst\\extra.txt", "e");
    EXPECT_FALSE(Forward());  // the forced copy onto the folder fails, and says so
    EXPECT_TRUE(host.prompts.empty());

    host = ScriptedHost();
    RemoveTree(D(L"a"));
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(host.prompts.empty());
    EXPECT_FALSE(tree.Exists(L"dst\\extra.txt"));
}

TEST_F(DeletionPass, ExcludeObjKeepsObjectFilesUnlessTheirFolderGoes) {
    options.excludeObj = true;
    tree.Write(L"dst\\x.obj", "o");
    tree.Write(L"dst\\only\\y.obj", "o");
    host.answers = {kIdYes};
    EXPECT_TRUE(Forward());
    EXPECT_TRUE(tree.Exists(L"dst\\x.obj"));
    EXPECT_FALSE(tree.Exists(L"dst\\only"));
}

TEST_F(DeletionPass, ASourceFileWhereTheDestinationHasAFolder) {
    tree.Write(L"src\\a", "file a");
    tree.Write(L"dst\\a\\old.txt", "o");
    host.answers = {kIdYes};
    EXPECT_TRUE(Forward());
    // The copy pass put the file into the folder; the deletion pass then removes the folder.
    EXPECT_EQ(host.Rows(), (Rows{L"copy|" + S(L"a") + L"|" + D(L"a\\a"), L"rmdir|" + D(L"a") + L"|"}));
    EXPECT_FALSE(tree.Exists(L"dst\\a"));
}

TEST_F(DeletionPass, AbortIsSeenAtTheNextStep) {
    for (int i = 0; i < 6; ++i) tree.Write(L"dst\\x" + std::to_wstring(i), "x");
    host.onPump = [&](int) {
        if (host.Rows().size() == 2) state.abortRequested = true;
    };
    options.force = true;
    EXPECT_FALSE(Forward());
    EXPECT_EQ(host.Rows().size(), 2u);
    EXPECT_TRUE(host.Only(L"success").empty());
}

TEST_F(DeletionPass, DoesNotStartWhenTheSourceVanished) {
    tree.Write(L"src\\s.txt", "s");
    tree.Write(L"dst\\keep.txt", "k");
    options.force = true;
    host.onPump = [&](int) {
        if (!host.Rows().empty()) RemoveTree(src);  // the card is pulled after the copy
    };
    EXPECT_FALSE(Forward());
    EXPECT_EQ(host.Only(L"error"), (Rows{L"error:Source folder '" + src + L"' is not exist."}));
    EXPECT_TRUE(tree.Exists(L"dst\\keep.txt"));
    EXPECT_TRUE(tree.Exists(L"dst\\s.txt"));
}

TEST_F(DeletionPass, StopsWhenTheSourceVanishesDuringThePass) {
    tree.Write(L"src\\sub\\same.txt", "s");
    tree.Write(L"dst\\sub\\same.txt", "s");
    tree.Write(L"dst\\sub\\extra.txt", "e");
    options.force = true;
    host.onPump = [&](int) {
        if (!host.status.empty() && host.status.back() == D(L"sub")) RemoveTree(src);
    };
    EXPECT_FALSE(Forward());
    ASSERT_EQ(host.Only(L"error").size(), 1u);
    EXPECT_EQ(host.Only(L"error")[0].rfind(L"error:Can't read '" + S(L"sub\\"), 0), 0u);
    EXPECT_TRUE(tree.Exists(L"dst\\sub\\extra.txt"));
    EXPECT_TRUE(tree.Exists(L"dst\\sub\\same.txt"));
    EXPECT_TRUE(host.Rows().empty());
}

TEST_F(DeletionPass, AnUnreadableSourceCounterpartStopsInsteadOfDeleting) {
    // A name the source's file system refuses cannot be read, which is not "missing".
    tree.Write(L"dst\\keep.txt", "k");
    options.force = true;
    SyncEngine engine(host, state, options);
    std::wstring badSource = src + L"\\bad<name";
    EXPECT_FALSE(engine.PruneTree(badSource.c_str(), dst.c_str()));
    ASSERT_EQ(host.Only(L"error").size(), 1u);
    EXPECT_NE(host.Only(L"error")[0].find(L"bad<name"), std::wstring::npos);
    EXPECT_TRUE(tree.Exists(L"dst\\keep.txt"));
    EXPECT_TRUE(host.Rows().empty());
}
