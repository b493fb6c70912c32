// The main window and its parts (the sets on screen, the set file, the run) driven through
// their public operations and the controls' ids, with the dialogs answered live.
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
#include "sets/set_options.h"
#include "temp_tree.h"

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

// The main window with a count of opened menus.
class TestWindow : public MainWindow {
public:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITMENUPOPUP) ++menusOpened;
        return MainWindow::WindowProc(hwnd, msg, wParam, lParam);
    }
    int menusOpened = 0;
};

// The window's controls as the user reaches them: by their ids.
struct Controls {
    explicit Controls(const MainWindow& window)
        : hwnd(window.hwnd),
          setList(GetDlgItem(window.commandBar.hwnd, kIdSetList)),
          sourceEdit(GetDlgItem(hwnd, kIdSourceEdit)),
          destinationEdit(GetDlgItem(hwnd, kIdDestinationEdit)),
          back(GetDlgItem(hwnd, kCmdBackward)),
          forward(GetDlgItem(hwnd, kCmdForward)),
          abort(GetDlgItem(hwnd, kCmdAbort)),
          operationList(GetDlgItem(hwnd, kIdOperationList)) {}
    HWND Option(int index) const { return GetDlgItem(hwnd, kSetOptions[index].controlId); }

    HWND hwnd, setList, sourceEdit, destinationEdit, back, forward, abort, operationList;
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
        ui = std::make_unique<Controls>(*window);
    }
    TestWindow* Faulty() { return static_cast<TestWindow*>(window.get()); }
    SetEditor& Sets() { return window->Sets(); }
    SetFileSession& SetFile() { return window->SetFile(); }
    RunController& Run() { return window->Run(); }

    void TearDown() override {
        if (window && IsWindow(window->hwnd)) DestroyWindow(window->hwnd);
        ui.reset();
        window.reset();
        MSG msg;  // the window posted its quit message: keep it from ending later dialogs
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        UiLanguage = kLanguageEnglish;
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    }

    std::wstring Ini() const { return tree.Path(L"sets.ini"); }
    int Count() { return Sets().SetCount(); }
    std::wstring ItemName(int i) const {
        wchar_t text[MAX_PATH] = L"";
        SendMessageW(ui->setList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void AddSet(const wchar_t* name, const std::wstring& source, const std::wstring& destination, int flags = 0) {
        Sets().ResetCurrentSet();
        wcscpy(Sets().CurrentSet.name, name);
        wcscpy(Sets().CurrentSet.source, source.c_str());
        wcscpy(Sets().CurrentSet.destination, destination.c_str());
        Sets().CurrentSet.deleteAfterCopy = flags & 1;
        Sets().CurrentSet.dosTime = (flags >> 1) & 1;
        Sets().CurrentSet.force = (flags >> 2) & 1;
        Sets().CurrentSet.excludeObj = (flags >> 3) & 1;
        Sets().ShowCurrentSet();
        Sets().InsertSet(-1);
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
    std::unique_ptr<Controls> ui;
};

// Each owner of the window's work has its tests, through its public face on the live window.
using SetEditorTest = MainWindowTest;
using SetFileSessionTest = MainWindowTest;
using RunControllerTest = MainWindowTest;

}  // namespace

TEST_F(SetEditorTest, NewAndDeleteSets) {
    Open();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Sets().currentIndex, -1);
    Sets().NewSet();
    Sets().NewSet();
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Sets().currentIndex, 1);
    EXPECT_EQ(TextOf(ui->sourceEdit), L"set source folder's path");
    EXPECT_EQ(TextOf(ui->destinationEdit), L"set destination folder's path");
    EXPECT_EQ(ItemName(1), L"New set");

    {
        DialogWatcher no([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, IDNO); });
        Sets().DeleteSet();
        ASSERT_EQ(no.Seen().size(), 1u);
        EXPECT_EQ(no.Seen()[0].caption, L"Confirm");
        EXPECT_EQ(no.Seen()[0].message, L"Are you sure delete this set 'New set'?");
    }
    EXPECT_EQ(Count(), 2);

    DialogWatcher yes([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, IDYES); });
    Sets().DeleteSet();
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Sets().currentIndex, 0);
    Sets().DeleteSet();
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Sets().currentIndex, -1);
    EXPECT_EQ(TextOf(ui->sourceEdit), L"set source folder's path");
    Sets().DeleteSet();  // nothing selected: nothing asked
    EXPECT_EQ(yes.Seen().size(), 2u);
}

