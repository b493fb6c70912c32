// End to end: the real Zolv.exe in a Wine prefix of its own, driven through its window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "process.h"
#include "temp_tree.h"
#include "zolv_driver.h"

namespace {

const wchar_t kSettings[] = L"Software\\Quenbrook\\Zolv";

std::wstring Exe() { return WinePath(ZOLV_EXE); }

bool RegistryValue(const wchar_t* name, std::wstring* text = nullptr) {
    wchar_t buffer[MAX_PATH] = L"";
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettings, name, RRF_RT_ANY, nullptr, buffer, &size) != ERROR_SUCCESS) return false;
    if (text) *text = buffer;
    return true;
}

void SetIniFile(const std::wstring& path) {
    HKEY key;
    RegCreateKeyExW(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExW(key, L"Ini file", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void SetLangToggle(DWORD value) {
    HKEY key;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Quenbrook", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExW(key, L"LangToggle", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4);
    RegCloseKey(key);
}

// Keys as the user types them, to whatever window has the focus.
void PressCtrl(WORD key) {
    keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

void Press(WORD key, bool shift = false) {
    if (shift) keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    if (shift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

void PressAlt(WORD key) {
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
}

// An open popup menu (any process of this prefix: only the program opens one), waited for.
bool MenuOpens(DWORD timeoutMs = 3000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (popup && IsWindowVisible(popup)) return true;
        PumpFor(20);
    }
    return false;
}

// Alt+`menu` shows a popup and `item`, its letter, opens the dialog `caption`, which is then
// closed with `button`.
void ChooseWithKeys(const ZolvProcess& zolv, WORD menu, WORD item, const wchar_t* caption, int button) {
    PressAlt(menu);
    ASSERT_TRUE(MenuOpens()) << "Alt+" << static_cast<char>(menu);
    Press(item);
    HWND dialog = zolv.WaitForDialog(caption, 5000);
    ASSERT_NE(dialog, nullptr) << static_cast<char>(item);
    ClickButton(dialog, button);
    PumpFor(300);
}

// The id of the control with the program's keyboard focus; the set list for its edit.
int FocusedId(const ZolvProcess& zolv) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(zolv.Main(), nullptr), &info) || !info.hwndFocus) return 0;
    HWND focus = info.hwndFocus;
    if (GetParent(focus) == zolv.Control(10400)) focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

// Makes the window the one the keyboard talks to, as a click on it would; waits until it is.
void Activate(HWND window) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        RECT rect;
        GetWindowRect(window, &rect);
        SetCursorPos(rect.left + 40, rect.bottom - 8);  // the status bar: a click there does nothing else
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        SetForegroundWindow(window);
        PumpFor(100);
        if (GetForegroundWindow() == window) break;
    }
    PumpFor(100);
}

int SetCount(const ZolvProcess& zolv) { return static_cast<int>(SendMessageW(zolv.Control(10400), CB_GETCOUNT, 0, 0)); }

void Check(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

// Answers prompts with Yes and the result dialog with OK.
int YesThenOk(HWND dialog, const std::wstring&) { return GetDlgItem(dialog, IDYES) ? IDYES : IDOK; }

class ZolvEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenbrook"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenbrook"); }

    // A set file named in the registry, so that no Open dialog comes at start.
    void UseIniFile(const std::string& content = "") {
        tree.Write(L"sets.ini", content);
        SetIniFile(tree.Path(L"sets.ini"));
    }
    bool Start(ZolvProcess& zolv) { return zolv.Start(Exe(), tree.Root()); }
    // A first start: the Open INI file dialog comes, and is cancelled.
    void CancelOpenDialog(const ZolvProcess& zolv, const wchar_t* caption = L"Open INI file") {
        HWND open = zolv.WaitForDialog(caption);
        ASSERT_NE(open, nullptr);
        ClickButton(open, IDCANCEL);
        PumpFor(200);
    }
    // A set of 1500 small files (Force), started Forward; returns once the run is on.
    void StartLongRun(ZolvProcess& zolv, const std::string& name) {
        for (int i = 0; i < 1500; ++i) tree.Write(L"src\\f" + std::to_wstring(i) + L".txt", "x");
        tree.MakeFolder(L"dst");
        UseIniFile(SetSection(name, tree.Path(L"src"), tree.Path(L"dst"), false, true));
        ASSERT_TRUE(Start(zolv));
        zolv.Command(40201);
        ASSERT_TRUE(zolv.WaitForRunStart());
    }
    // File › Save INI file, with `path` typed into the dialog and OK pressed.
    void SaveAs(const ZolvProcess& zolv, const std::wstring& path, HWND* dialog = nullptr) {
        zolv.Command(40102);
        HWND save = zolv.WaitForDialog(L"Save INI file");
        ASSERT_NE(save, nullptr);
        if (dialog) *dialog = save;
        for (int id : {0x47C, 0x480}) {
            if (HWND name = GetDlgItem(save, id)) SetText(name, path);
        }
        ClickButton(save, IDOK);
    }
    std::string SetSection(const std::string& name, const std::wstring& src, const std::wstring& dst, bool del,
                           bool force) {
        return "[" + name + "]\r\nSRC=\"" + Utf8(src) + "\"\r\nDST=\"" + Utf8(dst) + "\"\r\nDELETE=" +
               (del ? "Y" : "N") + "\r\nDOSTIME=N\r\nFORCE=" + (force ? "Y" : "N") + "\r\nEXCLUDEOBJ=N\r\n\r\n";
    }

    TempTree tree;
};

}  // namespace

