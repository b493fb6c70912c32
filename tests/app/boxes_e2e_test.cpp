// End to end: the boxes of the real Zolv.exe with folders and names at their longest, in
// both languages: every word of a question or notice is there, and no box is wider than the
// screen or starts left of it (this program runs on a 1024-pixel screen and, through
// run_small_screen.sh, on one 240 pixels wide). Japanese names show in English mode too.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "process.h"
#include "temp_tree.h"
#include "zolv_driver.h"

namespace {

constexpr int kSetList = 10400;
constexpr int kSourceEdit = 10701;
constexpr int kDestinationEdit = 10702;

void SetValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY opened;
    RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(opened);
}

BOOL CALLBACK JoinMessageText(HWND child, LPARAM context) {
    wchar_t name[16] = L"";
    GetClassNameW(child, name, 16);
    const bool text = _wcsicmp(name, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
    // A message taller than the screen scrolls in an edit.
    if (text || _wcsicmp(name, L"Edit") == 0) *reinterpret_cast<std::wstring*>(context) += WindowText(child);
    return TRUE;
}

// A box's message without line breaks: fitting puts them into a long path (the texts' own
// are left out of the expected ones too).
std::wstring MessageText(HWND box) {
    std::wstring text, unbroken;
    EnumChildWindows(box, JoinMessageText, reinterpret_cast<LPARAM>(&text));
    for (wchar_t c : text)
        if (c != L'\n' && c != L'\r') unbroken += c;
    return unbroken;
}

BOOL CALLBACK ExpectChildInside(HWND child, LPARAM context) {
    RECT box, rect;
    GetWindowRect(reinterpret_cast<HWND>(context), &box);
    GetWindowRect(child, &rect);
    EXPECT_TRUE(rect.left >= box.left && rect.right <= box.right && rect.bottom <= box.bottom)
        << "control " << GetDlgCtrlID(child) << " reaches out of its box";
    return TRUE;
}

// The box is on the screen's work area, and holds its controls.
void ExpectOnScreen(HWND box, const std::wstring& caption) {
    RECT area, rect;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(box, &rect);
    EXPECT_LE(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN)) << Utf8(caption);
    EXPECT_GE(rect.left, area.left) << Utf8(caption);
    EXPECT_LE(rect.right, area.right) << Utf8(caption);
    EXPECT_GE(rect.top, area.top) << Utf8(caption);
    EXPECT_LE(rect.bottom, area.bottom) << Utf8(caption);
    EnumChildWindows(box, ExpectChildInside, reinterpret_cast<LPARAM>(box));
}

// What the screen shows of a window, pixel by pixel, once it has painted.
std::vector<DWORD> Pixels(HWND window) {
    UpdateWindow(window);
    PumpFor(100);
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::string Section(const std::wstring& name, const std::wstring& src, const std::wstring& dst, bool del) {
    return Utf8(L"[" + name + L"]\r\nSRC=\"" + src + L"\"\r\nDST=\"" + dst + L"\"\r\nDELETE=" + (del ? L"Y" : L"N") +
                L"\r\nDOSTIME=N\r\nFORCE=N\r\nEXCLUDEOBJ=N\r\n\r\n");
}

// A name of 80 Japanese characters.
std::wstring JapaneseName(const wchar_t* start) {
    std::wstring name = start;
    const std::wstring filler = L"長いフォルダの名前と漢字ｶﾀｶﾅ";
    while (name.size() < 80) name += filler[name.size() % filler.size()];
    return name;
}

// Each test in English (LangToggle 0) and in Japanese (1).
class Boxes : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenbrook");
        const DWORD toggle = Japanese() ? 1 : 0;
        SetValue(L"Software\\Quenbrook", L"LangToggle", REG_DWORD, &toggle, 4);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quenbrook"); }
    bool Japanese() const { return GetParam() != 0; }
    const wchar_t* Say(const wchar_t* english, const wchar_t* japanese) const { return Japanese() ? japanese : english; }

    // A folder `length` characters long whose last name is `last`, made in the tree.
    std::wstring Folder(const std::wstring& top, const std::wstring& last, size_t length) {
        std::wstring relative = top;
        while (tree.Path(relative).size() + 1 + last.size() < length) {
            const size_t room = length - tree.Path(relative).size() - 2 - last.size();
            relative += L"\\" + std::wstring(std::min<size_t>(room ? room : 1, 200), L'x');
        }
        relative += L"\\" + last;
        tree.MakeFolder(relative);
        EXPECT_EQ(tree.Path(relative).size(), length);
        return relative;
    }
    void UseSets(const std::string& sets, const std::wstring& file = L"sets.ini") {
        tree.Write(file, "\xEF\xBB\xBF" + sets);  // UTF-8, as the program writes Japanese names
        const std::wstring path = tree.Path(file);
        SetValue(L"Software\\Quenbrook\\Zolv", L"Ini file", REG_SZ, path.c_str(),
                 static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }
    // Runs `command` and answers each box with `answer` (OK where it has no such button),
    // recording "caption: message" and holding the box against the screen.
    std::vector<std::wstring> Ask(ZolvProcess& zolv, int command, int answer) {
        std::vector<std::wstring> seen;
        zolv.Command(command);
        zolv.AnswerDialogs([&](HWND box, const std::wstring& caption) {
            seen.push_back(caption + L": " + MessageText(box));
            ExpectOnScreen(box, caption);
            return GetDlgItem(box, answer) ? answer : IDOK;
        });
        return seen;
    }

    TempTree tree;
};

}  // namespace

