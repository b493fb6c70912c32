#include "launcher.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>

#include "message_box.h"
#include "reg_key.h"
#include "setup_texts.h"

int ChooseLanguage() {
    RegKey languageKey(HKEY_CURRENT_USER);
    DWORD toggle = 0;
    LONG status = languageKey.Open(kLanguageKey);
    if (status == ERROR_SUCCESS) status = languageKey.QueryDword("LangToggle", &toggle);
    languageKey.Close();
    return LanguageFor(GetSystemDefaultLangID(), status == ERROR_SUCCESS, toggle);
}

LONG ReadSyncManagerVersion() {
    // The first view that holds the value answers.
    for (REGSAM view : kMachineViews) {
        RegKey syncManager(HKEY_LOCAL_MACHINE);
        DWORD version = 0;
        if (syncManager.Open(kSyncManagerKey, view) != ERROR_SUCCESS) continue;
        if (syncManager.QueryDword("MajorVersion", &version) != ERROR_SUCCESS) continue;
        return static_cast<LONG>(version);  // a value with the top bit set counts as negative
    }
    return 0;
}

bool ReadAppManagerPath(char (&path)[MAX_PATH]) {
    for (REGSAM view : kMachineViews) {
        RegKey appManager(HKEY_LOCAL_MACHINE);
        DWORD size = MAX_PATH;
        if (appManager.Open(kAppManagerKey, view) == ERROR_SUCCESS && appManager.QueryString("", path, &size) == ERROR_SUCCESS)
            return true;
    }
    path[0] = '\0';
    return false;
}

bool FormatInstallArgument(const char* path, char (&argument)[MAX_PATH]) {
    int written = snprintf(argument, sizeof argument, "\"%s\"", path);
    return written > 0 && written < static_cast<int>(sizeof argument);
}

namespace {

bool Report(Failure failure, int language) {
    ShowBox(BoxFor(failure), language, "%s", FailureText(failure, language));
    return false;
}

}  // namespace

bool RunInstall(int language) {
    // The launcher's own folder. The install description is looked up relative to the
    // current directory, as the application manager resolves it from there too.
    char ownFolder[MAX_PATH];
    if (GetModuleFileNameA(nullptr, ownFolder, MAX_PATH) == 0) return Report(Failure::OwnPathMissing, language);
    PathRemoveFileSpecA(ownFolder);

    if (ReadSyncManagerVersion() < kLowestSyncManagerVersion) return Report(Failure::SyncManagerMissing, language);

    char appManager[MAX_PATH];
    if (!ReadAppManagerPath(appManager)) return Report(Failure::AppManagerPathMissing, language);

    char description[MAX_PATH];
    strcpy(description, kInstallDescription);
    if (!PathFileExistsA(description)) return Report(Failure::SetupIniMissing, language);

    char argument[MAX_PATH];
    if (!FormatInstallArgument(description, argument)) return false;
    SHELLEXECUTEINFOA start{};
    start.cbSize = sizeof start;
    start.lpFile = appManager;
    start.lpParameters = argument;
    start.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&start) != FALSE;
}

int RunLauncher(HINSTANCE instance) {
    int language = ChooseLanguage();

    char productName[128] = "";
    LoadStringA(instance, 100, productName, sizeof productName);

    // Held until the process ends; the system releases it.
    CreateMutexA(nullptr, FALSE, productName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND first = FindWindowA(productName, nullptr)) {
            SetForegroundWindow(first);
            return 0;
        }
    }
    return RunInstall(language) ? 0 : 1;
}
