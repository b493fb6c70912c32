#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/paths.h"
#include "scripted_host.h"
#include "sync/file_ops.h"
#include "sync/folder_overlap.h"
#include "sync/name_rules.h"
#include "temp_tree.h"

namespace {

std::wstring Join(const wchar_t* base, const wchar_t* name) {
    PathBuffer out;
    EXPECT_TRUE(JoinPath(out, base, name));
    return out;
}

std::wstring Parent(const wchar_t* path, bool* changed = nullptr) {
    PathBuffer buffer;
    CopyPath(buffer, path);
    bool result = ParentFolder(buffer);
    if (changed) *changed = result;
    return buffer;
}

}  // namespace

TEST(PathJoin, AddsOneSeparatorOnlyWhereNeeded) {
    EXPECT_EQ(Join(L"\\", L"*.*"), L"\\*.*");
    EXPECT_EQ(Join(L"\\a", L"b"), L"\\a\\b");
    EXPECT_EQ(Join(L"\\a\\", L"b"), L"\\a\\b");
    EXPECT_EQ(Join(L"\\a", L""), L"\\a");
    EXPECT_EQ(Join(L"", L"b"), L"b");
}

TEST(PathJoin, RefusesWhatWouldNotFitAndNeverWritesPastTheBuffer) {
    std::wstring base(250, L'x');
    PathBuffer out;
    out[kPathChars - 1] = L'#';
    EXPECT_TRUE(JoinPath(out, base.c_str(), L"12345678"));  // 259 characters: fits
    EXPECT_EQ(wcslen(out), 259u);
    EXPECT_FALSE(JoinPath(out, base.c_str(), L"123456789"));  // 260: refused
    EXPECT_EQ(out[0], L'\0');
    std::wstring tooLongBase(300, L'y');
    EXPECT_FALSE(JoinPath(out, tooLongBase.c_str(), L""));
}

TEST(PathNames, BaseNameSplitAndExtensions) {
    EXPECT_STREQ(BaseName(L"\\a\\b\\"), L"b\\");
    EXPECT_STREQ(BaseName(L"name"), L"name");
    EXPECT_STREQ(BaseName(L"\\a\\b.txt"), L"b.txt");

    PathBuffer folder, name;
    EXPECT_TRUE(SplitPath(L"\\name", folder, name));
    EXPECT_STREQ(folder, L"\\");
    EXPECT_STREQ(name, L"name");
    EXPECT_TRUE(SplitPath(L"\\x\\y\\Report.EXE", folder, name));
    EXPECT_STREQ(folder, L"\\x\\y");
    EXPECT_STREQ(name, L"Report.EXE");
    EXPECT_FALSE(SplitPath(L"plain", folder, name));
    EXPECT_STREQ(folder, L"");
    EXPECT_STREQ(name, L"plain");

    EXPECT_STREQ(ExtensionTail(L"\\dir.old\\readme"), L".old\\readme");
    EXPECT_STREQ(ExtensionTail(L"\\dir\\readme"), L"");
    EXPECT_FALSE(HasExtension(L"\\dir.old\\readme", L".obj"));
    EXPECT_TRUE(HasExtension(L"\\x\\Y.OBJ", L".obj"));
    EXPECT_FALSE(HasExtension(L"\\x\\main.obj.bak", L".obj"));
    EXPECT_TRUE(IsProgramFile(L"Setup.Exe"));
    EXPECT_FALSE(IsProgramFile(L"exe"));
}

TEST(PathNames, ParentFolder) {
    bool changed = false;
    EXPECT_EQ(Parent(L"\\a\\b"), L"\\a");
    EXPECT_EQ(Parent(L"\\a"), L"\\");
    EXPECT_EQ(Parent(L"\\a\\b\\"), L"\\a\\b");
    EXPECT_EQ(Parent(L"name", &changed), L"");
    EXPECT_TRUE(changed);
    EXPECT_EQ(Parent(L"\\", &changed), L"\\");
    EXPECT_FALSE(changed);
    EXPECT_EQ(Parent(L"\\\\", &changed), L"\\\\");
    EXPECT_FALSE(changed);
    EXPECT_EQ(Parent(L"\\\\server"), L"\\\\");
    EXPECT_EQ(Parent(L"C:\\x"), L"C:");
    EXPECT_EQ(Parent(L"a\\x"), L"a");
}

TEST(PathOverlap, SameOrNestedFoldersInAnyCase) {
    EXPECT_TRUE(FoldersOverlap(L"C:\\Data", L"c:\\data\\"));
    EXPECT_TRUE(FoldersOverlap(L"C:\\Data", L"C:\\DATA\\backup"));
    EXPECT_TRUE(FoldersOverlap(L"C:\\Data\\sub", L"C:\\Data"));
    EXPECT_FALSE(FoldersOverlap(L"C:\\Data", L"C:\\Data2"));
    EXPECT_FALSE(FoldersOverlap(L"C:\\Data2", L"C:\\Data"));
    EXPECT_FALSE(FoldersOverlap(L"C:\\a\\x", L"C:\\b\\x"));
}

