#include "device_root.h"

#include "temp_tree.h"

namespace {
const std::wstring kDrive = L"M:\\";
}

DeviceRoot::DeviceRoot() {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    const DWORD attributes = GetFileAttributesW(kDrive.c_str());
    ready_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
             SetCurrentDirectoryW(kDrive.c_str());
    if (ready_) Empty();
}

DeviceRoot::~DeviceRoot() {
    if (ready_) Empty();
    SetCurrentDirectoryW(previous_);
}

void DeviceRoot::Empty() const {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((kDrive + L"*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") RemoveTree(kDrive + name);
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

void DeviceRoot::MakeFolder(const std::wstring& relative) const {
    std::wstring path = kDrive + relative;
    for (size_t i = kDrive.size(); i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
}

void DeviceRoot::Write(const std::wstring& relative) const {
    size_t slash = relative.rfind(L'\\');
    if (slash != std::wstring::npos) MakeFolder(relative.substr(0, slash));
    HANDLE file = CreateFileW((kDrive + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

bool DeviceRoot::IsFolder(const std::wstring& relative) const {
    DWORD attributes = GetFileAttributesW((kDrive + relative).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeviceRoot::Exists(const std::wstring& relative) const {
    return GetFileAttributesW((kDrive + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeviceRoot::Remove(const std::wstring& relative) const { RemoveTree(kDrive + relative); }
