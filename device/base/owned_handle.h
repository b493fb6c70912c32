#pragma once
#include <windows.h>

#include <utility>

// A kernel handle that closes itself on every path out of its scope: moved, never copied.
// CreateFileW's handles close with CloseHandle, FindFirstFileW's with FindClose; both give
// INVALID_HANDLE_VALUE when they fail.
template <BOOL(WINAPI* Close)(HANDLE)>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    // Gives the handle up without closing it.
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    // Closes what is held (keeping the last error a failed call set) and holds `handle`.
    void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
        if (Valid()) {
            DWORD error = GetLastError();
            Close(handle_);
            SetLastError(error);
        }
        handle_ = handle;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using FileHandle = OwnedHandle<CloseHandle>;
using FindHandle = OwnedHandle<FindClose>;