// The run's questions and notices with two folders of 255 characters that end in Japanese
// names of 80: each asks or says all it has to.
TEST_P(Boxes, TheRunsQuestionsAndNoticesKeepEveryWord) {
    const std::wstring fromRelative = Folder(L"s", JapaneseName(L"元"), 255);
    const std::wstring toRelative = Folder(L"d", JapaneseName(L"先"), 255);
    const std::wstring from = tree.Path(fromRelative), to = tree.Path(toRelative);
    tree.Write(toRelative + L"\\keep.txt", "k");
    UseSets(Section(L"long", from, to, true));
    ZolvProcess zolv;
    ASSERT_TRUE(zolv.Start(WinePath(ZOLV_EXE), tree.Root()));

    EXPECT_EQ(Ask(zolv, 40201, IDNO),
              std::vector<std::wstring>{Say(L"Confirm empty source folder: '", L"空の転送元ﾌｫﾙﾀﾞの確認: '") + from +
                                        Say(L"' is empty. Delete everything in '", L"' は空です。'") + to +
                                        Say(L"'?", L"' の中をすべて削除しますか?")});
    SetText(zolv.Control(kDestinationEdit), from);
    EXPECT_EQ(Ask(zolv, 40201, IDOK),
              std::vector<std::wstring>{
                  Say(L"Confirm source folder: The source folder and the destination folder overlap: '",
                      L"転送元ﾌｫﾙﾀﾞの確認: 転送元ﾌｫﾙﾀﾞと転送先ﾌｫﾙﾀﾞが重なっています: '") +
                  from + Say(L"' and '", L"' と '") + from + Say(L"'.", L"'")});
    // One level up, a source file meets a destination folder of its name, which holds a folder
    // of that name too: the file would go there, and the replace question asks (the name is
    // half as long, to fit twice).
    const std::wstring fromParent = fromRelative.substr(0, fromRelative.rfind(L'\\'));
    const std::wstring toParent = toRelative.substr(0, toRelative.rfind(L'\\'));
    const std::wstring file = JapaneseName(L"文").substr(0, 40);
    tree.Write(fromParent + L"\\" + file, "f");
    tree.MakeFolder(toParent + L"\\" + file + L"\\" + file);
    tree.SetWriteTime(fromParent + L"\\" + file, MakeTime(2035, 1, 1));  // newer than the folder
    SendMessageW(zolv.Control(10301), BM_SETCHECK, BST_UNCHECKED, 0);  // Del after copy off: no deletion
    SetText(zolv.Control(kSourceEdit), tree.Path(fromParent));
    SetText(zolv.Control(kDestinationEdit), tree.Path(toParent));
    const std::vector<std::wstring> replace = Ask(zolv, 40201, IDNO);  // No skips the file: the run ends well
    ASSERT_EQ(replace.size(), 2u);
    EXPECT_EQ(replace[1], Say(L"Result of fodler sync: Sync files successed.", L"結果の報告: ｱｯﾌﾟﾃﾞｰﾄは正常に終了しました"));
    EXPECT_EQ(replace[0], Say(L"Confirm Folder Replace: This folder already contains a folder called '",
                              L"ﾌｫﾙﾀﾞ置換の確認: このﾌｫﾙﾀﾞにはすでに '") +
                              tree.Path(toParent + L"\\" + file + L"\\" + file) +
                              Say(L"'.If the files in the existing folder have the same name as files in the folder "
                                  L"you are moving, do you want to replace the existing files?",
                                  L"' というﾌｫﾙﾀﾞが存在します。現在のﾌｫﾙﾀﾞのﾌｧｲﾙと新しいﾌｫﾙﾀﾞのﾌｧｲﾙが同じ名前の場合、"
                                  L"新しいﾌｧｲﾙで上書きしますか?"));
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(zolv.WaitForExit(), 0);
    EXPECT_EQ(tree.Read(toRelative + L"\\keep.txt"), "k");
}

