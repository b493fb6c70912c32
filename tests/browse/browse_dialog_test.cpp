#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <map>

#include "base/text.h"
#include "browse/browse_dialog.h"
#include "browse/browse_ids.h"
#include "browse/folder_codes.h"
#include "browse/folder_names.h"
#include "device_root.h"
#include "dialog_watcher.h"
#include "tree_reading.h"

namespace {

using Labels = std::vector<std::wstring>;
constexpr UINT kRunScript = WM_APP + 1;
constexpr UINT kReadMenu = WM_APP + 2;

// The browse dialog with a script that runs on its own thread once it is open, the way a
// user's clicks and typing would arrive.
class ScriptedBrowse : public FDlgBrowseFolder {
public:
    using Script = std::function<void(ScriptedBrowse&)>;
    ScriptedBrowse(const BrowseRequest& request, PathBuffer& output, Script script)
        : FDlgBrowseFolder(request, output), script_(std::move(script)) {}

    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = FDlgBrowseFolder::OnInitDialog(hwnd, msg, wParam, lParam);
        PostMessageW(hwnd, kRunScript, 0, 0);
        return result;
    }
    LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kRunScript) {
            script_(*this);
            return TRUE;
        }
        if (msg == WM_COMMAND && LOWORD(wParam) == IDM_BROWSE_CONTEXT_MENU) {
            PostMessageW(hwnd, kReadMenu, 0, 0);  // read and closed once the menu is open
        }
        if (msg == kReadMenu) {  // arrives while the context menu's own loop runs
            ReadOpenMenu();
            EndMenu();
            return TRUE;
        }
        return FDlgBrowseFolder::DialogProc(hwnd, msg, wParam, lParam);
    }

    FFolderTree& T() { return *Tree(); }
    HWND Control() { return Tree()->hwnd; }
    void Click(int id) { SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(hwnd, id)); }
    void Select(HTREEITEM item) { TreeView_SelectItem(Control(), item); }
    HTREEITEM Item(const Labels& labels) { return ItemAt(T(), labels); }
    // Types a label into the running edit and confirms it (or cancels the edit).
    void FinishEdit(const wchar_t* text) {
        HWND edit = TreeView_GetEditControl(Control());
        ASSERT_NE(edit, nullptr);
        if (text) SetWindowTextW(edit, text);
        TreeView_EndEditLabelNow(Control(), text == nullptr);
    }

    std::vector<std::wstring> menuItems;
    std::vector<UINT> menuIds;
    RECT menuRect{};

private:
    void ReadOpenMenu() {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup) return;
        GetWindowRect(popup, &menuRect);
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = L"";
            GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
            menuItems.push_back(text);
            menuIds.push_back(GetMenuItemID(menu, i));
        }
    }
    Script script_;
};

class BrowseDialog : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        UiLanguage = GetParam();
        ASSERT_TRUE(device.Ready()) << "drive M: must map to a test folder (CTest sets it up)";
    }
    void TearDown() override { UiLanguage = kLanguageEnglish; }

    const wchar_t* Caption() const { return UiLanguage ? L"ﾌｫﾙﾀﾞの参照" : L"Browse folder"; }
    const wchar_t* Desktop() const { return Pick(SpecialFolderOf(kCodeDesktop).label); }
    const wchar_t* Device() const { return Pick(SpecialFolderOf(kCodeMyDevice).label); }
    std::wstring NewFolder(int n = 1) const {
        std::wstring base = Pick(BrowseTexts::NewFolderName);
        return n == 1 ? base : base + L" (" + std::to_wstring(n) + L")";
    }

    // Runs the dialog with the script; every other box is answered with `boxAnswer` (OK on
    // boxes that have only OK) and recorded.
    INT_PTR Run(ScriptedBrowse::Script script, int boxAnswer = IDOK) {
        const std::wstring caption = Caption();
        DialogWatcher watcher([&](const SeenDialog& seen) {
            if (seen.caption == caption) return;
            DialogWatcher::Click(seen.hwnd, seen.texts.count(boxAnswer) ? boxAnswer : IDOK);
        });
        BrowseRequest request;
        request.title = L"Pick a folder";
        request.flags = 1;
        ScriptedBrowse dialog(request, output, [&](ScriptedBrowse& d) {
            shown = d.hwnd;
            script(d);
        });
        INT_PTR result = RunDialog(&dialog, nullptr, PickName(L"FDlgBrowseFolder_E", L"FDlgBrowseFolder_J"));
        for (const SeenDialog& seen : watcher.Seen()) {
            if (seen.caption != caption) boxes.push_back(seen);
        }
        return result;
    }

    DeviceRoot device;
    PathBuffer output = L"";
    HWND shown = nullptr;  // the browse dialog's window while it was open
    std::vector<SeenDialog> boxes;
};

}  // namespace

