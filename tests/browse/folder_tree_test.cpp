#include <gtest/gtest.h>

#include <algorithm>

#include "base/text.h"
#include "browse/drive_items.h"
#include "browse/folder_codes.h"
#include "device_root.h"
#include "tree_reading.h"

namespace {

using Labels = std::vector<std::wstring>;

// A tree-view control on a hidden window of its own; expansions are handed to the model
// directly, as the browse dialog does with the control's notification.
class FolderTree : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        UiLanguage = GetParam();
        ASSERT_TRUE(device.Ready()) << "drive M: must map to a test folder (CTest sets it up)";
        parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
        control = CreateWindowExW(0, WC_TREEVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS, 0, 0, 300,
                                  300, parent, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent);
        UiLanguage = kLanguageEnglish;
    }

    const wchar_t* Desktop() const { return Pick(SpecialFolderOf(kCodeDesktop).label); }
    const wchar_t* Device() const { return Pick(SpecialFolderOf(kCodeMyDevice).label); }
    const wchar_t* Documents() const { return Pick(SpecialFolderOf(kCodeMyDocuments).label); }

    // Desktop's first `count` children: the special items; the PC's drives follow them.
    Labels FirstOfDesktop(const FFolderTree& tree, size_t count) {
        Labels all = ChildLabels(tree, tree.desktopItem);
        all.resize(std::min(all.size(), count));
        return all;
    }

    void Expand(FFolderTree& tree, HTREEITEM item) {
        NMTREEVIEWW expanding{};
        expanding.action = TVE_EXPAND;
        expanding.itemNew.hItem = item;
        EXPECT_EQ(tree.OnItemExpanding(&expanding), 0);
        TreeView_Expand(tree.hwnd, item, TVE_EXPAND);
    }

    DeviceRoot device;
    HWND parent = nullptr;
    HWND control = nullptr;
};

}  // namespace

TEST_P(FolderTree, BuildShowsSpecialItemsAndOneSortedLevelOfFolders) {
    device.MakeFolder(L"Zeta");
    device.MakeFolder(L"Beta\\Inner");
    device.MakeFolder(L"Alpha");
    device.MakeFolder(L"My Documents\\Mail");
    device.Write(L"readme.txt");
    device.Write(L"Alpha\\only-a-file.txt");
    FFolderTree tree(control);
    tree.LoadImages();
    tree.Build();

    EXPECT_EQ(ChildLabels(tree, TVI_ROOT), Labels{Desktop()});
    EXPECT_EQ(FirstOfDesktop(tree, 2), (Labels{Documents(), Device()}));
    EXPECT_EQ(ChildLabels(tree, tree.documentsItem), Labels{L"Mail"});
    // \My Documents shows twice: as the special item and as an ordinary folder of the root.
    EXPECT_EQ(ChildLabels(tree, tree.deviceItem), (Labels{L"Alpha", L"Beta", L"My Documents", L"Zeta"}));
    EXPECT_EQ(TreeView_GetSelection(control), tree.desktopItem);
    EXPECT_TRUE(TreeView_GetItemState(control, tree.desktopItem, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(tree.networkItem, nullptr);
    EXPECT_EQ(tree.controlPanelItem, nullptr);
    EXPECT_EQ(tree.findResultItem, nullptr);

    HTREEITEM beta = tree.FindChild(tree.deviceItem, L"Beta");
    HTREEITEM alpha = tree.FindChild(tree.deviceItem, L"Alpha");
    EXPECT_EQ(tree.CodeOf(beta), kFolderPending);
    EXPECT_EQ(ChildrenFlag(tree, beta), 1);
    EXPECT_TRUE(ChildLabels(tree, beta).empty());  // nothing below the first level is read
    EXPECT_EQ(tree.CodeOf(alpha), kFolderLoaded);   // files only: no button, never read again
    EXPECT_EQ(ChildrenFlag(tree, alpha), 0);
    EXPECT_EQ(tree.FindChild(tree.deviceItem, L"beta"), nullptr);  // labels match exactly

    TVITEMW pictures{};
    pictures.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    for (auto [item, image, selected] : {std::tuple{tree.desktopItem, 2, 2}, std::tuple{tree.deviceItem, 3, 3},
                                         std::tuple{tree.documentsItem, 5, 5}, std::tuple{beta, 0, 1}}) {
        pictures.hItem = item;
        ASSERT_TRUE(TreeView_GetItem(control, &pictures));
        EXPECT_EQ(pictures.iImage, image);
        EXPECT_EQ(pictures.iSelectedImage, selected);
    }
    HIMAGELIST images = TreeView_GetImageList(control, TVSIL_NORMAL);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), kTreeImageCount);
}

