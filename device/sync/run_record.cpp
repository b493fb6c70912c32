#include "run_record.h"

#include <cwchar>

namespace {

const char* const kKindWords[] = {"kept", "made", "copied"};

std::string Utf8(const std::wstring& text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
    }
    return out;
}

std::wstring Wide(const std::string& text) {
    int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), units);
    return out;
}

bool ParseNumber(const std::string& text, ULONGLONG* value) {
    if (text.empty() || text.size() > 20) return false;
    ULONGLONG n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + static_cast<ULONGLONG>(c - '0');
    }
    *value = n;
    return true;
}

bool ParseLine(const std::string& line, std::vector<RecordEntry>& entries, bool* undone) {
    if (line == "undone") {
        *undone = true;
        return true;
    }
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    RecordEntry entry;
    if (fields.size() == 2 && fields[0] == kKindWords[RecordEntry::Kept]) {
        entry.kind = RecordEntry::Kept;
    } else if (fields.size() == 2 && fields[0] == kKindWords[RecordEntry::Made]) {
        entry.kind = RecordEntry::Made;
    } else if (fields.size() == 4 && fields[0] == kKindWords[RecordEntry::Copied] &&
               ParseNumber(fields[2], &entry.size) && ParseNumber(fields[3], &entry.lastWrite)) {
        entry.kind = RecordEntry::Copied;
    } else {
        return false;
    }
    entry.path = Wide(fields[1]);
    if (entry.path.empty()) return false;
    entries.push_back(std::move(entry));
    return true;
}

}  // namespace

bool RunRecordWriter::Create(const wchar_t* path) {
    Close();
    file_ = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

bool RunRecordWriter::OpenToAdd(const wchar_t* path) {
    Close();
    file_ = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return false;
    if (SetFilePointer(file_, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) {
        Close();
        return false;
    }
    return true;
}

void RunRecordWriter::Close() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
}

bool RunRecordWriter::WriteLine(const std::wstring& line) {
    if (file_ == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    std::string bytes = Utf8(line + L"\n");
    DWORD written = 0;
    if (!WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
    if (written != bytes.size()) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    return true;
}

bool RunRecordWriter::Add(RecordEntry::Kind kind, const wchar_t* path, ULONGLONG size, ULONGLONG lastWrite) {
    std::wstring line = Wide(kKindWords[kind]) + L"\t" + path;
    if (kind == RecordEntry::Copied) line += L"\t" + std::to_wstring(size) + L"\t" + std::to_wstring(lastWrite);
    return WriteLine(line);
}

bool RunRecordWriter::AddUndone() { return WriteLine(L"undone"); }

bool ReadRunRecord(const wchar_t* path, std::vector<RecordEntry>& entries, bool* undone, DWORD* error) {
    entries.clear();
    *undone = false;
    *error = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    std::string pending;
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
            *error = GetLastError();
            CloseHandle(file);
            return false;
        }
        if (read == 0) break;
        pending.append(buffer, read);
        size_t start = 0;
        for (size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
            ParseLine(pending.substr(start, end - start), entries, undone);
        }
        pending.erase(0, start);
    }
    CloseHandle(file);
    // A last line without its end was cut by a kill: it is left out.
    return true;
}
