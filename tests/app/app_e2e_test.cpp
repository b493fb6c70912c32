// End to end: the real Zolv.exe in a Wine prefix of its own, driven through its window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

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

// Puts text on the clipboard, as a user's copy in another program does.
void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    CloseClipboard();
}

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
    // File › Save INI file, with `path` typed into the dialog and OK pressed.
    void SaveAs(const ZolvProcess& zolv, const std::wstring& path, HWND* dialog = nullptr) {
        zolv.Command(40102);
        ASSERT_NO_FATAL_FAILURE(FillSaveDialog(zolv, path, dialog));
    }
    // The Save INI file dialog, once it comes: `path` typed in and OK pressed.
    void FillSaveDialog(const ZolvProcess& zolv, const std::wstring& path, HWND* dialog = nullptr) {
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

// One start of the program for the scenarios of a suite that need no fresh one: each starts
// with an empty operation list, sets the folders and options it runs with (UseFolders) and
// leaves the program back in its message loop with no dialog open and no run on. A scenario
// that fails or leaves it otherwise ends it, and the next one starts it afresh. After the
// suite's last scenario the program is closed, and must end with 0.
class SharedStart : public ZolvEndToEnd {
protected:
    struct Program {
        TempTree home;  // its folder and its set file: the sets "one" and "two"
        ZolvProcess zolv;
        int scenarios = 0;
    };
    SharedStart(std::unique_ptr<Program>& program, DWORD langToggle) : program_(program), langToggle_(langToggle) {}

    static void End(std::unique_ptr<Program>& program) {
        if (program && program->zolv.Running()) {
            PostMessageW(program->zolv.Main(), WM_CLOSE, 0, 0);
            EXPECT_EQ(program->zolv.WaitForExit(), 0);
        }
        program.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenbrook");
    }
    void SetUp() override {
        if (!program_ || !program_->zolv.Running()) {
            ASSERT_NO_FATAL_FAILURE(StartProgram());
        }
        // The operation list as after a start: the rows a scenario reads are its own.
        SendMessageW(Zolv().Control(11000), LVM_DELETEALLITEMS, 0, 0);
    }
    void TearDown() override {
        if (!program_) return;
        ++program_->scenarios;
        if (!HasFailure()) {
            // A dialog the scenario closed last may take a moment to go.
            for (int i = 0; i < 250 && program_->zolv.AnyDialog(); ++i) Sleep(20);
            program_->zolv.AnswerDialogs([](HWND, const std::wstring& caption) {
                ADD_FAILURE() << "the scenario left a dialog open: " << Utf8(caption);
                return IDCANCEL;
            });
        }
        if (HasFailure()) program_.reset();
    }

    ZolvProcess& Zolv() { return program_->zolv; }
    // For a scenario that needs the sets as the program read them: started afresh when
    // another scenario has run on it.
    void AsStarted() {
        if (program_->scenarios > 0) {
            ASSERT_NO_FATAL_FAILURE(StartProgram());
        }
    }
    // The folders and options of the current set, committed as opening the set list does.
    void UseFolders(const std::wstring& src, const std::wstring& dst, bool del, bool force) {
        SetText(Zolv().Control(10701), src);
        SetText(Zolv().Control(10702), dst);
        Check(Zolv().Control(10301), del);
        Check(Zolv().Control(10302), false);
        Check(Zolv().Control(10303), force);
        Check(Zolv().Control(10304), false);
        SendMessageW(Zolv().Control(10400), CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(Zolv().Control(10400), CB_SHOWDROPDOWN, FALSE, 0);
    }
    // 1500 small files (Force), started Forward; returns once the run is on.
    void StartLongRun() {
        for (int i = 0; i < 1500; ++i) tree.Write(L"src\\f" + std::to_wstring(i) + L".txt", "x");
        tree.MakeFolder(L"dst");
        UseFolders(tree.Path(L"src"), tree.Path(L"dst"), false, true);
        Zolv().Command(40201);
        ASSERT_TRUE(Zolv().WaitForRunStart());
    }

    // Forward into a folder 200 characters deep, where a folder stands in the copy's way:
    // the replace question shows the whole path, broken into lines that fit, and the box
    // grows so that the question stays above the buttons. Cancelled.
    void ExpectTheReplaceQuestionToShowALongPath(const wchar_t* caption) {
        const std::wstring deep = L"dst\\" + std::wstring(90, L'a') + L"\\" + std::wstring(90, L'b');
        tree.Write(L"src\\x", "x");
        tree.SetWriteTime(L"src\\x", MakeTime(2030, 1, 1));
        tree.MakeFolder(deep + L"\\x\\x");  // folders in the way: the copy goes into the first
        UseFolders(tree.Path(L"src"), tree.Path(deep), false, false);
        ZolvProcess& zolv = Zolv();
        zolv.Command(40201);
        HWND prompt = zolv.WaitForDialog(caption);
        ASSERT_NE(prompt, nullptr);
        HWND message = GetDlgItem(prompt, 11901);
        const std::wstring text = WindowText(message);
        std::wstring joined = text;
        joined.erase(std::remove(joined.begin(), joined.end(), L'\n'), joined.end());
        EXPECT_NE(joined.find(L"'" + tree.Path(deep + L"\\x\\x") + L"'"), std::wstring::npos) << Utf8(text);
        EXPECT_EQ(joined.back(), L'?');
        // Measured as the dialog draws it (9-point Tahoma): all of it inside the text's box,
        // which ends above the buttons.
        RECT box, needed{0, 0, 0, 0}, yes;
        GetClientRect(message, &box);
        needed.right = box.right;
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        DeleteObject(SelectObject(dc, old));
        ReleaseDC(nullptr, dc);
        EXPECT_LE(needed.right, box.right);
        EXPECT_LE(needed.bottom, box.bottom);
        GetWindowRect(message, &box);
        GetWindowRect(GetDlgItem(prompt, IDYES), &yes);
        EXPECT_LE(box.bottom, yes.top);
        ClickButton(prompt, IDCANCEL);
    }

private:
    void StartProgram() {
        program_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenbrook");
        SetLangToggle(langToggle_);
        program_ = std::make_unique<Program>();
        program_->home.Write(L"sets.ini", SetSection("one", L"C:\\a", L"C:\\b", false, false) +
                                              SetSection("two", L"C:\\c", L"C:\\d", false, false));
        SetIniFile(program_->home.Path(L"sets.ini"));
        ASSERT_TRUE(program_->zolv.Start(Exe(), program_->home.Root()));
    }

    std::unique_ptr<Program>& program_;
    DWORD langToggle_;
};

class EnglishSession : public SharedStart {
protected:
    EnglishSession() : SharedStart(program, 0) {}
    static void TearDownTestSuite() { End(program); }
    static inline std::unique_ptr<Program> program;
};

class JapaneseSession : public SharedStart {
protected:
    JapaneseSession() : SharedStart(program, 1) {}
    static void TearDownTestSuite() { End(program); }
    static inline std::unique_ptr<Program> program;
};

}  // namespace

// A first start: the Open INI file dialog comes (it starts in the program's folder, on
// another drive) and is cancelled; the folder browser then keeps the drive the program
// started on; Ctrl+Q keeps only the column widths.
TEST_F(ZolvEndToEnd, FirstStartOffersTheOpenDialogTheBrowserKeepsItsDriveAndTheExitOnlyTheWidths) {
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    CancelOpenDialog(zolv);
    EXPECT_EQ(SetCount(zolv), 0);
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

    Activate(zolv.Main());
    PressCtrl('Q');
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_TRUE(RegistryValue(L"Src width"));
    EXPECT_TRUE(RegistryValue(L"Dst width"));
    EXPECT_FALSE(RegistryValue(L"Ini file"));
    EXPECT_FALSE(tree.Exists(L"Zolv.ini"));
}

TEST_F(ZolvEndToEnd, ASetCreatedInTheWindowRunsForwardThenBackward) {
    WriteMirrorExample(tree);
    UseIniFile();
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));

    zolv.CommandNow(40301);  // New
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

