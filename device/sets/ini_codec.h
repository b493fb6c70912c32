#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "set_fields.h"
#include "set_file_limit.h"

// The INI set file: one section per set, CR LF line ends.
//   [name]  SRC="source"  DST="destination"  DELETE=Y|N  DOSTIME=  FORCE=  EXCLUDEOBJ=  (blank)
// The options added later follow EXCLUDEOBJ only when on or not empty: KEEP=Y, VERIFY=Y, EXCLUDE="...".
// A '[', ']' or '"' inside a name or a path is written "<[>", "<]>", "<\">" (see StripSetValue).
// It is written in the device's ANSI code page whenever that can hold every text, and
// otherwise as UTF-8 after a byte-order mark, so that no name or path is ever lost to '?'.
// The reader takes a file that starts with the UTF-8 byte-order mark as UTF-8, any other
// file as ANSI.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// 0 when the first n bytes of the line match the key, ASCII letters compared without case.
int KeyMatches(const char* line, const char* key, int n);

// In place: stops at NUL, CR or LF, turns "<[>", "<]>", "<\">" and "<<>" back into the
// character between the angles (how a value holds those) and drops any other '[', ']' and '"';
// in an ANSI file a lead byte of the ANSI code page and the byte after it are copied as a pair,
// in either interface language.
void StripSetValue(char* text, UINT codePage = CP_ACP);

// Parses one line (modified in place) of a file in `codePage` (CP_ACP or CP_UTF8) into the
// set being read: 1 section, 2 SRC, 3 DST, 4 and up an option (4 + its place in kSetOptions:
// 4 DELETE, 5 DOSTIME, 6 FORCE, 7 EXCLUDEOBJ), 0 anything else.
int ParseSetLine(char* line, SetFields& current, UINT codePage = CP_ACP);

// The lines of one set (name, folders, one per option) and the blank line, in `codePage`.
std::string FormatSetSection(const SetFields& set, UINT codePage = CP_ACP);
// True when the ANSI code page holds every text of the set, so that it reads back unchanged
// (in either interface language: the reading of lead bytes follows the code page alone).
bool FitsAnsi(const SetFields& set);
// The whole file for `count` sets, each fetched by get(index, fields) (twice: one record at
// a time is held): ANSI when it holds them all, else UTF-8 after its mark.
template <typename GetSet>
std::string FormatSetFile(int count, GetSet get) {
    SetFields set;
    bool ansi = true;
    for (int i = 0; ansi && i < count; ++i) {
        get(i, set);
        ansi = FitsAnsi(set);
    }
    std::string out = ansi ? "" : kUtf8Bom;
    for (int i = 0; i < count; ++i) {
        get(i, set);
        out += FormatSetSection(set, ansi ? CP_ACP : CP_UTF8);
    }
    return out;
}

// Reads a set file: calls onSet(set) for each section with a non-empty name, in file order.
// Lines longer than 1023 bytes arrive in pieces, each parsed as a line. False, with the
// platform's last error set, when the file cannot be opened or read to its end, or is
// larger than kMaxSetFileBytes (then sets already handed over must not be kept).
// `bytes` (may be null) gets the file's bytes as read (a NUL ends a line's piece).
template <typename OnSet>
bool ReadSetFile(const wchar_t* path, OnSet onSet, std::string* bytes = nullptr);

// Reads the file in 1023-byte line pieces; used by ReadSetFile.
class SetFileReader {
public:
    // `bytes` (may be null) collects every line piece as read, the mark included.
    explicit SetFileReader(const wchar_t* path, std::string* bytes = nullptr);
    ~SetFileReader();
    SetFileReader(const SetFileReader&) = delete;
    SetFileReader& operator=(const SetFileReader&) = delete;
    bool IsOpen() const { return file_ != nullptr; }
    // The next line piece (at most 1023 bytes, line end included), or nullptr at the end or
    // on a failure. The byte-order mark of a UTF-8 file is not part of the first line.
    char* NextLine();
    // CP_UTF8 once the first line showed the mark, else CP_ACP.
    UINT CodePage() const { return codePage_; }
    // ERROR_SUCCESS, or why the file could not be opened or read to its end.
    DWORD Failure() const { return failure_; }

private:
    FILE* file_ = nullptr;
    DWORD failure_ = ERROR_SUCCESS;
    UINT codePage_ = CP_ACP;
    bool first_ = true;
    std::string* bytes_;
    char line_[1024];
};

template <typename OnSet>
bool ReadSetFile(const wchar_t* path, OnSet onSet, std::string* bytes) {
    SetFileReader reader(path, bytes);
    SetFields current;
    ClearSetFields(current);
    while (char* line = reader.NextLine()) {
        if (line[0] == '[') {
            if (current.name[0] != L'\0') onSet(current);
            ClearSetFields(current);
        }
        ParseSetLine(line, current, reader.CodePage());
    }
    if (reader.Failure() != ERROR_SUCCESS) {
        SetLastError(reader.Failure());
        return false;
    }
    if (current.name[0] != L'\0') onSet(current);
    return true;
}
