#include "temp_tree.h"

#include <stdexcept>

namespace {

std::wstring UniqueRoot() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = std::wstring(temp) + L"zolv-tests";
    CreateDirectoryW(base.c_str(), nullptr);
    for (;;) {
        std::wstring candidate = base + L"\\t" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) return candidate;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create test folder");
    }
}

}  // namespace

void RemoveTree(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

TempTree::TempTree() : root_(UniqueRoot()) {}
TempTree::~TempTree() { RemoveTree(root_); }

std::wstring TempTree::Path(const std::wstring& relative) const {
    return relative.empty() ? root_ : root_ + L"\\" + relative;
}

void TempTree::MakeFolder(const std::wstring& relative) const {
    std::wstring path = Path(relative);
    for (size_t i = root_.size() + 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
}

void TempTree::Write(const std::wstring& relative, const std::string& content) const {
    size_t slash = relative.rfind(L'\\');
    if (slash != std::wstring::npos) MakeFolder(relative.substr(0, slash));
    HANDLE file = CreateFileW(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write test file");
    DWORD written;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string TempTree::Read(const std::wstring& relative) const {
    HANDLE file = CreateFileW(Path(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string content;
    char buffer[4096];
    DWORD got;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

bool TempTree::Exists(const std::wstring& relative) const {
    return GetFileAttributesW(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TempTree::IsFolder(const std::wstring& relative) const {
    DWORD attributes = GetFileAttributesW(Path(relative).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void TempTree::SetWriteTime(const std::wstring& relative, const FILETIME& time) const {
    HANDLE file = CreateFileW(Path(relative).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot set test time");
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

FILETIME TempTree::WriteTime(const std::wstring& relative) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(Path(relative).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

void TempTree::SetAttributes(const std::wstring& relative, DWORD attributes) const {
    SetFileAttributesW(Path(relative).c_str(), attributes);
}

DWORD TempTree::Attributes(const std::wstring& relative) const { return GetFileAttributesW(Path(relative).c_str()); }

FILETIME MakeTime(int year, int month, int day, int hour, int minute, int second, int millis) {
    SYSTEMTIME s{};
    s.wYear = static_cast<WORD>(year);
    s.wMonth = static_cast<WORD>(month);
    s.wDay = static_cast<WORD>(day);
    s.wHour = static_cast<WORD>(hour);
    s.wMinute = static_cast<WORD>(minute);
    s.wSecond = static_cast<WORD>(second);
    s.wMilliseconds = static_cast<WORD>(millis);
    FILETIME time{};
    SystemTimeToFileTime(&s, &time);
    return time;
}

FILETIME AddSeconds(const FILETIME& time, double seconds) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart += static_cast<long long>(seconds * 10000000.0);
    return FILETIME{value.LowPart, value.HighPart};
}

void WriteMirrorExample(const TempTree& tree) {
    tree.Write(L"src\\a.txt", "new a");
    tree.SetWriteTime(L"src\\a.txt", MakeTime(2021, 1, 1));
    tree.Write(L"src\\b\\c.txt", "c");
    tree.Write(L"dst\\a.txt", "old a");
    tree.SetWriteTime(L"dst\\a.txt", MakeTime(2020, 1, 1));
    tree.Write(L"dst\\d.txt", "d");
}
