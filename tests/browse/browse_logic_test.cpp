#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "browse/drive_items.h"
#include "browse/folder_codes.h"
#include "browse/folder_listing.h"
#include "browse/folder_names.h"
#include "temp_tree.h"

namespace {

class Language : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { UiLanguage = GetParam(); }
    void TearDown() override { UiLanguage = kLanguageEnglish; }
};

std::wstring Chosen(const std::wstring& parent, const std::set<std::wstring>& taken) {
    PathBuffer out;
    if (!ChooseNewFolderPath(out, parent.c_str(), [&](const wchar_t* p) { return taken.count(p) != 0; }))
        return L"<refused>";
    return out;
}

}  // namespace

TEST(FolderCodes, SpecialRowsOrdinaryCodesAndTheirBits) {
    for (int row = 0; row < kSpecialFolderCount; ++row) {
        const SpecialFolder& special = kSpecialFolders[row];
        EXPECT_EQ(static_cast<int>(special.code & kCodeRowMask), row);
        EXPECT_TRUE(IsSpecialCode(special.code));
        EXPECT_EQ(special.code & kCanEditLabel, 0u) << row;
        EXPECT_EQ(&SpecialFolderOf(special.code), &special);
    }
    // Only My Device and My Documents take new folders among the special items.
    EXPECT_TRUE(kCodeMyDevice & kCanHoldNewFolder);
    EXPECT_TRUE(kCodeMyDocuments & kCanHoldNewFolder);
    EXPECT_FALSE(kCodeDesktop & kCanHoldNewFolder);
    EXPECT_FALSE(kCodeFindResult & kCanHoldNewFolder);
    for (UINT code : {kFolderLoaded, kFolderPending}) {
        EXPECT_FALSE(IsSpecialCode(code));
        EXPECT_TRUE(code & kCanHoldNewFolder);
        EXPECT_TRUE(code & kCanEditLabel);
    }
    EXPECT_EQ(OrdinaryCode(true), kFolderPending);
    EXPECT_EQ(OrdinaryCode(false), kFolderLoaded);
    EXPECT_STREQ(SpecialFolderOf(kCodeDesktop).path, L"");
    EXPECT_STREQ(SpecialFolderOf(kCodeMyDevice).path, L"\\");
    EXPECT_STREQ(SpecialFolderOf(kCodeMyDocuments).path, L"\\My Documents");
    // A PC drive: special (a path ends there, no rename or delete), takes new folders, and
    // its code carries its letter.
    for (wchar_t letter : {L'A', L'C', L'Z'}) {
        for (bool pending : {true, false}) {
            const UINT code = DriveCode(letter, pending);
            EXPECT_TRUE(IsSpecialCode(code) && IsDriveCode(code));
            EXPECT_TRUE(code & kCanHoldNewFolder);
            EXPECT_FALSE(code & kCanEditLabel);
            EXPECT_EQ(DriveLetterOf(code), letter);
            EXPECT_EQ((code & kDrivePending) != 0, pending);
            PathBuffer root;
            DriveRootOf(code, root);
            EXPECT_EQ(std::wstring(root), std::wstring(1, letter) + L":\\");
        }
    }
    for (const SpecialFolder& special : kSpecialFolders) EXPECT_FALSE(IsDriveCode(special.code));
}

TEST(FolderNames, PrependBuildsPathsUpwardAndRefusesWhatDoesNotFit) {
    PathBuffer path = L"";
    EXPECT_TRUE(PrependPath(path, L"Notes"));
    EXPECT_TRUE(PrependPath(path, L"Work"));
    EXPECT_TRUE(PrependPath(path, L"\\"));
    EXPECT_STREQ(path, L"\\Work\\Notes");
    PathBuffer root = L"";
    EXPECT_TRUE(PrependPath(root, L"\\"));
    EXPECT_STREQ(root, L"\\");
    PathBuffer desktop = L"";
    EXPECT_TRUE(PrependPath(desktop, L""));
    EXPECT_STREQ(desktop, L"");

    std::wstring label(200, L'x');
    PathBuffer deep = L"";
    EXPECT_TRUE(PrependPath(deep, label.c_str()));
    EXPECT_FALSE(PrependPath(deep, label.c_str()));
    EXPECT_STREQ(deep, L"");
    PathBuffer exact = L"";
    std::wstring fits(kPathChars - 2, L'y');  // "\" + 258 characters + terminator
    EXPECT_TRUE(PrependPath(exact, fits.c_str()));
    EXPECT_TRUE(PrependPath(exact, L"\\"));
    EXPECT_EQ(wcslen(exact), kPathChars - 1);
    EXPECT_FALSE(PrependPath(exact, L"z"));

    // Special paths from the root take the device root's prefix (empty on the device).
    PathBuffer rooted;
    EXPECT_TRUE(RootedPath(rooted, L"C:", L"\\My Documents"));
    EXPECT_STREQ(rooted, L"C:\\My Documents");
    EXPECT_TRUE(RootedPath(rooted, L"", L"\\"));
    EXPECT_STREQ(rooted, L"\\");
    for (const wchar_t* unrooted : {L"", L"\\\\", L"*RESULT"}) {
        EXPECT_TRUE(RootedPath(rooted, L"C:", unrooted));
        EXPECT_STREQ(rooted, unrooted);
    }
    EXPECT_FALSE(RootedPath(rooted, std::wstring(kPathChars - 2, L'p').c_str(), L"\\x"));
    EXPECT_STREQ(rooted, L"");
}