TEST_P(FolderTree, MyDocumentsMissingStillShowsAndReadsNothing) {
    device.MakeFolder(L"Work");
    FFolderTree tree(control);
    tree.Build();
    EXPECT_EQ(ChildLabels(tree, tree.deviceItem), Labels{L"Work"});
    EXPECT_EQ(ChildrenFlag(tree, tree.documentsItem), 1);
    device.MakeFolder(L"My Documents\\Late");
    Expand(tree, tree.documentsItem);  // special items are never read on expansion
    EXPECT_TRUE(ChildLabels(tree, tree.documentsItem).empty());
    EXPECT_EQ(tree.CodeOf(tree.documentsItem), kCodeMyDocuments);
}

TEST_P(FolderTree, ExpandingReadsAPendingFolderOnceAndMergesByLabel) {
    device.MakeFolder(L"Beta\\Inner\\Deep");
    device.MakeFolder(L"Beta\\Other");
    device.MakeFolder(L"Beta\\Mine");
    FFolderTree tree(control);
    tree.Build();
    HTREEITEM beta = tree.FindChild(tree.deviceItem, L"Beta");
    // A child the dialog made before the folder was read stays, and is not shown twice.
    HTREEITEM mine = tree.InsertFolder(beta, L"Mine", false);

    Expand(tree, beta);
    EXPECT_EQ(ChildLabels(tree, beta), (Labels{L"Inner", L"Mine", L"Other"}));
    EXPECT_EQ(tree.FindChild(beta, L"Mine"), mine);
    EXPECT_EQ(tree.CodeOf(beta), kFolderLoaded);
    EXPECT_EQ(tree.CodeOf(tree.FindChild(beta, L"Inner")), kFolderPending);
    EXPECT_EQ(tree.CodeOf(tree.FindChild(beta, L"Other")), kFolderLoaded);

    // Read once only: what appears on disk later is not shown after collapsing and expanding.
    device.MakeFolder(L"Beta\\Late");
    TreeView_Expand(control, beta, TVE_COLLAPSE);
    Expand(tree, beta);
    EXPECT_EQ(ChildLabels(tree, beta), (Labels{L"Inner", L"Mine", L"Other"}));

    // Collapsing is no expansion: a pending folder stays unread.
    HTREEITEM inner = tree.FindChild(beta, L"Inner");
    NMTREEVIEWW collapsing{};
    collapsing.action = TVE_COLLAPSE;
    collapsing.itemNew.hItem = inner;
    tree.OnItemExpanding(&collapsing);
    EXPECT_EQ(tree.CodeOf(inner), kFolderPending);
    EXPECT_TRUE(ChildLabels(tree, inner).empty());
}

TEST_P(FolderTree, PathsOfEveryKindOfItem) {
    device.MakeFolder(L"Work\\Notes");
    device.MakeFolder(L"My Documents\\Mail");
    FFolderTree tree(control);
    PathBuffer none = L"stale";
    EXPECT_EQ(tree.SelectedPath(none), 0u);  // an empty control: nothing selected
    EXPECT_STREQ(none, L"");
    tree.Build();
    HTREEITEM work = tree.FindChild(tree.deviceItem, L"Work");
    Expand(tree, work);
    HTREEITEM notes = tree.FindChild(work, L"Notes");
    HTREEITEM mail = tree.FindChild(tree.documentsItem, L"Mail");
    HTREEITEM documentsFolder = tree.FindChild(tree.deviceItem, L"My Documents");

    UINT code = 0;
    EXPECT_EQ(PathText(tree, tree.desktopItem, &code), L"");
    EXPECT_EQ(code, kCodeDesktop);
    EXPECT_EQ(PathText(tree, tree.deviceItem, &code), L"M:\\");
    EXPECT_EQ(code, kCodeMyDevice);
    EXPECT_EQ(PathText(tree, tree.documentsItem, &code), L"M:\\My Documents");
    EXPECT_EQ(code, kCodeMyDocuments);
    EXPECT_EQ(PathText(tree, work, &code), L"M:\\Work");
    EXPECT_EQ(code, kFolderLoaded);
    EXPECT_EQ(PathText(tree, notes, &code), L"M:\\Work\\Notes");
    EXPECT_EQ(PathText(tree, mail, &code), L"M:\\My Documents\\Mail");
    EXPECT_EQ(PathText(tree, documentsFolder, &code), L"M:\\My Documents");
    EXPECT_EQ(code, kFolderPending);

    PathBuffer selected;
    TreeView_SelectItem(control, documentsFolder);
    EXPECT_EQ(tree.SelectedPath(selected), kFolderLoaded);  // pending is reported as loaded
    EXPECT_STREQ(selected, L"M:\\My Documents");
    TreeView_SelectItem(control, tree.desktopItem);
    EXPECT_EQ(tree.SelectedPath(selected), kCodeDesktop);
    EXPECT_STREQ(selected, L"");
}

