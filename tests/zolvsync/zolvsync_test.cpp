// End to end: zolvsync.exe as a process, on real folders.
#include <gtest/gtest.h>

#include "process.h"
#include "temp_tree.h"

namespace {

class Zolvsync : public ::testing::Test {
protected:
    Zolvsync() {
        tree.MakeFolder(L"src");
        tree.MakeFolder(L"dst");
    }

    ProcessResult Run(const std::wstring& arguments, const std::string& input = "") {
        return RunProcess(L"\"" + WinePath(ZOLVSYNC_EXE) + L"\" " + arguments, input);
    }
    std::wstring Q(const std::wstring& relative) const { return L"\"" + tree.Path(relative) + L"\""; }
    std::string U(const std::wstring& relative) const { return Utf8(tree.Path(relative)); }

    TempTree tree;
};

}  // namespace

TEST_F(Zolvsync, RowsOnStandardOutputAndAnswersFromStandardInput) {
    tree.Write(L"src\\a.txt", "a");
    tree.Write(L"dst\\d.txt", "d");
    tree.Write(L"dst\\e.txt", "e");
    ProcessResult r = Run(L"--delete --lang en " + Q(L"src") + L" " + Q(L"dst"), "y\nn\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::string copyRow = "copy\t" + U(L"src\\a.txt") + "\t" + U(L"dst\\a.txt") + "\n";
    EXPECT_EQ(r.out.substr(0, copyRow.size()), copyRow);
    EXPECT_EQ(tree.Exists(L"dst\\d.txt") + tree.Exists(L"dst\\e.txt"), 1);
    EXPECT_NE(r.err.find("Confirm file delete: Are you sure you want to delete '"), std::string::npos);
    EXPECT_NE(r.err.find("Sync files successed."), std::string::npos);
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "a");
}

TEST_F(Zolvsync, EndOfInputCancelsAndExitsOne) {
    tree.Write(L"dst\\d.txt", "d");
    ProcessResult r = Run(L"--delete " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(tree.Exists(L"dst\\d.txt"));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find("Sync files successed."), std::string::npos);
}

TEST_F(Zolvsync, MissingDestinationIsCreatedOnYesAndNotAtEndOfInput) {
    tree.Write(L"src\\f.txt", "f");
    ProcessResult no = Run(Q(L"src") + L" " + Q(L"made"));
    EXPECT_EQ(no.exitCode, 1);
    EXPECT_FALSE(tree.Exists(L"made"));

    ProcessResult yes = Run(L"--lang ja " + Q(L"src") + L" " + Q(L"made"), "y\n");
    EXPECT_EQ(yes.exitCode, 0) << yes.err;
    EXPECT_NE(yes.err.find(Utf8(L"転送先ﾌｫﾙﾀﾞ '")), std::string::npos);
    EXPECT_NE(yes.err.find(Utf8(L"ｱｯﾌﾟﾃﾞｰﾄは正常に終了しました")), std::string::npos);
    EXPECT_EQ(tree.Read(L"made\\f.txt"), "f");
}

