#include "name_rules.h"

#include <cwchar>

namespace {

bool IsDeviceName(const wchar_t* name) {
    static const wchar_t* const kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL"};
    size_t stem = wcscspn(name, L".");
    for (const wchar_t* device : kDevices) {
        if (stem == 3 && _wcsnicmp(name, device, 3) == 0) return true;
    }
    return stem == 4 && (_wcsnicmp(name, L"COM", 3) == 0 || _wcsnicmp(name, L"LPT", 3) == 0) && name[3] >= L'1' &&
           name[3] <= L'9';
}

wchar_t Capital(wchar_t c) {
    if (c < 0x80) return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    wchar_t upper = c;
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, &c, 1, &upper, 1);
    return upper;
}

}  // namespace

NameFault CheckName(const wchar_t* name) {
    if (name[0] == L'\0' || wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0) return NameFault::Separator;
    for (const wchar_t* p = name; *p; ++p) {
        if (*p == L'\\' || *p == L'/') return NameFault::Separator;
    }
    for (const wchar_t* p = name; *p; ++p) {
        if (*p < 0x20 || wcschr(L"<>:\"|?*", *p)) return NameFault::Character;
    }
    wchar_t last = name[wcslen(name) - 1];
    if (last == L'.' || last == L' ') return NameFault::TrailingDotOrSpace;
    if (IsDeviceName(name)) return NameFault::DeviceName;
    return NameFault::None;
}

bool FoldedNames::Insert(const wchar_t* name) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const wchar_t* p = name; *p; ++p) {
        hash = (hash ^ static_cast<std::uint64_t>(Capital(*p))) * 1099511628211ull;
    }
    return seen_.insert(hash).second;
}
