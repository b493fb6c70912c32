#pragma once
#include <windows.h>

#include <cstdio>

// Opens a plain file on a disk as a binary stream for reading. Anything else (a device, a
// pipe) is refused with ERROR_BAD_FILE_TYPE, a file larger than `maxBytes` with
// ERROR_FILE_TOO_LARGE, and a file that cannot be opened with the platform's reason; then
// the result is null and `*failure` says why. Close the stream with fclose.
FILE* OpenPlainFileForReading(const wchar_t* path, unsigned long long maxBytes, DWORD* failure);

// How many bytes of the stream have been read so far.
unsigned long long StreamPosition(FILE* file);