TEST_F(ZolvEndToEnd, SavedSetsComeBackAtTheNextStart) {
    {
        ZolvProcess zolv;
        ASSERT_TRUE(Start(zolv));
        CancelOpenDialog(zolv);
        zolv.CommandNow(40301);
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

// Keyboard alone: Tab and Shift+Tab walk every control, the set list first, then the controls
// as they stand on screen; Alt+letter opens a menu from whichever control has the focus, and
// the popup's own letters pick its items; Ctrl+Q saves the sets over the file, and the settings.
TEST_F(ZolvEndToEnd, TabWalksEveryControlAltLettersOpenTheMenusAndCtrlQSavesTheSetsAndTheSettings) {
    UseIniFile(SetSection("kept", L"C:\\a", L"C:\\b", true, false));
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
    // Readable again by the end of the session: still not written over. The set made since
    // is not dropped in silence: the box says so and offers another file.
    zolv.CommandNow(40301);
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    HWND offer = zolv.WaitForDialog(L"Confirm");
    ASSERT_NE(offer, nullptr);
    EXPECT_NE(BoxText(offer).find(L"'" + tree.Path(L"sets.ini") + L"' could not be read when the program started "
                                  L"(it is in use by another program), so it is not written over: the changes made "
                                  L"since the program started are not kept."), std::wstring::npos) << BoxText(offer);
    ClickButton(offer, IDYES);
    ASSERT_NO_FATAL_FAILURE(FillSaveDialog(zolv, tree.Path(L"other.ini")));
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_EQ(tree.Read(L"sets.ini"), sets);
    EXPECT_EQ(tree.Read(L"other.ini").rfind("[New set]\r\n", 0), 0u);
    std::wstring iniFile;
    EXPECT_TRUE(RegistryValue(L"Ini file", &iniFile));
    EXPECT_EQ(iniFile, tree.Path(L"other.ini"));
}

TEST_F(ZolvEndToEnd, ARememberedSetFileThatIsGoneIsCreatedAtExit) {
    SetIniFile(tree.Path(L"gone.ini"));  // deleted by the user since the last session
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    zolv.CommandNow(40301);
    EXPECT_EQ(zolv.AnyDialog(), nullptr);  // nothing to report: there was nothing to read
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_EQ(tree.Read(L"gone.ini").rfind("[New set]\r\n", 0), 0u);
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

TEST_F(ZolvEndToEnd, AnIniFileValueThatIsNoTextCountsAsAbsent) {
    HKEY key;
    RegCreateKeyExW(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD junk = 0x0041005A;  // "ZA" read as text
    RegSetValueExW(key, L"Ini file", 0, REG_DWORD, reinterpret_cast<BYTE*>(&junk), sizeof junk);
    RegCloseKey(key);
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    CancelOpenDialog(zolv);  // no file named: the Open dialog, as on a first start
    zolv.CommandNow(40301);
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

// A set file in the system's code page reads back the same with the language switched: a
// Shift-JIS name whose trail byte is '[' in English mode on a Japanese system, an accented
// letter before the closing quote in Japanese mode on a Western one; the exit keeps its bytes.
TEST_F(ZolvEndToEnd, ASetFileReadsBackTheSameInEitherLanguage) {
    const bool japanese = GetACP() == 932;
    if (!japanese && GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
    const std::string name = japanese ? "\x83\x5B\x83\x7E" : "Caf\xE9";
    const std::wstring wideName = japanese ? L"\x30BC\x30DF" : L"Caf\x00E9";
    const std::string sets = SetSection(name, L"C:\\b", L"C:\\b", false, false);
    UseIniFile(sets);
    SetLangToggle(1);
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    EXPECT_EQ(WindowText(zolv.Control(10400)), wideName);
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_EQ(tree.Read(L"sets.ini"), sets);
    if (!japanese) return;
    // A code page 1252 file on a Japanese system ("Café", "…\café\…" read as other
    // characters) is left byte for byte as it was when nothing changed.
    const std::string western = "[Caf\xE9]\r\nSRC=\"C:\\caf\xE9\\x\"\r\nDST=\"C:\\b\"\r\nDELETE=N\r\nDOSTIME=N\r\n"
                                "FORCE=N\r\nEXCLUDEOBJ=N\r\n\r\n";
    tree.Write(L"sets.ini", western);
    ZolvProcess again;
    ASSERT_TRUE(Start(again));
    PostMessageW(again.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(), 0);
    EXPECT_EQ(tree.Read(L"sets.ini"), western);
}

// Saves take every path the Save dialog takes, the longest too (259 characters, with nothing
// left beside the file), and never write a file larger than the reader takes: that is
// refused with the file and the reason, by the command and at exit, the old file untouched.
TEST_F(ZolvEndToEnd, SavesTakeTheLongestPathAndNeverWriteWhatTheReaderRefuses) {
    std::string sets;  // as near the limit of 1 MiB as whole sets come
    for (int i = 0;; ++i) {
        std::string section = SetSection("set " + std::to_string(i), L"C:\\" + std::wstring(70, L's'),
                                          L"C:\\" + std::wstring(70, L'd'), false, false);
        if (sets.size() + section.size() > 1024 * 1024) break;
        sets += section;
    }
    UseIniFile(sets);
    const std::wstring folder = L"f" + std::wstring(MAX_PATH - 12 - tree.Root().size(), L'x');
    tree.MakeFolder(folder);
    const std::wstring longest = tree.Path(folder + L"\\Zolv.ini");
    ASSERT_EQ(longest.size(), MAX_PATH - 1u);
    ZolvProcess zolv;
    ASSERT_TRUE(Start(zolv));
    SaveAs(zolv, longest);
    for (int i = 0; i < 200 && !tree.Exists(folder + L"\\Zolv.ini"); ++i) Sleep(20);
    PumpFor(300);
    EXPECT_EQ(tree.Read(folder + L"\\Zolv.ini"), sets);
    EXPECT_FALSE(tree.Exists(folder + L"\\~olv.ini"));
    for (int i = 0; i < 3; ++i) zolv.Command(40301);
    SaveAs(zolv, tree.Path(L"big.ini"));
    for (const wchar_t* when : {L"Can't save the set file '", L"The changes of this session are not kept."}) {
        HWND box = zolv.WaitForDialog(L"Error");
        ASSERT_NE(box, nullptr) << Utf8(when);
        EXPECT_NE(BoxText(box).find(L"': it is too large for a set file."), std::wstring::npos) << Utf8(BoxText(box));
        EXPECT_NE(BoxText(box).find(when), std::wstring::npos) << Utf8(BoxText(box));
        ClickButton(box, IDOK);
        PumpFor(200);
        PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_FALSE(tree.Exists(L"big.ini"));
    EXPECT_EQ(tree.Read(folder + L"\\Zolv.ini"), sets);
}

// The scenarios below share one start of the program per language.

// First of its suite: it needs the sets as the program read them.
TEST_F(EnglishSession, DeleteSetAsksFirst) {
    ASSERT_NO_FATAL_FAILURE(AsStarted());  // the sets "one" (current) and "two" of the set file
    ZolvProcess& zolv = Zolv();
    EXPECT_EQ(SetCount(zolv), 2);
    zolv.Command(40302);
    HWND confirm = zolv.WaitForDialog(L"Confirm");
    ASSERT_NE(confirm, nullptr);
    ClickButton(confirm, IDYES);
    PumpFor(300);
    EXPECT_EQ(SetCount(zolv), 1);
    EXPECT_EQ(WindowText(zolv.Control(10701)), L"C:\\c");
}

TEST_F(EnglishSession, BrowseButtonsFillTheEditOnlyOnOk) {
    UseFolders(L"C:\\a", L"C:\\b", false, false);
    ZolvProcess& zolv = Zolv();
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

TEST_F(EnglishSession, AboutOpensFromF1TheMenuAndTheHelpButton) {
    ZolvProcess& zolv = Zolv();
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

TEST_F(EnglishSession, AbortStopsARunInProgress) {
    ZolvProcess& zolv = Zolv();
    ASSERT_NO_FATAL_FAILURE(StartLongRun());
    PostMessageW(zolv.Main(), WM_COMMAND, MAKEWPARAM(40305, BN_CLICKED), reinterpret_cast<LPARAM>(zolv.Control(40305)));
    int dialogs = 0;
    zolv.AnswerDialogs([&](HWND, const std::wstring&) {
        ++dialogs;
        return IDOK;
    });
    EXPECT_EQ(dialogs, 0);  // no result dialog after an abort
    EXPECT_LT(zolv.RowCount(), 1500);
    EXPECT_TRUE(IsWindowEnabled(zolv.Control(40201)));
    EXPECT_FALSE(IsWindowEnabled(zolv.Control(40305)));
    EXPECT_EQ(WindowText(zolv.Control(12600)).rfind(L"Stopped: ", 0), 0u);
}

// Abort during the copy of one large file stops it mid-file: the status bar showed the
// copy's percent beside the folder; the run ends with its one row and no dialog, the old
// copy stays, no temporary file is left. (How soon: bench/sync_bench.sh.)
TEST_F(EnglishSession, AbortStopsALargeCopyMidFile) {
    tree.MakeFolder(L"src");
    HANDLE video = CreateFileW(tree.Path(L"src\\video.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(video, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 6LL << 30;  // sparse: nothing written but its size
    SetFilePointerEx(video, size, nullptr, FILE_BEGIN);
    SetEndOfFile(video);
    CloseHandle(video);
    tree.Write(L"dst\\video.bin", "old");
    tree.SetWriteTime(L"dst\\video.bin", MakeTime(2020, 1, 1));
    UseFolders(tree.Path(L"src"), tree.Path(L"dst"), false, true);
    ZolvProcess& zolv = Zolv();
    zolv.Command(40201);
    HWND status = FindWindowExW(zolv.Main(), nullptr, STATUSCLASSNAMEW, nullptr);
    std::wstring shown;
    for (int i = 0; i < 400 && shown.find(L"%  ") == std::wstring::npos; ++i) {
        Sleep(25);
        shown = WindowText(status);
    }
    // The percent first, then the folder: a long folder never hides it.
    const size_t percent = shown.find(L"%  ");
    EXPECT_TRUE(percent > 0 && percent <= 3 && iswdigit(shown[0])) << "status bar: " << Utf8(shown);
    EXPECT_EQ(shown.substr(percent == std::wstring::npos ? 0 : percent + 3), tree.Path(L"src")) << "status bar: " << Utf8(shown);
    PostMessageW(zolv.Main(), WM_COMMAND, MAKEWPARAM(40305, BN_CLICKED), reinterpret_cast<LPARAM>(zolv.Control(40305)));
    int dialogs = 0;
    EXPECT_TRUE(zolv.AnswerDialogs([&](HWND, const std::wstring&) {  // until the run has ended
        ++dialogs;
        return IDOK;
    }));
    EXPECT_EQ(dialogs, 0);  // neither an error nor the result dialog
    EXPECT_FALSE(IsWindowEnabled(zolv.Control(40305)));
    EXPECT_TRUE(IsWindowEnabled(zolv.Control(40201)));
    ASSERT_EQ(zolv.RowCount(), 1);  // the copy that was stopped
    EXPECT_EQ(zolv.Cell(0, 0), L"copy");
    EXPECT_EQ(zolv.Cell(0, 1), tree.Path(L"src\\video.bin"));
    EXPECT_EQ(tree.Read(L"dst\\video.bin"), "old");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(tree.Path(L"dst\\*").c_str(), &found);
    std::vector<std::wstring> names;
    do {
        if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ(names, std::vector<std::wstring>{L"video.bin"});
}

// A path pasted into a folder edit that is longer than a set keeps is cut no shorter than
// what still shows it is too long: the run refuses it.
TEST_F(EnglishSession, APastedPathLongerThanASetKeepsNeverRuns) {
    tree.Write(L"src\\a.txt", "a");
    UseFolders(tree.Path(L"src"), tree.Path(L"dst"), true, true);
    ZolvProcess& zolv = Zolv();
    std::wstring pasted = tree.Path(L"dst\\");
    pasted += std::wstring(MAX_PATH + 6 - pasted.size(), L'd');  // 266 characters
    ASSERT_NO_FATAL_FAILURE(PutOnClipboard(pasted));
    SetText(zolv.Control(10702), L"");
    SendMessageTimeoutW(zolv.Control(10702), WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    const std::wstring shown = WindowText(zolv.Control(10702));
    EXPECT_EQ(shown, pasted.substr(0, MAX_PATH));
    zolv.Command(40201);
    std::vector<std::wstring> boxes;
    zolv.AnswerDialogs([&](HWND dialog, const std::wstring& caption) {
        boxes.push_back(caption + L": " + BoxText(dialog));
        return IDOK;
    });
    ASSERT_EQ(boxes.size(), 1u);
    boxes[0].erase(std::remove(boxes[0].begin(), boxes[0].end(), L'\n'), boxes[0].end());  // the box breaks the path
    EXPECT_EQ(boxes[0], L"Error: The path is too long: '" + shown + L"'");
    EXPECT_EQ(zolv.RowCount(), 0);
    EXPECT_FALSE(tree.Exists(L"dst"));
    // Opening the set list commits the set: it keeps its folder, never a cut one.
    SendMessageW(zolv.Control(10400), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(zolv.Control(10400), CB_SHOWDROPDOWN, FALSE, 0);
    SendMessageW(zolv.Main(), WM_COMMAND, MAKEWPARAM(10400, CBN_SELCHANGE), reinterpret_cast<LPARAM>(zolv.Control(10400)));
    EXPECT_EQ(WindowText(zolv.Control(10702)), tree.Path(L"dst"));
}

// Sync › Preview Forward and Preview Back: the rows the run would write, one box saying what
// would happen, nothing on disk changed; a missing destination is asked about as in a run, and
// on Yes "would be created".
TEST_F(EnglishSession, PreviewListsTheRunsRowsAndChangesNothing) {
    WriteMirrorExample(tree);
    tree.Write(L"dst\\old\\x.txt", "x");
    UseFolders(tree.Path(L"src"), tree.Path(L"dst"), true, false);
    ZolvProcess& zolv = Zolv();
    auto preview = [&](int command) {
        std::vector<std::wstring> boxes;
        zolv.Command(command);
        zolv.AnswerDialogs([&](HWND dialog, const std::wstring& caption) {
            if (GetDlgItem(dialog, IDYES)) {  // the create-destination question, before the run
                boxes.push_back(caption);
                return IDYES;
            }
            EXPECT_FALSE(IsWindowEnabled(zolv.Control(40201)));  // locked as in a run
            boxes.push_back(caption + L": " + BoxText(dialog));
            return IDOK;
        });
        return boxes;
    };
    auto rows = [&] {
        std::vector<std::wstring> out;
        for (int i = 0; i < zolv.RowCount(); ++i) out.push_back(zolv.Cell(i, 0) + L" " + zolv.Cell(i, 1));
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(preview(40203), std::vector<std::wstring>{L"Preview: Preview: 2 files would be copied (6 B), 1 file "
                                                        L"deleted, 1 folder removed. Nothing was changed."});
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"copy " + tree.Path(L"src\\a.txt"), L"copy " + tree.Path(L"src\\b\\c.txt"),
                                                 L"del " + tree.Path(L"dst\\d.txt"), L"rmdir " + tree.Path(L"dst\\old")}));
    EXPECT_EQ(WindowText(zolv.Control(12600)).rfind(L"Preview: 2 files would be copied (6 B), 1 file deleted, 1 folder removed, ", 0),
              0u);
    EXPECT_EQ(preview(40204), std::vector<std::wstring>{L"Preview: Preview: 2 files would be copied (2 B), 0 files "
                                                        L"deleted, 1 folder removed. Nothing was changed."});
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"copy " + tree.Path(L"dst\\d.txt"), L"copy " + tree.Path(L"dst\\old\\x.txt"),
                                                 L"rmdir " + tree.Path(L"src\\b")}));
    EXPECT_EQ(tree.Read(L"dst\\a.txt"), "old a");
    EXPECT_TRUE(tree.Exists(L"dst\\d.txt") && tree.Exists(L"dst\\old\\x.txt") && tree.Exists(L"src\\b\\c.txt"));
    EXPECT_FALSE(tree.Exists(L"dst\\b") || tree.Exists(L"src\\d.txt"));

    SetText(zolv.Control(10702), tree.Path(L"fresh"));
    EXPECT_EQ(preview(40203), (std::vector<std::wstring>{L"Confirm destination folder",
                                                         L"Preview: Preview: the folder '" + tree.Path(L"fresh") +
                                                             L"' would be created, 2 files would be copied (6 B), "
                                                             L"0 files deleted, 0 folders removed. Nothing was changed."}));
    EXPECT_EQ(zolv.RowCount(), 2);
    EXPECT_FALSE(tree.Exists(L"fresh"));
}

// After a run the status bar holds its figures, beside the result box and after it; the
// next run clears them.
TEST_F(EnglishSession, TheStatusBarShowsTheFiguresOfTheLastRun) {
    tree.Write(L"src\\a.txt", "abc");
    tree.Write(L"src\\b.txt", "de");
    tree.Write(L"dst\\gone.txt", "g");
    UseFolders(tree.Path(L"src"), tree.Path(L"dst"), true, true);
    ZolvProcess& zolv = Zolv();
    HWND status = zolv.Control(12600);
    std::wstring beside;
    zolv.Command(40201);
    zolv.AnswerDialogs([&](HWND, const std::wstring&) {
        beside = WindowText(status);
        return IDOK;
    });
    const std::wstring figures = L"2 files copied (5 B), 1 file deleted, 0 folders removed, ";
    EXPECT_EQ(beside.rfind(figures, 0), 0u) << Utf8(beside);
    const std::wstring after = WindowText(status);
    EXPECT_EQ(after.rfind(figures, 0), 0u) << Utf8(after);
    EXPECT_EQ(after.substr(after.size() - 2), L" s");
    // A handheld's width: the short form, counts first; and the whole text again when wide.
    RECT wide;
    GetWindowRect(zolv.Main(), &wide);
    SetWindowPos(zolv.Main(), nullptr, 0, 0, 240, wide.bottom - wide.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowText(status), L"2 copied (5 B), 1 deleted, 0 removed" + after.substr(after.rfind(L", ")));
    SetWindowPos(zolv.Main(), nullptr, 0, 0, wide.right - wide.left, wide.bottom - wide.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowText(status), after);

    SetText(zolv.Control(10701), tree.Path(L"nowhere"));  // a run that stops at its check
    zolv.Command(40201);
    HWND notice = zolv.WaitForDialog(L"Confirm source folder");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(WindowText(status), L"");
    ClickButton(notice, IDOK);
}

TEST_F(EnglishSession, TheReplaceQuestionShowsALongPath) {
    ExpectTheReplaceQuestionToShowALongPath(L"Confirm Folder Replace");
}

TEST_F(EnglishSession, ASecondStartBringsTheFirstForwardAndEnds) {
    ZolvProcess& first = Zolv();
    ProcessResult second = RunProcess(L"\"" + Exe() + L"\"");
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(FindWindowExW(nullptr, first.Main(), L"Larkmoor", nullptr), nullptr);  // one window only
}

// Delete after copy from an empty source asks first, even with Force, No the default button;
// No deletes nothing and ends the run, Yes goes on; a preview asks too, and its No lists nothing.
// In Japanese, with the figures after the run.
TEST_F(JapaneseSession, AMirrorFromAnEmptySourceAsksFirstEvenWithForce) {
    tree.MakeFolder(L"src");
    tree.Write(L"dst\\a.txt", "a");
    UseFolders(tree.Path(L"src"), tree.Path(L"dst"), true, true);
    ZolvProcess& zolv = Zolv();
    const std::wstring caption = L"空の転送元ﾌｫﾙﾀﾞの確認";
    std::vector<std::wstring> seen;
    const std::wstring question =
        caption + L": '" + tree.Path(L"src") + L"' は空です。'" + tree.Path(L"dst") + L"' の中をすべて削除しますか?";
    for (int command : {40203, 40201}) {  // Preview Forward, Forward
        zolv.Command(command);
        zolv.AnswerDialogs([&](HWND dialog, const std::wstring& shown) {
            seen.push_back(shown + L": " + BoxText(dialog));
            EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDNO);
            return IDNO;
        });
        EXPECT_EQ(seen, std::vector<std::wstring>{question});
        EXPECT_TRUE(tree.Exists(L"dst\\a.txt"));
        EXPECT_EQ(zolv.RowCount(), 0);
        seen.clear();
    }
    const std::wstring stopped = WindowText(zolv.Control(12600));  // No: the run did not finish
    EXPECT_EQ(stopped.rfind(L"中止: ﾌｧｲﾙのｺﾋﾟｰ 0 個 (0 B)、", 0), 0u) << Utf8(stopped);

    seen.clear();
    zolv.Command(40201);
    zolv.AnswerDialogs([&](HWND, const std::wstring& shown) {
        seen.push_back(shown);
        return shown == caption ? IDYES : IDOK;
    });
    EXPECT_EQ(seen, (std::vector<std::wstring>{caption, L"結果の報告"}));
    EXPECT_FALSE(tree.Exists(L"dst\\a.txt"));
    const std::wstring figures = WindowText(zolv.Control(12600));
    EXPECT_EQ(figures.rfind(L"ﾌｧｲﾙのｺﾋﾟｰ 0 個 (0 B)、ﾌｧｲﾙの削除 1 個、ﾌｫﾙﾀﾞの削除 0 個、", 0), 0u) << Utf8(figures);
}

TEST_F(JapaneseSession, TheReplaceQuestionShowsALongPath) {
    ExpectTheReplaceQuestionToShowALongPath(L"ﾌｫﾙﾀﾞ置換の確認");
}
