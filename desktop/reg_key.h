#pragma once
#include <windows.h>

// Holds at most one open registry key under a predefined root; closes it when destroyed.
// Keys are opened for reading only: the launcher never writes, and a user without
// administrator rights may not open HKEY_LOCAL_MACHINE keys with full access.
class RegKey {
public:
    explicit RegKey(HKEY root) : root(root) {}
    virtual ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    LONG Open(const char* subKey);  // closes a key already open first
    // `size` is the buffer size in bytes on entry, the value's size on return. Succeeds only
    // for a string value that ends terminated inside the buffer; on any failure the buffer
    // holds an empty string. REG_EXPAND_SZ is returned unexpanded.
    LONG QueryString(const char* valueName, char* buffer, DWORD* size);
    // Reads at most 4 bytes; the type is not examined. `out` is untouched on failure.
    LONG QueryDword(const char* valueName, DWORD* out);
    LONG Close();

    HKEY root;
    HKEY key = nullptr;
};
