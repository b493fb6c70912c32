#include "arguments.h"

#include <cerrno>
#include <cwctype>
#include <cwchar>

#include "base/text.h"
#include "sets/set_options.h"
#include "sync/exclude_patterns.h"
#include "sync/sync_options.h"

namespace {

// What follows the list of the set options' words.
const wchar_t kUsageRest[] =
    L"[--dry-run] [--lang en|ja]\n"
    L"                [--min-battery N] [--log FILE]\n"
    L"                [--max-delete N] [--allow-empty-source] [--keep-runs N] [--[no-]ignore-hour-shift]\n"
    L"                [--] FROM TO\n"
    L"       zolvsync [--backward] [--dry-run] [--lang en|ja] [--max-delete N] [--allow-empty-source]\n"
    L"                [--keep-runs N] [--[no-]ignore-hour-shift] [--min-battery N] [--log FILE] --ini FILE --set NAME\n"
    L"       zolvsync --undo [--backward] [--force] [--lang en|ja] [--min-battery N] FROM TO\n"
    L"       zolvsync --undo [--backward] [--lang en|ja] [--min-battery N] --ini FILE --set NAME\n"
    L"                (the set's Force decides)\n"
    L"  Copies what is missing or newer from FROM to TO (TO to FROM with --backward);\n"
    L"  --delete then removes from the written folder what the other one lacks.\n"
    L"  --ini FILE --set NAME runs the first set of that name in the INI set file, with its options.\n"
    L"  --dry-run writes the rows a --force run would write and changes nothing.\n"
    L"  --max-delete N: when the deletion pass would delete more than N entries, it deletes none.\n"
    L"  --dostime: times within 2 s of each other are the same; so are, unless --no-ignore-hour-shift,\n"
    L"  times an hour apart (within 2 s) with equal sizes (--ignore-hour-shift: also without --dostime).\n"
    L"  --keep moves what the run replaces or deletes into TO\\.zolvkept\\<time>\\ (FROM with --backward),\n"
    L"  keeping the newest --keep-runs N runs (10); --undo puts the written folder back as it was\n"
    L"  before its newest kept run.\n"
    L"  --verify reads each copy back before it takes its place and compares it with the source;\n"
    L"  one that differs is removed, the old file stays, and the run ends with exit code 1.\n"
    L"  --exclude PATTERN leaves out the files and folders it matches (* and ?, no case; a pattern\n"
    L"  with \\ matches a path below FROM and TO); repeat it or separate patterns with ';'.\n"
    L"  --min-battery N: on battery power below N%, asks before the run or undo, even with --force\n"
    L"  (10; 0: never); a battery that drops to its critical level stops it between two files.\n"
    L"  --log FILE appends the rows, after a line naming the run, and the summary to FILE (UTF-8).\n"
    L"  A deletion pass from an empty folder is asked about first, even with --force, which refuses\n"
    L"  it unless --allow-empty-source is given.\n"
    L"  Log rows go to standard output (operation, first path, second path, tab-separated;\n"
    L"  a control character or a < in a path as <hex>: a tab as <09>, < as <3C>);\n"
    L"  a summary line ends standard error;\n"
    L"  questions go to standard error and are answered on standard input:\n"
    L"  y = Yes, a = Yes to All, n = No, c = Cancel.\n"
    L"  Exit code: 0 completed, 1 stopped or failed, 2 bad arguments.\n";

}  // namespace

std::wstring UsageText() {
    std::wstring text = L"usage: zolvsync [--backward] ";
    for (const SetOption& option : kSetOptions) {
        text += std::wstring(L"[") + option.commandLine + (option.text ? L" PATTERN]... " : L"] ");
    }
    return text + kUsageRest;
}

namespace {

const SetOption* SetOptionNamed(const wchar_t* word) {
    for (const SetOption& option : kSetOptions) {
        if (wcscmp(word, option.commandLine) == 0) return &option;
    }
    return nullptr;
}

// One --exclude: its patterns joined to those given before, as a set holds them.
bool AddPatterns(const wchar_t* value, std::wstring& patterns, std::wstring* error) {
    if (value == nullptr) {
        *error = L"--exclude takes a pattern";
        return false;
    }
    if (wcsspn(value, L" \t") == wcslen(value)) {
        *error = L"--exclude takes a pattern";
        return false;
    }
    std::wstring joined = patterns.empty() ? std::wstring(value) : patterns + L";" + value;
    *error = PatternListProblem(joined.c_str());
    if (!error->empty()) return false;
    if (joined.size() >= MAX_PATH) {
        *error = L"the --exclude patterns take more than 259 characters together";
        return false;
    }
    patterns = joined;
    return true;
}

}  // namespace

