#pragma once
#include <cstdio>
#include <string>

#include "set_fields.h"

// The INI set file: one section per set, in the device's ANSI code page, CR LF line ends.
//   [name]  SRC="source"  DST="destination"  DELETE=Y|N  DOSTIME=  FORCE=  EXCLUDEOBJ=  (blank)

// 0 when the first n bytes of the line match the key, ASCII letters compared without case.
int KeyMatches(const char* line, const char* key, int n);

// In place: stops at NUL, CR or LF and drops '[', ']' and '"'; in Japanese mode a Shift-JIS
// lead byte and the byte after it are copied as a pair.
void StripSetValue(char* text);

// Parses one line (modified in place) into the set being read:
// 1 section, 2 SRC, 3 DST, 4 DELETE, 5 DOSTIME, 6 FORCE, 7 EXCLUDEOBJ, 0 anything else.
int ParseSetLine(char* line, SetFields& current);

// The seven lines and the blank line of one set, in the ANSI code page.
std::string FormatSetSection(const SetFields& set);

// The largest set file a reader takes (about a thousand sets): a device or a runaway file
// is refused instead of being read forever.
constexpr unsigned long kSetFileSizeLimit = 1024 * 1024;

// Reads a set file: calls onSet(set) for each section with a non-empty name, in file order.
// Lines longer than 1023 bytes arrive in pieces, each parsed as a line. False when the file
// cannot be opened.
template <typename OnSet>
bool ReadSetFile(const wchar_t* path, OnSet onSet);

// Reads the file in 1023-byte line pieces; used by ReadSetFile.
class SetFileReader {
public:
    explicit SetFileReader(const wchar_t* path);
    ~SetFileReader();
    SetFileReader(const SetFileReader&) = delete;
    SetFileReader& operator=(const SetFileReader&) = delete;
    bool IsOpen() const { return file_ != nullptr; }
    // The next line piece (at most 1023 bytes, line end included), or nullptr at the end.
    char* NextLine();

private:
    FILE* file_;
    char line_[1024];
};

template <typename OnSet>
bool ReadSetFile(const wchar_t* path, OnSet onSet) {
    SetFileReader reader(path);
    if (!reader.IsOpen()) return false;
    SetFields current;
    ClearSetFields(current);
    while (char* line = reader.NextLine()) {
        if (line[0] == '[') {
            if (current.name[0] != L'\0') onSet(current);
            ClearSetFields(current);
        }
        ParseSetLine(line, current);
    }
    if (current.name[0] != L'\0') onSet(current);
    return true;
}