TEST_F(SetEditorTest, CommitRenamesInPlaceAndReadsTheControls) {
    Open();
    AddSet(L"first", L"C:\\a", L"C:\\b");
    AddSet(L"second", L"C:\\c", L"C:\\d");
    SendMessageW(ui->setList, CB_SETCURSEL, 0, 0);
    Sets().OnSetSelChange();
    EXPECT_EQ(TextOf(ui->sourceEdit), L"C:\\a");

    SetWindowTextW(ui->setList, L"renamed");
    SetWindowTextW(ui->sourceEdit, L"C:\\typed");
    SendMessageW(ui->Option(2), BM_SETCHECK, BST_CHECKED, 0);
    Sets().OnSetListDropDown();
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(ItemName(0), L"renamed");
    EXPECT_EQ(ItemName(1), L"second");
    EXPECT_EQ(Sets().currentIndex, 0);

    SendMessageW(ui->setList, CB_SETCURSEL, 1, 0);
    Sets().OnSetSelChange();
    SendMessageW(ui->setList, CB_SETCURSEL, 0, 0);
    Sets().OnSetSelChange();
    EXPECT_EQ(TextOf(ui->sourceEdit), L"C:\\typed");
    EXPECT_EQ(SendMessageW(ui->Option(2), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(SetFileSessionTest, SavesAndLoadsTheSetFileAndLosesUncommittedEdits) {
    Open();
    AddSet(L"Docs", L"\\My Documents", L"\\Storage Card\\Docs", 1 | 8);
    AddSet(L"Mail", L"\\Mail", L"\\Backup\\Mail", 2 | 4);
    SetWindowTextW(ui->sourceEdit, L"\\typed but not committed");
    ASSERT_EQ(SetFile().SaveSetFile(), 1);
    EXPECT_EQ(tree.Read(L"sets.ini"),
              "[Docs]\r\nSRC=\"\\My Documents\"\r\nDST=\"\\Storage Card\\Docs\"\r\nDELETE=Y\r\nDOSTIME=N\r\n"
              "FORCE=N\r\nEXCLUDEOBJ=Y\r\n\r\n"
              "[Mail]\r\nSRC=\"\\Mail\"\r\nDST=\"\\Backup\\Mail\"\r\nDELETE=N\r\nDOSTIME=Y\r\n"
              "FORCE=Y\r\nEXCLUDEOBJ=N\r\n\r\n");

    Sets().NewSet();
    ASSERT_EQ(SetFile().LoadSetFile(), 1);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Sets().currentIndex, 0);
    EXPECT_EQ(ItemName(1), L"Mail");
    EXPECT_EQ(TextOf(ui->sourceEdit), L"\\My Documents");
    EXPECT_EQ(SendMessageW(ui->Option(3), BM_GETCHECK, 0, 0), BST_CHECKED);

    wcscpy(AppSettings.iniFile, tree.Path(L"none.ini").c_str());
    EXPECT_EQ(SetFile().LoadSetFile(), 0);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Sets().currentIndex, -1);  // so that the next commit inserts a set
    Sets().OnSetListDropDown();
    EXPECT_EQ(Count(), 1);
}

// '[', ']' and '"' are ordinary in Windows names: a set holding them comes back exactly,
// never as another folder.
TEST_F(SetFileSessionTest, BracketsAndQuotesInASetComeBackExactly) {
    Open();
    Sets().NewSet();
    SetWindowTextW(ui->setList, L"Backup [old] \"2\"");
    SetWindowTextW(ui->sourceEdit, L"D:\\Backup [old]");
    SetWindowTextW(ui->destinationEdit, L"E:\\\"x\" [1]");
    Sets().OnSetListDropDown();  // takes in what the controls hold
    ASSERT_EQ(SetFile().SaveSetFile(), 1);
    EXPECT_EQ(tree.Read(L"sets.ini").rfind("[Backup <[>old<]> <\">2<\">]\r\nSRC=\"D:\\Backup <[>old<]>\"\r\n", 0), 0u);
    Sets().NewSet();
    ASSERT_EQ(SetFile().LoadSetFile(), 1);
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(ItemName(0), L"Backup [old] \"2\"");
    EXPECT_EQ(TextOf(ui->sourceEdit), L"D:\\Backup [old]");
    EXPECT_EQ(TextOf(ui->destinationEdit), L"E:\\\"x\" [1]");
}

TEST_F(RunControllerTest, ForwardRunWithPromptRowsAndSuccess) {
    Open();
    WriteMirrorExample(tree);
    AddSet(L"example", tree.Path(L"src"), tree.Path(L"dst"), 1);

    DialogWatcher answers([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, d.HasControl(IDYES) ? IDYES : IDOK); });
    Run().SyncForward();

    std::vector<SeenDialog> seen = answers.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, L"Confirm file delete");
    EXPECT_EQ(seen[0].Text(11901), L"Are you sure you want to delete 'd.txt'?");
    EXPECT_EQ(seen[1].caption, L"Result of fodler sync");

    HWND list = ui->operationList;
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(Cell(list, 2, 0), L"del");
    EXPECT_EQ(Cell(list, 2, 1), tree.Path(L"dst\\d.txt"));
    EXPECT_EQ(Cell(list, 0, 0), L"copy");
    EXPECT_EQ(tree.Read(L"dst\\b\\c.txt"), "c");
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    EXPECT_FALSE(IsWindowEnabled(ui->abort));
    EXPECT_TRUE(IsWindowEnabled(ui->forward));
    EXPECT_TRUE(IsWindowEnabled(ui->setList));

    // The saved log: a line naming the run with its figures, then the rows as zolvsync's.
    const std::string log = Run().Log().LogContent();
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
TEST_F(SetEditorTest, TheExcludeDialogRefusesAMalformedPattern) {
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
    SendMessageW(ui->hwnd, WM_COMMAND, 40207, 0);
    std::vector<SeenDialog> seen = answers.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].message, L"The exclude pattern '..\\x' cannot be used: a '.' or '..' part names nothing inside "
                               L"the set's folders.");
    RECT screenFit = seen[0].rect;
    EXPECT_LE(screenFit.right - screenFit.left, 240);
    EXPECT_STREQ(Sets().CurrentSet.exclude, L"*.tmp;Thumbs.db");
    EXPECT_EQ(SetFile().SaveSetFile(), 1);
    EXPECT_NE(tree.Read(L"sets.ini").find("EXCLUDE=\"*.tmp;Thumbs.db\"\r\n"), std::string::npos);
}