TEST_P(FolderTree, OptionalItemsAndTheirPaths) {
    FFolderTree tree(control);
    tree.options = FFolderTree::kOptionControlPanel | FFolderTree::kOptionDatabase | FFolderTree::kOptionFindResult;
    device.MakeFolder(L"Work");
    tree.Build();
    EXPECT_EQ(ChildLabels(tree, tree.deviceItem),
              (Labels{L"Work", Pick(SpecialFolderOf(kCodeControlPanel).label), Pick(SpecialFolderOf(kCodeDatabase).label)}));
    EXPECT_EQ(FirstOfDesktop(tree, 3), (Labels{Documents(), Device(), Pick(SpecialFolderOf(kCodeFindResult).label)}));
    EXPECT_EQ(PathText(tree, tree.controlPanelItem), L"M:\\*CONTROLS");
    EXPECT_EQ(PathText(tree, tree.databaseItem), L"M:\\*DATABASES");
    EXPECT_EQ(PathText(tree, tree.findResultItem), L"*RESULT");
    EXPECT_EQ(ChildrenFlag(tree, tree.findResultItem), 0);
}

TEST_P(FolderTree, APathThatWouldNotFitIsRefusedNotCut) {
    device.MakeFolder(L"Work");
    FFolderTree tree(control);
    tree.Build();
    HTREEITEM work = tree.FindChild(tree.deviceItem, L"Work");
    std::wstring longName(200, L'n');
    HTREEITEM first = tree.InsertFolder(work, longName.c_str(), false);
    HTREEITEM second = tree.InsertFolder(first, longName.c_str(), false);
    EXPECT_EQ(PathText(tree, first), L"M:\\Work\\" + longName);
    UINT code = 1;
    EXPECT_EQ(PathText(tree, second, &code), L"");
    EXPECT_EQ(code, 0u);
    TreeView_SelectItem(control, second);
    PathBuffer selected;
    EXPECT_EQ(tree.SelectedPath(selected), 0u);
    // Expanding it reads nothing rather than a cut path.
    tree.SetCode(second, kFolderPending);
    Expand(tree, second);
    EXPECT_EQ(tree.CodeOf(second), kFolderPending);
}

// The PC's drives follow the special items under Desktop, in letter order; each is read when
// first opened and hands back paths with its letter. The test prefix has C: and the test
// device M: among its drives.
TEST_P(FolderTree, ThePcsDrivesFollowDesktopsItemsAndCarryTheirLetters) {
    device.MakeFolder(L"Work\\Notes");
    FFolderTree tree(control);
    tree.LoadImages();
    tree.Build();
    std::wstring letters;
    HTREEITEM m = nullptr;
    for (HTREEITEM item = TreeView_GetNextSibling(control, tree.deviceItem); item;
         item = TreeView_GetNextSibling(control, item)) {
        const std::wstring label = LabelText(tree, item);
        ASSERT_GE(label.size(), 5u);
        EXPECT_EQ(label.substr(label.size() - 5, 2), L" (") << label;
        EXPECT_EQ(label.substr(label.size() - 2), L":)") << label;
        const wchar_t letter = label[label.size() - 3];
        letters += letter;
        EXPECT_EQ(tree.CodeOf(item), DriveCode(letter, true)) << label;
        EXPECT_EQ(ChildrenFlag(tree, item), 1) << label;
        EXPECT_TRUE(ChildLabels(tree, item).empty()) << label;  // nothing read before it is opened
        if (letter == L'M') m = item;
    }
    EXPECT_NE(letters.find(L'C'), std::wstring::npos) << "drives: " << std::string(letters.begin(), letters.end());
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end()));
    ASSERT_NE(m, nullptr);

    TVITEMW picture{};
    picture.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    picture.hItem = m;
    ASSERT_TRUE(TreeView_GetItem(control, &picture));
    EXPECT_EQ(picture.iImage, kImageDrive);
    EXPECT_EQ(picture.iSelectedImage, kImageDrive);

    Expand(tree, m);
    EXPECT_EQ(ChildLabels(tree, m), Labels{L"Work"});
    EXPECT_EQ(tree.CodeOf(m), DriveCode(L'M', false));
    UINT code = 0;
    EXPECT_EQ(PathText(tree, m, &code), L"M:\\");
    EXPECT_TRUE(code & kCanHoldNewFolder);
    EXPECT_FALSE(code & kCanEditLabel);
    HTREEITEM work = tree.FindChild(m, L"Work");
    EXPECT_EQ(PathText(tree, work, &code), L"M:\\Work");
    EXPECT_EQ(code, kFolderPending);
    Expand(tree, work);
    EXPECT_EQ(PathText(tree, tree.FindChild(work, L"Notes")), L"M:\\Work\\Notes");
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FolderTree, ::testing::Values(kLanguageEnglish, kLanguageJapanese));
