#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "sets/ini_codec.h"
#include "temp_tree.h"

namespace {

std::vector<SetFields> ReadAll(const TempTree& tree, const std::string& content) {
    tree.Write(L"sets.ini", content);
    std::vector<SetFields> sets;
    EXPECT_TRUE(ReadSetFile(tree.Path(L"sets.ini").c_str(), [&](const SetFields& s) { sets.push_back(s); }));
    return sets;
}

std::string Stripped(std::string text) {
    StripSetValue(text.data());
    return text.c_str();
}

}  // namespace

TEST(IniCodec, KeysMatchWithoutCaseAtTheLineStartOnly) {
    EXPECT_EQ(KeyMatches("src=\"x\"", "SRC=", 4), 0);
    EXPECT_EQ(KeyMatches("ExcludeObj=Y", "EXCLUDEOBJ=", 11), 0);
    EXPECT_NE(KeyMatches(" SRC=x", "SRC=", 4), 0);
    EXPECT_NE(KeyMatches("SRC", "SRC=", 4), 0);  // the line ends first
    EXPECT_NE(KeyMatches("SRCX", "SRC=", 4), 0);
}

TEST(IniCodec, StripDropsMarksKeepsEscapedOnesAndStopsAtTheLineEnd) {
    // Lead bytes are those of the system's code page, whatever the interface language.
    const bool doubleByte = IsDBCSLeadByteEx(CP_ACP, 0x83) != FALSE;
    for (int language : {kLanguageEnglish, kLanguageJapanese}) {
        UiLanguage = language;
        EXPECT_EQ(Stripped("\"C:\\a [b]\\c\"\r\nrest"), "C:\\a b\\c");
        EXPECT_EQ(Stripped("  keep blanks  "), "  keep blanks  ");
        EXPECT_EQ(Stripped("\"a <[>b<]> <\">c<\"> <<> <> <x> <[\""), "a [b] \"c\" < <> <x> <");
        // A lead byte and its trail byte travel as a pair; elsewhere the ']' is dropped.
        EXPECT_EQ(Stripped("\x83]x"), doubleByte ? "\x83]x" : "\x83x");
        EXPECT_EQ(Stripped("ab\x83"), "ab\x83");  // a lead byte at the end is copied alone
    }
    UiLanguage = kLanguageEnglish;
}

TEST(IniCodec, ReadsSectionsKeysAndFlags) {
    std::vector<SetFields> sets = ReadAll(TempTree(), "");
    EXPECT_TRUE(sets.empty());

    TempTree tree;
    sets = ReadAll(tree,
                   "SRC=\"before any section\"\r\n"
                   "[Photos]\r\n"
                   "SRC=\"C:\\Pictures\"\r\n"
                   "dst=\"D:\\Backup\"\r\n"
                   "DELETE=y\r\n"
                   "DELETE=N\r\n"      // a later N does not undo an earlier Y
                   "DOSTIME= Y\r\n"    // a blank before the letter gives 0
                   "FORCE=Yes\r\n"
                   "; comment\r\n"
                   "UNKNOWN=1\r\n"
                   "\r\n"
                   "[\"\"]\r\n"        // empty after stripping: dropped with its keys
                   "SRC=\"lost\"\r\n"
                   "[Photos]\r\n"      // duplicate names are distinct sets
                   "SRC= \"C:\\x\"\r\n"
                   "EXCLUDEOBJ=Y");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_STREQ(sets[0].name, L"Photos");
    EXPECT_STREQ(sets[0].source, L"C:\\Pictures");
    EXPECT_STREQ(sets[0].destination, L"D:\\Backup");
    EXPECT_EQ(sets[0].deleteAfterCopy, 1);
    EXPECT_EQ(sets[0].dosTime, 0);
    EXPECT_EQ(sets[0].force, 1);
    EXPECT_EQ(sets[0].excludeObj, 0);
    EXPECT_STREQ(sets[1].name, L"Photos");
    EXPECT_STREQ(sets[1].source, L" C:\\x");  // values are not trimmed
    EXPECT_STREQ(sets[1].destination, L"");
    EXPECT_EQ(sets[1].excludeObj, 1);
}

