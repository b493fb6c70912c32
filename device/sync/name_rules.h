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
};
NameFault CheckName(const wchar_t* name);

// The names of one folder as a destination that ignores case tells them apart: Insert is
// false for a name that differs from one inserted before only in case (Index.html after
// index.html), which would land on the same destination entry.
class FoldedNames {
public:
    bool Insert(const wchar_t* name);

private:
    void Grow();

    std::vector<std::uint64_t> slots_;  // hashes of the names in capitals
    size_t count_ = 0;
};
