#include "name_rules.h"

#include <cwchar>

#include "platform/file_system.h"

namespace {

wchar_t AsciiCapital(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9: the part before the first dot, in any case.
bool IsDeviceName(const wchar_t* name, size_t stem) {
    if (stem != 3 && stem != 4) return false;
    wchar_t word[4] = {AsciiCapital(name[0]), AsciiCapital(name[1]), AsciiCapital(name[2]), 0};
    if (stem == 3) {
        return wcscmp(word, L"CON") == 0 || wcscmp(word, L"PRN") == 0 || wcscmp(word, L"AUX") == 0 ||
               wcscmp(word, L"NUL") == 0;
    }
    return (wcscmp(word, L"COM") == 0 || wcscmp(word, L"LPT") == 0) && name[3] >= L'1' && name[3] <= L'9';
}

}  // namespace

wchar_t Capital(wchar_t c) { return c < 0x80 ? AsciiCapital(c) : NameCapital(c); }

NameFault CheckName(const wchar_t* name) {
    if (name[0] == L'\0' || wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0) return NameFault::Separator;
    NameFault fault = NameFault::None;
    size_t stem = static_cast<size_t>(-1), length = 0;
    for (; name[length]; ++length) {
        wchar_t c = name[length];
        if (c == L'\\' || c == L'/') return NameFault::Separator;
        if (c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'|' || c == L'?' || c == L'*') {
            fault = NameFault::Character;
        } else if (c == 0xFFFD && fault == NameFault::None) {
            fault = NameFault::Undecodable;
        }
        if (c == L'.' && stem == static_cast<size_t>(-1)) stem = length;
    }
    if (fault != NameFault::None) return fault;
    if (name[length - 1] == L'.' || name[length - 1] == L' ') return NameFault::TrailingDotOrSpace;
    if (IsDeviceName(name, stem == static_cast<size_t>(-1) ? length : stem)) return NameFault::DeviceName;
    return NameFault::None;
}

bool SameButCase(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b) {
        if (Capital(*a) != Capital(*b)) return false;
    }
    return *a == *b;
}

// An open-addressed table of hashes (0 marks a free slot), kept at most half full: no
// allocation per name, which a walk of many small files would feel.
std::uint64_t NameSet::Hash(const wchar_t* name) const {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const wchar_t* p = name; *p; ++p) {
        wchar_t c = compare_ == Case::Ignored ? Capital(*p) : *p;
        hash = (hash ^ static_cast<std::uint64_t>(c)) * 1099511628211ull;
    }
    return hash == 0 ? 1 : hash;
}

bool NameSet::Insert(const wchar_t* name) {
    std::uint64_t hash = Hash(name);
    if (2 * (count_ + 1) > slots_.size()) Grow();
    size_t mask = slots_.size() - 1;
    for (size_t i = static_cast<size_t>(hash) & mask;; i = (i + 1) & mask) {
        if (slots_[i] == hash) return false;
        if (slots_[i] == 0) {
            slots_[i] = hash;
            ++count_;
            return true;
        }
    }
}

bool NameSet::Contains(const wchar_t* name) const {
    if (count_ == 0) return false;
    std::uint64_t hash = Hash(name);
    size_t mask = slots_.size() - 1;
    for (size_t i = static_cast<size_t>(hash) & mask; slots_[i] != 0; i = (i + 1) & mask) {
        if (slots_[i] == hash) return true;
    }
    return false;
}

void NameSet::Grow() {
    std::vector<std::uint64_t> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, 0);
    size_t mask = slots_.size() - 1;
    for (std::uint64_t hash : old) {
        if (hash == 0) continue;
        size_t i = static_cast<size_t>(hash) & mask;
        while (slots_[i] != 0) i = (i + 1) & mask;
        slots_[i] = hash;
    }
}
