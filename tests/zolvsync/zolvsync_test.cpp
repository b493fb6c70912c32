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

    ProcessResult bad = Run(L"--nonsense");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("usage: zolvsync"), std::string::npos);
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
    EXPECT_NE(missing.err.find("no set of that name"), std::string::npos);
}
