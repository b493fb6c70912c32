#include "run_record.h"

#include <algorithm>
#include <cwchar>

#include "base/paths.h"
#include "base/text.h"
#include "kept_runs.h"
#include "name_rules.h"

namespace {

// Bytes that are not UTF-8 read as nothing: such a line is malformed, never a guess.
bool Wide(const std::string& text, std::wstring& out) {
    out.clear();
    if (text.empty()) return true;
    int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (units <= 0) return false;
    out.resize(static_cast<size_t>(units));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), out.data(), units);
    return true;
}

bool ParseNumber(const std::string& text, ULONGLONG* value) {
    if (text.empty() || text.size() > 20) return false;
    ULONGLONG n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        ULONGLONG digit = static_cast<ULONGLONG>(c - '0');
        if (n > (~0ULL - digit) / 10) return false;
        n = n * 10 + digit;
    }
    *value = n;
    return true;
}

// Exactly 16 hex digits, as the writer writes a checksum.
bool ParseChecksum(const std::string& text, ULONGLONG* value) {
    if (text.size() != 16) return false;
    ULONGLONG n = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return false;
        n = (n << 4) | static_cast<ULONGLONG>(digit);
    }
    *value = n;
    return true;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool ReadPath(const std::string& field, std::wstring& path, RecordFault* fault) {
    if (!Wide(field, path)) {
        *fault = RecordFault::Malformed;
        return false;
    }
    if (!IsWalkablePath(path.c_str())) {
        *fault = RecordFault::UnsafePath;
        return false;
    }
    return true;
}

// One line, its end taken off; false with the fault when it is not an entry.
bool ParseLine(const std::string& line, RecordEntry& entry, bool* undone, RecordFault* fault) {
    *fault = RecordFault::Malformed;
    if (line == "undone") {
        *undone = true;
        return false;
    }
    std::vector<std::string> f = Fields(line);
    const std::string& word = f[0];
    if (word == "kept" && (f.size() == 2 || f.size() == 3)) {
        entry.kind = RecordEntry::Kept;
        if (!ReadPath(f[1], entry.path, fault)) return false;
        return f.size() == 2 ? (entry.where = entry.path, true) : ReadPath(f[2], entry.where, fault);
    }
    if (word == "made" && f.size() == 2) {
        entry.kind = RecordEntry::Made;
        return ReadPath(f[1], entry.path, fault);
    }
    if (word == "copy" && f.size() == 5) {
        entry.kind = RecordEntry::Copy;
        if (!ParseNumber(f[3], &entry.size) || !ParseNumber(f[4], &entry.lastWrite)) return false;
        return ReadPath(f[1], entry.path, fault) && ReadPath(f[2], entry.where, fault);
    }
    if (word == "copied" && (f.size() == 4 || f.size() == 5)) {
        entry.kind = RecordEntry::Copied;
        if (!ParseNumber(f[2], &entry.size) || !ParseNumber(f[3], &entry.lastWrite)) return false;
        entry.hasChecksum = f.size() == 5;
        if (entry.hasChecksum && !ParseChecksum(f[4], &entry.checksum)) return false;
        return ReadPath(f[1], entry.path, fault);
    }
    ULONGLONG number = 0;
    if (word == "back" && f.size() == 2 && ParseNumber(f[1], &number) && number >= 1 && number < 0xFFFFFFFFull) {
        entry.kind = RecordEntry::Back;
        entry.backLine = static_cast<unsigned>(number);
        return true;
    }
    return false;
}

void AddLine(const std::string& line, unsigned number, RunRecordContents& contents) {
    RecordEntry entry;
    RecordFault fault;
    bool undone = false;
    if (ParseLine(line, entry, &undone, &fault)) {
        entry.line = number;
        contents.entries.push_back(std::move(entry));
    } else if (undone) {
        contents.undone = true;
    } else {
        contents.faults.push_back({number, fault});
    }
}

}  // namespace

bool IsWalkablePath(const wchar_t* relative) {
    size_t length = wcslen(relative);
    if (length == 0 || length >= kPathChars) return false;
    PathBuffer part;
    bool first = true;
    for (const wchar_t* start = relative;;) {
        const wchar_t* end = wcschr(start, L'\\');
        size_t size = end ? static_cast<size_t>(end - start) : wcslen(start);
        wmemcpy(part, start, size);
        part[size] = L'\0';
        if (CheckName(part) != NameFault::None || (first && IsKeptStoreName(part))) return false;
        if (!end) return true;
        first = false;
        start = end + 1;
    }
}