TEST_F(Zolvsync, BackwardForceAndErrors) {
    tree.Write(L"dst\\back.txt", "b");
    tree.Write(L"src\\extra.txt", "x");
    ProcessResult r = Run(L"--backward --delete --force " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(tree.Read(L"src\\back.txt"), "b");
    EXPECT_FALSE(tree.Exists(L"src\\extra.txt"));
    EXPECT_NE(r.out.find("del\t" + U(L"src\\extra.txt") + "\t\n"), std::string::npos);

    ProcessResult missing = Run(L"--lang en " + Q(L"nowhere") + L" " + Q(L"dst"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Source folder '" + U(L"nowhere") + "' is not exist."), std::string::npos);

    for (const wchar_t* option : {L"--nonsense", L"-x"}) {
        ProcessResult bad = Run(std::wstring(option) + L" " + Q(L"src") + L" " + Q(L"dst"));
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_NE(bad.err.find("unknown option '" + Utf8(option) + "'"), std::string::npos) << bad.err;
        EXPECT_NE(bad.err.find("usage: zolvsync"), std::string::npos);
    }
}

TEST_F(Zolvsync, RunsANamedSetFromAnIniFile) {
    tree.Write(L"src\\a.txt", "a");
    tree.Write(L"dst\\old.txt", "o");
    std::string ini = "[Other]\r\nSRC=\"C:\\nowhere\"\r\nDST=\"C:\\nowhere2\"\r\n\r\n[Docs]\r\nSRC=\"" + U(L"src") +
                      "\"\r\nDST=\"" + U(L"dst") + "\"\r\nDELETE=Y\r\nFORCE=Y\r\n";
    tree.Write(L"sets.ini", ini);
    ProcessResult r = Run(L"--ini " + Q(L"sets.ini") + L" --set Docs");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "a");
    EXPECT_FALSE(tree.Exists(L"dst\\old.txt"));  // the set's DELETE and FORCE apply

    tree.Write(L"dst\\b.txt", "b");
    ProcessResult back = Run(L"--backward --ini " + Q(L"sets.ini") + L" --set Docs");
    EXPECT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(tree.Read(L"src\\b.txt"), "b");

    ProcessResult missing = Run(L"--ini " + Q(L"sets.ini") + L" --set Nothing");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("zolvsync: no set of that name in the INI file\n"), std::string::npos);

    ProcessResult unreadable = Run(L"--ini " + Q(L"none.ini") + L" --set Docs");
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_NE(unreadable.err.find("zolvsync: cannot read the INI file\n"), std::string::npos);

    // A file far larger than any set file, or a device, is not read at all.
    tree.Write(L"huge.ini", ini + std::string(2 * 1024 * 1024, ';'));
    for (const std::wstring& file : {Q(L"huge.ini"), std::wstring(L"NUL")}) {
        ProcessResult refused = Run(L"--ini " + file + L" --set Docs");
        EXPECT_EQ(refused.exitCode, 2) << refused.err;
        EXPECT_EQ(refused.err.rfind("zolvsync: the INI file ", 0), 0u) << refused.err;
    }
}

// Another name for the destination (a short name, the \\?\ and \\.\ forms) does not
// let a run delete its own source.
TEST_F(Zolvsync, ASourceInsideTheDestinationByAnotherNameIsRefused) {
    tree.Write(L"dst\\Source folder\\keep.txt", "k");
    wchar_t shortName[MAX_PATH];
    ASSERT_NE(GetShortPathNameW(tree.Path(L"dst\\Source folder").c_str(), shortName, MAX_PATH), 0u);
    for (const std::wstring& from : {std::wstring(shortName), L"\\\\?\\" + tree.Path(L"dst\\Source folder"),
                                     L"\\\\.\\" + tree.Path(L"dst\\Source folder")}) {
        ProcessResult r = Run(L"--delete --force --lang en \"" + from + L"\" " + Q(L"dst"));
        EXPECT_EQ(r.exitCode, 1) << Utf8(from);
        EXPECT_NE(r.err.find("overlap"), std::string::npos) << r.err;
    }
    EXPECT_EQ(tree.Read(L"dst\\Source folder\\keep.txt"), "k");
}

// A destination file in use: one message, naming it; the old copy stays.
TEST_F(Zolvsync, OneMessagePerFailureNamingTheFile) {
    tree.Write(L"src\\a.txt", "new");
    tree.SetWriteTime(L"src\\a.txt", MakeTime(2021, 1, 1));
    tree.Write(L"dst\\a.txt", "old");
    tree.SetWriteTime(L"dst\\a.txt", MakeTime(2020, 1, 1));
    HANDLE holder = CreateFileW(tree.Path(L"dst\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ProcessResult r = Run(L"--force --lang en " + Q(L"src") + L" " + Q(L"dst"));
    CloseHandle(holder);
    EXPECT_EQ(r.exitCode, 1);
    std::string error = "Error: " + U(L"dst\\a.txt") + " is in use\n";
    EXPECT_EQ(r.err.substr(0, error.size()), error);
    EXPECT_EQ(r.err.find("Error", 1), std::string::npos) << r.err;
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "old");
}

// Folders of 256 to 259 characters: the search of a folder has room beyond the path limit.
TEST_F(Zolvsync, FoldersUpToThePathLimitAreSynced) {
    std::wstring deep(258 - tree.Path(L"src").size(), L'f');  // src\deep: 259 characters
    tree.MakeFolder(L"src\\" + deep);
    std::wstring shorter(255 - tree.Path(L"src").size(), L'g');  // 256: room for a file "a"
    tree.Write(L"src\\" + shorter + L"\\a", "a");
    ProcessResult r = Run(L"--force " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(tree.IsFolder(L"dst\\" + deep));
    EXPECT_EQ(tree.Read(L"dst\\" + shorter + L"\\a"), "a");
}

// --dry-run prints the rows of a --force run and changes nothing; every run ends with a
// summary line on standard error.
TEST_F(Zolvsync, DryRunAndSummary) {
    tree.Write(L"src\\a.txt", "abc");
    tree.Write(L"dst\\gone.txt", "g");
    tree.Write(L"dst\\old\\x.txt", "x");
    ProcessResult dry = Run(L"--dry-run --delete " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_TRUE(tree.Exists(L"dst\\gone.txt") && tree.Exists(L"dst\\old") && !tree.Exists(L"dst\\a.txt"));
    EXPECT_NE(dry.err.find("zolvsync: dry run, nothing changed: 1 files copied (3 bytes), 1 files deleted, "
                           "1 folders removed, "),
              std::string::npos)
        << dry.err;

    ProcessResult real = Run(L"--force --delete " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(real.exitCode, 0) << real.err;
    EXPECT_EQ(real.out.size(), dry.out.size());
    for (const std::string& row : {"copy\t" + U(L"src\\a.txt") + "\t" + U(L"dst\\a.txt") + "\n",
                                   "del\t" + U(L"dst\\gone.txt") + "\t\n", "rmdir\t" + U(L"dst\\old") + "\t\n"}) {
        EXPECT_NE(dry.out.find(row), std::string::npos) << row;
        EXPECT_NE(real.out.find(row), std::string::npos) << row;
    }
    size_t summary = real.err.rfind("zolvsync: 1 files copied (3 bytes), 1 files deleted, 1 folders removed, ");
    ASSERT_NE(summary, std::string::npos) << real.err;
    EXPECT_EQ(real.err.find('\n', summary), real.err.size() - 1);  // the last line
}

// A mirror from an empty source (a card not inserted, or one holding folders but no file)
// asks first, even with --force, which refuses it unless --allow-empty-source is given; No
// deletes nothing.
TEST_F(Zolvsync, AnEmptySourceIsAskedAboutBeforeTheDestinationIsEmptied) {
    tree.Write(L"dst\\a.txt", "a");
    tree.Write(L"dst\\sub\\b.txt", "b");
    const std::string question = "'" + U(L"src") + "' is empty. Delete everything in '" + U(L"dst") + "'?";
    ProcessResult no = Run(L"--delete --lang en " + Q(L"src") + L" " + Q(L"dst"), "n\n");
    EXPECT_EQ(no.exitCode, 1);
    EXPECT_NE(no.err.find("Confirm empty source folder: " + question), std::string::npos) << no.err;
    ProcessResult forced = Run(L"--delete --force --lang en " + Q(L"src") + L" " + Q(L"dst"), "y\n");
    EXPECT_EQ(forced.exitCode, 1);
    EXPECT_NE(forced.err.find(question), std::string::npos) << forced.err;
    EXPECT_NE(forced.err.find("--allow-empty-source"), std::string::npos) << forced.err;
    EXPECT_TRUE(tree.Exists(L"dst\\a.txt") && tree.Exists(L"dst\\sub\\b.txt"));
    EXPECT_EQ(no.out + forced.out, "");

    ProcessResult allowed = Run(L"--delete --force --allow-empty-source " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(allowed.exitCode, 0) << allowed.err;
    EXPECT_FALSE(tree.Exists(L"dst\\a.txt") || tree.Exists(L"dst\\sub"));

    // Folders but no file (a freshly formatted card), or only excluded files: as empty. A
    // destination that holds no file either loses nothing and is not asked about.
    tree.MakeFolder(L"src\\DCIM");
    tree.Write(L"src\\x.obj", "o");
    tree.Write(L"dst\\DCIM\\photo.jpg", "p");
    ProcessResult card = Run(L"--delete --force --exclude-obj --lang en " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(card.exitCode, 1);
    EXPECT_NE(card.err.find(question), std::string::npos) << card.err;
    EXPECT_TRUE(tree.Exists(L"dst\\DCIM\\photo.jpg"));
    DeleteFileW(tree.Path(L"dst\\DCIM\\photo.jpg").c_str());
    tree.MakeFolder(L"dst\\old");
    ProcessResult nothing = Run(L"--delete --force --exclude-obj " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(nothing.exitCode, 0) << nothing.err;
    EXPECT_FALSE(tree.Exists(L"dst\\old"));
}

// --max-delete N: a dry deletion pass counts first (what a removed folder holds included);
// above N nothing at all is deleted.
TEST_F(Zolvsync, MaxDeleteDeletesAllOrNothing) {
    tree.Write(L"src\\keep.txt", "k");
    tree.Write(L"dst\\keep.txt", "k");
    for (const wchar_t* name : {L"dst\\x1.txt", L"dst\\x2.txt", L"dst\\old\\1.txt", L"dst\\old\\2.txt"})
        tree.Write(name, "x");
    ProcessResult over = Run(L"--delete --force --lang en --max-delete 4 " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_NE(over.err.find("Error: The deletion pass would delete 5 entries, more than the 4 allowed; nothing was "
                            "deleted."),
              std::string::npos)
        << over.err;
    EXPECT_EQ(over.out, "");
    EXPECT_TRUE(tree.Exists(L"dst\\x1.txt") && tree.Exists(L"dst\\x2.txt") && tree.Exists(L"dst\\old\\2.txt"));

    ProcessResult within = Run(L"--delete --force --max-delete 5 " + Q(L"src") + L" " + Q(L"dst"));
    EXPECT_EQ(within.exitCode, 0) << within.err;
    EXPECT_FALSE(tree.Exists(L"dst\\x1.txt") || tree.Exists(L"dst\\x2.txt") || tree.Exists(L"dst\\old"));
    EXPECT_TRUE(tree.Exists(L"dst\\keep.txt"));

    for (const wchar_t* bad : {L"--max-delete -1 ", L"--max-delete many ", L"--max-delete "}) {
        ProcessResult refused = Run(std::wstring(bad) + Q(L"src") + L" " + Q(L"dst"));
        EXPECT_EQ(refused.exitCode, 2) << Utf8(bad);
    }
}

// --log appends each run: a line naming it, its rows as on standard output, its summary.
TEST_F(Zolvsync, LogAppendsEachRunToAFile) {
    tree.Write(L"src\\a.txt", "a");
    const std::wstring arguments = L"--log " + Q(L"run.log") + L" " + Q(L"src") + L" " + Q(L"dst");
    ProcessResult first = Run(arguments);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    ASSERT_EQ(Run(arguments).exitCode, 0);
    const std::string log = tree.Read(L"run.log");
    const std::string header = "# " + U(L"src") + " > " + U(L"dst") + "\tForward\t";
    EXPECT_EQ(log.compare(0, header.size(), header), 0) << log;
    EXPECT_NE(log.find("\r\ncopy\t" + U(L"src\\a.txt") + "\t" + U(L"dst\\a.txt") + "\r\n# zolvsync: 1 files copied"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\r\n" + header), std::string::npos);  // the second run, appended
    EXPECT_NE(log.find("# zolvsync: 0 files copied"), std::string::npos);
    EXPECT_EQ(Run(L"--log " + Q(L"no\\such\\run.log") + L" " + Q(L"src") + L" " + Q(L"dst")).exitCode, 2);
}
