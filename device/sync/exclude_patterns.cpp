#include "exclude_patterns.h"

#include <windows.h>

#include <cwchar>

#include "base/text.h"
#include "name_rules.h"

namespace {

const TextPair kBadPattern{L"The exclude pattern '%1' cannot be used: %2.", L"除外ﾊﾟﾀｰﾝ '%1' は使えません: %2。"};
const TextPair kEmptyReason{L"there is nothing between two ';' or at an end of the list",
                            L"';' の間またはﾘｽﾄの端に何もありません"};
const TextPair kSeparatorsReason{L"it holds nothing but '\\'", L"'\\' しかありません"};
const TextPair kEmptyPartReason{L"it holds two '\\' together", L"'\\' が続いています"};
const TextPair kTooLong{L"The exclude list is longer than %d characters (a set file may have cut it); shorten it.",
                        L"除外ﾘｽﾄが %d 文字を超えています (設定ﾌｧｲﾙで切れた可能性があります)。短くしてください。"};
const TextPair kDotPartReason{L"a '.' or '..' part names nothing inside the set's folders",
                              L"'.' や '..' はｾｯﾄのﾌｫﾙﾀﾞ内の何も指しません"};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Calls take(pattern) for each pattern of the list, blanks around it dropped; stops when it
// returns false. An empty or blank list has no patterns.
template <typename Take>
void ForEachPattern(const wchar_t* list, Take take) {
    const wchar_t* p = list;
    while (IsBlank(*p)) ++p;
    if (*p == L'\0') return;
    for (;;) {
        const wchar_t* end = wcschr(p, L';');
        const wchar_t* stop = end ? end : p + wcslen(p);
        const wchar_t* first = p;
        while (first < stop && IsBlank(*first)) ++first;
        const wchar_t* last = stop;
        while (last > first && IsBlank(last[-1])) --last;
        if (!take(std::wstring(first, last))) return;
        if (!end) return;
        p = end + 1;
    }
}

PatternFault CheckPattern(const std::wstring& pattern) {
    if (pattern.empty()) return PatternFault::Empty;
    if (pattern.find_first_not_of(L'\\') == std::wstring::npos) return PatternFault::OnlySeparators;
    // One '\' may lead (the path starts at the run folder) and one may end it (folders only).
    size_t from = pattern[0] == L'\\' ? 1 : 0;
    size_t to = pattern.size() - (pattern.back() == L'\\' ? 1 : 0);
    for (size_t start = from; start <= to;) {
        size_t end = pattern.find(L'\\', start);
        if (end == std::wstring::npos || end > to) end = to;
        const std::wstring part = pattern.substr(start, end - start);
        if (part.empty()) return PatternFault::EmptyPart;
        if (part == L"." || part == L"..") return PatternFault::DotPart;
        start = end + 1;
    }
    return PatternFault::None;
}

// '*' any run of characters, '?' one, capitals compared; neither crosses a '\' of a path.
// A pattern that ends with ".*" also matches a name without a dot at that
// place ("readme.*" matches "readme"), as the platform's own matching does.
bool Matches(const wchar_t* pattern, const wchar_t* text) {
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    for (;;) {
        if (*text == L'\0') {
            while (*pattern == L'*') ++pattern;
            if (pattern[0] == L'.' && pattern[1] == L'*' && pattern[2] == L'\0') return true;
            return *pattern == L'\0';
        }
        if (*pattern == L'*') {
            star = ++pattern;
            resume = text;
            continue;
        }
        if (*pattern != L'\0' && (*pattern == Capital(*text) || (*pattern == L'?' && *text != L'\\'))) {
            ++pattern;
            ++text;
            continue;
        }
        // Back to the last star, which takes one character more, never a separator of a path.
        if (star == nullptr || *resume == L'\\') return false;
        pattern = star;
        text = ++resume;
    }
}

}  // namespace

PatternFault CheckPatternList(const wchar_t* list, std::wstring* bad) {
    if (wcslen(list) > kPatternListChars) return PatternFault::TooLong;
    PatternFault fault = PatternFault::None;
    ForEachPattern(list, [&](const std::wstring& pattern) {
        fault = CheckPattern(pattern);
        if (fault != PatternFault::None && bad) *bad = pattern;
        return fault == PatternFault::None;
    });
    return fault;
}

std::wstring PatternListProblem(const wchar_t* list) {
    std::wstring bad;
    const TextPair* reason = nullptr;
    switch (CheckPatternList(list, &bad)) {
    case PatternFault::None: return std::wstring();
    case PatternFault::Empty: reason = &kEmptyReason; break;
    case PatternFault::OnlySeparators: reason = &kSeparatorsReason; break;
    case PatternFault::EmptyPart: reason = &kEmptyPartReason; break;
    case PatternFault::DotPart: reason = &kDotPartReason; break;
    case PatternFault::TooLong: return FormatString(Pick(kTooLong), static_cast<int>(kPatternListChars));
    }
    return FormatString(Pick(kBadPattern), bad.c_str(), Pick(*reason));
}

ExcludePatterns::ExcludePatterns(const wchar_t* list) {
    if (CheckPatternList(list) != PatternFault::None) return;
    ForEachPattern(list, [this](const std::wstring& pattern) {
        Pattern p{pattern, pattern.back() == L'\\'};
        const bool path = p.text.find(L'\\') != std::wstring::npos;
        if (p.foldersOnly) p.text.pop_back();
        if (p.text[0] == L'\\') p.text.erase(0, 1);
        for (wchar_t& c : p.text) c = Capital(c);
        (path ? paths_ : names_).push_back(p);
        return true;
    });
}

bool ExcludePatterns::Excludes(const wchar_t* folderBelow, const wchar_t* name, bool folder) const {
    for (const Pattern& p : names_) {
        if ((folder || !p.foldersOnly) && Matches(p.text.c_str(), name)) return true;
    }
    if (paths_.empty()) return false;
    // The path below the run folder; each part is shorter than the path limit.
    wchar_t relative[2 * MAX_PATH + 1];
    // (The device's C runtime has no wcsnlen.)
    auto bounded = [](const wchar_t* text) {
        size_t length = 0;
        while (length < MAX_PATH - 1 && text[length] != L'\0') ++length;
        return length;
    };
    const size_t belowLength = bounded(folderBelow);
    const size_t nameLength = bounded(name);
    wmemcpy(relative, folderBelow, belowLength);
    size_t at = belowLength;
    if (at > 0) relative[at++] = L'\\';
    wmemcpy(relative + at, name, nameLength);
    relative[at + nameLength] = L'\0';
    for (const Pattern& p : paths_) {
        if ((folder || !p.foldersOnly) && Matches(p.text.c_str(), relative)) return true;
    }
    return false;
}
