#pragma once
#include <windows.h>

#include <cstddef>

// Paths are NUL-terminated UTF-16 with the backslash as the only separator, held in
// buffers of MAX_PATH units. Nothing here allocates, and nothing writes past a buffer:
// a result that would not fit is refused.
constexpr size_t kPathChars = MAX_PATH;
using PathBuffer = wchar_t[kPathChars];

// All 32 bits set: the path cannot be read.
constexpr DWORD kUnreadableAttributes = INVALID_FILE_ATTRIBUTES;

bool PathExists(const wchar_t* path);
bool IsFolder(const wchar_t* path);
bool IsFolderAttributes(DWORD attributes);

// Appends one backslash unless the path is empty or already ends with one; returns the
// position of the end, or -1 when the separator would not fit.
int AppendSeparator(PathBuffer& path);

// base, separator, name. Returns false (output empty) when the result would not fit.
bool JoinPath(PathBuffer& out, const wchar_t* base, const wchar_t* name);
// Copies a path; false (output empty) when it would not fit.
bool CopyPath(PathBuffer& out, const wchar_t* path);

// The last backslash followed by another character, or nullptr.
const wchar_t* LastSeparator(const wchar_t* path);
const wchar_t* BaseName(const wchar_t* path);
bool SplitPath(const wchar_t* path, PathBuffer& folder, PathBuffer& name);
const wchar_t* ExtensionTail(const wchar_t* path);
bool HasExtension(const wchar_t* path, const wchar_t* extension);
bool IsProgramFile(const wchar_t* path);
bool ParentFolder(PathBuffer& path);

bool GetLastWriteTime(const wchar_t* path, FILETIME* time);