TEST(IniCodec, LongLinesArriveInPiecesAndLongValuesAreCut) {
    TempTree tree;
    std::string longValue(1100, 'v');
    std::vector<SetFields> sets = ReadAll(tree, "[S]\r\nSRC=\"" + longValue + "\"\r\nDST=\"" +
                                                    std::string(1019, 'w') + "[x]\r\n");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(std::wstring(sets[0].source), std::wstring(259, L'v'));  // cut, still terminated
    // The DST line is longer than 1023 bytes: its continuation starts with neither a key nor
    // '[' and is ignored.
    EXPECT_EQ(std::wstring(sets[0].destination), std::wstring(259, L'w'));

    // A continuation that happens to start with '[' opens a new section.
    sets = ReadAll(tree, "[A]\r\nSRC=\"" + std::string(1018, 's') + "[B]\r\nDST=\"d\"\r\n");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_STREQ(sets[1].name, L"B");
    EXPECT_STREQ(sets[1].destination, L"d");
}

TEST(IniCodec, WritesTheFormatAndReadsItBack) {
    SetFields set;
    ClearSetFields(set);
    wcscpy(set.name, L"Work [old]");
    wcscpy(set.source, L"\\My Documents\\\"quoted\"");
    wcscpy(set.destination, L"\\Storage Card\\Work");
    set.deleteAfterCopy = 1;
    set.excludeObj = 7;  // any non-zero value is Y
    std::string text = FormatSetSection(set);
    // Inside a value the marks are escaped; a reader that drops them finds a path with '<'
    // and '>', which names no folder.
    EXPECT_EQ(text,
              "[Work <[>old<]>]\r\nSRC=\"\\My Documents\\<\">quoted<\">\"\r\nDST=\"\\Storage Card\\Work\"\r\n"
              "DELETE=Y\r\nDOSTIME=N\r\nFORCE=N\r\nEXCLUDEOBJ=Y\r\n\r\n");

    TempTree tree;
    std::vector<SetFields> sets = ReadAll(tree, text);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_STREQ(sets[0].name, L"Work [old]");
    EXPECT_STREQ(sets[0].source, L"\\My Documents\\\"quoted\"");
    EXPECT_STREQ(sets[0].destination, L"\\Storage Card\\Work");
    EXPECT_EQ(sets[0].deleteAfterCopy, 1);
    EXPECT_EQ(sets[0].excludeObj, 1);

    // What looks like an escape comes back as it stands; a value of marks only still fits a line.
    for (const std::wstring& odd : {std::wstring(L"<<> <[> <x>"), std::wstring(259, L'"')}) {
        wcscpy(set.destination, odd.c_str());
        sets = ReadAll(tree, FormatSetSection(set));
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0].destination, odd);
    }
    wcscpy(set.destination, L"D:\\<x> <>");  // no marks: written as it stands
    EXPECT_NE(FormatSetSection(set).find("DST=\"D:\\<x> <>\"\r\n"), std::string::npos);
}

TEST(IniCodec, TextTheAnsiCodePageCannotHoldIsWrittenAsUtf8AndReadBack) {
    SetFields plain, foreign;
    ClearSetFields(plain);
    ClearSetFields(foreign);
    wcscpy(plain.name, L"Plain");
    wcscpy(plain.source, L"C:\\a");
    // Kanji, kana and Hangul: no ANSI code page holds them all.
    wcscpy(foreign.name, L"写真 ｾｯﾄ 새");
    wcscpy(foreign.source, L"C:\\ﾃﾞｰﾀ\\새 폴더");
    wcscpy(foreign.destination, std::wstring(259, L'\x5199').c_str());  // the longest value: 777 bytes
    foreign.force = 1;
    EXPECT_TRUE(FitsAnsi(plain));
    EXPECT_FALSE(FitsAnsi(foreign));
    auto file = [](std::vector<SetFields> sets) {
        return FormatSetFile(static_cast<int>(sets.size()), [&](int i, SetFields& set) { set = sets[i]; });
    };
    EXPECT_EQ(file({plain}), FormatSetSection(plain));  // ANSI, byte for byte as ever

    const std::string text = file({plain, foreign});
    EXPECT_EQ(text.rfind(std::string(kUtf8Bom) + "[Plain]\r\n", 0), 0u);
    TempTree tree;
    for (int language : {kLanguageEnglish, kLanguageJapanese}) {  // no Shift-JIS pairs in UTF-8
        UiLanguage = language;
        std::vector<SetFields> sets = ReadAll(tree, text);
        ASSERT_EQ(sets.size(), 2u);
        EXPECT_STREQ(sets[0].name, L"Plain");
        EXPECT_STREQ(sets[1].name, foreign.name);
        EXPECT_STREQ(sets[1].source, foreign.source);
        EXPECT_STREQ(sets[1].destination, foreign.destination);
        EXPECT_EQ(sets[1].force, 1);

        // A byte the Japanese reading takes for a lead byte would swallow the closing quote.
        SetFields accent = plain;
        wcscpy(accent.source, L"C:\\café");
        sets = ReadAll(tree, file({accent}));
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_STREQ(sets[0].source, L"C:\\café");
    }
    UiLanguage = kLanguageEnglish;
}

