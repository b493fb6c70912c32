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

    // Closes a key already open first. `view` is 0 (the process's own registry view) or one
    // of KEY_WOW64_64KEY / KEY_WOW64_32KEY.
    LONG Open(const char* subKey, REGSAM view = 0);
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

// The registry views of HKEY_LOCAL_MACHINE to look in, in order. A 32-bit program on 64-bit
// Windows sees the 32-bit view by default, so a program registered only in the native view
// would look missing: the native view comes first, then the 32-bit one, then the default
// view for systems that refuse the view flags (they have only one view).
constexpr REGSAM kMachineViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY, 0};