// The boxes that were the system's: the start-up notice of a set file that cannot be read,
// the refusal of a path too long, the preview's result, the delete-set question and the exit
// question, with paths of 259 characters and a set name of 80 Japanese ones; and the folder
// browser.
TEST_P(Boxes, EveryMessageBoxFitsTheScreenAndKeepsItsWords) {
    const std::wstring folder = tree.Path(Folder(L"f", JapaneseName(L"箱"), 255));
    const std::wstring setsRelative = Folder(L"i", JapaneseName(L"設"), 253) + L"\\a.ini";
    const std::wstring sets = tree.Path(setsRelative);  // 259 characters
    const std::wstring name = JapaneseName(L"組");
    UseSets(Section(L"kept", folder, folder, false), setsRelative);
    ZolvProcess zolv;
    {
        // Held by another program at start-up.
        HANDLE lock = CreateFileW(sets.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(zolv.Start(WinePath(ZOLV_EXE), tree.Root()));
        HWND notice = zolv.WaitForDialog(Say(L"Error", L"ｴﾗｰ"));
        ASSERT_NE(notice, nullptr);
        ExpectOnScreen(notice, L"start-up notice");
        EXPECT_EQ(MessageText(notice),
                  Say(L"Can't read the set file '", L"設定ﾌｧｲﾙ '") + sets +
                      Say(L"': it is in use by another program. The file is left as it is and is not written over "
                          L"when the program ends.",
                          L"' を読み込めません: 他のﾌﾟﾛｸﾞﾗﾑが使用中です。ﾌｧｲﾙはそのままにし、終了時にも上書きしません。"));
        ClickButton(notice, IDOK);
        PumpFor(200);
        CloseHandle(lock);
    }
    zolv.Command(40301);  // New, renamed in the set list
    PumpFor(200);
    SetText(zolv.Control(kSetList), name);
    const std::wstring tooLong = folder + L"\\" + std::wstring(260 - folder.size() - 1, L'x');
    SetText(zolv.Control(kSourceEdit), tooLong);
    EXPECT_EQ(Ask(zolv, 40201, IDOK),
              std::vector<std::wstring>{Say(L"Error: The path is too long: '", L"ｴﾗｰ: ﾊﾟｽが長すぎます: '") + tooLong + L"'"});
    SetText(zolv.Control(kSourceEdit), folder);
    const std::wstring parent = folder.substr(0, folder.rfind(L'\\'));
    const std::wstring fresh = parent + L"\\" + std::wstring(259 - parent.size() - 1, L'n');
    SetText(zolv.Control(kDestinationEdit), fresh);
    // Preview asks about the missing folder as the run does; its Yes makes nothing.
    EXPECT_EQ(Ask(zolv, 40203, IDYES),
              (std::vector<std::wstring>{
                  Say(L"Confirm destination folder: Destination folder '", L"転送先ﾌｫﾙﾀﾞの確認: 転送先ﾌｫﾙﾀﾞ '") + fresh +
                      Say(L"' is not exist. Are you sure you want to create destination folder",
                          L"' が存在しません。転送先ﾌｫﾙﾀﾞを作成しますか?"),
                  Say(L"Preview: Preview: the folder '", L"ﾌﾟﾚﾋﾞｭｰ: ﾌﾟﾚﾋﾞｭｰ: ﾌｫﾙﾀﾞ '") + fresh +
                  Say(L"' would be created, 0 files would be copied (0 B), 0 files deleted, 0 folders removed. "
                      L"Nothing was changed.",
                      L"' を作成、ﾌｧｲﾙのｺﾋﾟｰ 0 個 (0 B)、ﾌｧｲﾙの削除 0 個、ﾌｫﾙﾀﾞの削除 0 個の予定です。何も変更していません。")}));
    EXPECT_EQ(GetFileAttributesW(fresh.c_str()), INVALID_FILE_ATTRIBUTES);  // nothing made
    // The folder browser beside them: the tree narrows, its buttons stay on the screen.
    zolv.Command(40303);
    HWND browser = zolv.WaitForDialog(Say(L"Browse folder", L"ﾌｫﾙﾀﾞの参照"));
    ASSERT_NE(browser, nullptr);
    ExpectOnScreen(browser, L"folder browser");
    ClickButton(browser, IDCANCEL);
    PumpFor(200);
    EXPECT_EQ(Ask(zolv, 40302, IDNO),
              std::vector<std::wstring>{Say(L"Confirm: Are you sure delete this set '", L"確認: '") + name +
                                        Say(L"'?", L"' を削除してもよろしいですか?")});
    // The exit question names the file that was not read; No quits without the sets.
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    HWND question = zolv.WaitForDialog(Say(L"Confirm", L"確認"));
    ASSERT_NE(question, nullptr);
    ExpectOnScreen(question, L"exit question");
    EXPECT_EQ(MessageText(question),
              Say(L"The set file '", L"設定ﾌｧｲﾙ '") + sets +
                  Say(L"' could not be read when the program started (it is in use by another program), so it is not "
                      L"written over: the changes made since the program started are not kept.Save the sets in "
                      L"another file?",
                      L"' は起動時に読み込めなかったため (他のﾌﾟﾛｸﾞﾗﾑが使用中です)、上書きしません。起動後の変更は保存"
                      L"されません。別のﾌｧｲﾙにｾｯﾄを保存しますか?"));
    ClickButton(question, IDNO);
    EXPECT_EQ(zolv.WaitForExit(), 0);
}

// In English the set list and the folder edits ask for a font of no face in the ANSI
// character set; Japanese names there, and in the set list's drop-down, show their own
// characters (kanji, hiragana, katakana, half-width katakana), not one empty box each, which
// would draw two names of as many characters alike.
TEST_P(Boxes, JapaneseNamesShowInTheSetListAndTheFolderEdits) {
    const wchar_t* pairs[][2] = {{L"日本語名前字", L"漢字仮名文書"},
                                 {L"あいうえおか", L"かきくけこさ"},
                                 {L"アイウエオカ", L"カキクケコサ"},
                                 {L"ｱｲｳｴｵｶ", L"ｷｸｹｺｻｼ"}};
    std::string sets = Section(L"新しいｾｯﾄ", tree.Path(L"a"), tree.Path(L"b"), false);
    for (const auto& pair : pairs)
        for (const wchar_t* name : pair) sets += Section(name, tree.Path(L"a"), tree.Path(L"b"), false);
    UseSets(sets);
    ZolvProcess zolv;
    ASSERT_TRUE(zolv.Start(WinePath(ZOLV_EXE), tree.Root()));
    EXPECT_EQ(WindowText(zolv.Control(kSetList)), L"新しいｾｯﾄ");
    // The drop-down: each pair's two rows (neither selected) drawn differently.
    SendMessageW(zolv.Control(kSetList), CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = FindWindowW(L"ComboLBox", nullptr);
    ASSERT_TRUE(list && IsWindowVisible(list));
    const int row = static_cast<int>(SendMessageW(zolv.Control(kSetList), CB_GETITEMHEIGHT, 0, 0));
    RECT frame;
    GetWindowRect(list, &frame);
    const size_t width = frame.right - frame.left;
    const std::vector<DWORD> shown = Pixels(list);
    ASSERT_GE(shown.size(), width * (1 + 9 * row));
    auto rowPixels = [&](int item) {
        const auto first = shown.begin() + static_cast<std::ptrdiff_t>(width * (1 + item * row));
        return std::vector<DWORD>(first, first + static_cast<std::ptrdiff_t>(width * row));
    };
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(rowPixels(1 + 2 * i), rowPixels(2 + 2 * i))
            << "the drop-down draws " << Utf8(pairs[i][0]) << " as empty boxes";
    SendMessageW(zolv.Control(kSetList), CB_SHOWDROPDOWN, FALSE, 0);
    for (int id : {kSetList, kSourceEdit, kDestinationEdit}) {
        HWND control = zolv.Control(id);
        for (const auto& pair : pairs) {
            SetText(control, pair[0]);
            const std::vector<DWORD> one = Pixels(control);
            SetText(control, pair[1]);
            EXPECT_NE(Pixels(control), one) << "control " << id << " draws " << Utf8(pair[0]) << " as empty boxes";
        }
    }
    PostMessageW(zolv.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(zolv.WaitForExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(InEnglishAndJapanese, Boxes, ::testing::Values(0, 1));
