// zolvsync: the sync engine without a window, for scripts, benchmarks and tests.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <string>

#include "arguments.h"
#include "base/language.h"
#include "base/text.h"
#include "console_host.h"
#include "sets/ini_codec.h"
#include "sets/set_options.h"
#include "sync/file_ops.h"
#include "sync/keep_actions.h"
#include "sync/keep_texts.h"
#include "sync/log_text.h"
#include "sync/sync_texts.h"
#include "sync/run_undo.h"

namespace {

RunState* g_runState = nullptr;
HANDLE g_interrupt = nullptr;
std::atomic<bool> g_interrupted{false};

// Ctrl+C and Ctrl+Break act like the Abort button: the run stops at its next step (a file
// copy between two of its pieces), and a question waiting for its answer gets Cancel at
// once. A second one ends the program at once, for a run stuck where no step comes (a read
// that hangs); the copy under way may then leave its temporary file.
BOOL WINAPI OnInterrupt(DWORD event) {
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && g_runState) {
        if (g_interrupted.exchange(true)) TerminateProcess(GetCurrentProcess(), 1);
        g_runState->abortRequested = true;
        SetEvent(g_interrupt);
        return TRUE;
    }
    return FALSE;
}

int Refuse(const wchar_t* reason, bool withUsage) {
    ConsoleStream messages(STD_ERROR_HANDLE);
    messages.Write(L"zolvsync: ");
    messages.Write(reason);
    messages.Write(L"\n");
    if (withUsage) messages.Write(UsageText().c_str());
    return 2;
}

// What stopped the set file from being read, for the message.
const wchar_t* SetFileProblem(DWORD code) {
    switch (code) {
    case ERROR_FILE_TOO_LARGE: return L"the INI file is too large to be a set file";
    case ERROR_BAD_FILE_TYPE: return L"the INI file is not a file on a disk";
    default: return L"cannot read the INI file";
    }
}

// Takes the folders and options of the first set of that name in the INI set file;
// the reason when there is none.
const wchar_t* LoadNamedSet(RunnerArguments& arguments, SetFields& set) {
    bool found = false;
    bool readable = ReadSetFile(arguments.iniFile, [&](const SetFields& candidate) {
        if (!found && wcscmp(candidate.name, arguments.setName) == 0) {
            set = candidate;
            found = true;
        }
    });
    if (!readable) return SetFileProblem(GetLastError());
    if (!found) return L"no set of that name in the INI file";
    arguments.from = set.source;
    arguments.to = set.destination;
    ApplySetFlags(set, arguments.options);
    return nullptr;
}

// The last line of standard error: what the run did, for scripts and for a look before a
// mirror is trusted with deletions.
std::wstring SummaryText(const RunStats& stats, bool dryRun, double seconds) {
    wchar_t time[32];
    swprintf(time, 32, L"%.2f s\n", seconds);
    std::wstring text = L"zolvsync: ";
    if (dryRun) text += L"dry run, nothing changed: ";
    text += std::to_wstring(stats.filesCopied) + L" files copied (" + std::to_wstring(stats.bytesCopied) +
            L" bytes), " + std::to_wstring(stats.filesDeleted) + L" files deleted, " +
            std::to_wstring(stats.foldersRemoved) + L" folders removed, ";
    if (stats.entriesKept > 0) text += std::to_wstring(stats.entriesKept) + L" entries kept, ";
    if (stats.filesVerified > 0) text += std::to_wstring(stats.filesVerified) + L" files verified, ";
    if (stats.entriesSkipped > 0) text += std::to_wstring(stats.entriesSkipped) + L" entries skipped, ";
    return text + time;
}

// The log's first line for the run: the set (or the two folders), the direction, the time.
std::wstring RunHeader(const RunnerArguments& arguments, const wchar_t* from, const wchar_t* to) {
    std::wstring set = arguments.setName ? arguments.setName : std::wstring(from) + L" > " + to;
    const wchar_t* direction = arguments.backward ? L"Backward" : L"Forward";
    std::wstring label = arguments.options.dryRun ? std::wstring(L"dry run ") + direction : direction;
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LogHeader(set.c_str(), label.c_str(), now, nullptr);
}

double SecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// --undo: the written folder back as it was before its newest kept run.
bool UndoWritten(const wchar_t* written, bool force, int minBattery, const LARGE_INTEGER& start) {
    ConsoleHost host(g_interrupt);
    RunUndo undo(host, *g_runState);
    bool ok = false;
    switch (undo.FindRun(written)) {
    case RunUndo::Found::Run: ok = undo.Undo(!force, minBattery); break;
    case RunUndo::Found::None: ReportText(host, KeepTexts::NothingToUndo, written); break;
    case RunUndo::Found::Refused: break;
    }
    host.EndRun();
    const UndoFigures& figures = undo.Figures();
    wchar_t time[32];
    swprintf(time, 32, L"%.2f s\n", SecondsSince(start));
    std::wstring text = std::wstring(L"zolvsync: undo") + (figures.stopped ? L" stopped: " : L": ") +
                        std::to_wstring(figures.putBack) + L" entries put back, " +
                        std::to_wstring(figures.removed) + L" removed, " + std::to_wstring(figures.left) +
                        L" left as they were, " + time;
    ConsoleStream messages(STD_ERROR_HANDLE);
    messages.Write(text.c_str());
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    RunnerArguments arguments;
    std::wstring error;
    if (!ParseArguments(argc, argv, arguments, &error)) return Refuse(error.c_str(), true);
    if (arguments.language < 0) {
        ChooseUiLanguage();
    } else {
        UiLanguage = arguments.language;
    }
    SetFields set;
    if (arguments.iniFile) {
        if (const wchar_t* problem = LoadNamedSet(arguments, set)) return Refuse(problem, false);
        if (arguments.keptRunsGiven && !arguments.options.keep && !arguments.undo) {
            return Refuse(L"--keep-runs needs a set with Keep on", false);
        }
    }

    const wchar_t* from = arguments.backward ? arguments.to : arguments.from;
    const wchar_t* to = arguments.backward ? arguments.from : arguments.to;

    RunState state;
    g_interrupt = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_runState = &state;
    SetConsoleCtrlHandler(OnInterrupt, TRUE);
    if (arguments.undo) {
        // The folder a run of these arguments writes.
        bool ok = UndoWritten(to, arguments.options.force, arguments.options.minBattery, start);
        g_runState = nullptr;
        return ok ? 0 : 1;
    }
    bool ok;
    {
        ConsoleHost host(g_interrupt);
        // A dry run is the --force run without its changes.
        host.refuseEmptySource = arguments.options.force || arguments.options.dryRun;
        host.allowEmptySource = arguments.allowEmptySource;
        if (arguments.logFile && !host.OpenLog(arguments.logFile, RunHeader(arguments, from, to))) {
            wchar_t reason[kMessageChars];
            SystemReasonText(GetLastError(), reason);
            g_runState = nullptr;
            return Refuse((std::wstring(L"cannot open the log file: ") + reason).c_str(), false);
        }
        SyncEngine engine(host, state, arguments.options);
        KeepActions keeping(engine.Actions(), host, to, arguments.options.dryRun, arguments.options.keptRuns);
        if (arguments.options.keep) engine.UseActions(keeping);
        ok = engine.CheckSyncFolders(from, to) && engine.RunSync(from, to);
        host.EndRun();  // the rows first, then the summary
        std::wstring summary = SummaryText(engine.Stats(), arguments.options.dryRun, SecondsSince(start));
        ConsoleStream messages(STD_ERROR_HANDLE);
        messages.Write(summary.c_str());
        // The summary ends the run's lines in the log (a line feed already ends it).
        summary.pop_back();
        ok = host.WriteLogLine(L"# " + summary + L"\r\n") && ok;
    }
    g_runState = nullptr;
    return ok ? 0 : 1;
}
