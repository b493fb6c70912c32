#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// Names a listing may hold that a run cannot use as they stand. Some file systems allow any
// of these (Linux, as Wine lists it): joined into a path, such a name would stand for
// another file (a trailing dot or space is dropped, a device name opens the device), for a
// path (a separator), or for nothing that can be opened (a wildcard, a control character).
enum class NameFault {
    None,
    Separator,          // "\" or "/", or the name "." or ".."
    Character,          // a control character or one of < > : " | ? *
    TrailingDotOrSpace,
    DeviceName,         // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
    Undecodable,        // U+FFFD: a byte the platform could not decode (Wine shows each one so),
                        // so the name cannot be named back and two names may read alike
};
NameFault CheckName(const wchar_t* name);

// A character as names are compared without case (the platform's capital letter).
wchar_t Capital(wchar_t c);

// True when the two names differ at most in case, as NameSet with case ignored compares them.
bool SameButCase(const wchar_t* a, const wchar_t* b);

// A set of the names of one folder. With case ignored, as a destination that ignores case
// tells them apart, Insert is false for a name that differs from one inserted before only
// in case (Index.html after index.html), which would land on the same destination entry.
class NameSet {
public:
    enum class Case { Ignored, Kept };
    explicit NameSet(Case compare) : compare_(compare) {}

    // False when the name is there already.
    bool Insert(const wchar_t* name);
    bool Contains(const wchar_t* name) const;
    bool Empty() const { return count_ == 0; }

private:
    std::uint64_t Hash(const wchar_t* name) const;
    void Grow();

    Case compare_;
    std::vector<std::uint64_t> slots_;  // hashes of the names (0: a free slot)
    size_t count_ = 0;
};