TEST_P(BrowseDialog, OkAndCancelHandBackTheSelectedPath) {
    device.MakeFolder(L"Work");
    std::map<int, std::wstring> texts;
    EXPECT_EQ(Run([&](ScriptedBrowse& d) {
                  for (int id : {0, IDC_BROWSE_TITLE, IDOK, IDCANCEL, IDC_BROWSE_NEW_FOLDER}) {
                      wchar_t text[64] = L"";
                      GetWindowTextW(id ? GetDlgItem(d.hwnd, id) : d.hwnd, text, 64);
                      texts[id] = text;
                  }
                  d.Select(d.T().deviceItem);
                  d.Click(IDOK);
              }),
              IDOK);
    EXPECT_STREQ(output, L"M:\\");  // absolute: the drive of the device root
    EXPECT_EQ(texts[0], Caption());
    EXPECT_EQ(texts[IDC_BROWSE_TITLE], L"Pick a folder");
    EXPECT_EQ(texts[IDOK], L"OK");
    EXPECT_EQ(texts[IDCANCEL], UiLanguage ? L"ｷｬﾝｾﾙ" : L"Cancel");
    EXPECT_EQ(texts[IDC_BROWSE_NEW_FOLDER], UiLanguage ? L"新規ﾌｫﾙﾀﾞ(&N)" : L"&New Folder");

    // Desktop is the empty path; Cancel still writes the path, which the caller ignores.
    EXPECT_EQ(Run([&](ScriptedBrowse& d) { d.Click(IDOK); }), IDOK);
    EXPECT_STREQ(output, L"");
    EXPECT_EQ(Run([&](ScriptedBrowse& d) {
                  d.Select(d.Item({Desktop(), Device(), L"Work"}));
                  d.Click(IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_STREQ(output, L"M:\\Work");  // absolute: the drive of the device root
    // A folder picked on one of the PC's drives (the test device is drive M:) carries its
    // letter; the drive is read when the user opens it.
    EXPECT_EQ(Run([&](ScriptedBrowse& d) {
                  HTREEITEM m = nullptr;
                  for (HTREEITEM item = TreeView_GetChild(d.Control(), d.T().desktopItem); item && !m;
                       item = TreeView_GetNextSibling(d.Control(), item)) {
                      const std::wstring label = LabelText(d.T(), item);
                      if (label.size() > 4 && label.substr(label.size() - 4) == L"(M:)") m = item;
                  }
                  ASSERT_NE(m, nullptr);
                  TreeView_Expand(d.Control(), m, TVE_EXPAND);
                  d.Select(d.T().FindChild(m, L"Work"));
                  d.Click(IDOK);
              }),
              IDOK);
    EXPECT_STREQ(output, L"M:\\Work");
    // A button counts only with its click notification.
    EXPECT_EQ(Run([&](ScriptedBrowse& d) {
                  SendMessageW(d.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), (LPARAM)GetDlgItem(d.hwnd, IDOK));
                  d.Click(IDCANCEL);
              }),
              IDCANCEL);
}

TEST_P(BrowseDialog, TheMainWindowsEntryReturnsTheDialogResult) {
    DialogWatcher watcher([&](const SeenDialog& seen) { DialogWatcher::Click(seen.hwnd, IDOK); });
    PathBuffer result = L"stale";
    EXPECT_EQ(BrowseFolder(nullptr, Pick(BrowseTexts::BrowseTitle), result), IDOK);
    EXPECT_STREQ(result, L"");  // Desktop is selected when the dialog opens
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].caption, Caption());
    EXPECT_EQ(watcher.Seen()[0].Text(IDC_BROWSE_TITLE), UiLanguage ? L"参照" : L"Browse");
}

TEST_P(BrowseDialog, NewFolderNumbersNamesAndStartsEditing) {
    Labels seen;
    Run([&](ScriptedBrowse& d) {
        d.Select(d.T().deviceItem);
        d.Click(IDC_BROWSE_NEW_FOLDER);
        EXPECT_NE(TreeView_GetEditControl(d.Control()), nullptr);
        EXPECT_EQ(LabelText(d.T(), d.T().Selected()), NewFolder());
        d.FinishEdit(nullptr);
        d.Select(d.T().deviceItem);
        d.Click(IDC_BROWSE_NEW_FOLDER);
        d.FinishEdit(nullptr);
        // Only the second is deleted: the next one is again (2), shown once.
        device.Remove(NewFolder(2));
        d.Select(d.T().deviceItem);
        d.Click(IDC_BROWSE_NEW_FOLDER);
        d.FinishEdit(nullptr);
        seen = ChildLabels(d.T(), d.T().deviceItem);
        d.Click(IDOK);
    });
    EXPECT_TRUE(device.IsFolder(NewFolder()));
    EXPECT_TRUE(device.IsFolder(NewFolder(2)));
    EXPECT_FALSE(device.Exists(NewFolder(3)));
    EXPECT_EQ(seen, (Labels{NewFolder(), NewFolder(2)}));
    EXPECT_EQ(output, L"M:\\" + NewFolder(2));
    EXPECT_TRUE(boxes.empty());
}

TEST_P(BrowseDialog, NewFolderOnAPendingFolderLoadsItAndShowsTheNewOneOnce) {
    device.MakeFolder(L"Work\\Sub");
    device.Write(L"Work\\" + NewFolder());  // a file takes the plain name
    Labels children;
    UINT workCode = 0;
    Run([&](ScriptedBrowse& d) {
        HTREEITEM work = d.Item({Desktop(), Device(), L"Work"});
        d.Select(work);
        d.Click(IDC_BROWSE_NEW_FOLDER);
        d.FinishEdit(L"Made");
        children = ChildLabels(d.T(), work);
        std::sort(children.begin(), children.end());  // a renamed item keeps its place
        workCode = d.T().CodeOf(work);
        d.Click(IDOK);
    });
    EXPECT_EQ(children, (Labels{L"Made", L"Sub"}));
    EXPECT_EQ(workCode, kFolderLoaded);
    EXPECT_TRUE(device.IsFolder(L"Work\\Made"));
    EXPECT_FALSE(device.Exists(L"Work\\" + NewFolder(2)));
    EXPECT_STREQ(output, L"M:\\Work\\Made");
}

TEST_P(BrowseDialog, NewFolderOnDesktopDoesNothing) {
    Run([&](ScriptedBrowse& d) {
        d.Click(IDC_BROWSE_NEW_FOLDER);  // Desktop is selected
        EXPECT_EQ(TreeView_GetEditControl(d.Control()), nullptr);
        d.Click(IDOK);
    });
    EXPECT_FALSE(device.Exists(NewFolder()));
    EXPECT_STREQ(output, L"");
    EXPECT_TRUE(boxes.empty());
}

TEST_P(BrowseDialog, RenameMovesTheFolderOrRevertsWithAMoveError) {
    device.MakeFolder(L"Work\\Inside");
    device.MakeFolder(L"Other");
    Labels afterFailures;
    Run([&](ScriptedBrowse& d) {
        HTREEITEM work = d.Item({Desktop(), Device(), L"Work"});
        d.Select(work);
        SetFocus(d.Control());
        ASSERT_NE(TreeView_EditLabel(d.Control(), work), nullptr);
        d.FinishEdit(L"Renamed");
        EXPECT_EQ(LabelText(d.T(), work), L"Renamed");
        // An existing sibling, an empty label and a separator all fail; the label reverts.
        for (const wchar_t* typed : {L"Other", L"", L"Other\\Renamed"}) {
            ASSERT_NE(TreeView_EditLabel(d.Control(), work), nullptr);
            d.FinishEdit(typed);
        }
        afterFailures = ChildLabels(d.T(), d.T().deviceItem);
        d.Click(IDOK);
    });
    EXPECT_TRUE(device.IsFolder(L"Renamed\\Inside"));
    EXPECT_FALSE(device.Exists(L"Work"));
    EXPECT_TRUE(device.IsFolder(L"Other"));
    EXPECT_FALSE(device.Exists(L"Other\\Renamed"));
    EXPECT_EQ(afterFailures, (Labels{L"Other", L"Renamed"}));
    EXPECT_STREQ(output, L"M:\\Renamed");
    ASSERT_EQ(boxes.size(), 3u);
    for (const SeenDialog& box : boxes) {
        EXPECT_EQ(box.caption, UiLanguage ? L"ｴﾗｰ" : L"Error");
        EXPECT_EQ(box.message.rfind(L"Error Move file ", 0), 0u) << box.message;
        EXPECT_EQ(box.owner, shown);
    }
}

TEST_P(BrowseDialog, AFolderThatIsGoneIsNotRenamed) {
    device.MakeFolder(L"Gone");
    Labels labels;
    Run([&](ScriptedBrowse& d) {
        HTREEITEM gone = d.Item({Desktop(), Device(), L"Gone"});
        device.Remove(L"Gone");  // removed behind the dialog's back
        SetFocus(d.Control());
        ASSERT_NE(TreeView_EditLabel(d.Control(), gone), nullptr);
        d.FinishEdit(L"Label only");
        labels = ChildLabels(d.T(), d.T().deviceItem);
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(labels, Labels{L"Gone"});  // the label reverts
    EXPECT_FALSE(device.Exists(L"Label only"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].message, L"Error Move file 2");
}

TEST_P(BrowseDialog, OkRefusesAPathThatWouldNotFitAndStaysOpen) {
    device.MakeFolder(L"Work");
    const std::wstring longName(200, L'n');
    bool openAfterOk = false;
    EXPECT_EQ(Run([&](ScriptedBrowse& d) {
                  HTREEITEM work = d.Item({Desktop(), Device(), L"Work"});
                  HTREEITEM deep = d.T().InsertFolder(d.T().InsertFolder(work, longName.c_str(), false),
                                                      longName.c_str(), false);
                  d.Select(deep);
                  d.Click(IDOK);
                  openAfterOk = IsWindow(d.hwnd) != FALSE;  // the error box was shown from inside OK
                  d.Click(IDC_BROWSE_NEW_FOLDER);  // nothing is created below a refused path
                  d.Click(IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_TRUE(openAfterOk);
    EXPECT_STREQ(output, L"");
    ASSERT_EQ(boxes.size(), 1u);
    std::wstring message = boxes[0].message;
    message.erase(std::remove(message.begin(), message.end(), L'\n'), message.end());  // the box breaks the long name
    EXPECT_NE(message.find(longName), std::wstring::npos);
    EXPECT_FALSE(device.Exists(L"Work\\" + longName));
}

TEST_P(BrowseDialog, SpecialItemsRefuseLabelEditingAndTheMenuRenameFollows) {
    device.MakeFolder(L"Work");
    Run([&](ScriptedBrowse& d) {
        SetFocus(d.Control());
        for (HTREEITEM special : {d.T().desktopItem, d.T().deviceItem, d.T().documentsItem}) {
            d.Select(special);
            EXPECT_EQ(TreeView_EditLabel(d.Control(), special), nullptr);
            d.Click(IDM_BROWSE_RENAME);
            EXPECT_EQ(TreeView_GetEditControl(d.Control()), nullptr);
        }
        d.Select(d.Item({Desktop(), Device(), L"Work"}));
        SendMessageW(d.hwnd, WM_COMMAND, IDM_BROWSE_RENAME, 0);  // as the menu sends it
        d.FinishEdit(L"Play");
        d.Click(IDOK);
    });
    EXPECT_TRUE(device.IsFolder(L"Play"));
    EXPECT_STREQ(output, L"M:\\Play");
}

TEST_P(BrowseDialog, DeleteKeyShowsTheDeveloperBoxOnly) {
    device.MakeFolder(L"Work");
    Run([&](ScriptedBrowse& d) {
        d.Select(d.Item({Desktop(), Device(), L"Work"}));
        SendMessageW(d.Control(), WM_KEYDOWN, VK_DELETE, 0x01530001);
        d.Click(IDOK);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Debug");
    EXPECT_EQ(boxes[0].message, L"@DEL");
    EXPECT_TRUE(device.IsFolder(L"Work"));
}

TEST_P(BrowseDialog, RightClickSelectsTheItemAndOpensTheContextMenuAtThePoint) {
    device.MakeFolder(L"Work");
    POINT at{};
    RECT menuRect{};
    bool workSelected = false;
    Run([&](ScriptedBrowse& d) {
        HTREEITEM work = d.Item({Desktop(), Device(), L"Work"});
        d.Select(d.T().desktopItem);
        TreeView_EnsureVisible(d.Control(), work);
        UpdateWindow(d.hwnd);
        RECT item{};
        ASSERT_TRUE(TreeView_GetItemRect(d.Control(), work, &item, TRUE));
        const POINT client{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        at = client;
        ClientToScreen(d.Control(), &at);
        // A right click on the item, with the pointer there (the messages carry its position).
        SetCursorPos(at.x, at.y);
        PostMessageW(d.Control(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
        PostMessageW(d.Control(), WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        // The click opens the menu; the read message closes it again.
        for (DWORD end = GetTickCount() + 3000; d.menuIds.empty() && static_cast<LONG>(end - GetTickCount()) > 0;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
        workSelected = d.T().Selected() == work;
        menuRect = d.menuRect;
        EXPECT_EQ(d.menuIds, (std::vector<UINT>{IDM_BROWSE_RENAME, 0, IDM_BROWSE_DELETE}));
        if (d.menuItems.size() == 3) {
            EXPECT_EQ(d.menuItems[0], UiLanguage ? L"名前の変更" : L"Rename");
            EXPECT_EQ(d.menuItems[2], UiLanguage ? L"削除" : L"Delete");
        }
        d.Click(IDCANCEL);
    });
    EXPECT_TRUE(workSelected);
    // The menu's lower right corner at the point.
    EXPECT_EQ(menuRect.right, at.x);
    EXPECT_EQ(menuRect.bottom, at.y);
}

TEST_P(BrowseDialog, MenuDeleteRemovesOnlyAnEmptyFolderAfterYes) {
    device.MakeFolder(L"Empty");
    device.Write(L"Full\\keep.txt");
    Labels left;
    Run(
        [&](ScriptedBrowse& d) {
            d.Select(d.Item({Desktop(), Device(), L"Full"}));
            SendMessageW(d.hwnd, WM_COMMAND, IDM_BROWSE_DELETE, 0);
            d.Select(d.Item({Desktop(), Device(), L"Empty"}));
            SendMessageW(d.hwnd, WM_COMMAND, IDM_BROWSE_DELETE, 0);
            d.Select(d.T().deviceItem);
            SendMessageW(d.hwnd, WM_COMMAND, IDM_BROWSE_DELETE, 0);  // special: nothing
            left = ChildLabels(d.T(), d.T().deviceItem);
            d.Click(IDOK);
        },
        IDYES);
    EXPECT_FALSE(device.Exists(L"Empty"));
    EXPECT_TRUE(device.Exists(L"Full\\keep.txt"));
    EXPECT_EQ(left, Labels{L"Full"});
    ASSERT_EQ(boxes.size(), 2u);  // the not-empty notice, then the question
    EXPECT_NE(boxes[0].message.find(L"\\Full"), std::wstring::npos);
    EXPECT_EQ(boxes[1].caption, Pick(BrowseTexts::DeleteCaption));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, BrowseDialog, ::testing::Values(kLanguageEnglish, kLanguageJapanese));
