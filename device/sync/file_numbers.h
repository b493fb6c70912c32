#pragma once
#include <windows.h>

// A file time as one number of 100-nanosecond ticks.
inline ULONGLONG FileTimeTicks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A listed file's size from its two halves (WIN32_FILE_ATTRIBUTE_DATA or WIN32_FIND_DATAW).
template <typename Info>
ULONGLONG FileSizeOf(const Info& info) {
    return (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}
