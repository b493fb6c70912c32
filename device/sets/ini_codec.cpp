#include "ini_codec.h"

#include "platform/plain_file.h"
#include "set_options.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

void ClearSetFields(SetFields& set) {
    set.name[0] = set.source[0] = set.destination[0] = set.exclude[0] = L'\0';
    static_cast<SetFlags&>(set) = SetFlags();
}

namespace {

int LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// A lead byte of a double-byte character in the ANSI code page, the one the file's bytes are
// in: the interface language has no say, so that a file reads back the same in both.
bool IsAnsiLeadByte(unsigned char c) { return IsDBCSLeadByteEx(CP_ACP, c) != FALSE; }

// File text into a 260-unit field; a value longer than 259 units is cut, never overrun.
void ConvertInto(const char* text, wchar_t (&field)[MAX_PATH], UINT codePage) {
    int units = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        field[0] = L'\0';
        return;
    }
    if (units <= MAX_PATH) {
        MultiByteToWideChar(codePage, 0, text, -1, field, MAX_PATH);
        return;
    }
    std::wstring whole(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, whole.data(), units);
    wmemcpy(field, whole.data(), MAX_PATH - 1);
    field[MAX_PATH - 1] = L'\0';
}

bool FlagIsYes(const char* line, int position) { return line[position] == 'Y' || line[position] == 'y'; }

// A field's text in the code page: at most 259 units give at most 518 ANSI or 777 UTF-8 bytes;
// with its marks escaped, at most 777 either way.
std::string ToMultiByte(const wchar_t* text, UINT codePage) {
    char bytes[3 * MAX_PATH + 1];
    int written = WideCharToMultiByte(codePage, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return written > 0 ? std::string(bytes) : std::string();
}

bool IsEscapedMark(char c) { return c == '[' || c == ']' || c == '"' || c == '<'; }

// '[', ']' and '"' enclose a set file's values, and the reader drops them wherever they
// stand; inside a name or a path each is written between '<' and '>' ("<[>"), which no
// Windows path can hold: a reader that drops the marks reads a path no folder has, never
// another folder. A '<' that goes on with "<>" is written "<<>", so every text reads back as
// it was; a text without these is written as it stands.
std::wstring EscapeMarks(const wchar_t* text) {
    std::wstring out;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c == L'[' || *c == L']' || *c == L'"' || (*c == L'<' && c[1] == L'<' && c[2] == L'>')) {
            out += L'<';
            out += *c;
            out += L'>';
        } else {
            out += *c;
        }
    }
    return out;
}

// The ANSI form, written between `open` and `close` as the line holds it, reads back as the
// same text: no character replaced by '?' or a look-alike, and no closing mark taken into
// the value as the trail byte of what the reader counts as a double-byte character.
bool RoundTripsAnsi(const wchar_t* text, char open, char close) {
    std::string line = open + ToMultiByte(EscapeMarks(text).c_str(), CP_ACP) + close + "\r\n";
    StripSetValue(line.data(), CP_ACP);
    wchar_t back[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, back, MAX_PATH) <= 0) back[0] = L'\0';
    return wcscmp(text, back) == 0;
}

}  // namespace

int KeyMatches(const char* line, const char* key, int n) {
    for (int i = 0; i < n; ++i) {
        unsigned char a = static_cast<unsigned char>(line[i]);
        unsigned char b = static_cast<unsigned char>(key[i]);
        if (a == '\0' || LowerAscii(a) != LowerAscii(b)) return 1;
    }
    return 0;
}

void StripSetValue(char* text, UINT codePage) {
    char* read = text;
    char* write = text;
    for (;;) {
        unsigned char c = static_cast<unsigned char>(*read);
        if (c == '\0' || c == '\r' || c == '\n') break;
        if (c == '<' && IsEscapedMark(read[1]) && read[2] == '>') {
            *write++ = read[1];
            read += 3;
        } else if (c == '[' || c == ']' || c == '"') {
            ++read;
        } else if (codePage == CP_ACP && IsAnsiLeadByte(c)) {
            *write++ = *read++;
            if (*read != '\0') *write++ = *read++;
        } else {
            *write++ = *read++;
        }
    }
    *write = '\0';
}