// Other names for the same folder: what they point to decides, also for a folder that
// does not exist yet below one of them.
TEST(PathOverlap, OtherNamesForTheSameFolder) {
    TempTree tree;
    tree.MakeFolder(L"Long folder name\\inner");
    tree.MakeFolder(L"other");
    std::wstring outer = tree.Path(L"Long folder name");
    wchar_t shortName[MAX_PATH];
    ASSERT_NE(GetShortPathNameW(outer.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::wstring(shortName), outer);
    for (const std::wstring& alias : {std::wstring(shortName), L"\\\\?\\" + outer, L"\\\\.\\" + outer}) {
        EXPECT_TRUE(FoldersOverlap(alias.c_str(), outer.c_str())) << alias;
        EXPECT_TRUE(FoldersOverlap((alias + L"\\inner").c_str(), outer.c_str())) << alias;
        EXPECT_TRUE(FoldersOverlap(outer.c_str(), (alias + L"\\inner\\not yet").c_str())) << alias;
        EXPECT_FALSE(FoldersOverlap(alias.c_str(), tree.Path(L"other").c_str())) << alias;
    }
}

TEST(PathOnDisk, ExistsAndFolderTests) {
    TempTree tree;
    tree.Write(L"file.txt", "x");
    EXPECT_TRUE(PathExists(tree.Path(L"file.txt").c_str()));
    EXPECT_FALSE(IsFolder(tree.Path(L"file.txt").c_str()));
    EXPECT_TRUE(IsFolder(tree.Root().c_str()));
    EXPECT_FALSE(PathExists(L""));
    EXPECT_FALSE(IsFolder(L""));
    EXPECT_FALSE(PathExists(tree.Path(L"missing").c_str()));

    FILETIME time;
    tree.SetWriteTime(L"file.txt", MakeTime(2020, 5, 6, 7, 8, 9));
    ASSERT_TRUE(GetLastWriteTime(tree.Path(L"file.txt").c_str(), &time));
    FILETIME expected = MakeTime(2020, 5, 6, 7, 8, 9);
    EXPECT_EQ(CompareFileTime(&time, &expected), 0);
    EXPECT_FALSE(GetLastWriteTime(tree.Path(L"missing").c_str(), &time));
}

TEST(FolderCreation, CreatesTheMissingChainAndReportsFailures) {
    TempTree tree;
    ScriptedHost host;
    EXPECT_TRUE(CreateFolderPath(host, tree.Path(L"a\\b\\c").c_str()));
    EXPECT_TRUE(tree.IsFolder(L"a\\b\\c"));
    EXPECT_TRUE(CreateFolderPath(host, tree.Path(L"a\\b").c_str()));  // already there

    EXPECT_FALSE(CreateFolderPath(host, L"nodelimiter"));
    EXPECT_TRUE(host.events.empty());

    // A file in the way is named, whether it is the folder itself or one of its parents.
    tree.Write(L"file", "x");
    EXPECT_FALSE(CreateFolderPath(host, tree.Path(L"file").c_str()));
    EXPECT_FALSE(CreateFolderPath(host, tree.Path(L"file\\below").c_str()));
    std::wstring inTheWay = L"error:Can't create the folder '" + tree.Path(L"file") +
                            L"': a file of that name is in the way.";
    EXPECT_EQ(host.events, (std::vector<std::wstring>{inTheWay, inTheWay}));
    host.events.clear();

    std::wstring orphan = tree.Path(L"missing\\child");
    EXPECT_FALSE(CreateFolderReport(host, orphan.c_str()));
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0], L"error:Can't find the path specified. '" + orphan + L"'");
}

// Names a Windows folder cannot hold as they stand, and names it cannot tell apart.
TEST(NameRules, TellUnusableNamesAndCaseTwins) {
    for (const wchar_t* name : {L"a.txt", L".profile", L"a b", L"CONSOLE", L"COM0", L"nul_", L"aux-1.txt", L"LPT"}) {
        EXPECT_EQ(CheckName(name), NameFault::None) << name;
    }
    EXPECT_EQ(CheckName(L"..\\victim.txt"), NameFault::Separator);
    EXPECT_EQ(CheckName(L"a/b"), NameFault::Separator);
    EXPECT_EQ(CheckName(L".."), NameFault::Separator);
    for (const wchar_t* name : {L"a\nb", L"a<0A>b", L"a:b", L"w?", L"*", L"p|q", L"\"q\""}) {
        EXPECT_EQ(CheckName(name), NameFault::Character) << name;
    }
    for (const wchar_t* name : {L"x.", L"x ", L"x.txt.", L"..."}) EXPECT_EQ(CheckName(name), NameFault::TrailingDotOrSpace);
    for (const wchar_t* name : {L"nul", L"CON", L"Aux.txt", L"com1", L"LPT9.tar.gz", L"prn.x"}) {
        EXPECT_EQ(CheckName(name), NameFault::DeviceName) << name;
    }

    NameSet names(NameSet::Case::Ignored);
    EXPECT_TRUE(names.Insert(L"Index.html"));
    EXPECT_FALSE(names.Insert(L"index.HTML"));
    EXPECT_TRUE(names.Insert(L"index.htm"));
    EXPECT_TRUE(names.Insert(L"\u00C4pfel"));
    EXPECT_FALSE(names.Insert(L"\u00E4pfel"));  // a capital beyond ASCII
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(names.Insert((L"f" + std::to_wstring(i)).c_str()));
    EXPECT_FALSE(names.Insert(L"F999"));
    NameSet exact(NameSet::Case::Kept);
    EXPECT_TRUE(exact.Insert(L"a") && exact.Insert(L"A") && exact.Contains(L"A") && !exact.Contains(L"b"));
}