TEST_F(RunControllerTest, BackwardNamesTheMissingDestinationAndStartsNothing) {
    Open();
    tree.MakeFolder(L"src");
    AddSet(L"back", tree.Path(L"src"), tree.Path(L"missing"));
    DialogWatcher answers(ClickEach(IDOK));
    Run().SyncBackward();
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0].caption, L"Confirm source folder");
    EXPECT_EQ(answers.Seen()[0].Text(11901), L"Source folder '" + tree.Path(L"missing") + L"' is not exist.");
    EXPECT_TRUE(IsWindowEnabled(ui->forward));
}

TEST_F(RunControllerTest, AbortStopsARunOrAPreviewAtItsNextStep) {
    Open();
    for (int i = 0; i < 40; ++i) tree.Write(L"src\\f" + std::to_wstring(i) + L".txt", "x");
    tree.MakeFolder(L"dst");
    AddSet(L"abort", tree.Path(L"src"), tree.Path(L"dst"), 4);
    for (void (RunController::*run)() : {&RunController::PreviewForward, &RunController::SyncForward}) {
        Sleep(25);  // past the run's interval between looks at the queue
        PostMessageW(ui->hwnd, WM_COMMAND, kCmdAbort, 0);  // waiting when the run looks at the queue
        DialogWatcher answers(ClickEach(IDOK));
        (Run().*run)();
        EXPECT_TRUE(answers.Seen().empty());  // no result box or dialog
        EXPECT_LT(SendMessageW(ui->operationList, LVM_GETITEMCOUNT, 0, 0), 40);
        EXPECT_FALSE(IsWindowEnabled(ui->abort));
    }
}

