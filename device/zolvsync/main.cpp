// zolvsync: the sync engine without a window, for scripts, benchmarks and tests.
#include <windows.h>

#include "arguments.h"
#include "console_host.h"
#include "framework/language.h"
#include "framework/text.h"
#include "sets/ini_codec.h"

namespace {

RunState* g_runState = nullptr;

// Ctrl+C and Ctrl+Break act like the Abort button: the run stops at its next step.
BOOL WINAPI OnInterrupt(DWORD event) {
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && g_runState) {
        g_runState->abortRequested = true;
        return TRUE;
    }
    return FALSE;
}

int Refuse(const wchar_t* reason, bool withUsage) {
    ConsoleStream messages(STD_ERROR_HANDLE);
    messages.Write(L"zolvsync: ");
    messages.Write(reason);
    messages.Write(L"\n");
    if (withUsage) messages.Write(kUsage);
    return 2;
}

// Takes the folders and options of the first set of that name in the INI set file.
bool LoadNamedSet(RunnerArguments& arguments, SetFields& set) {
    bool found = false;
    bool readable = ReadSetFile(arguments.iniFile, [&](const SetFields& candidate) {
        if (!found && wcscmp(candidate.name, arguments.setName) == 0) {
            set = candidate;
            found = true;
        }
    });
    if (!readable || !found) return false;
    arguments.from = set.source;
    arguments.to = set.destination;
    arguments.options.deleteAfterCopy = set.deleteAfterCopy != 0;
    arguments.options.dosTime = set.dosTime != 0;
    arguments.options.force = set.force != 0;
    arguments.options.excludeObj = set.excludeObj != 0;
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    RunnerArguments arguments;
    const wchar_t* error = L"";
    if (!ParseArguments(argc, argv, arguments, &error)) return Refuse(error, true);
    if (arguments.language < 0) {
        ChooseUiLanguage();
    } else {
        UiLanguage = arguments.language;
    }
    SetFields set;
    if (arguments.iniFile && !LoadNamedSet(arguments, set)) {
        return Refuse(L"no set of that name in the INI file, or the file cannot be read", false);
    }

    const wchar_t* from = arguments.backward ? arguments.to : arguments.from;
    const wchar_t* to = arguments.backward ? arguments.from : arguments.to;

    ConsoleHost host;
    RunState state;
    g_runState = &state;
    SetConsoleCtrlHandler(OnInterrupt, TRUE);
    SyncEngine engine(host, state, arguments.options);
    bool ok = engine.CheckSyncFolders(from, to) && engine.RunSync(from, to);
    g_runState = nullptr;
    return ok ? 0 : 1;
}
