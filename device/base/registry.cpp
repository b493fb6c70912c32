#include "registry.h"

LONG FRegKey::Close() {
    if (key == nullptr) return ERROR_SUCCESS;
    LONG status = RegCloseKey(key);
    key = nullptr;
    return status;
}

LONG FRegKey::Create(const wchar_t* subKeyName) {
    Close();
    return RegCreateKeyExW(root, subKeyName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
}

LONG FRegKey::Open(const wchar_t* subKeyName) {
    Close();
    return RegOpenKeyExW(root, subKeyName, 0, KEY_READ, &key);
}

LONG FRegKey::QueryString(const wchar_t* valueName, wchar_t* buffer, DWORD* sizeInOut) {
    const DWORD bufferSize = *sizeInOut;
    DWORD type = REG_SZ;
    LONG status = key ? RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), sizeInOut)
                      : ERROR_INVALID_HANDLE;
    if (status != ERROR_SUCCESS) {
        if (bufferSize >= sizeof(wchar_t)) buffer[0] = L'\0';
        return status;
    }
    if ((type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) && *sizeInOut + 2 < bufferSize) {
        buffer[*sizeInOut / 2] = L'\0';
    }
    return ERROR_SUCCESS;
}

LONG ReadRegistryDword(HKEY root, const wchar_t* subKeyName, const wchar_t* valueName, DWORD* out) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(root, subKeyName, 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS) return status;
    DWORD type = REG_DWORD;
    DWORD size = sizeof(DWORD);
    status = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(out), &size);
    RegCloseKey(key);
    return status;
}