TEST_F(RunControllerTest, AfterAFaultInARunADialogOrAMenuTheWindowWorks) {
    Open();
    tree.Write(L"src\\a.txt", "a");
    tree.Write(L"src\\b\\c.txt", "c");
    tree.Write(L"dst\\d.txt", "d");
    AddSet(L"faults", tree.Path(L"src"), tree.Path(L"dst"), 1);
    DialogWatcher answers([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, d.HasControl(IDYES) ? IDYES : IDOK); });
    g_testFault = FaultOnce;
    HWND list = ui->operationList;

    g_faultAt = FaultSite::LogRow;  // the first row: nothing copied yet
    g_faultArmed = true;
    SendMessageW(ui->hwnd, WM_COMMAND, kCmdForward, 0);
    // An open search of a folder keeps it from being renamed.
    EXPECT_TRUE(MoveFileW(tree.Path(L"src").c_str(), tree.Path(L"moved").c_str())) << "search left open";
    MoveFileW(tree.Path(L"moved").c_str(), tree.Path(L"src").c_str());
    // A list with redraw on asks to be painted when a row comes.
    ValidateRect(list, nullptr);
    const wchar_t* row[] = {L"x"};
    InsertListRow(list, 0, row, 1);
    EXPECT_TRUE(GetUpdateRect(list, nullptr, FALSE)) << "list left without redraw";
    EXPECT_TRUE(IsWindowEnabled(ui->forward));
    EXPECT_FALSE(IsWindowEnabled(ui->abort));
    EXPECT_FALSE(tree.Exists(L"dst\\a.txt"));

    // A fault in the deletion prompt: its answer counts as Cancel and the run stops.
    g_faultAt = FaultSite::DialogInit;
    g_faultArmed = true;
    SendMessageW(ui->hwnd, WM_COMMAND, kCmdForward, 0);
    EXPECT_EQ(tree.Read(L"dst\\b\\c.txt"), "c");
    EXPECT_TRUE(tree.Exists(L"dst\\d.txt"));

    // A fault while a menu is open: the menu's filter goes with it, and menus open again.
    g_faultAt = FaultSite::MenuTracking;
    g_faultArmed = true;
    for (int round = 0; round < 2; ++round) {
        PostMessageW(ui->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);  // closes the popup once it is open
        SendMessageW(ui->hwnd, WM_SYSCOMMAND, SC_KEYMENU, L'f');
    }
    EXPECT_EQ(Faulty()->menusOpened, 2);

    SendMessageW(ui->hwnd, WM_COMMAND, kCmdForward, 0);  // a run that works
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    g_testFault = nullptr;
    std::vector<SeenDialog> seen = answers.Seen();
    std::vector<std::wstring> expected{L"Fatal WndProc", L"Fatal DlgProc", L"Confirm file delete", L"Fatal WndProc",
                                       L"Confirm file delete", L"Result of fodler sync"};
    std::vector<std::wstring> got;
    for (const SeenDialog& d : seen) got.push_back(d.caption == L"Fatal" ? L"Fatal " + d.FirstStaticText() : d.caption);
    EXPECT_EQ(got, expected);
}

