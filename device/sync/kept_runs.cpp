#include "kept_runs.h"

#include <algorithm>
#include <cwchar>

#include "folder_search.h"

const wchar_t kKeptStoreName[] = L".zolvkept";

namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// `count` decimal digits at `text`, as a number; -1 when they are not all digits.
int Digits(const wchar_t* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// "YYYYMMDD-HHMMSS" at `text` (exactly 15 characters there), a real date and time.
bool ParseTime(const wchar_t* text, SYSTEMTIME* time) {
    if (text[8] != L'-') return false;
    for (int i = 0; i < 15; ++i) {
        if (text[i] == L'\0') return false;
    }
    int year = Digits(text, 4), month = Digits(text + 4, 2), day = Digits(text + 6, 2);
    int hour = Digits(text + 9, 2), minute = Digits(text + 11, 2), second = Digits(text + 13, 2);
    if (year < 1601 || month < 1 || month > 12 || day < 1 || day > DaysIn(year, month) || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59) {
        return false;
    }
    *time = SYSTEMTIME{};
    time->wYear = static_cast<WORD>(year);
    time->wMonth = static_cast<WORD>(month);
    time->wDay = static_cast<WORD>(day);
    time->wHour = static_cast<WORD>(hour);
    time->wMinute = static_cast<WORD>(minute);
    time->wSecond = static_cast<WORD>(second);
    return true;
}

}  // namespace

bool RunBefore(const RunStamp& a, const RunStamp& b) {
    if (a.order != b.order) return a.order < b.order;
    const WORD ta[] = {a.time.wYear, a.time.wMonth, a.time.wDay, a.time.wHour, a.time.wMinute, a.time.wSecond};
    const WORD tb[] = {b.time.wYear, b.time.wMonth, b.time.wDay, b.time.wHour, b.time.wMinute, b.time.wSecond};
    for (int i = 0; i < 6; ++i) {
        if (ta[i] != tb[i]) return ta[i] < tb[i];
    }
    return a.suffix < b.suffix;
}

bool IsKeptStoreName(const wchar_t* name) {
    const wchar_t* store = kKeptStoreName;
    for (; *name && *store; ++name, ++store) {
        if (AsciiLower(*name) != *store) return false;
    }
    return *name == L'\0' && *store == L'\0';
}

void FormatRunStamp(unsigned order, const SYSTEMTIME& time, wchar_t (&out)[kRunStampChars]) {
    swprintf(out, kRunStampChars, L"%u-%04u%02u%02u-%02u%02u%02u", order, time.wYear, time.wMonth, time.wDay,
             time.wHour, time.wMinute, time.wSecond);
}

bool ParseRunStamp(const wchar_t* name, RunStamp* stamp) {
    RunStamp parsed;
    size_t length = wcslen(name);
    // An ordered name: 1 to 9 digits, no leading zero, then the time and nothing more.
    size_t digits = wcsspn(name, L"0123456789");
    if (digits >= 1 && digits <= 9 && name[0] != L'0' && name[digits] == L'-' && length == digits + 16) {
        parsed.order = static_cast<unsigned>(wcstoul(name, nullptr, 10));
        if (!ParseTime(name + digits + 1, &parsed.time)) return false;
    } else {
        // A name of old: the time, then "-2" to "-999" on a clash.
        if (length < 15 || !ParseTime(name, &parsed.time)) return false;
        const wchar_t* rest = name + 15;
        if (*rest != L'\0') {
            size_t tail = wcslen(rest + 1);
            if (rest[0] != L'-' || tail < 1 || tail > 3 || rest[1] == L'0') return false;
            parsed.suffix = Digits(rest + 1, static_cast<int>(tail));
            if (parsed.suffix < 2) return false;
        }
    }
    if (stamp) *stamp = parsed;
    return true;
}

void FormatRunTime(const SYSTEMTIME& time, wchar_t (&out)[kRunStampChars]) {
    swprintf(out, kRunStampChars, L"%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute);
}

bool KeptStorePath(const wchar_t* folder, PathBuffer& out) { return JoinPath(out, folder, kKeptStoreName); }

bool ListKeptRuns(const wchar_t* store, std::vector<KeptRun>& runs, DWORD* error) {
    runs.clear();
    *error = 0;
    FolderSearch search(store);
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        KeptRun run;
        // A link of that name is nobody's run: what it leads to is never touched.
        if ((found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsFolderLink(found->dwFileAttributes) &&
            ParseRunStamp(found->cFileName, &run.stamp)) {
            run.name = found->cFileName;
            runs.push_back(std::move(run));
        }
    }
    if (search.Error() != 0 && search.Error() != ERROR_PATH_NOT_FOUND) {
        *error = search.Error();
        return false;
    }
    std::sort(runs.begin(), runs.end(), [](const KeptRun& a, const KeptRun& b) { return RunBefore(a.stamp, b.stamp); });
    return true;
}
