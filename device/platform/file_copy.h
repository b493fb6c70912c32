#pragma once
#include <windows.h>

// Hears how far a file copy has come, and says whether it goes on.
class CopyProgress {
public:
    // `done` of `total` bytes are written; false stops the copy where it is.
    virtual bool Continue(ULONGLONG done, ULONGLONG total) = 0;

protected:
    ~CopyProgress() = default;
};

// Copies the contents and attributes of `source` to `destination`, overwriting it, or, with
// `failIfExists`, only where no file of that name is yet. The copy goes in pieces of at
// most kCopyPieceBytes, and after each piece `progress` (may be null) hears how far it is
// and may stop it, so that a large file can be watched and stopped mid-way. False, with
// the last error set, when the copy fails or was stopped (ERROR_REQUEST_ABORTED); a
// destination the call had opened is removed then, never left half written. The source is
// read to its end, whatever size it is listed with; `written` (may be null) gets the bytes
// the copy wrote.
bool CopyFileInPieces(const wchar_t* source, const wchar_t* destination, bool failIfExists, CopyProgress* progress,
                      ULONGLONG* written = nullptr);

constexpr DWORD kCopyPieceBytes = 64 * 1024;