TEST_F(RunControllerTest, DuringARunEveryCommandButAbortIsRefused) {
    Open();
    for (int i = 0; i < 100; ++i) tree.Write(L"src\\f" + std::to_wstring(i) + L".txt", "x");
    tree.MakeFolder(L"dst");
    AddSet(L"running", tree.Path(L"src"), tree.Path(L"dst"), 4);
    // Waiting when the run looks at the queue: Delete and New as the tool bar sends them,
    // the menu's New and About, then help.
    HWND toolBar = window->commandBar.hwnd;
    PostMessageW(ui->hwnd, WM_COMMAND, MAKEWPARAM(kCmdDeleteSet, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar));
    PostMessageW(ui->hwnd, WM_COMMAND, MAKEWPARAM(kCmdNewSet, BN_CLICKED), reinterpret_cast<LPARAM>(toolBar));
    PostMessageW(ui->hwnd, WM_COMMAND, kCmdNewSet, 0);
    PostMessageW(ui->hwnd, WM_COMMAND, kCmdAbout, 0);
    HELPINFO help{};
    help.cbSize = sizeof help;
    PostMessageW(ui->hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    std::vector<std::wstring> captions;
    DialogWatcher answers([&](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, d.HasControl(IDNO) ? IDNO : IDOK); });
    SendMessageW(ui->hwnd, WM_COMMAND, kCmdForward, 0);
    for (const SeenDialog& d : answers.Seen()) captions.push_back(d.caption);
    EXPECT_EQ(captions, std::vector<std::wstring>{L"Result of fodler sync"});
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(ItemName(0), L"running");
    EXPECT_EQ(SendMessageW(ui->operationList, LVM_GETITEMCOUNT, 0, 0), 100);
    EXPECT_TRUE(SendMessageW(toolBar, TB_ISBUTTONENABLED, kCmdNewSet, 0));
}

TEST_F(MainWindowTest, ClosingSavesTheSetsAndTheColumnWidths) {
    Open();
    AddSet(L"kept", L"C:\\x", L"C:\\y");
    SendMessageW(ui->operationList, LVM_SETCOLUMNWIDTH, 1, 150);
    DestroyWindow(ui->hwnd);
    EXPECT_EQ(AppSettings.srcWidth, 150);
    EXPECT_EQ(AppSettings.dstWidth, 200);
    EXPECT_EQ(tree.Read(L"sets.ini").rfind("[kept]\r\n", 0), 0u);
}

TEST_F(MainWindowTest, JapaneseControlsAndColumns) {
    Open(kLanguageJapanese);
    EXPECT_EQ(TextOf(ui->back), L"逆方向");
    EXPECT_EQ(TextOf(ui->Option(0)), L"ｺﾋﾟｰ後削除");
    EXPECT_EQ(SendMessageW(ui->operationList, LVM_GETCOLUMNWIDTH, 0, 0), 40);
    Sets().NewSet();
    EXPECT_EQ(ItemName(0), L"新しいｾｯﾄ");
    EXPECT_EQ(TextOf(ui->sourceEdit), L"転送元ﾌｫﾙﾀﾞの指定");
}

