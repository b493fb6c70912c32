#pragma once
#include <windows.h>

#include "error_reporter.h"

// Single-file and single-folder operations. Each failure is reported once, here, through
// the reporter; callers only pass false up.
bool CopyFileReport(ErrorReporter& owner, const wchar_t* source, const wchar_t* destination);
// The same, for a caller that has just read the source's attributes and the destination's
// state (null: no destination) and need not pay for reading them again.
bool CopyFileKnownReport(ErrorReporter& owner, const wchar_t* source, DWORD sourceAttributes, const wchar_t* destination,
                         const WIN32_FILE_ATTRIBUTE_DATA* destinationBefore);
bool SetAttributesReport(ErrorReporter& owner, const wchar_t* path, DWORD attributes);
bool ReadFileTimes(const wchar_t* path, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite);
bool WriteFileTimes(const wchar_t* path, const FILETIME* creation, const FILETIME* lastAccess,
                    const FILETIME* lastWrite);
bool DeleteFileReport(ErrorReporter& owner, const wchar_t* path);
bool RemoveFolderReport(ErrorReporter& owner, const wchar_t* path);
// Removes a folder with everything in it; a link to a folder is removed as the link itself.
bool RemoveFolderTree(ErrorReporter& owner, const wchar_t* path);

bool CreateFolderReport(ErrorReporter& owner, const wchar_t* path);
bool CreateFolderPath(ErrorReporter& owner, const wchar_t* path);

// Reports a path that does not fit a path buffer: `base` joined with `name`.
void ReportPathTooLong(ErrorReporter& owner, const wchar_t* base, const wchar_t* name);
