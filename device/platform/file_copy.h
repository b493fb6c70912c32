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
// the copy wrote; `checksum` (may be null) the checksum of the bytes read from the source.
bool CopyFileInPieces(const wchar_t* source, const wchar_t* destination, bool failIfExists, CopyProgress* progress,
                      ULONGLONG* written = nullptr, ULONGLONG* checksum = nullptr);

// A file's 64-bit checksum, fed in pieces of any sizes: the same bytes give the same value
// however they were split. Four streams of 8-byte words, each mixed FNV-1a's way (xor, then
// a multiply by its prime, then a rotation that carries high bits down), run side by side so
// that the checksum costs little beside the copy; at the end the streams, the last bytes and
// the length are folded together byte by byte with FNV-1a.
class Checksum {
public:
    void Add(const char* data, DWORD bytes);
    ULONGLONG Value() const;

private:
    void AddBlock(const unsigned char* block);

    ULONGLONG lanes_[4] = {0xcbf29ce484222325ULL, 0x84222325cbf29ce4ULL, 0x9ce484222325cbf2ULL, 0x2325cbf29ce48422ULL};
    unsigned char pending_[32];
    DWORD pendingBytes_ = 0;
    ULONGLONG length_ = 0;
};

// Reads `path` back from its medium to its end and gives its checksum; false, with the last
// error set, when it cannot be read. The read passes by the system's file cache where the
// platform allows (a desktop Win32 file system that honours FILE_FLAG_NO_BUFFERING; under
// Wine the flag is taken but the bytes may come from the host's page cache), so that what
// is compared is what the medium holds wherever the platform lets it be. `progress` (may be
// null) hears how far the read has come and may stop it (ERROR_REQUEST_ABORTED).
bool ReadBackChecksum(const wchar_t* path, ULONGLONG* checksum, CopyProgress* progress = nullptr);

// For tests: `alter` (null: none) sees every piece ReadBackChecksum reads, with the file's
// path, and may change it, as a medium that does not keep what was written would.
void SetReadBackStandIn(void (*alter)(const wchar_t* path, char* data, DWORD bytes));

constexpr DWORD kCopyPieceBytes = 64 * 1024;