bool ParseArguments(int argc, wchar_t** argv, RunnerArguments& out, std::wstring* error) {
    const wchar_t* folders[2] = {nullptr, nullptr};
    int folderCount = 0;
    bool optionsEnded = false;  // after "--" every word is a folder, even one starting with "-"
    for (int i = 1; i < argc; ++i) {
        const wchar_t* arg = argv[i];
        if (optionsEnded || arg[0] != L'-') {
            if (folderCount == 2) {
                *error = L"too many folders";
                return false;
            }
            folders[folderCount++] = arg;
        } else if (wcscmp(arg, L"--") == 0) {
            optionsEnded = true;
        } else if (wcscmp(arg, L"--dry-run") == 0) {
            out.options.dryRun = true;
        } else if (wcscmp(arg, L"--backward") == 0) {
            out.backward = true;
        } else if (const SetOption* option = SetOptionNamed(arg); option && option->text) {
            if (!AddPatterns(i + 1 < argc ? argv[++i] : nullptr, out.options.*option->textOption, error)) return false;
        } else if (option) {
            out.options.*option->option = true;
        } else if (wcscmp(arg, L"--min-battery") == 0) {
            const wchar_t* value = (i + 1 < argc) ? argv[++i] : L"";
            wchar_t* end = nullptr;
            long level = wcstol(value, &end, 10);
            if (!iswdigit(value[0]) || *end != L'\0' || level < 0 || level > 100) {
                *error = L"--min-battery takes a number from 0 to 100";
                return false;
            }
            out.options.minBattery = static_cast<int>(level);
        } else if (wcscmp(arg, L"--log") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == L'\0') {
                *error = L"--log takes a file";
                return false;
            }
            out.logFile = argv[++i];
        } else if (wcscmp(arg, L"--ignore-hour-shift") == 0) {
            out.options.hourShift = SyncOptions::HourShift::Ignored;
        } else if (wcscmp(arg, L"--no-ignore-hour-shift") == 0) {
            out.options.hourShift = SyncOptions::HourShift::Compared;
        } else if (wcscmp(arg, L"--undo") == 0) {
            out.undo = true;
        } else if (wcscmp(arg, L"--keep-runs") == 0) {
            const wchar_t* value = (i + 1 < argc) ? argv[++i] : L"";
            wchar_t* end = nullptr;
            long runs = wcstol(value, &end, 10);
            if (!iswdigit(value[0]) || *end != L'\0' || runs < 1 || runs > kMaxKeptRuns) {
                *error = L"--keep-runs takes a number from 1 to 999";
                return false;
            }
            out.options.keptRuns = static_cast<int>(runs);
            out.keptRunsGiven = true;
        } else if (wcscmp(arg, L"--allow-empty-source") == 0) {
            out.allowEmptySource = true;
        } else if (wcscmp(arg, L"--max-delete") == 0) {
            const wchar_t* value = (i + 1 < argc) ? argv[++i] : L"";
            wchar_t* end = nullptr;
            errno = 0;
            out.options.maxDelete = wcstoull(value, &end, 10);
            if (!iswdigit(value[0]) || *end != L'\0' || errno == ERANGE ||
                out.options.maxDelete == SyncOptions::kNoDeleteLimit) {
                *error = L"--max-delete takes a number of entries";
                return false;
            }
        } else if (wcscmp(arg, L"--lang") == 0) {
            const wchar_t* value = (i + 1 < argc) ? argv[++i] : L"";
            if (wcscmp(value, L"en") == 0) {
                out.language = kLanguageEnglish;
            } else if (wcscmp(value, L"ja") == 0) {
                out.language = kLanguageJapanese;
            } else {
                *error = L"--lang takes en or ja";
                return false;
            }
        } else if (wcscmp(arg, L"--ini") == 0 || wcscmp(arg, L"--set") == 0) {
            if (i + 1 >= argc) {
                *error = L"--ini and --set take a value";
                return false;
            }
            (arg[2] == L'i' ? out.iniFile : out.setName) = argv[++i];
        } else {
            *error = std::wstring(L"unknown option '") + arg + L"'";
            return false;
        }
    }
    if (out.undo) {
        SyncOptions others = out.options;
        others.force = false;  // --force: put back without the question
        if (AnySetOption(others) || others.dryRun || others.maxDelete != SyncOptions::kNoDeleteLimit ||
            out.allowEmptySource || out.keptRunsGiven || out.logFile) {
            *error = L"--undo takes only --backward, --force, --lang, --min-battery and FROM TO or --ini/--set";
            return false;
        }
    }
    if (out.iniFile || out.setName) {
        if (!out.iniFile || !out.setName) {
            *error = L"--ini and --set go together";
        } else if (folderCount != 0) {
            *error = L"a set brings its own folders";
        } else if (AnySetOption(out.options)) {
            *error = L"a set brings its own options";
        } else {
            return true;
        }
        return false;
    }
    if (folderCount != 2) {
        *error = L"FROM and TO are both needed";
        return false;
    }
    if (out.keptRunsGiven && !out.options.keep && !out.undo) {
        *error = L"--keep-runs goes with --keep";
        return false;
    }
    out.from = folders[0];
    out.to = folders[1];
    return true;
}
