// End-to-end tests of setup.exe: each case sets the registry, starts the launcher in a chosen
// working directory, reads and answers the box it shows, and checks its exit code and what the
// stand-in application manager was started with. Run in the launcher's own Wine prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "live_box.h"
#include "process.h"

namespace {

const wchar_t* kSyncManagerKey = L"SOFTWARE\\Microsoft\\Windows CE Services";
const wchar_t* kAppManagerKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";
const wchar_t* kLanguageKey = L"Software\\Quenbrook";
const wchar_t* kArgument = L"\".\\setup.ini\"";

struct Texts {
    const wchar_t* title;
    const wchar_t* text;
};
const Texts kSyncManagerEn{L"Message", L"Please install Microsoft Active Sync Version 3.0"};
const Texts kSyncManagerJa{L"ﾒｯｾｰｼﾞ", L"Microsoft Active Sync Version 3.0 以上をｲﾝｽﾄｰﾙしてください"};
const Texts kAppManagerEn{L"Error", L"Can't get CEAppMgr path."};
const Texts kAppManagerJa{L"ｴﾗｰ", L"ｱﾌﾟﾘｹｰｼｮﾝﾏﾈｰｼﾞｬのﾊﾟｽが取得できません"};
const Texts kSetupIniEn{L"Fatal", L"Can't find setup.ini file."};
const Texts kSetupIniJa{L"致命的なｴﾗｰ", L"setup.ini ﾌｧｲﾙが見つかりません"};

std::wstring Folder(const char* unixPath) { return WinePath(unixPath); }

// `view`: 0, KEY_WOW64_64KEY or KEY_WOW64_32KEY.
void SetDword(HKEY root, const wchar_t* key, const wchar_t* name, DWORD value, REGSAM view = 0) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &handle, nullptr), 0);
    RegSetValueExW(handle, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value);
    RegCloseKey(handle);
}

void SetString(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value, REGSAM view = 0) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &handle, nullptr), 0);
    RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void CreateEmptyKey(HKEY root, const wchar_t* key) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr), 0);
    RegCloseKey(handle);
}

class SetupLauncher : public ::testing::Test {
protected:
    std::wstring work = Folder(ZOLV_SETUP_WORK_DIR);
    std::wstring bin = work + L"\\bin";
    std::wstring cwd = work + L"\\cwd";
    std::wstring elsewhere = work + L"\\elsewhere";
    std::wstring setupCopy = bin + L"\\setup.exe";
    std::wstring standIn = Folder(ZOLV_APPMGR_STANDIN);
    std::wstring record = standIn.substr(0, standIn.rfind(L'\\')) + L"\\appmgr.log";

    void SetUp() override {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            for (const wchar_t* key : {kSyncManagerKey, kAppManagerKey}) {
                HKEY handle;
                if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | view, &handle) != 0) continue;
                RegDeleteTreeW(handle, nullptr);
                RegCloseKey(handle);
                RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, view, 0);
            }
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, kLanguageKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kLanguageKey);
        for (const std::wstring* dir : {&work, &bin, &cwd, &elsewhere}) CreateDirectoryW(dir->c_str(), nullptr);
        // A copy of the launcher in a folder of its own, so that "beside the program" and
        // "in the current directory" can differ.
        ASSERT_TRUE(CopyFileW(Folder(ZOLV_SETUP_EXE).c_str(), setupCopy.c_str(), FALSE));
        DeleteFileW((bin + L"\\setup.ini").c_str());
        DeleteFileW((cwd + L"\\setup.ini").c_str());
        DeleteFileW(record.c_str());
    }

    void InstallSyncManager(DWORD major, REGSAM view = 0) {
        SetDword(HKEY_LOCAL_MACHINE, kSyncManagerKey, L"MajorVersion", major, view);
    }
    void RegisterAppManager(REGSAM view = 0) { SetString(HKEY_LOCAL_MACHINE, kAppManagerKey, L"", standIn, view); }
    void PlaceDescription(const std::wstring& dir) {
        std::ofstream((Utf8(dir) + "\\setup.ini").c_str()) << "[CEAppManager]\n";
    }
    LaunchResult Launch(const std::wstring& in) { return LaunchAndAnswerBoxes(setupCopy, in); }

    // The manager's record: its command line and working directory; empty when it never ran.
    // The launcher does not wait for the manager, so give it a moment to write both lines
    // (the file can be there before they are).
    std::vector<std::wstring> ManagerRecord(DWORD waitMs = 5000) {
        DWORD end = GetTickCount() + waitMs;
        std::vector<std::wstring> lines;
        for (;;) {
            lines.clear();
            std::ifstream in(Utf8(record).c_str());
            for (std::string line; std::getline(in, line);) {
                int n = MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, nullptr, 0);
                std::wstring wide(n, L'\0');
                MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, wide.data(), n);
                wide.resize(n - 1);
                lines.push_back(wide);
            }
            if (lines.size() >= 2 || static_cast<LONG>(end - GetTickCount()) <= 0) break;
            Sleep(50);
        }
        return lines;
    }
};