TEST_F(ZolvEndToEnd, FirstStartOffersTheOpenDialogAndKeepsOnlyTheWidths) {
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    CancelOpenDialog(zolv);
    EXPECT_EQ(SetCount(zolv), 0);
    Activate(zolv.Main());
    PressCtrl('Q');
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_TRUE(RegistryValue(L"Src width"));
    EXPECT_TRUE(RegistryValue(L"Dst width"));
    EXPECT_FALSE(RegistryValue(L"Ini file"));
    EXPECT_FALSE(tree.Exists(L"Zolv.ini"));
}

TEST_F(ZolvEndToEnd, ASetCreatedInTheWindowRunsForwardThenBackward) {
    tree.Write(L"src\\a.txt", "new a");
    tree.SetWriteTime(L"src\\a.txt", MakeTime(2021, 1, 1));
    tree.Write(L"src\\b\\c.txt", "c");
    tree.Write(L"dst\\a.txt", "old a");
    tree.SetWriteTime(L"dst\\a.txt", MakeTime(2020, 1, 1));
    tree.Write(L"dst\\d.txt", "d");
    UseIniFile();
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));

    zolv.Command(40301);  // New
    PumpFor(200);
    SetText(zolv.Control(10701), tree.Path(L"src"));
    SetText(zolv.Control(10702), tree.Path(L"dst"));
    Check(zolv.Control(10301), true);  // Del after copy
    std::vector<std::wstring> captions;
    zolv.Command(40201);  // Forward
    zolv.AnswerDialogs([&](HWND dialog, const std::wstring& caption) {
        captions.push_back(caption);
        return YesThenOk(dialog, caption);
    });
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Confirm file delete", L"Result of fodler sync"}));
    ASSERT_EQ(zolv.RowCount(), 3);
    EXPECT_EQ(zolv.Cell(2, 0), L"del");
    EXPECT_EQ(zolv.Cell(2, 1), tree.Path(L"dst\\d.txt"));
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "new a");
    EXPECT_EQ(tree.Read(L"dst\\b\\c.txt"), "c");
    EXPECT_FALSE(tree.Exists(L"dst\\d.txt"));

    tree.Write(L"dst\\back.txt", "back");
    zolv.Command(40202);  // Backward
    zolv.AnswerDialogs(YesThenOk);
    EXPECT_EQ(tree.Read(L"src\\back.txt"), "back");
    EXPECT_EQ(zolv.Cell(0, 0), L"copy");
    EXPECT_EQ(zolv.Cell(0, 1), tree.Path(L"dst\\back.txt"));

    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(zolv.WaitForExit(), 0);
    std::string saved = tree.Read(L"sets.ini");
    EXPECT_EQ(saved.rfind("[New set]\r\nSRC=\"" + Utf8(tree.Path(L"src")) + "\"\r\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("DELETE=Y"), std::string::npos);
}

TEST_F(ZolvEndToEnd, CtrlQWithAnIniFileSavesTheSetsAndTheSettings) {
    UseIniFile(SetSection("kept", L"C:\\a", L"C:\\b", true, false));
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    tree.Write(L"sets.ini", "overwritten at exit");
    Activate(zolv.Main());
    PressCtrl('Q');
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_EQ(tree.Read(L"sets.ini").rfind("[kept]\r\nSRC=\"C:\\a\"\r\nDST=\"C:\\b\"\r\nDELETE=Y\r\n", 0), 0u);
    std::wstring iniFile;
    EXPECT_TRUE(RegistryValue(L"Ini file", &iniFile));
    EXPECT_EQ(iniFile, tree.Path(L"sets.ini"));
    EXPECT_TRUE(RegistryValue(L"Src width"));
}

TEST_F(ZolvEndToEnd, AbortStopsARunInProgress) {
    ZolvProcess zolv;
    ASSERT_NO_FATAL_FAILURE(StartLongRun(zolv, "many"));
    PostMessageW(zolv.Main(), WM_COMMAND, MAKEWPARAM(40305, BN_CLICKED), reinterpret_cast<LPARAM>(zolv.Control(40305)));
    int dialogs = 0;
    zolv.AnswerDialogs([&](HWND, const std::wstring&) {
        ++dialogs;
        return IDOK;
    });
    EXPECT_EQ(dialogs, 0);  // no result dialog after an abort
    EXPECT_LT(zolv.RowCount(), 1500);
    EXPECT_TRUE(IsWindowEnabled(zolv.Control(40201)));
}

TEST_F(ZolvEndToEnd, DeleteSetAsksFirst) {
    UseIniFile(SetSection("one", L"C:\\a", L"C:\\b", false, false) + SetSection("two", L"C:\\c", L"C:\\d", false, false));
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    EXPECT_EQ(SetCount(zolv), 2);
    zolv.Command(40302);
    HWND confirm = zolv.WaitForDialog(L"Confirm");
    ASSERT_NE(confirm, nullptr);
    ClickButton(confirm, IDYES);
    PumpFor(300);
    EXPECT_EQ(SetCount(zolv), 1);
    EXPECT_EQ(WindowText(zolv.Control(10701)), L"C:\\c");
}

TEST_F(ZolvEndToEnd, SavedSetsComeBackAtTheNextStart) {
    {
        ZolvProcess zolv;
        ASSERT_TRUE(Start(zolv));
        CancelOpenDialog(zolv);
        zolv.Command(40301);
        PumpFor(200);
        SetText(zolv.Control(10701), L"C:\\saved");
        SendMessageW(zolv.Control(10400), CB_SHOWDROPDOWN, TRUE, 0);  // opening the list commits the edits
        SendMessageW(zolv.Control(10400), CB_SHOWDROPDOWN, FALSE, 0);
        SaveAs(zolv, tree.Path(L"mine.ini"));
        for (int i = 0; i < 200 && !tree.Exists(L"mine.ini"); ++i) Sleep(20);
        PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(zolv.WaitForExit(), 0);
    }
    std::wstring iniFile;
    EXPECT_TRUE(RegistryValue(L"Ini file", &iniFile));
    EXPECT_EQ(iniFile, tree.Path(L"mine.ini"));
    EXPECT_NE(tree.Read(L"mine.ini").find("SRC=\"C:\\saved\""), std::string::npos);

    ZolvProcess again;
    ASSERT_TRUE(Start(again));
    PumpFor(300);
    EXPECT_EQ(again.AnyDialog(), nullptr);  // no Open dialog: the file is known
    EXPECT_EQ(SetCount(again), 1);
    EXPECT_EQ(WindowText(again.Control(10701)), L"C:\\saved");
}

TEST_F(ZolvEndToEnd, ASecondStartBringsTheFirstForwardAndEnds) {
    UseIniFile();
    ZolvProcess first;
    ASSERT_TRUE(Start(first));
    ProcessResult second = RunProcess(L"\"" + Exe() + L"\"");
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(FindWindowExW(nullptr, first.Main(), L"Larkmoor", nullptr), nullptr);  // one window only
}

// Keyboard alone: Tab and Shift+Tab walk every control, the set list first, then the controls
// as they stand on screen; Alt+letter opens a menu from whichever control has the focus, and
// the popup's own letters pick its items.
TEST_F(ZolvEndToEnd, TabWalksEveryControlAndAltLettersOpenTheMenus) {
    UseIniFile(SetSection("one", L"C:\\a", L"C:\\b", false, false));
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    Activate(zolv.Main());
    EXPECT_EQ(FocusedId(zolv), 10400);
    std::vector<int> order;
    for (int i = 0; i < 12; ++i) {
        Press(VK_TAB);
        PumpFor(60);
        order.push_back(FocusedId(zolv));
    }
    // Abort is disabled until a run starts, so Tab passes it by.
    EXPECT_EQ(order, (std::vector<int>{10701, 40303, 40202, 40201, 10702, 40304, 10301, 10302, 10303, 10304,
                                       11000, 10400}));
    Press(VK_TAB, true);
    PumpFor(60);
    EXPECT_EQ(FocusedId(zolv), 11000);
    Press(VK_TAB);
    PumpFor(60);

    // From the set list's edit: Alt+F shows File, whose "O" opens the Open dialog.
    ASSERT_EQ(FocusedId(zolv), 10400);
    ChooseWithKeys(zolv, 'F', 'O', L"Open INI file", IDCANCEL);
    // From a check box: Alt+H, then "A" for About.
    Activate(zolv.Main());
    for (int i = 0; i < 13 && FocusedId(zolv) != 10301; ++i) {
        Press(VK_TAB);
        PumpFor(60);
    }
    ASSERT_EQ(FocusedId(zolv), 10301);
    ChooseWithKeys(zolv, 'H', 'A', L"About...", IDOK);
    // Alt+S opens Sync; Escape closes it and leaves the menu bar.
    Activate(zolv.Main());
    PressAlt('S');
    EXPECT_TRUE(MenuOpens()) << "Alt+S";
    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    PumpFor(200);
    EXPECT_EQ(zolv.AnyDialog(), nullptr);
}

TEST_F(ZolvEndToEnd, LangToggleGivesTheJapaneseInterface) {
    SetLangToggle(1);
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    CancelOpenDialog(zolv, L"設定ﾌｧｲﾙを開く");
    EXPECT_EQ(WindowText(zolv.Control(40202)), L"逆方向");
    EXPECT_EQ(WindowText(zolv.Control(10303)), L"確認無し");

    Activate(zolv.Main());
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    HWND sheet = zolv.WaitForDialog(L"ﾊﾞｰｼﾞｮﾝ情報...", 5000);
    ASSERT_NE(sheet, nullptr);
    HWND tabs = FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    ClickButton(sheet, IDOK);
    PumpFor(300);

    // The Japanese menus keep their letters: Alt+F, then O.
    Activate(zolv.Main());
    ChooseWithKeys(zolv, 'F', 'O', L"設定ﾌｧｲﾙを開く", IDCANCEL);
}

TEST_F(ZolvEndToEnd, BrowseButtonsFillTheEditOnlyOnOk) {
    UseIniFile(SetSection("one", L"C:\\a", L"C:\\b", false, false));
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    zolv.Command(40303);  // "..." beside the source
    HWND browse = nullptr;
    for (int i = 0; i < 200 && !(browse = zolv.AnyDialog()); ++i) Sleep(20);
    ASSERT_NE(browse, nullptr);
    ClickButton(browse, IDCANCEL);
    PumpFor(300);
    EXPECT_EQ(WindowText(zolv.Control(10701)), L"C:\\a");

    zolv.Command(40304);  // "..." beside the destination
    for (int i = 0; i < 200 && !(browse = zolv.AnyDialog()); ++i) Sleep(20);
    ASSERT_NE(browse, nullptr);
    ClickButton(browse, IDOK);
    PumpFor(300);
    EXPECT_EQ(zolv.AnyDialog(), nullptr);
    EXPECT_NE(WindowText(zolv.Control(10702)), L"C:\\b");
    EXPECT_EQ(WindowText(zolv.Control(10701)), L"C:\\a");
}

TEST_F(ZolvEndToEnd, AboutOpensFromF1TheMenuAndTheHelpButton) {
    UseIniFile();
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    auto expectAbout = [&](const char* how) {
        HWND sheet = zolv.WaitForDialog(L"About...", 5000);
        ASSERT_NE(sheet, nullptr) << how;
        HWND tabs = FindWindowExW(sheet, nullptr, L"SysTabControl32", nullptr);
        EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3) << how;
        ClickButton(sheet, IDOK);
        for (int i = 0; i < 100 && IsWindow(sheet); ++i) Sleep(20);
        EXPECT_FALSE(IsWindow(sheet)) << how;
    };
    Activate(zolv.Main());
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    expectAbout("F1");
    zolv.Command(40901);
    expectAbout("Help menu");
    Activate(zolv.Main());
    HELPINFO help{};
    help.cbSize = sizeof help;
    SendMessageTimeoutW(zolv.Main(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help), SMTO_ABORTIFHUNG, 5000, nullptr);
    expectAbout("help button");
}

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
    wchar_t cls[16] = L"";
    GetClassNameW(child, cls, 16);
    if (_wcsicmp(cls, L"Static") == 0) *reinterpret_cast<std::wstring*>(context) += WindowText(child);
    return TRUE;
}

