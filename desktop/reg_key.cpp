#include "reg_key.h"

LONG RegKey::Open(const char* subKey, REGSAM view) {
    Close();
    return RegOpenKeyExA(root, subKey, 0, KEY_READ | view, &key);
}

LONG RegKey::QueryString(const char* valueName, char* buffer, DWORD* size) {
    DWORD capacity = *size;
    if (capacity == 0) return ERROR_INSUFFICIENT_BUFFER;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), size);
    if (status == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ)
        status = ERROR_INVALID_DATATYPE;  // not text: nothing to hand on as a path
    if (status == ERROR_SUCCESS) {
        if (*size < capacity) {
            buffer[*size] = '\0';  // stored without terminator, or with one: both end here
        } else if (buffer[capacity - 1] != '\0') {
            status = ERROR_MORE_DATA;  // fills the buffer with no room for the terminator
        }
    }
    if (status != ERROR_SUCCESS) buffer[0] = '\0';
    return status;
}

LONG RegKey::QueryDword(const char* valueName, DWORD* out) {
    DWORD value = 0;
    DWORD size = sizeof value;
    LONG status = RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    if (status == ERROR_SUCCESS) *out = value;
    return status;
}

LONG RegKey::Close() {
    if (!key) return ERROR_SUCCESS;
    LONG status = RegCloseKey(key);
    key = nullptr;
    return status;
}
