// The main window driven through its own operations, with its dialogs answered live.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/program_names.h"
#include "base/text.h"
#include "dialog_watcher.h"
#include "framework/fault_guard.h"
#include "platform/bands/command_bands.h"
#include "process.h"
#include "sets/app_settings.h"
#include "sets/set_file_writer.h"
#include "temp_tree.h"

// The window's parts as the in-process tests reach them.
struct MainWindowTestPeer {
    explicit MainWindowTestPeer(MainWindow& window)
        : w(window),
          CurrentSet(window.CurrentSet),
          currentIndex(window.currentIndex),
          setList(window.setList),
          sourceEdit(window.sourceEdit),
          destinationEdit(window.destinationEdit),
          back(window.back),
          forward(window.forward),
          abort(window.abort),
          operationList(window.operationList),
          commandBar(window.commandBar),
          hwnd(window.hwnd) {}

    FCheckBox& Option(int index) { return w.optionBoxes[index]; }
    int SetCount() const { return w.SetCount(); }
    void ResetCurrentSet() { w.ResetCurrentSet(); }
    void ShowCurrentSet() { w.ShowCurrentSet(); }
    int InsertSet(int index) { return w.InsertSet(index); }
    void NewSet() { w.NewSet(); }
    void DeleteSet() { w.DeleteSet(); }
    void OnSetSelChange() { w.OnSetSelChange(); }
    void OnSetListDropDown() { w.OnSetListDropDown(); }
    int LoadSetFile() { return w.LoadSetFile(); }
    int SaveSetFile() { return w.SaveSetFile(); }
    void SyncForward() { w.SyncForward(); }
    void SyncBackward() { w.SyncBackward(); }
    void PreviewForward() { w.PreviewForward(); }
    std::string LogContent() const { return w.LogContent(); }

    MainWindow& w;
    SetFields& CurrentSet;
    int& currentIndex;
    FComboBox& setList;
    FEdit& sourceEdit;
    FEdit& destinationEdit;
    FPushButton& back;
    FPushButton& forward;
    FPushButton& abort;
    FListView& operationList;
    FCommandBar& commandBar;
    HWND& hwnd;
};

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[512];
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring Cell(HWND list, int row, int column) {
    wchar_t text[512] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The main window with a way to fault: in the C runtime right after the run's next row
// (folder searches open, the list frozen, the commands locked), and a count of opened menus.
class TestWindow : public MainWindow {
public:
    void AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) override {
        MainWindow::AddLogRow(operation, first, second);
        if (faultOnRow) {
            faultOnRow = false;
            const wchar_t* volatile nothing = nullptr;
            volatile size_t length = wcslen(nothing);
            (void)length;
        }
    }
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITMENUPOPUP) ++menusOpened;
        return MainWindow::WindowProc(hwnd, msg, wParam, lParam);
    }
    bool faultOnRow = false;
    int menusOpened = 0;
};

FaultSite g_faultAt;
bool g_faultArmed = false;
int* volatile g_nowhere = nullptr;
void FaultOnce(FaultSite site) {
    if (!g_faultArmed || site != g_faultAt) return;
    g_faultArmed = false;
    *g_nowhere = 1;
}

class MainWindowTest : public ::testing::Test {
protected:
    void Open(int language = kLanguageEnglish) {
        UiLanguage = language;
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        wcscpy(g_programNames.className, L"ZolvTestFrame");
        window = std::make_unique<TestWindow>();
        // A named, empty INI file: no Open dialog and no notice at creation, an empty list.
        tree.Write(L"sets.ini", "");
        wcscpy(AppSettings.iniFile, Ini().c_str());
        ASSERT_TRUE(window->CreateMainWindow(0, 0, 640, 480, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0x4000000F));
        peer = std::make_unique<MainWindowTestPeer>(*window);
        w = peer.get();
    }
    TestWindow* Faulty() { return static_cast<TestWindow*>(window.get()); }

    void TearDown() override {
        if (w && IsWindow(w->hwnd)) DestroyWindow(w->hwnd);
        peer.reset();
        window.reset();
        MSG msg;  // the window posted its quit message: keep it from ending later dialogs
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        UiLanguage = kLanguageEnglish;
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    }

