// The card scan on a folder of our own, and the desktop's platform figures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "about/storage_cards.h"
#include "platform/system_status.h"
#include "temp_tree.h"

namespace {

// Wine keeps no temporary bit on folders: here a card is a folder named "Card...".
bool NamedCard(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && wcsncmp(entry.cFileName, L"Card", 4) == 0;
}

}  // namespace

TEST(StorageCards, AFolderIsACardWithBothTheFolderAndTheTemporaryBit) {
    EXPECT_TRUE(IsStorageCard(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY));
    EXPECT_TRUE(IsStorageCard(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(IsStorageCard(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(IsStorageCard(FILE_ATTRIBUTE_TEMPORARY));
}

TEST(StorageCards, EveryCardOfTheRootIsVisitedWithItsSpace) {
    TempTree tree;
    tree.MakeFolder(L"Card A");
    tree.MakeFolder(L"My Documents");
    tree.MakeFolder(L"Card B");
    tree.Write(L"Card file", "x");

    std::vector<std::wstring> names;
    int visited = ForEachStorageCard(
        tree.Root().c_str(),
        [&](const wchar_t* name, const ByteFigures& space) {
            names.push_back(name);
            EXPECT_GT(space.totalBytes, 0u);
            EXPECT_LE(space.freeBytes, space.totalBytes);
        },
        NamedCard);
    EXPECT_EQ(visited, 2);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Card A", L"Card B"}));
    // Unmarked folders are no cards.
    EXPECT_EQ(ForEachStorageCard(tree.Root().c_str(), [](const wchar_t*, const ByteFigures&) {}), 0);
}

TEST(StorageCards, ARootThatCannotBeListedHasNone) {
    TempTree tree;
    int calls = 0;
    EXPECT_EQ(ForEachStorageCard(tree.Path(L"missing").c_str(), [&](const wchar_t*, const ByteFigures&) { ++calls; }), 0);
    EXPECT_EQ(calls, 0);
}

TEST(PlatformFigures, DesktopStandsInForTheDeviceFigures) {
    ByteFigures program = ReadProgramMemory();
    EXPECT_GT(program.totalBytes, 0u);
    EXPECT_LE(program.freeBytes, program.totalBytes);
    ByteFigures data = ReadDataStore();
    EXPECT_GT(data.totalBytes, 0u);
    EXPECT_LE(data.freeBytes, data.totalBytes);
    ByteFigures missing;
    EXPECT_FALSE(ReadVolumeSpace(L"Q:\\no\\such\\folder", &missing));
    PowerFigures power = ReadPowerStatus();
    EXPECT_EQ(power.backup.flag, 255);  // a desktop has no backup battery
    EXPECT_EQ(power.backup.percent, 255);
}