// The arguments after the program's own name on a command line.
std::wstring ArgumentsOf(const std::wstring& commandLine) {
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        at = commandLine.find(L'"', 1);
        at = (at == std::wstring::npos) ? commandLine.size() : at + 1;
    } else {
        at = commandLine.find(L' ');
        if (at == std::wstring::npos) at = commandLine.size();
    }
    while (at < commandLine.size() && commandLine[at] == L' ') ++at;
    return commandLine.substr(at);
}

void ExpectBox(const LaunchResult& r, const Texts& expected) {
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.boxes, 1);
    EXPECT_EQ(r.title, expected.title);
    EXPECT_EQ(r.text, expected.text);
}

TEST_F(SetupLauncher, StartsTheManagerWithTheQuotedDescriptionInTheCurrentDirectory) {
    InstallSyncManager(3);
    RegisterAppManager();
    PlaceDescription(cwd);  // not beside the program: the current directory is what counts
    // No Zolv.cab there (none is built here): the launcher does not look for it.
    ASSERT_EQ(GetFileAttributesW((cwd + L"\\Zolv.cab").c_str()), INVALID_FILE_ATTRIBUTES);
    LaunchResult r = Launch(cwd);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.boxes, 0);
    std::vector<std::wstring> lines = ManagerRecord();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(ArgumentsOf(lines[0]), kArgument) << Utf8(lines[0]);
    EXPECT_EQ(_wcsicmp(lines[1].c_str(), cwd.c_str()), 0) << Utf8(lines[1]);
}

// A sync manager registered in only one registry view (the 64-bit one, or the 32-bit one of
// 64-bit Windows) is found either way.
TEST_F(SetupLauncher, FindsTheSyncManagerInEitherRegistryView) {
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        SCOPED_TRACE(view == KEY_WOW64_64KEY ? "64-bit view" : "32-bit view");
        SetUp();
        InstallSyncManager(3, view);
        RegisterAppManager(view);
        PlaceDescription(cwd);
        REGSAM other = view == KEY_WOW64_64KEY ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
        HKEY handle;
        ASSERT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSyncManagerKey, 0, KEY_READ | other, &handle), 0);
        LaunchResult r = Launch(cwd);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.boxes, 0);
        EXPECT_EQ(ManagerRecord().size(), 2u);
    }
}

TEST_F(SetupLauncher, SyncManagerMissingOrOlderThanThreeAsksForIt) {
    RegisterAppManager();
    PlaceDescription(cwd);
    struct Case {
        const char* what;
        bool key;
        bool value;
        DWORD major;
    } cases[] = {{"version 2", true, true, 2},
                 {"top bit set", true, true, 0x80000003u},
                 {"value missing", true, false, 0},
                 {"key missing", false, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSyncManagerKey);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSyncManagerKey);
        if (c.key) CreateEmptyKey(HKEY_LOCAL_MACHINE, kSyncManagerKey);
        if (c.value) InstallSyncManager(c.major);
        ExpectBox(Launch(cwd), kSyncManagerEn);
    }
    EXPECT_TRUE(ManagerRecord(0).empty());
}

TEST_F(SetupLauncher, UnreadableManagerPathIsAnError) {
    InstallSyncManager(3);
    PlaceDescription(cwd);
    {
        SCOPED_TRACE("key missing");
        ExpectBox(Launch(cwd), kAppManagerEn);
    }
    {
        SCOPED_TRACE("no default value");
        CreateEmptyKey(HKEY_LOCAL_MACHINE, kAppManagerKey);
        ExpectBox(Launch(cwd), kAppManagerEn);
    }
    {
        SCOPED_TRACE("default value is a number, not a path");
        SetDword(HKEY_LOCAL_MACHINE, kAppManagerKey, L"", 0x41414141u);
        ExpectBox(Launch(cwd), kAppManagerEn);
    }
    EXPECT_TRUE(ManagerRecord(0).empty());
}