    std::wstring Ini() const { return tree.Path(L"sets.ini"); }
    int Count() const { return w->SetCount(); }
    std::wstring ItemName(int i) const {
        wchar_t text[MAX_PATH] = L"";
        SendMessageW(w->setList.hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void AddSet(const wchar_t* name, const std::wstring& source, const std::wstring& destination, int flags = 0) {
        w->ResetCurrentSet();
        wcscpy(w->CurrentSet.name, name);
        wcscpy(w->CurrentSet.source, source.c_str());
        wcscpy(w->CurrentSet.destination, destination.c_str());
        w->CurrentSet.deleteAfterCopy = flags & 1;
        w->CurrentSet.dosTime = (flags >> 1) & 1;
        w->CurrentSet.force = (flags >> 2) & 1;
        w->CurrentSet.excludeObj = (flags >> 3) & 1;
        w->ShowCurrentSet();
        w->InsertSet(-1);
    }

    // The one run folder in the destination's store.
    std::wstring KeptRunName() const {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(tree.Path(L"dst\\.zolvkept\\1-*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return L"none";
        FindClose(search);
        return found.cFileName;
    }

    TempTree tree;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainWindowTestPeer> peer;
    MainWindowTestPeer* w = nullptr;
};

}  // namespace

TEST_F(MainWindowTest, NewAndDeleteSets) {
    Open();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(w->currentIndex, -1);
    w->NewSet();
    w->NewSet();
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(w->currentIndex, 1);
    EXPECT_EQ(TextOf(w->sourceEdit.hwnd), L"set source folder's path");
    EXPECT_EQ(TextOf(w->destinationEdit.hwnd), L"set destination folder's path");
    EXPECT_EQ(ItemName(1), L"New set");

    {
        DialogWatcher no([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, IDNO); });
        w->DeleteSet();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, L"Confirm");
        EXPECT_EQ(no.Seen()[0].message, L"Are you sure delete this set 'New set'?");
    }
    EXPECT_EQ(Count(), 2);

    DialogWatcher yes([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, IDYES); });
    w->DeleteSet();
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(w->currentIndex, 0);
    w->DeleteSet();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(w->currentIndex, -1);
    EXPECT_EQ(TextOf(w->sourceEdit.hwnd), L"set source folder's path");
    w->DeleteSet();  // nothing selected: nothing asked
    EXPECT_EQ(yes.Seen().size(), 2u);
}

