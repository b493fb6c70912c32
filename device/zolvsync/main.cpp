// zolvsync: the sync engine without a window, for scripts, benchmarks and tests.
#include <windows.h>

#include "arguments.h"
#include "console_host.h"
#include "framework/language.h"
#include "framework/text.h"

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    RunnerArguments arguments;
    const wchar_t* error = L"";
    if (!ParseArguments(argc, argv, arguments, &error)) {
        ConsoleStream messages(STD_ERROR_HANDLE);
        messages.Write(L"zolvsync: ");
        messages.Write(error);
        messages.Write(L"\n");
        messages.Write(kUsage);
        return 2;
    }
    if (arguments.language < 0) {
        ChooseUiLanguage();
    } else {
        UiLanguage = arguments.language;
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