TEST_P(Language, NewFolderNumberingSkipsOneAndTakesTheFirstGap) {
    const std::wstring base = UiLanguage ? L"新しいフォルダ" : L"New Folder";
    EXPECT_EQ(Chosen(L"\\Work", {}), L"\\Work\\" + base);
    EXPECT_EQ(Chosen(L"\\", {L"\\" + base}), L"\\" + base + L" (2)");
    EXPECT_EQ(Chosen(L"\\", {L"\\" + base, L"\\" + base + L" (2)", L"\\" + base + L" (4)"}),
              L"\\" + base + L" (3)");
    // After the second is deleted, the next is again (2).
    EXPECT_EQ(Chosen(L"\\", {L"\\" + base, L"\\" + base + L" (3)"}), L"\\" + base + L" (2)");
    EXPECT_EQ(Chosen(L"", {}), base);
    std::wstring longParent = L"\\" + std::wstring(kPathChars - 8, L'p');
    EXPECT_EQ(Chosen(longParent, {}), L"<refused>");
}

TEST_P(Language, MoveErrorTexts) {
    wchar_t text[kMessageChars];
    MoveErrorText(ERROR_SHARING_VIOLATION, L"\\Work", text);
    EXPECT_STREQ(text, UiLanguage ? L"\\Work は使用中です" : L"\\Work is in use");
    MoveErrorText(ERROR_DISK_FULL, L"\\Work", text);
    EXPECT_STREQ(text, UiLanguage ? L"ﾃﾞｨｽｸがいっぱいです" : L"There is not enough space on the disk");
    MoveErrorText(ERROR_ALREADY_EXISTS, L"\\Work", text);
    EXPECT_STREQ(text, L"Error Move file 183");
}

TEST_P(Language, DriveItemsAreWordedLikeExplorersAndPictured) {
    const bool ja = UiLanguage != kLanguageEnglish;
    auto label = [](wchar_t letter, DriveKind kind, const wchar_t* volume) {
        PcDrive drive;
        drive.letter = letter;
        drive.kind = kind;
        wcscpy(drive.volumeLabel, volume);
        PathBuffer out;
        DriveLabel(drive, out);
        return std::wstring(out);
    };
    EXPECT_EQ(label(L'C', DriveKind::Fixed, L""), ja ? L"ﾛｰｶﾙ ﾃﾞｨｽｸ (C:)" : L"Local Disk (C:)");
    EXPECT_EQ(label(L'D', DriveKind::Fixed, L"System"), L"System (D:)");
    EXPECT_EQ(label(L'E', DriveKind::Optical, L""), ja ? L"CD ﾄﾞﾗｲﾌﾞ (E:)" : L"CD Drive (E:)");
    EXPECT_EQ(label(L'F', DriveKind::Removable, L""), ja ? L"ﾘﾑｰﾊﾞﾌﾞﾙ ﾃﾞｨｽｸ (F:)" : L"Removable Disk (F:)");
    EXPECT_EQ(label(L'N', DriveKind::Network, L""), ja ? L"ﾈｯﾄﾜｰｸ ﾄﾞﾗｲﾌﾞ (N:)" : L"Network Drive (N:)");
    PcDrive drive;
    drive.kind = DriveKind::Removable;
    EXPECT_EQ(DriveImage(drive), kImageRemovableDrive);
    drive.kind = DriveKind::Fixed;
    EXPECT_EQ(DriveImage(drive), kImageDrive);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Language, ::testing::Values(kLanguageEnglish, kLanguageJapanese));

TEST(FolderNames, OnlyPlainNamesBecomeFolderNames) {
    for (const wchar_t* good : {L"Work", L"New Folder (2)", L"a.b", L"ﾏｲ ﾌｫﾙﾀﾞ", L".hidden"})
        EXPECT_TRUE(IsAcceptableFolderName(good)) << good;
    for (const wchar_t* bad : {L"", L".", L"..", L"a\\b", L"\\", L"a/b", L"*", L"a?", L"c:", L"x|y", L"<a>", L"\"q\""})
        EXPECT_FALSE(IsAcceptableFolderName(bad)) << bad;
    EXPECT_FALSE(IsAcceptableFolderName(nullptr));
}

TEST(FolderListing, OneLevelFoldersOnly) {
    TempTree tree;
    tree.MakeFolder(L"a\\deep");
    tree.MakeFolder(L"b");
    tree.Write(L"file.txt", "x");
    tree.Write(L"b\\only-file.txt", "x");
    std::vector<std::wstring> names;
    EXPECT_TRUE(ForEachSubfolder(tree.Root().c_str(), [&](const wchar_t* name) { names.push_back(name); }));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a", L"b"}));

    EXPECT_TRUE(HasSubfolders(tree.Root().c_str()));
    EXPECT_TRUE(HasSubfolders(tree.Path(L"a").c_str()));
    EXPECT_FALSE(HasSubfolders(tree.Path(L"b").c_str()));       // files only
    EXPECT_FALSE(HasSubfolders(tree.Path(L"a\\deep").c_str())); // empty
    EXPECT_FALSE(HasSubfolders(tree.Path(L"missing").c_str()));
    EXPECT_FALSE(ForEachSubfolder(tree.Path(L"missing").c_str(), [](const wchar_t*) {}));

    EXPECT_TRUE(IsEmptyFolder(tree.Path(L"a\\deep").c_str()));
    EXPECT_FALSE(IsEmptyFolder(tree.Path(L"b").c_str()));
    EXPECT_FALSE(IsEmptyFolder(tree.Path(L"a").c_str()));
    EXPECT_FALSE(IsEmptyFolder(tree.Path(L"missing").c_str()));
}