// Every command of the bands is within reach at every width from a handheld's up, in both
// languages: each menu title, the set list with its arrow, New, Delete and each caption
// button lies inside the window and on no other, and the controls below start under the bands.
TEST_F(MainWindowTest, BandsHoldEveryCommandAtEveryWidth) {
    for (int language : {kLanguageEnglish, kLanguageJapanese}) {
        Open(language);
        HWND bands = window->commandBands.hwnd;
        for (int width : {180, 240, 320, 480, 1024}) {
            SetWindowPos(ui->hwnd, nullptr, 0, 0, width, 320, SWP_NOMOVE | SWP_NOZORDER);
            RECT window;
            GetClientRect(ui->hwnd, &window);
            MapWindowPoints(ui->hwnd, nullptr, reinterpret_cast<POINT*>(&window), 2);
            std::vector<RECT> parts;
            const HWND menuBar = CommandBandsGetCommandBar(bands, 0);
            for (HWND bar : {menuBar, this->window->commandBar.hwnd, GetDlgItem(ui->hwnd, kAdornmentBarId)}) {
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
            GetWindowRect(ui->setList, &parts.back());
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
            GetWindowRect(ui->sourceEdit, &below);
            GetWindowRect(bands, &top);
            EXPECT_GE(below.top, top.bottom) << "width " << width;
        }
        TearDown();
    }
}

TEST_F(RunControllerTest, KeepFollowsTheSetAndUndoLastRunPutsTheFolderBack) {
    Open();
    WriteMirrorExample(tree);
    AddSet(L"kept", tree.Path(L"src"), tree.Path(L"dst"), 1 | 4);
    AddSet(L"plain", tree.Path(L"src"), tree.Path(L"dst"));
    HMENU menu = window->menu.handle;
    auto keepChecked = [&] { return (GetMenuState(menu, 40205, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    bool declineUndo = true;  // the first undo asked about is declined
    DialogWatcher answers([&declineUndo](const SeenDialog& d) {
        const bool no = d.caption == L"Confirm undo" && declineUndo;
        if (no) declineUndo = false;
        DialogWatcher::Click(d.hwnd, no ? IDNO : d.HasControl(IDYES) ? IDYES : IDOK);
    });
    SendMessageW(ui->hwnd, WM_COMMAND, kCmdUndoLastRun, 0);  // nothing kept yet
    SendMessageW(ui->setList, CB_SETCURSEL, 0, 0);
    Sets().OnSetSelChange();
    EXPECT_FALSE(keepChecked());
    SendMessageW(ui->hwnd, WM_COMMAND, 40205, 0);  // the menu item checks itself
    EXPECT_TRUE(keepChecked());
    SendMessageW(ui->hwnd, WM_COMMAND, kCmdForward, 0);
    EXPECT_EQ(tree.Read(L"dst\\.zolvkept\\" + KeptRunName() + L"\\a.txt"), "old a");
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    SendMessageW(ui->setList, CB_SETCURSEL, 1, 0);
    Sets().OnSetSelChange();
    EXPECT_FALSE(keepChecked());  // the other set's

    SendMessageW(ui->hwnd, WM_COMMAND, kCmdUndoLastRun, 0);  // declined: nothing changes, the log keeps the run
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));
    EXPECT_EQ(Run().Log().LogContent().rfind("# kept\tForward\t", 0), 0u);
    SendMessageW(ui->hwnd, WM_COMMAND, kCmdUndoLastRun, 0);
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "old a");
    EXPECT_EQ(tree.Read(L"dst\\d.txt"), "d");
    EXPECT_FALSE(tree.Exists(L"dst\\b"));
    std::vector<std::wstring> captions;
    for (const SeenDialog& d : answers.Seen()) captions.push_back(d.caption);
    EXPECT_EQ(captions,
              (std::vector<std::wstring>{L"Error", L"Result of fodler sync", L"Confirm undo", L"Confirm undo"}));
    // The question names the folder that will change, and counts what the undo then did.
    EXPECT_NE(answers.Seen()[2].message.find(L" in '" + tree.Path(L"dst") + L"': 2 entries put back, 3 entries removed?"),
              std::wstring::npos)
        << answers.Seen()[2].message;
    EXPECT_EQ(answers.Seen()[0].message,
              L"There is no kept run to undo in '" + tree.Path(L"dst") + L"' or in '" + tree.Path(L"src") + L"'.");
    ASSERT_EQ(SetFile().SaveSetFile(), 1);
    EXPECT_NE(tree.Read(L"sets.ini").find("EXCLUDEOBJ=N\r\nKEEP=Y\r\n\r\n[plain]"), std::string::npos);
}

TEST_F(SetFileSessionTest, TheExitSaveNeverRewritesAFileInSilence) {
    // A line the program does not keep: the file does not read back to its own bytes.
    const std::string file = "; my note\r\n[A]\r\nSRC=\"C:\\a\"\r\nDST=\"C:\\b\"\r\nDELETE=N\r\nDOSTIME=N\r\n"
                             "FORCE=N\r\nEXCLUDEOBJ=N\r\n\r\n";
    Open();
    tree.Write(L"sets.ini", file);
    ASSERT_EQ(SetFile().LoadSetFile(), 1);
    DestroyWindow(ui->hwnd);  // nothing changed: nothing written
    EXPECT_EQ(tree.Read(L"sets.ini"), file);
    MSG msg;  // the quit message the window posted would end the next box at once
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }

    Open();
    tree.Write(L"sets.ini", file);
    ASSERT_EQ(SetFile().LoadSetFile(), 1);
    Sets().NewSet();
    DialogWatcher no([](const SeenDialog& d) { DialogWatcher::Click(d.hwnd, IDNO); });
    DestroyWindow(ui->hwnd);  // changed: asked, naming the file, and No keeps it as it was
    ASSERT_EQ(no.Seen().size(), 1u);
    EXPECT_NE(no.Seen()[0].message.find(L"'" + Ini() + L"' would not be written back as it was read"), std::wstring::npos);
    EXPECT_EQ(tree.Read(L"sets.ini"), file);
}
