#include "ini_codec.h"

#include <cstdio>
#include <cstring>

#include "framework/text.h"

void ClearSetFields(SetFields& set) {
    set.name[0] = set.source[0] = set.destination[0] = L'\0';
    set.deleteAfterCopy = set.dosTime = set.force = set.excludeObj = 0;
}

namespace {

int LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool IsShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFD); }

// ANSI text into a 260-unit field; a value longer than 259 units is cut, never overrun.
void ConvertInto(const char* text, wchar_t (&field)[MAX_PATH]) {
    int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        field[0] = L'\0';
        return;
    }
    if (units <= MAX_PATH) {
        MultiByteToWideChar(CP_ACP, 0, text, -1, field, MAX_PATH);
        return;
    }
    std::wstring whole(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, whole.data(), units);
    wmemcpy(field, whole.data(), MAX_PATH - 1);
    field[MAX_PATH - 1] = L'\0';
}

bool FlagIsYes(const char* line, int position) { return line[position] == 'Y' || line[position] == 'y'; }

std::string ToAnsi(const wchar_t* text) {
    char bytes[520];
    int written = WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return written > 0 ? std::string(bytes) : std::string();
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

void StripSetValue(char* text) {
    char* read = text;
    char* write = text;
    for (;;) {
        unsigned char c = static_cast<unsigned char>(*read);
        if (c == '\0' || c == '\r' || c == '\n') break;
        if (c == '[' || c == ']' || c == '"') {
            ++read;
        } else if (UiLanguage && IsShiftJisLead(c)) {
            *write++ = *read++;
            if (*read != '\0') *write++ = *read++;
        } else {
            *write++ = *read++;
        }
    }
    *write = '\0';
}

int ParseSetLine(char* line, SetFields& current) {
    if (line[0] == '[') {
        StripSetValue(line);
        ConvertInto(line, current.name);
        return 1;
    }
    if (KeyMatches(line, "SRC=", 4) == 0) {
        StripSetValue(line + 4);
        ConvertInto(line + 4, current.source);
        return 2;
    }
    if (KeyMatches(line, "DST=", 4) == 0) {
        StripSetValue(line + 4);
        ConvertInto(line + 4, current.destination);
        return 3;
    }
    if (KeyMatches(line, "DELETE=", 7) == 0) {
        if (FlagIsYes(line, 7)) current.deleteAfterCopy = 1;
        return 4;
    }
    if (KeyMatches(line, "DOSTIME=", 8) == 0) {
        if (FlagIsYes(line, 8)) current.dosTime = 1;
        return 5;
    }
    if (KeyMatches(line, "FORCE=", 6) == 0) {
        if (FlagIsYes(line, 6)) current.force = 1;
        return 6;
    }
    if (KeyMatches(line, "EXCLUDEOBJ=", 11) == 0) {
        if (FlagIsYes(line, 11)) current.excludeObj = 1;
        return 7;
    }
    return 0;
}

std::string FormatSetSection(const SetFields& set) {
    auto flag = [](int value) { return value ? "Y" : "N"; };
    std::string out;
    out += "[" + ToAnsi(set.name) + "]\r\n";
    out += "SRC=\"" + ToAnsi(set.source) + "\"\r\n";
    out += "DST=\"" + ToAnsi(set.destination) + "\"\r\n";
    out += std::string("DELETE=") + flag(set.deleteAfterCopy) + "\r\n";
    out += std::string("DOSTIME=") + flag(set.dosTime) + "\r\n";
    out += std::string("FORCE=") + flag(set.force) + "\r\n";
    out += std::string("EXCLUDEOBJ=") + flag(set.excludeObj) + "\r\n";
    out += "\r\n";
    return out;
}

SetFileReader::SetFileReader(const wchar_t* path) : file_(_wfopen(path, L"rb")) {}

SetFileReader::~SetFileReader() {
    if (file_) fclose(file_);
}

char* SetFileReader::NextLine() { return file_ && fgets(line_, sizeof line_, file_) ? line_ : nullptr; }
