#include <gtest/gtest.h>

#include <string>

#include "sync/kept_runs.h"
#include "sync/run_record.h"
#include "temp_tree.h"

namespace {

RunRecordContents ReadBack(const TempTree& tree, const std::string& bytes) {
    tree.Write(L"record", bytes);
    RunRecordContents contents;
    DWORD error = 0;
    EXPECT_TRUE(ReadRunRecord(tree.Path(L"record").c_str(), contents, &error));
    return contents;
}

}  // namespace

// Hostile and damaged lines: each is a fault of its own with its line number, the good lines
// around it read, and the reader holds no more than a line and a piece at a time.
TEST(RunRecord, ReadsOnlyWhatTheRunCouldHaveWrittenAndNamesEveryOtherLine) {
    TempTree tree;
    const std::string hostile[] = {
        "copied\t..\\victim.txt\t3\t5", "made\t..\\emptydir", "kept\t..\\..\\..\\outside\\f.txt",
        "copied\t.zolvkept\\1-20261210-140305\\older.txt\t1\t1", "kept\tZ:\\tmp\\f", "kept\t\\tmp\\f",
        "kept\t\\\\?\\Z:\\f", "kept\ta\\\\b", "kept\ta\\", "kept\ta/../b", "kept\tok\t..\\elsewhere",
        "copy\ta.txt\t..\\a.tmp\t1\t1", "kept\tCON", "kept\ta.\t", "copied\ta\t99999999999999999999\t1",
        "copied\ta\t-1\t1", "made", "remove\ta", "kept\ta\xff\xfe",
        "copied\ta\t1\t1\t00000000000000fg", "copied\ta\t1\t1\tff", "copied\ta\t1\t1\t",
    };
    std::string bytes = "kept\tgood.txt\r\n";
    for (const std::string& line : hostile) bytes += line + "\n";
    bytes += std::string(3000, 'x') + "\n";
    bytes += "kept\tsub\\deep.txt\tsub\\deep.txt~2\ncopy\tn.txt\tn.txt.zolvtmp\t4\t7\ncopied\tn.txt\t4\t7\nback\t3\n";
    bytes += "copied\tv.txt\t4\t7\t00000000000000fF\n";  // a verified copy's checksum
    bytes += "made\tcut";  // no line end: a kill came before the change
    RunRecordContents contents = ReadBack(tree, bytes);
    ASSERT_EQ(contents.entries.size(), 6u);
    EXPECT_EQ(contents.entries[0].path, L"good.txt");
    EXPECT_EQ(contents.entries[0].where, L"good.txt");
    EXPECT_EQ(contents.entries[1].where, L"sub\\deep.txt~2");
    EXPECT_EQ(contents.entries[2].where, L"n.txt.zolvtmp");
    EXPECT_EQ(contents.entries[3].lastWrite, 7u);
    EXPECT_EQ(contents.entries[4].backLine, 3u);
    EXPECT_EQ(contents.entries[4].line, 28u);
    EXPECT_FALSE(contents.entries[3].hasChecksum);  // a record of old still reads
    EXPECT_TRUE(contents.entries[5].hasChecksum);
    EXPECT_EQ(contents.entries[5].checksum, 0xFFu);
    ASSERT_EQ(contents.faults.size(), std::size(hostile) + 1);
    for (size_t i = 0; i < contents.faults.size(); ++i) EXPECT_EQ(contents.faults[i].line, i + 2);
    EXPECT_EQ(contents.faults[0].fault, RecordFault::UnsafePath);
    EXPECT_EQ(contents.faults[14].fault, RecordFault::Malformed);
    EXPECT_EQ(contents.faults.back().fault, RecordFault::TooLong);
    EXPECT_FALSE(contents.undone);

    // Past the size limit nothing more is read, and that is said.
    std::string huge;
    while (huge.size() <= kMaxRecordBytes) huge += "made\tf\n";
    contents = ReadBack(tree, huge + "undone\n");
    EXPECT_FALSE(contents.undone);
    ASSERT_EQ(contents.faults.size(), 1u);
    EXPECT_EQ(contents.faults[0].fault, RecordFault::TooLarge);
}

TEST(RunRecord, TheWriterKeepsToTheLimitsTheReaderReads) {
    TempTree tree;
    RunRecordWriter writer;
    ASSERT_TRUE(writer.Create(tree.Path(L"record").c_str()));
    EXPECT_FALSE(writer.Create(tree.Path(L"record").c_str()));  // never over a record
    ASSERT_TRUE(writer.OpenToAdd(tree.Path(L"record").c_str()));
    EXPECT_TRUE(writer.AddKept(L"a\\日本.txt", L"a\\日本.txt"));
    EXPECT_TRUE(writer.AddUndone());
    writer.Close();
    EXPECT_EQ(tree.Read(L"record"), "kept\ta\\\xE6\x97\xA5\xE6\x9C\xAC.txt\nundone\n");
}

TEST(RunStamp, ReadsOnlyNamesARunCouldHaveAndOrdersByTheRunsNotTheClock) {
    RunStamp stamp;
    ASSERT_TRUE(ParseRunStamp(L"12-20261210-140305", &stamp));
    EXPECT_EQ(stamp.order, 12u);
    EXPECT_EQ(stamp.time.wSecond, 5);
    for (const wchar_t* name : {L"0-20261210-140305", L"012-20261210-140305", L"1234567890-20261210-140305",
                                L"1-20261310-140305", L"1-20260230-140305", L"1-20261210-246305", L"1-20261210-14030",
                                L"1-20261210-140305-2", L"x-20261210-140305", L"20261210-140305-0", L"20261210-140305-1000",
                                L"20261210-140305x", L"2026121-0140305", L"", L"1-"}) {
        EXPECT_FALSE(ParseRunStamp(name, nullptr)) << name;
    }
    RunStamp old, older, newer;
    ASSERT_TRUE(ParseRunStamp(L"20300101-000000-2", &old));
    ASSERT_TRUE(ParseRunStamp(L"20300101-000000", &older));
    ASSERT_TRUE(ParseRunStamp(L"2-20200101-000000", &newer));  // after the clock was set back
    EXPECT_TRUE(RunBefore(older, old));
    EXPECT_TRUE(RunBefore(old, newer));
    EXPECT_TRUE(RunBefore(stamp, RunStamp{13, {}, 1}));
}
