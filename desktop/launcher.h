#pragma once
#include <windows.h>

// Where the launcher looks things up (the desktop sync manager's and its application
// manager's registry entries, the user's language switch).
constexpr const char* kLanguageKey = "Software\\Quenbrook";
constexpr const char* kSyncManagerKey = "SOFTWARE\\Microsoft\\Windows CE Services";
constexpr const char* kAppManagerKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";
constexpr const char* kInstallDescription = ".\\setup.ini";
constexpr LONG kLowestSyncManagerVersion = 3;

// Applies the language rule to the running system (default language, then LangToggle).
int ChooseLanguage();

// The installed sync manager's major version, read as a signed number from the first
// registry view that holds it (kMachineViews); 0 when no view does.
LONG ReadSyncManagerVersion();

// The application manager's full path from its App Paths entry, in the first registry view
// that holds it; false when none does.
bool ReadAppManagerPath(char (&path)[MAX_PATH]);

// The application manager's one argument: `path` in double quotes. False when it does not fit.
bool FormatInstallArgument(const char* path, char (&argument)[MAX_PATH]);

// The install sequence: checks the surroundings in order, reports the first failure in its
// box and returns false, or starts the application manager and returns what starting it gave.
bool RunInstall(int language);

// Start-up: language, product name, single-instance rule, then the install sequence.
// Returns the process exit code.
int RunLauncher(HINSTANCE instance);
