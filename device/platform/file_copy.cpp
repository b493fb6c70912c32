#include "file_copy.h"

#include <cstring>
#include <new>

#include "base/recovery_steps.h"

// One form for the device and desktop Win32. The platforms' own copy calls cannot serve:
// the device's offers no progress, and the desktop's progress routine is not called
// under some platforms, so a copy of several gigabytes could be neither watched nor
// stopped.

namespace {

// What the platform's copy carries over besides the contents.
constexpr DWORD kCopiedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The size and attributes of an open file. Desktop Win32's GetFileInformationByHandle also
// asks the volume for its serial number, which under some platforms costs more than the
// whole copy of a small file; the basic information alone does not.
bool ReadSizeAndAttributes(HANDLE file, ULONGLONG* size, DWORD* attributes) {
    DWORD high = 0;
    SetLastError(NO_ERROR);  // a size whose low half is all ones is told from a failure by it
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    *size = (static_cast<ULONGLONG>(high) << 32) | low;
#if defined(_WIN32_WCE)
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return false;
    *attributes = info.dwFileAttributes;
#else
    FILE_BASIC_INFO info;
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info)) return false;
    *attributes = info.FileAttributes;
#endif
    return true;
}

bool WriteAll(HANDLE file, const char* data, DWORD bytes) {
    while (bytes > 0) {
        DWORD written = 0;
        if (!WriteFile(file, data, bytes, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        data += written;
        bytes -= written;
    }
    return true;
}

// Reads to the end of `from`, whatever size it was listed with: a file may have grown since,
// and some hold more than they list (a /proc file lists 0 bytes). Every read asks for a whole
// piece, since some such files give all they hold to the first read and nothing to a read
// that does not start at 0.
bool CopyContents(HANDLE from, HANDLE to, ULONGLONG total, CopyProgress* progress, ULONGLONG* written,
                  Checksum* checksum) {
    const DWORD bufferBytes = kCopyPieceBytes;
    char* buffer = new (std::nothrow) char[bufferBytes];
    if (!buffer) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    bool ok = true;
    ULONGLONG done = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer, bufferBytes, &read, nullptr) || !WriteAll(to, buffer, read)) {
            ok = false;
            break;
        }
        if (read == 0) break;
        done += read;
        if (checksum) checksum->Add(buffer, read);
        if (progress && !progress->Continue(done, total)) {
            SetLastError(ERROR_REQUEST_ABORTED);
            ok = false;
            break;
        }
    }
    DWORD code = GetLastError();
    delete[] buffer;
    *written = done;
    SetLastError(code);
    return ok;
}

void (*g_readBackStandIn)(const wchar_t*, char*, DWORD) = nullptr;

// Reads without the cache need a buffer on a sector's bound and whole sectors per read.
constexpr DWORD kSectorBound = 4096;

}  // namespace

namespace {

constexpr ULONGLONG kFnvPrime = 0x100000001b3ULL;

ULONGLONG FnvBytes(ULONGLONG sum, const unsigned char* p, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) sum = (sum ^ p[i]) * kFnvPrime;
    return sum;
}

ULONGLONG MixWord(ULONGLONG lane, const unsigned char* p) {
    ULONGLONG word;
    memcpy(&word, p, sizeof word);
    lane = (lane ^ word) * kFnvPrime;
    return (lane << 31) | (lane >> 33);
}

}  // namespace

void Checksum::AddBlock(const unsigned char* block) {
    lanes_[0] = MixWord(lanes_[0], block);
    lanes_[1] = MixWord(lanes_[1], block + 8);
    lanes_[2] = MixWord(lanes_[2], block + 16);
    lanes_[3] = MixWord(lanes_[3], block + 24);
}

void Checksum::Add(const char* data, DWORD bytes) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    length_ += bytes;
    if (pendingBytes_ > 0) {
        DWORD taken = bytes < sizeof pending_ - pendingBytes_ ? bytes : sizeof pending_ - pendingBytes_;
        memcpy(pending_ + pendingBytes_, p, taken);
        pendingBytes_ += taken;
        p += taken;
        bytes -= taken;
        if (pendingBytes_ < sizeof pending_) return;
        AddBlock(pending_);
        pendingBytes_ = 0;
    }
    for (; bytes >= sizeof pending_; p += sizeof pending_, bytes -= sizeof pending_) AddBlock(p);
    memcpy(pending_, p, bytes);
    pendingBytes_ = bytes;
}

