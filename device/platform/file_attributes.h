#pragma once
#include <windows.h>

// Windows CE marks files that live in the device's read-only memory with attribute 0x40;
// desktop Windows uses that bit for devices, and has no in-ROM files.
#if defined(_WIN32_WCE)
constexpr DWORD kInRomAttribute = 0x40;
#else
constexpr DWORD kInRomAttribute = 0;
#endif

// True for a file the engine must leave alone: one in ROM, or one whose attributes
// cannot be read at all.
inline bool IsInRomOrUnreadable(DWORD attributes) {
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & kInRomAttribute) != 0;
}
