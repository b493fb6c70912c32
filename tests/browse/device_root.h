#pragma once
#include <windows.h>

#include <string>

// The tests' own device: drive M:, which CTest maps to a folder of the build tree, made the
// current drive so that "\" and "\My Documents" are the test's folders. Emptied before and
// after each use.
class DeviceRoot {
public:
    DeviceRoot();
    ~DeviceRoot();
    DeviceRoot(const DeviceRoot&) = delete;
    DeviceRoot& operator=(const DeviceRoot&) = delete;

    bool Ready() const { return ready_; }
    // Paths below "\" of the device, written without the leading backslash.
    void MakeFolder(const std::wstring& relative) const;
    void Write(const std::wstring& relative) const;
    bool IsFolder(const std::wstring& relative) const;
    bool Exists(const std::wstring& relative) const;
    void Remove(const std::wstring& relative) const;

private:
    void Empty() const;
    bool ready_ = false;
    wchar_t previous_[MAX_PATH] = L"";
};