bool RunRecordWriter::Create(const wchar_t* path) {
    nothing_ = false;
    file_.Reset(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    bytes_ = 0;
    return file_.Valid();
}

bool RunRecordWriter::OpenToAdd(const wchar_t* path) {
    nothing_ = false;
    file_.Reset(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_.Valid()) return false;
    // Where the end is, is how much the record holds already.
    LONG high = 0;
    DWORD low = SetFilePointer(file_.Get(), 0, &high, FILE_END);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        file_.Reset();
        return false;
    }
    bytes_ = (static_cast<ULONGLONG>(static_cast<DWORD>(high)) << 32) | low;
    return true;
}

bool RunRecordWriter::WriteLine(const std::wstring& line) {
    if (nothing_) return true;
    if (!file_.Valid()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    std::string bytes = ToUtf8(line + L"\n");
    if (bytes.size() > kMaxRecordLine || bytes_ + bytes.size() > kMaxRecordBytes) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
    bytes_ += written;
    if (written != bytes.size()) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    return true;
}

bool RunRecordWriter::AddKept(const wchar_t* path, const wchar_t* where) {
    std::wstring line = std::wstring(L"kept\t") + path;
    if (wcscmp(path, where) != 0) line += std::wstring(L"\t") + where;
    return WriteLine(line);
}

bool RunRecordWriter::AddMade(const wchar_t* path) { return WriteLine(std::wstring(L"made\t") + path); }

bool RunRecordWriter::AddCopy(const wchar_t* path, const wchar_t* temporary, ULONGLONG size, ULONGLONG lastWrite) {
    return WriteLine(std::wstring(L"copy\t") + path + L"\t" + temporary + L"\t" + std::to_wstring(size) + L"\t" +
                     std::to_wstring(lastWrite));
}

bool RunRecordWriter::AddCopied(const wchar_t* path, ULONGLONG size, ULONGLONG lastWrite, const ULONGLONG* checksum) {
    std::wstring line = std::wstring(L"copied\t") + path + L"\t" + std::to_wstring(size) + L"\t" + std::to_wstring(lastWrite);
    if (checksum) {
        line += L'\t';
        for (int shift = 60; shift >= 0; shift -= 4) line += L"0123456789abcdef"[(*checksum >> shift) & 0xF];
    }
    return WriteLine(line);
}

bool RunRecordWriter::AddBack(unsigned line) { return WriteLine(L"back\t" + std::to_wstring(line)); }

bool RunRecordWriter::AddUndone() { return WriteLine(L"undone"); }

bool ReadRunRecord(const wchar_t* path, RunRecordContents& contents, DWORD* error) {
    contents = RunRecordContents();
    *error = 0;
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        *error = GetLastError();
        return false;
    }
    std::vector<char> piece(16 * 1024);
    std::string line;
    bool overlong = false;  // the line under way passed kMaxRecordLine: read on to its end
    unsigned number = 1;
    ULONGLONG total = 0;
    for (;;) {
        // A byte past the limit is asked for too: it shows that there is more.
        DWORD want = static_cast<DWORD>(std::min<ULONGLONG>(piece.size(), kMaxRecordBytes + 1 - total));
        DWORD read = 0;
        if (!ReadFile(file.Get(), piece.data(), want, &read, nullptr)) {
            *error = GetLastError();
            return false;
        }
        if (read == 0) break;
        const bool full = total + read > kMaxRecordBytes;
        if (full) {
            read = static_cast<DWORD>(kMaxRecordBytes - total);
            contents.faults.push_back({number, RecordFault::TooLarge});
        }
        total += read;
        for (DWORD i = 0; i < read; ++i) {
            char c = piece[i];
            if (c != '\n') {
                if (line.size() < kMaxRecordLine) {
                    line += c;
                } else {
                    overlong = true;
                }
                continue;
            }
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (overlong) {
                contents.faults.push_back({number, RecordFault::TooLong});
            } else if (!line.empty()) {
                AddLine(line, number, contents);
            }
            line.clear();
            overlong = false;
            ++number;
        }
        if (full) break;
    }
    return true;
}