TEST_F(SetupLauncher, DescriptionOnlyBesideTheProgramIsNotFound) {
    InstallSyncManager(3);
    RegisterAppManager();
    PlaceDescription(bin);
    ExpectBox(Launch(elsewhere), kSetupIniEn);
    EXPECT_TRUE(ManagerRecord(0).empty());
}

// A window of the product's class, as an earlier instance would own.
struct ProductWindow {
    HWND window = nullptr;
    HWND other = nullptr;
    ProductWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Brenholt";
        RegisterClassW(&wc);
        wc.lpszClassName = L"SomethingElse";
        RegisterClassW(&wc);
        window = CreateWindowW(L"Brenholt", L"first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, wc.hInstance, nullptr);
        other = CreateWindowW(L"SomethingElse", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                              nullptr, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(other);
        PumpFor(200);
    }
    ~ProductWindow() {
        DestroyWindow(window);
        DestroyWindow(other);
    }
};

TEST_F(SetupLauncher, SecondStartBringsTheFirstWindowForwardAndDoesNothingElse) {
    InstallSyncManager(3);
    RegisterAppManager();
    PlaceDescription(cwd);
    HANDLE firstInstance = CreateMutexW(nullptr, FALSE, L"Brenholt");
    {
        ProductWindow first;
        ASSERT_EQ(GetForegroundWindow(), first.other);
        LaunchResult r = Launch(cwd);
        PumpFor(200);
        EXPECT_TRUE(r.exited);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.boxes, 0);
        EXPECT_EQ(GetForegroundWindow(), first.window);
        EXPECT_TRUE(ManagerRecord(1000).empty());
    }
    // Mutex held but no such window: the whole sequence runs.
    LaunchResult r = Launch(cwd);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(ManagerRecord().size(), 2u);
    CloseHandle(firstInstance);

    // A window of the class but no earlier instance holding the mutex: the whole sequence runs.
    DeleteFileW(record.c_str());
    ProductWindow stray;
    r = Launch(cwd);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(ManagerRecord().size(), 2u);
}

TEST_F(SetupLauncher, CarriesItsNameAndVersion) {
    std::wstring exe = Folder(ZOLV_SETUP_EXE);
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    char name[128];
    EXPECT_GT(LoadStringA(module, 100, name, sizeof name), 0);
    EXPECT_STREQ(name, "Brenholt");
    EXPECT_GT(LoadStringA(module, 101, name, sizeof name), 0);
    EXPECT_STREQ(name, "Brenholt");
    FreeLibrary(module);

    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00000003u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00000003u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    wchar_t* original = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904b0\\OriginalFilename",
                               reinterpret_cast<void**>(&original), &length));
    EXPECT_STREQ(original, L"setup.exe");
}

// Run once with an English and once with a Japanese system; ZOLV_EXPECT_SYSTEM_LANGUAGE says
// which, so that a system that did not switch cannot pass for the other.
class Language : public SetupLauncher {};

TEST_F(Language, FollowsTheSystemUnlessLangToggleIsSet) {
    const char* expected = getenv("ZOLV_EXPECT_SYSTEM_LANGUAGE");
    bool japaneseSystem = GetSystemDefaultLangID() == 0x0411;
    if (expected) {
        ASSERT_EQ(japaneseSystem, std::string(expected) == "ja");
    }
    {
        SCOPED_TRACE("LangToggle absent");
        ExpectBox(Launch(cwd), japaneseSystem ? kSyncManagerJa : kSyncManagerEn);
    }
    {
        SCOPED_TRACE("LangToggle 0");
        SetDword(HKEY_CURRENT_USER, kLanguageKey, L"LangToggle", 0);
        InstallSyncManager(3);
        ExpectBox(Launch(cwd), japaneseSystem ? kAppManagerJa : kAppManagerEn);
    }
    {
        // On an English system this shows Japanese whatever the ANSI code page is.
        SCOPED_TRACE("LangToggle 1");
        SetDword(HKEY_CURRENT_USER, kLanguageKey, L"LangToggle", 1);
        RegisterAppManager();
        ExpectBox(Launch(cwd), japaneseSystem ? kSetupIniEn : kSetupIniJa);
    }
}

}  // namespace