// The message of a message box of the program.
std::wstring BoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

// Holds a file open without sharing, as another program can.
class FileLock {
public:
    explicit FileLock(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~FileLock() { Release(); }
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

}  // namespace

TEST_F(ZolvEndToEnd, ASetFileThatCannotBeReadIsReportedAndNeverWrittenOver) {
    const std::string sets = SetSection("kept", L"C:\\a", L"C:\\b", false, false);
    UseIniFile(sets);
    ZolvProcess zolv;
    {
        FileLock lock(tree.Path(L"sets.ini"));  // the card is out, or another program holds it
        ASSERT_TRUE(lock.Held());
        ASSERT_TRUE(Start(zolv));
        HWND notice = zolv.WaitForDialog(L"Error");
        ASSERT_NE(notice, nullptr);
        const std::wstring text = BoxText(notice);
        EXPECT_NE(text.find(L"Can't read the set file '" + tree.Path(L"sets.ini") + L"': it is in use by another program"),
                  std::wstring::npos) << text;
        ClickButton(notice, IDOK);
        PumpFor(200);
        EXPECT_EQ(SetCount(zolv), 0);
    }
    // Readable again by the end of the session: still not written over.
    zolv.Command(40301);
    PumpFor(200);
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_EQ(tree.Read(L"sets.ini"), sets);
    std::wstring iniFile;
    EXPECT_TRUE(RegistryValue(L"Ini file", &iniFile));
    EXPECT_EQ(iniFile, tree.Path(L"sets.ini"));
}

TEST_F(ZolvEndToEnd, ASaveThatFailsSaysWhyAndKeepsThePreviousFile) {
    UseIniFile(SetSection("kept", L"C:\\a", L"C:\\b", false, false));
    tree.Write(L"locked.ini", "someone else's");
    FileLock lock(tree.Path(L"locked.ini"));
    ASSERT_TRUE(lock.Held());
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    HWND save = nullptr;
    SaveAs(zolv, tree.Path(L"locked.ini"), &save);
    // The dialog asks before replacing the file: Yes. Then the error box.
    std::wstring error;
    for (DWORD end = GetTickCount() + 10000; error.empty() && static_cast<LONG>(end - GetTickCount()) > 0; Sleep(20)) {
        HWND box = zolv.AnyDialog();
        if (box == nullptr || box == save) continue;
        if (WindowText(box) == L"Error") {
            error = BoxText(box);
            ClickButton(box, IDOK);
        } else if (GetDlgItem(box, IDYES)) {
            ClickButton(box, IDYES);
            Sleep(100);
        }
    }
    EXPECT_EQ(error.rfind(L"Can't save the set file '" + tree.Path(L"locked.ini") + L"': ", 0), 0u) << error;
    PumpFor(200);
    {
        // The save at exit fails too: the user hears of it before the window goes.
        const std::string before = tree.Read(L"sets.ini");
        FileLock exitLock(tree.Path(L"sets.ini"));
        PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
        HWND box = zolv.WaitForDialog(L"Error");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(IsWindowVisible(zolv.Main()));
        EXPECT_NE(BoxText(box).find(L"The changes of this session are not kept."), std::wstring::npos) << BoxText(box);
        ClickButton(box, IDOK);
        EXPECT_EQ(zolv.WaitForExit(), 0);
        exitLock.Release();
        EXPECT_EQ(tree.Read(L"sets.ini"), before);
    }
    lock.Release();
    EXPECT_EQ(tree.Read(L"locked.ini"), "someone else's");
    std::wstring iniFile;
    EXPECT_TRUE(RegistryValue(L"Ini file", &iniFile));
    EXPECT_EQ(iniFile, tree.Path(L"sets.ini"));  // the failed path was not adopted
    EXPECT_EQ(tree.Read(L"sets.ini").rfind("[kept]\r\n", 0), 0u);
}

TEST_F(ZolvEndToEnd, JapaneseNamesSurviveASystemWhoseCodePageLacksThem) {
    SetLangToggle(1);
    UseIniFile();
    {
        ZolvProcess zolv;
        ASSERT_TRUE(Start(zolv));
        zolv.Command(40301);  // New: "新しいｾｯﾄ" with Japanese folder texts
        PumpFor(200);
        PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(zolv.WaitForExit(), 0);
    }
    const std::string saved = tree.Read(L"sets.ini");
    EXPECT_EQ(saved.find('?'), std::string::npos) << saved;
    if (GetACP() != 932 && GetACP() != CP_UTF8) {
        EXPECT_EQ(saved.rfind("\xEF\xBB\xBF[", 0), 0u);  // UTF-8 after its mark
    }

    ZolvProcess again;
    ASSERT_TRUE(Start(again));
    PumpFor(300);
    ASSERT_EQ(SetCount(again), 1);
    EXPECT_EQ(WindowText(again.Control(10400)), L"新しいｾｯﾄ");
    EXPECT_EQ(WindowText(again.Control(10701)), L"転送元ﾌｫﾙﾀﾞの指定");
    EXPECT_EQ(WindowText(again.Control(10702)), L"転送先ﾌｫﾙﾀﾞの指定");
}

TEST_F(ZolvEndToEnd, APathLongerThanASetKeepsNeverRuns) {
    tree.Write(L"src\\a.txt", "a");
    UseIniFile(SetSection("long", tree.Path(L"src"), tree.Path(L"dst"), true, true));
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    for (int id : {10701, 10702}) EXPECT_EQ(SendMessageW(zolv.Control(id), EM_GETLIMITTEXT, 0, 0), MAX_PATH - 1);
    // Put there by a program (typing stops at the limit): one character more than is kept.
    std::wstring tooLong = tree.Path(L"dst\\");
    tooLong += std::wstring(MAX_PATH - tooLong.size(), L'd');
    SetText(zolv.Control(10702), tooLong);
    zolv.Command(40201);
    std::vector<std::wstring> boxes;
    zolv.AnswerDialogs([&](HWND dialog, const std::wstring& caption) {
        boxes.push_back(caption + L": " + BoxText(dialog));
        return IDOK;
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"Error: The path is too long: '" + tooLong + L"'");
    EXPECT_EQ(zolv.RowCount(), 0);
    EXPECT_FALSE(tree.Exists(L"dst"));
}

TEST_F(ZolvEndToEnd, TheBrowserKeepsItsDriveAfterACancelledFileDialog) {
    // No INI file: the Open dialog comes, starting in the program's folder on another drive.
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    CancelOpenDialog(zolv);
    zolv.Command(40303);  // "..." beside the source
    HWND browse = nullptr;
    for (int i = 0; i < 200 && !(browse = zolv.AnyDialog()); ++i) Sleep(20);
    ASSERT_NE(browse, nullptr);
    HWND folders = GetDlgItem(browse, 12000);
    LPARAM desktop = SendMessageW(folders, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    LPARAM documents = SendMessageW(folders, TVM_GETNEXTITEM, TVGN_CHILD, desktop);
    LPARAM device = SendMessageW(folders, TVM_GETNEXTITEM, TVGN_NEXT, documents);  // My Device
    SendMessageW(folders, TVM_SELECTITEM, TVGN_CARET, device);
    ClickButton(browse, IDOK);
    PumpFor(300);
    // The root of the drive the program started on, with its letter.
    EXPECT_EQ(WindowText(zolv.Control(10701)), tree.Root().substr(0, 2) + L"\\");
}

TEST_F(ZolvEndToEnd, AnIniFileValueThatIsNoTextCountsAsAbsent) {
    HKEY key;
    RegCreateKeyExW(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD junk = 0x0041005A;  // "ZA" read as text
    RegSetValueExW(key, L"Ini file", 0, REG_DWORD, reinterpret_cast<BYTE*>(&junk), sizeof junk);
    RegCloseKey(key);
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    CancelOpenDialog(zolv);  // no file named: the Open dialog, as on a first start
    zolv.Command(40301);
    PumpFor(200);
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(zolv.WaitForExit(), 0);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((tree.Root() + L"\\*").c_str(), &found);
    int entries = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L"..")) ++entries;
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(entries, 0);  // nothing written to a junk path
}
