#include "device_root.h"

#include <windows.h>

#include <cwchar>

const wchar_t* DeviceRootPrefix() {
#if defined(_WIN32_WCE)
    return L"";
#else
    static wchar_t prefix[MAX_PATH];
    const DWORD length = GetFullPathNameW(L"\\", MAX_PATH, prefix, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        prefix[0] = L'\0';
    } else if (prefix[length - 1] == L'\\') {
        prefix[length - 1] = L'\0';
    }
    return prefix;
#endif
}

bool ExpandPathVariables(const wchar_t* text, wchar_t* out, unsigned long outChars) {
#if defined(_WIN32_WCE)
    const size_t length = wcslen(text);
    if (length >= outChars) return false;
    wmemcpy(out, text, length + 1);
    return true;
#else
    const DWORD units = ExpandEnvironmentStringsW(text, out, outChars);
    return units != 0 && units <= outChars;
#endif
}