TEST(IniCodec, AFileThatCannotBeReadWhollyGivesItsReason) {
    TempTree tree;
    EXPECT_FALSE(ReadSetFile(tree.Path(L"none.ini").c_str(), [](const SetFields&) {}));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    // Larger than any set file: refused before a single set is read.
    std::string huge = "[A]\r\n";
    huge.resize(kMaxSetFileBytes + 1, ' ');
    tree.Write(L"huge.ini", huge);
    int seen = 0;
    EXPECT_FALSE(ReadSetFile(tree.Path(L"huge.ini").c_str(), [&](const SetFields&) { ++seen; }));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
    EXPECT_EQ(seen, 0);

    // Locked by another program.
    tree.Write(L"locked.ini", "[A]\r\n");
    HANDLE lock = CreateFileW(tree.Path(L"locked.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ReadSetFile(tree.Path(L"locked.ini").c_str(), [](const SetFields&) {}));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(lock);
}

TEST(IniCodec, TheKeepVerifyAndExcludeLinesAreWrittenOnlyWhenSetSoOldFilesStayAsTheyWere) {
    SetFields set;
    ClearSetFields(set);
    wcscpy(set.name, L"K");
    const std::string plain = "[K]\r\nSRC=\"\"\r\nDST=\"\"\r\nDELETE=N\r\nDOSTIME=N\r\nFORCE=N\r\nEXCLUDEOBJ=N\r\n\r\n";
    EXPECT_EQ(FormatSetSection(set), plain);
    set.keep = 1;
    const std::string kept = FormatSetSection(set);
    EXPECT_EQ(kept, plain.substr(0, plain.size() - 2) + "KEEP=Y\r\n\r\n");
    TempTree tree;
    std::vector<SetFields> sets = ReadAll(tree, kept + plain);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].keep, 1);
    EXPECT_EQ(sets[1].keep, 0);  // a file of old, without the key
    EXPECT_EQ(FormatSetSection(sets[1]), plain);  // and written back byte for byte

    // The patterns, a mark among them, come back as they were.
    wcscpy(set.exclude, L"*.tmp;Thumbs.db;~*;[old]\\*");
    const std::string excluding = FormatSetSection(set);
    EXPECT_EQ(excluding, kept.substr(0, kept.size() - 2) + "EXCLUDE=\"*.tmp;Thumbs.db;~*;<[>old<]>\\*\"\r\n\r\n");
    sets = ReadAll(tree, excluding + plain);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_STREQ(sets[0].exclude, set.exclude);
    EXPECT_STREQ(sets[1].exclude, L"");
    EXPECT_EQ(FormatSetSection(sets[0]), excluding);

    // Verify follows Keep, and reads back.
    set.verify = 1;
    const std::string verifying = FormatSetSection(set);
    EXPECT_EQ(verifying, kept.substr(0, kept.size() - 2) + "VERIFY=Y\r\nEXCLUDE=\"*.tmp;Thumbs.db;~*;<[>old<]>\\*\"\r\n\r\n");
    sets = ReadAll(tree, verifying);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].verify, 1);
    EXPECT_EQ(FormatSetSection(sets[0]), verifying);
}
