#pragma once
#include <windows.h>

#include "object.h"

// Holds at most one open registry key under `root`; closes it when destroyed.
class FRegKey : public FObject {
public:
    explicit FRegKey(HKEY root) : root(root) {}
    ~FRegKey() override { Close(); }
    FRegKey(const FRegKey&) = delete;
    FRegKey& operator=(const FRegKey&) = delete;

    LONG Create(const wchar_t* subKeyName);  // create or open, full access: for writing
    LONG Open(const wchar_t* subKeyName);    // open existing, read access only
    LONG Close();
    // sizeInOut is in bytes. Leaves an empty string on any failure; terminates a string
    // value stored without terminator whenever the buffer has room.
    LONG QueryString(const wchar_t* valueName, wchar_t* buffer, DWORD* sizeInOut);

    HKEY root;
    HKEY key = nullptr;
};

// Reads a 4-byte value in one go; `out` is untouched when the key cannot be opened.
LONG ReadRegistryDword(HKEY root, const wchar_t* subKeyName, const wchar_t* valueName, DWORD* out);