TEST_F(MainWindowTest, CommitRenamesInPlaceAndReadsTheControls) {
    Open();
    AddSet(L"first", L"C:\\a", L"C:\\b");
    AddSet(L"second", L"C:\\c", L"C:\\d");
    SendMessageW(w->setList.hwnd, CB_SETCURSEL, 0, 0);
    w->OnSetSelChange();
    EXPECT_EQ(TextOf(w->sourceEdit.hwnd), L"C:\\a");

    SetWindowTextW(w->setList.hwnd, L"renamed");
    SetWindowTextW(w->sourceEdit.hwnd, L"C:\\typed");
    SendMessageW(w->Option(2).hwnd, BM_SETCHECK, BST_CHECKED, 0);
    w->OnSetListDropDown();
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(ItemName(0), L"renamed");
    EXPECT_EQ(ItemName(1), L"second");
    EXPECT_EQ(w->currentIndex, 0);

    SendMessageW(w->setList.hwnd, CB_SETCURSEL, 1, 0);
    w->OnSetSelChange();
    SendMessageW(w->setList.hwnd, CB_SETCURSEL, 0, 0);
    w->OnSetSelChange();
    EXPECT_EQ(TextOf(w->sourceEdit.hwnd), L"C:\\typed");
    EXPECT_EQ(SendMessageW(w->Option(2).hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(MainWindowTest, SavesAndLoadsTheSetFileAndLosesUncommittedEdits) {
    Open();
    AddSet(L"Docs", L"\\My Documents", L"\\Storage Card\\Docs", 1 | 8);
    AddSet(L"Mail", L"\\Mail", L"\\Backup\\Mail", 2 | 4);
    SetWindowTextW(w->sourceEdit.hwnd, L"\\typed but not committed");
    ASSERT_EQ(w->SaveSetFile(), 1);
    EXPECT_EQ(tree.Read(L"sets.ini"),
              "[Docs]\r\nSRC=\"\\My Documents\"\r\nDST=\"\\Storage Card\\Docs\"\r\nDELETE=Y\r\nDOSTIME=N\r\n"
              "FORCE=N\r\nEXCLUDEOBJ=Y\r\n\r\n"
              "[Mail]\r\nSRC=\"\\Mail\"\r\nDST=\"\\Backup\\Mail\"\r\nDELETE=N\r\nDOSTIME=Y\r\n"
              "FORCE=Y\r\nEXCLUDEOBJ=N\r\n\r\n");

    w->NewSet();
    ASSERT_EQ(w->LoadSetFile(), 1);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(w->currentIndex, 0);
    EXPECT_EQ(ItemName(1), L"Mail");
    EXPECT_EQ(TextOf(w->sourceEdit.hwnd), L"\\My Documents");
    EXPECT_EQ(SendMessageW(w->Option(3).hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);

    wcscpy(AppSettings.iniFile, tree.Path(L"none.ini").c_str());
    EXPECT_EQ(w->LoadSetFile(), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(w->currentIndex, -1);  // so that the next commit inserts a set
    w->OnSetListDropDown();
    EXPECT_EQ(Count(), 1);
}

// '[', ']' and '"' are ordinary in Windows names: a set holding them comes back exactly,
// never as another folder.
TEST_F(MainWindowTest, BracketsAndQuotesInASetComeBackExactly) {
    Open();
    w->NewSet();
    SetWindowTextW(w->setList.hwnd, L"Backup [old] \"2\"");
    SetWindowTextW(w->sourceEdit.hwnd, L"D:\\Backup [old]");
    SetWindowTextW(w->destinationEdit.hwnd, L"E:\\\"x\" [1]");
    w->OnSetListDropDown();  // takes in what the controls hold
    ASSERT_EQ(w->SaveSetFile(), 1);
    EXPECT_EQ(tree.Read(L"sets.ini").rfind("[Backup <[>old<]> <\">2<\">]\r\nSRC=\"D:\\Backup <[>old<]>\"\r\n", 0), 0u);
    w->NewSet();
    ASSERT_EQ(w->LoadSetFile(), 1);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(ItemName(0), L"Backup [old] \"2\"");
    EXPECT_EQ(TextOf(w->sourceEdit.hwnd), L"D:\\Backup [old]");
    EXPECT_EQ(TextOf(w->destinationEdit.hwnd), L"E:\\\"x\" [1]");
}

TEST_F(MainWindowTest, ForwardRunWithPromptRowsAndSuccess) {
    Open();
    WriteMirrorExample(tree);
    AddSet(L"example", tree.Path(L"src"), tree.Path(L"dst"), 1);

    DialogWatcher answers([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, d.HasControl(IDYES) ? IDYES : IDOK); });
    w->SyncForward();

    std::vector<SeenDialog> seen = answers.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, L"Confirm file delete");
    EXPECT_EQ(seen[0].Text(11901), L"Are you sure you want to delete 'd.txt'?");
    EXPECT_EQ(seen[1].caption, L"Result of fodler sync");

    HWND list = w->operationList.hwnd;
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(Cell(list, 2, 0), L"del");
    EXPECT_EQ(Cell(list, 2, 1), tree.Path(L"dst\\d.txt"));
    EXPECT_EQ(Cell(list, 0, 0), L"copy");
    EXPECT_EQ(tree.Read(L"dst\\b\\c.txt"), "c");
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    EXPECT_FALSE(IsWindowEnabled(w->abort.hwnd));
    EXPECT_TRUE(IsWindowEnabled(w->forward.hwnd));
    EXPECT_TRUE(IsWindowEnabled(w->setList.hwnd));

    // The saved log: a line naming the run with its figures, then the rows as zolvsync's.
    const std::string log = w->LogContent();
    const std::string header = "# example\tForward\t";
    EXPECT_EQ(log.compare(0, header.size(), header), 0) << log;
    EXPECT_NE(log.find("\t2 files copied"), std::string::npos) << log;
    EXPECT_NE(log.find("\r\ndel\t" + Utf8(tree.Path(L"dst\\d.txt")) + "\t\r\n"), std::string::npos) << log;
    EXPECT_TRUE(ReplaceFileContent(tree.Path(L"run.txt").c_str(), log, ~0ULL));
    EXPECT_EQ(tree.Read(L"run.txt"), log);
    EXPECT_FALSE(tree.Exists(L"run.txt.new"));
}

// Sync › Exclude: a malformed pattern is refused with its reason and the dialog stays; OK
// with good ones puts them in the set, and the set file keeps them.
TEST_F(MainWindowTest, TheExcludeDialogRefusesAMalformedPattern) {
    Open();
    AddSet(L"photos", L"C:\\a", L"C:\\b");
    HWND exclude = nullptr;
    DialogWatcher answers([&exclude](const SeenDialog& d) {
        if (d.caption == L"Exclude") {
            exclude = d.hwnd;
            SetDlgItemTextW(d.hwnd, 10801, L"*.tmp;..\\x");
            DialogWatcher::Click(d.hwnd, IDOK);
            return;
        }
        DialogWatcher::Click(d.hwnd, IDOK);  // the error box; the dialog stays for a second try
        SetDlgItemTextW(exclude, 10801, L"*.tmp;Thumbs.db");
        DialogWatcher::Click(exclude, IDOK);
    });
    SendMessageW(w->hwnd, WM_COMMAND, 40207, 0);
    std::vector<SeenDialog> seen = answers.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].message, L"The exclude pattern '..\\x' cannot be used: a '.' or '..' part names nothing inside "
                               L"the set's folders.");
    RECT screenFit = seen[0].rect;
    EXPECT_LE(screenFit.right - screenFit.left, 240);
    EXPECT_STREQ(w->CurrentSet.exclude, L"*.tmp;Thumbs.db");
    EXPECT_EQ(w->SaveSetFile(), 1);
    EXPECT_NE(tree.Read(L"sets.ini").find("EXCLUDE=\"*.tmp;Thumbs.db\"\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, BackwardNamesTheMissingDestinationAndStartsNothing) {
    Open();
    tree.MakeFolder(L"src");
    AddSet(L"back", tree.Path(L"src"), tree.Path(L"missing"));
    DialogWatcher answers(ClickEach(IDOK));
    w->SyncBackward();
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, L"Confirm source folder");
    EXPECT_EQ(answers.Seen()[0].Text(11901), L"Source folder '" + tree.Path(L"missing") + L"' is not exist.");
    EXPECT_TRUE(IsWindowEnabled(w->forward.hwnd));
}

TEST_F(MainWindowTest, AbortStopsARunOrAPreviewAtItsNextStep) {
    Open();
    for (int i = 0; i < 40; ++i) tree.Write(L"src\\f" + std::to_wstring(i) + L".txt", "x");
    tree.MakeFolder(L"dst");
    AddSet(L"abort", tree.Path(L"src"), tree.Path(L"dst"), 4);
    for (void (MainWindowTestPeer::*run)() : {&MainWindowTestPeer::PreviewForward, &MainWindowTestPeer::SyncForward}) {
        Sleep(25);  // past the run's interval between looks at the queue
        PostMessageW(w->hwnd, WM_COMMAND, kCmdAbort, 0);  // waiting when the run looks at the queue
        DialogWatcher answers(ClickEach(IDOK));
        (w->*run)();
        EXPECT_TRUE(answers.Seen().empty());  // no result box or dialog
        EXPECT_LT(SendMessageW(w->operationList.hwnd, LVM_GETITEMCOUNT, 0, 0), 40);
        EXPECT_FALSE(IsWindowEnabled(w->abort.hwnd));
    }
}

TEST_F(MainWindowTest, AfterAFaultInARunADialogOrAMenuTheWindowWorks) {
    Open();
    tree.Write(L"src\\a.txt", "a");
    tree.Write(L"src\\b\\c.txt", "c");
    tree.Write(L"dst\\d.txt", "d");
    AddSet(L"faults", tree.Path(L"src"), tree.Path(L"dst"), 1);
    DialogWatcher answers([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, d.HasControl(IDYES) ? IDYES : IDOK); });
    g_testFault = FaultOnce;
    HWND list = w->operationList.hwnd;

    Faulty()->faultOnRow = true;  // the first row: nothing copied yet
    SendMessageW(w->hwnd, WM_COMMAND, kCmdForward, 0);
    // An open search of a folder keeps it from being renamed.
    EXPECT_TRUE(MoveFileW(tree.Path(L"src").c_str(), tree.Path(L"moved").c_str())) << "search left open";
    MoveFileW(tree.Path(L"moved").c_str(), tree.Path(L"src").c_str());
    // A list with redraw on asks to be painted when a row comes.
    ValidateRect(list, nullptr);
    const wchar_t* row[] = {L"x"};
    InsertListRow(list, 0, row, 1);
    EXPECT_TRUE(GetUpdateRect(list, nullptr, FALSE)) << "list left without redraw";
    EXPECT_TRUE(IsWindowEnabled(w->forward.hwnd));
    EXPECT_FALSE(IsWindowEnabled(w->abort.hwnd));
    EXPECT_FALSE(tree.Exists(L"dst\\a.txt"));

    // A fault in the deletion prompt: its answer counts as Cancel and the run stops.
    g_faultAt = FaultSite::DialogInit;
    g_faultArmed = true;
    SendMessageW(w->hwnd, WM_COMMAND, kCmdForward, 0);
    EXPECT_EQ(tree.Read(L"dst\\b\\c.txt"), "c");
    EXPECT_TRUE(tree.Exists(L"dst\\d.txt"));

    // A fault while a menu is open: the menu's filter goes with it, and menus open again.
    g_faultAt = FaultSite::MenuTracking;
    g_faultArmed = true;
    for (int round = 0; round < 2; ++round) {
        PostMessageW(w->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);  // closes the popup once it is open
        SendMessageW(w->hwnd, WM_SYSCOMMAND, SC_KEYMENU, L'f');
    }
    EXPECT_EQ(Faulty()->menusOpened, 2);

    SendMessageW(w->hwnd, WM_COMMAND, kCmdForward, 0);  // a run that works
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    g_testFault = nullptr;
    std::vector<SeenDialog> seen = answers.Seen();
    std::vector<std::wstring> expected{L"Fatal WndProc", L"Fatal DlgProc", L"Confirm file delete", L"Fatal WndProc",
                                       L"Confirm file delete", L"Result of fodler sync"};
    std::vector<std::wstring> got;
    for (const SeenDialog& d : seen) got.push_back(d.caption == L"Fatal" ? L"Fatal " + d.FirstStaticText() : d.caption);
    EXPECT_EQ(got, expected);
}

TEST_F(MainWindowTest, DuringARunEveryCommandButAbortIsRefused) {
    Open();
    for (int i = 0; i < 100; ++i) tree.Write(L"src\\f" + std::to_wstring(i) + L".txt", "x");
    tree.MakeFolder(L"dst");
    AddSet(L"running", tree.Path(L"src"), tree.Path(L"dst"), 4);
    // Waiting when the run looks at the queue: Delete and New as the tool bar sends them,
    // the menu's New and About, then help.
    HWND toolBar = w->commandBar.hwnd;
    PostMessageW(w->hwnd, WM_COMMAND, MAKEWPARAM(kCmdDeleteSet, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar));
    PostMessageW(w->hwnd, WM_COMMAND, MAKEWPARAM(kCmdNewSet, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar));
    PostMessageW(w->hwnd, WM_COMMAND, kCmdNewSet, 0);
    PostMessageW(w->hwnd, WM_COMMAND, kCmdAbout, 0);
    HELPINFO help{};
    help.cbSize = sizeof help;
    PostMessageW(w->hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    std::vector<std::wstring> captions;
    DialogWatcher answers([&](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, d.HasControl(IDNO) ? IDNO : IDOK); });
    SendMessageW(w->hwnd, WM_COMMAND, kCmdForward, 0);
    for (const SeenDialog& d : answers.Seen()) captions.push_back(d.caption);
    EXPECT_EQ(captions, std::vector<std::wstring>{L"Result of fodler sync"});
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(ItemName(0), L"running");
    EXPECT_EQ(SendMessageW(w->operationList.hwnd, LVM_GETITEMCOUNT, 0, 0), 100);
    EXPECT_TRUE(SendMessageW(toolBar, TB_ISBUTTONENABLED, kCmdNewSet, 0));
}

TEST_F(MainWindowTest, ClosingSavesTheSetsAndTheColumnWidths) {
    Open();
    AddSet(L"kept", L"C:\\x", L"C:\\y");
    SendMessageW(w->operationList.hwnd, LVM_SETCOLUMNWIDTH, 1, 150);
    DestroyWindow(w->hwnd);
    EXPECT_EQ(AppSettings.srcWidth, 150);
    EXPECT_EQ(AppSettings.dstWidth, 200);
    EXPECT_EQ(tree.Read(L"sets.ini").rfind("[kept]\r\n", 0), 0u);
}

TEST_F(MainWindowTest, JapaneseControlsAndColumns) {
    Open(kLanguageJapanese);
    EXPECT_EQ(TextOf(w->back.hwnd), L"逆方向");
    EXPECT_EQ(TextOf(w->Option(0).hwnd), L"ｺﾋﾟｰ後削除");
    EXPECT_EQ(SendMessageW(w->operationList.hwnd, LVM_GETCOLUMNWIDTH, 0, 0), 40);
    w->NewSet();
    EXPECT_EQ(ItemName(0), L"新しいｾｯﾄ");
    EXPECT_EQ(TextOf(w->sourceEdit.hwnd), L"転送元ﾌｫﾙﾀﾞの指定");
}

// Every command of the bands is within reach at every width from a handheld's up, in both
// languages: each menu title, the set list with its arrow, New, Delete and each caption
// button lies inside the window and on no other, and the controls below start under the bands.
TEST_F(MainWindowTest, BandsHoldEveryCommandAtEveryWidth) {
    for (int language : {kLanguageEnglish, kLanguageJapanese}) {
        Open(language);
        HWND bands = w->w.commandBands.hwnd;
        for (int width : {180, 240, 320, 480, 1024}) {
            SetWindowPos(w->hwnd, nullptr, 0, 0, width, 320, SWP_NOMOVE | SWP_NOZORDER);
            RECT window;
            GetClientRect(w->hwnd, &window);
            MapWindowPoints(w->hwnd, nullptr, reinterpret_cast<POINT*>(&window), 2);
            std::vector<RECT> parts;
            const HWND menuBar = CommandBandsGetCommandBar(bands, 0);
            for (HWND bar : {menuBar, w->commandBar.hwnd, GetDlgItem(w->hwnd, kAdornmentBarId)}) {
                for (int i = 0; i < static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)); ++i) {
                    TBBUTTON button{};
                    RECT rect{};
                    SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
                    if (button.fsStyle & BTNS_SEP) continue;
                    SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
                    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
                    parts.push_back(rect);
                }
            }
            parts.emplace_back();
            GetWindowRect(w->setList.hwnd, &parts.back());
            ASSERT_EQ(parts.size(), 9u);  // three menus, New, Delete, three caption buttons, the set list
            for (size_t i = 0; i < parts.size(); ++i) {
                RECT in;
                EXPECT_TRUE(IntersectRect(&in, &parts[i], &window) && EqualRect(&in, &parts[i]))
                    << "language " << language << ", width " << width << ": part " << i << " reaches out";
                for (size_t j = i + 1; j < parts.size(); ++j)
                    EXPECT_FALSE(IntersectRect(&in, &parts[i], &parts[j]))
                        << "language " << language << ", width " << width << ": parts " << i << " and " << j;
            }
            RECT below, top;
            GetWindowRect(w->sourceEdit.hwnd, &below);
            GetWindowRect(bands, &top);
            EXPECT_GE(below.top, top.bottom) << "width " << width;
        }
        TearDown();
    }
}