ULONGLONG Checksum::Value() const {
    ULONGLONG sum = FnvBytes(0xcbf29ce484222325ULL, reinterpret_cast<const unsigned char*>(lanes_), sizeof lanes_);
    sum = FnvBytes(sum, pending_, pendingBytes_);
    return FnvBytes(sum, reinterpret_cast<const unsigned char*>(&length_), sizeof length_);
}

void SetReadBackStandIn(void (*alter)(const wchar_t* path, char* data, DWORD bytes)) { g_readBackStandIn = alter; }

bool ReadBackChecksum(const wchar_t* path, ULONGLONG* checksum, CopyProgress* progress) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_NO_BUFFERING, nullptr);
    // A file system that cannot read past its cache reads through it.
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) return false;
    char* block = new (std::nothrow) char[kCopyPieceBytes + kSectorBound];
    if (!block) {
        CloseHandle(file);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    char* buffer = block + (kSectorBound - reinterpret_cast<UINT_PTR>(block) % kSectorBound) % kSectorBound;
    Checksum sum;
    ULONGLONG total = 0, done = 0;
    DWORD attributes = 0;
    bool ok = ReadSizeAndAttributes(file, &total, &attributes);
    {
        // The progress hears the host, whose code a fault may leave: the file must not stay open.
        RecoveryStep afterFault{[](void* open) noexcept { CloseHandle(*static_cast<HANDLE*>(open)); }, &file};
        while (ok) {
            DWORD read = 0;
            if (!ReadFile(file, buffer, kCopyPieceBytes, &read, nullptr)) {
                ok = false;
                break;
            }
            if (read == 0) break;
            if (g_readBackStandIn) g_readBackStandIn(path, buffer, read);
            sum.Add(buffer, read);
            done += read;
            if (progress && !progress->Continue(done, total)) {
                SetLastError(ERROR_REQUEST_ABORTED);
                ok = false;
            }
        }
    }
    DWORD code = GetLastError();
    delete[] block;
    CloseHandle(file);
    *checksum = sum.Value();
    SetLastError(code);
    return ok;
}

bool CopyFileInPieces(const wchar_t* source, const wchar_t* destination, bool failIfExists, CopyProgress* progress,
                      ULONGLONG* written, ULONGLONG* checksum) {
    HANDLE from = CreateFileW(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (from == INVALID_HANDLE_VALUE) return false;
    ULONGLONG total = 0, done = 0;
    DWORD attributes = 0;
    HANDLE to = INVALID_HANDLE_VALUE;
    bool overwritten = false;
    if (ReadSizeAndAttributes(from, &total, &attributes)) {
        attributes &= kCopiedAttributes;
        if (!attributes) attributes = FILE_ATTRIBUTE_NORMAL;
        // A file that is not there yet is made as a new one: truncating a file, even an
        // empty one, makes some file systems write all its data out when it is closed, and
        // then removing a large stopped copy takes seconds instead of milliseconds.
        to = CreateFileW(destination, GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (to == INVALID_HANDLE_VALUE && !failIfExists && GetLastError() == ERROR_FILE_EXISTS) {
            to = CreateFileW(destination, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
            overwritten = to != INVALID_HANDLE_VALUE;
        }
    }
    if (to == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        CloseHandle(from);
        SetLastError(code);
        return false;
    }
    bool ok;
    {
        // The progress hears the host, whose code a fault may leave: the handles must not
        // stay open then, nor the half-written copy stay behind.
        struct Open {
            HANDLE from, to;
            const wchar_t* destination;
        } open{from, to, destination};
        RecoveryStep afterFault{[](void* context) noexcept {
                                    auto* o = static_cast<Open*>(context);
                                    CloseHandle(o->to);
                                    CloseHandle(o->from);
                                    SetFileAttributesW(o->destination, FILE_ATTRIBUTE_NORMAL);
                                    DeleteFileW(o->destination);
                                },
                                &open};
        Checksum sum;
        ok = CopyContents(from, to, total, progress, &done, checksum ? &sum : nullptr);
        if (checksum) *checksum = sum.Value();
    }
    DWORD code = GetLastError();
    // A write the file system held back can still fail when the file is closed.
    if (!CloseHandle(to) && ok) {
        ok = false;
        code = GetLastError();
    }
    CloseHandle(from);
    if (!ok) {
        SetFileAttributesW(destination, FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(destination);
    } else if (overwritten) {
        // Some platforms keep an overwritten file's own attributes, whatever the create
        // asked for. The contents are whole: a failure here leaves them as they are.
        SetFileAttributesW(destination, attributes);
    }
    if (written) *written = ok ? done : 0;
    SetLastError(code);
    return ok;
}
