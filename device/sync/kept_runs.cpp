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

struct Stamp {
    SYSTEMTIME time;
    int suffix;
};

bool Earlier(const Stamp& a, const Stamp& b) {
    const WORD ta[] = {a.time.wYear, a.time.wMonth, a.time.wDay, a.time.wHour, a.time.wMinute, a.time.wSecond};
    const WORD tb[] = {b.time.wYear, b.time.wMonth, b.time.wDay, b.time.wHour, b.time.wMinute, b.time.wSecond};
    for (int i = 0; i < 6; ++i) {
        if (ta[i] != tb[i]) return ta[i] < tb[i];
    }
    return a.suffix < b.suffix;
}

}  // namespace

bool IsKeptStoreName(const wchar_t* name) {
    const wchar_t* store = kKeptStoreName;
    for (; *name && *store; ++name, ++store) {
        if (AsciiLower(*name) != *store) return false;
    }
    return *name == L'\0' && *store == L'\0';
}

void FormatRunStamp(const SYSTEMTIME& time, int suffix, wchar_t (&out)[kRunStampChars]) {
    swprintf(out, kRunStampChars, L"%04u%02u%02u-%02u%02u%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute, time.wSecond);
    if (suffix > 1) {
        size_t length = wcslen(out);
        swprintf(out + length, kRunStampChars - length, L"-%d", suffix);
    }
}

bool ParseRunStamp(const wchar_t* name, SYSTEMTIME* time, int* suffix) {
    if (wcslen(name) < 15 || name[8] != L'-') return false;
    int year = Digits(name, 4), month = Digits(name + 4, 2), day = Digits(name + 6, 2);
    int hour = Digits(name + 9, 2), minute = Digits(name + 11, 2), second = Digits(name + 13, 2);
    if (year < 1601 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59) {
        return false;
    }
    int number = 1;
    const wchar_t* rest = name + 15;
    if (*rest != L'\0') {
        size_t length = wcslen(rest + 1);
        if (rest[0] != L'-' || length < 1 || length > 3 || rest[1] == L'0') return false;
        number = Digits(rest + 1, static_cast<int>(length));
        if (number < 2) return false;
    }
    SYSTEMTIME parsed{};
    parsed.wYear = static_cast<WORD>(year);
    parsed.wMonth = static_cast<WORD>(month);
    parsed.wDay = static_cast<WORD>(day);
    parsed.wHour = static_cast<WORD>(hour);
    parsed.wMinute = static_cast<WORD>(minute);
    parsed.wSecond = static_cast<WORD>(second);
    if (time) *time = parsed;
    if (suffix) *suffix = number;
    return true;
}

void FormatRunTime(const SYSTEMTIME& time, wchar_t (&out)[kRunStampChars]) {
    swprintf(out, kRunStampChars, L"%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute);
}

bool KeptStorePath(const wchar_t* folder, PathBuffer& out) { return JoinPath(out, folder, kKeptStoreName); }

bool ListKeptRuns(const wchar_t* store, std::vector<std::wstring>& names, DWORD* error) {
    names.clear();
    *error = 0;
    std::vector<std::pair<Stamp, std::wstring>> runs;
    FolderSearch search(store);
    while (const WIN32_FIND_DATAW* found = search.Next()) {
        Stamp stamp;
        // A link of that name is nobody's run: what it leads to is never touched.
        if ((found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsFolderLink(found->dwFileAttributes) &&
            ParseRunStamp(found->cFileName, &stamp.time, &stamp.suffix)) {
            runs.emplace_back(stamp, found->cFileName);
        }
    }
    if (search.Error() != 0 && search.Error() != ERROR_PATH_NOT_FOUND) {
        *error = search.Error();
        return false;
    }
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return Earlier(a.first, b.first); });
    for (auto& run : runs) names.push_back(run.second);
    return true;
}