TEST_F(MainWindowTest, KeepFollowsTheSetAndUndoLastRunPutsTheFolderBack) {
    Open();
    WriteMirrorExample(tree);
    AddSet(L"kept", tree.Path(L"src"), tree.Path(L"dst"), 1 | 4);
    AddSet(L"plain", tree.Path(L"src"), tree.Path(L"dst"));
    HMENU menu = w->w.menu.handle;
    auto keepChecked = [&] { return (GetMenuState(menu, 40205, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    DialogWatcher answers([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, d.HasControl(IDYES) ? IDYES : IDOK); });
    SendMessageW(w->hwnd, WM_COMMAND, kCmdUndoLastRun, 0);  // nothing kept yet
    SendMessageW(w->setList.hwnd, CB_SETCURSEL, 0, 0);
    w->OnSetSelChange();
    EXPECT_FALSE(keepChecked());
    SendMessageW(w->hwnd, WM_COMMAND, 40205, 0);  // the menu item checks itself
    EXPECT_TRUE(keepChecked());
    SendMessageW(w->hwnd, WM_COMMAND, kCmdForward, 0);
    EXPECT_EQ(tree.Read(L"dst\\.zolvkept\\" + KeptRunName() + L"\\a.txt"), "old a");
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    SendMessageW(w->setList.hwnd, CB_SETCURSEL, 1, 0);
    w->OnSetSelChange();
    EXPECT_FALSE(keepChecked());  // the other set's

    SendMessageW(w->hwnd, WM_COMMAND, kCmdUndoLastRun, 0);
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "old a");
    EXPECT_EQ(tree.Read(L"dst\\d.txt"), "d");
    EXPECT_FALSE(tree.Exists(L"dst\\b"));
    std::vector<std::wstring> captions;
    for (const SeenDialog& d : answers.Seen()) captions.push_back(d.caption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Error", L"Result of fodler sync", L"Confirm undo"}));
    // The question names the folder that will change, and counts what the undo then did.
    EXPECT_NE(answers.Seen()[2].message.find(L" in '" + tree.Path(L"dst") + L"': 2 entries put back, 3 entries removed?"),
              std::wstring::npos)
        << answers.Seen()[2].message;
    EXPECT_EQ(answers.Seen()[0].message,
              L"There is no kept run to undo in '" + tree.Path(L"dst") + L"' or in '" + tree.Path(L"src") + L"'.");
    ASSERT_EQ(w->SaveSetFile(), 1);
    EXPECT_NE(tree.Read(L"sets.ini").find("EXCLUDEOBJ=N\r\nKEEP=Y\r\n\r\n[plain]"), std::string::npos);
}

TEST_F(MainWindowTest, TheExitSaveNeverRewritesAFileInSilence) {
    // A line the program does not keep: the file does not read back to its own bytes.
    const std::string file = "; my note\r\n[A]\r\nSRC=\"C:\\a\"\r\nDST=\"C:\\b\"\r\nDELETE=N\r\nDOSTIME=N\r\n"
                             "FORCE=N\r\nEXCLUDEOBJ=N\r\n\r\n";
    Open();
    tree.Write(L"sets.ini", file);
    ASSERT_EQ(w->LoadSetFile(), 1);
    DestroyWindow(w->hwnd);  // nothing changed: nothing written
    EXPECT_EQ(tree.Read(L"sets.ini"), file);
    MSG msg;  // the quit message the window posted would end the next box at once
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }

    Open();
    tree.Write(L"sets.ini", file);
    ASSERT_EQ(w->LoadSetFile(), 1);
    w->NewSet();
    DialogWatcher no([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, IDNO); });
    DestroyWindow(w->hwnd);  // changed: asked, naming the file, and No keeps it as it was
    ASSERT_EQ(no.Seen().size(), 1u);
    EXPECT_NE(no.Seen()[0].message.find(L"'" + Ini() + L"' would not be written back as it was read"), std::wstring::npos);
    EXPECT_EQ(tree.Read(L"sets.ini"), file);
}