int ParseSetLine(char* line, SetFields& current, UINT codePage) {
    if (line[0] == '[') {
        StripSetValue(line, codePage);
        ConvertInto(line, current.name, codePage);
        return 1;
    }
    if (KeyMatches(line, "SRC=", 4) == 0) {
        StripSetValue(line + 4, codePage);
        ConvertInto(line + 4, current.source, codePage);
        return 2;
    }
    if (KeyMatches(line, "DST=", 4) == 0) {
        StripSetValue(line + 4, codePage);
        ConvertInto(line + 4, current.destination, codePage);
        return 3;
    }
    for (int i = 0; i < kSetOptionCount; ++i) {
        const SetOption& option = kSetOptions[i];
        const int keyLength = static_cast<int>(strlen(option.iniKey));
        if (KeyMatches(line, option.iniKey, keyLength) == 0 && line[keyLength] == '=') {
            if (option.text) {
                StripSetValue(line + keyLength + 1, codePage);
                ConvertInto(line + keyLength + 1, current.*option.text, codePage);
            } else if (FlagIsYes(line, keyLength + 1)) {
                current.*option.flag = 1;
            }
            return 4 + i;
        }
    }
    return 0;
}

std::string FormatSetSection(const SetFields& set, UINT codePage) {
    auto flag = [](int value) { return value ? "Y" : "N"; };
    std::string out;
    out += "[" + ToMultiByte(EscapeMarks(set.name).c_str(), codePage) + "]\r\n";
    out += "SRC=\"" + ToMultiByte(EscapeMarks(set.source).c_str(), codePage) + "\"\r\n";
    out += "DST=\"" + ToMultiByte(EscapeMarks(set.destination).c_str(), codePage) + "\"\r\n";
    for (const SetOption& option : kSetOptions) {
        if (option.text) {
            const wchar_t* text = set.*option.text;
            if (text[0] != L'\0') out += std::string(option.iniKey) + "=\"" + ToMultiByte(EscapeMarks(text).c_str(), codePage) + "\"\r\n";
        } else if (option.lineWhenOff || set.*option.flag) {
            out += std::string(option.iniKey) + "=" + flag(set.*option.flag) + "\r\n";
        }
    }
    out += "\r\n";
    return out;
}

bool FitsAnsi(const SetFields& set) {
    return RoundTripsAnsi(set.name, '[', ']') && RoundTripsAnsi(set.source, '"', '"') &&
           RoundTripsAnsi(set.destination, '"', '"') && RoundTripsAnsi(set.exclude, '"', '"');
}

SetFileReader::SetFileReader(const wchar_t* path, std::string* bytes) : bytes_(bytes) {
    if (bytes_) bytes_->clear();
    // Only a plain file of a sane size is read: not a device, a pipe or a runaway file.
    file_ = OpenPlainFileForReading(path, kMaxSetFileBytes, &failure_);
}

SetFileReader::~SetFileReader() {
    if (file_) fclose(file_);
}

char* SetFileReader::NextLine() {
    if (file_ == nullptr || failure_ != ERROR_SUCCESS) return nullptr;
    if (!fgets(line_, sizeof line_, file_)) {
        if (ferror(file_)) failure_ = ERROR_READ_FAULT;
        return nullptr;
    }
    if (StreamPosition(file_) > kMaxSetFileBytes) {  // the file grew while it was read
        failure_ = ERROR_FILE_TOO_LARGE;
        return nullptr;
    }
    char* line = line_;
    if (bytes_) bytes_->append(line);
    if (first_ && strncmp(line, kUtf8Bom, 3) == 0) {
        codePage_ = CP_UTF8;
        line += 3;
    }
    first_ = false;
    return line;
}
