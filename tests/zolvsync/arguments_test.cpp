#include <gtest/gtest.h>

#include "zolvsync/arguments.h"

namespace {

bool Parse(std::initializer_list<const wchar_t*> words, RunnerArguments& out, std::wstring* error = nullptr) {
    std::wstring reason;
    std::vector<wchar_t*> argv{const_cast<wchar_t*>(L"zolvsync")};
    for (const wchar_t* w : words) argv.push_back(const_cast<wchar_t*>(w));
    return ParseArguments(static_cast<int>(argv.size()), argv.data(), out, error ? error : &reason);
}

}  // namespace

TEST(RunnerArguments, OptionsAndFolders) {
    RunnerArguments a;
    ASSERT_TRUE(Parse({L"--backward", L"--delete", L"--dostime", L"--force", L"--exclude-obj", L"--lang", L"ja", L"A", L"B"}, a));
    EXPECT_TRUE(a.backward);
    EXPECT_TRUE(a.options.deleteAfterCopy && a.options.dosTime && a.options.force && a.options.excludeObj);
    EXPECT_EQ(a.language, 1);
    EXPECT_STREQ(a.from, L"A");
    EXPECT_STREQ(a.to, L"B");

    RunnerArguments plain;
    ASSERT_TRUE(Parse({L"C:\\x", L"C:\\y"}, plain));
    EXPECT_FALSE(plain.backward || plain.options.deleteAfterCopy || plain.options.force);
    EXPECT_EQ(plain.language, -1);
    EXPECT_EQ(plain.options.minBattery, kDefaultMinBattery);
    EXPECT_TRUE(plain.options.exclude.empty() && plain.logFile == nullptr);

    RunnerArguments more;  // --exclude repeats; --min-battery 0 turns the question off
    ASSERT_TRUE(Parse({L"--exclude", L"*.tmp", L"--exclude", L"Photos\\*.raw", L"--min-battery", L"0", L"--log",
                       L"run.log", L"A", L"B"},
                      more));
    EXPECT_EQ(more.options.exclude, L"*.tmp;Photos\\*.raw");
    EXPECT_EQ(more.options.minBattery, 0);
    EXPECT_STREQ(more.logFile, L"run.log");
}

TEST(RunnerArguments, BadInputIsRefused) {
    RunnerArguments a;
    EXPECT_FALSE(Parse({L"A"}, a));
    EXPECT_FALSE(Parse({L"A", L"B", L"C"}, a));
    EXPECT_FALSE(Parse({L"--lang", L"fr", L"A", L"B"}, a));
    EXPECT_FALSE(Parse({L"A", L"B", L"--lang"}, a));
    std::wstring error;
    EXPECT_FALSE(Parse({L"-x", L"A", L"B"}, a, &error));
    EXPECT_EQ(error, L"unknown option '-x'");
    EXPECT_FALSE(Parse({L"--exclude", L"a\\..\\b", L"A", L"B"}, a, &error));
    EXPECT_EQ(error, L"The exclude pattern 'a\\..\\b' cannot be used: a '.' or '..' part names nothing inside the set's "
                     L"folders.");
    EXPECT_FALSE(Parse({L"--exclude", L"", L"A", L"B"}, a));
    EXPECT_FALSE(Parse({L"--min-battery", L"101", L"A", L"B"}, a));
    EXPECT_FALSE(Parse({L"--log", L"A", L"B"}, a));  // B would be the log, and one folder is missing
}

TEST(RunnerArguments, DryRunAndFoldersAfterTheEndOfOptions) {
    RunnerArguments a;
    ASSERT_TRUE(Parse({L"--dry-run", L"--", L"-odd", L"--B"}, a));
    EXPECT_TRUE(a.options.dryRun);
    EXPECT_STREQ(a.from, L"-odd");
    EXPECT_STREQ(a.to, L"--B");
    RunnerArguments b;
    EXPECT_TRUE(Parse({L"--dry-run", L"--ini", L"C:\\z.ini", L"--set", L"Docs"}, b));  // not a set option
}

TEST(RunnerArguments, ANamedSetBringsItsOwnFoldersAndOptions) {
    RunnerArguments a;
    ASSERT_TRUE(Parse({L"--backward", L"--ini", L"C:\\z.ini", L"--set", L"Docs"}, a));
    EXPECT_STREQ(a.iniFile, L"C:\\z.ini");
    EXPECT_STREQ(a.setName, L"Docs");
    EXPECT_TRUE(a.backward);
    RunnerArguments b;
    EXPECT_FALSE(Parse({L"--ini", L"C:\\z.ini"}, b));
    EXPECT_FALSE(Parse({L"--ini", L"C:\\z.ini", L"--set", L"Docs", L"A", L"B"}, b));
    EXPECT_FALSE(Parse({L"--ini", L"C:\\z.ini", L"--set", L"Docs", L"--delete"}, b));
    EXPECT_FALSE(Parse({L"--set"}, b));
}

TEST(RunnerArguments, KeepRunsGoesWithKeepAndNeverWithUndo) {
    RunnerArguments a;
    ASSERT_TRUE(Parse({L"--keep", L"--keep-runs", L"2", L"A", L"B"}, a));
    EXPECT_EQ(a.options.keptRuns, 2);
    std::wstring error;
    RunnerArguments b;
    EXPECT_FALSE(Parse({L"--keep-runs", L"2", L"A", L"B"}, b, &error));
    EXPECT_EQ(error, L"--keep-runs goes with --keep");
    RunnerArguments c;
    EXPECT_FALSE(Parse({L"--undo", L"--keep-runs", L"2", L"A", L"B"}, c));
    RunnerArguments d;
    EXPECT_FALSE(Parse({L"--undo", L"--keep", L"A", L"B"}, d));
    RunnerArguments e;  // a set's Keep is known once the set file is read
    EXPECT_TRUE(Parse({L"--keep-runs", L"2", L"--ini", L"C:\\z.ini", L"--set", L"Docs"}, e));
}
