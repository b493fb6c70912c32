#pragma once
#include <windows.h>

#include <string>

// A folder of its own for one test, under the temporary folder; removed afterwards.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::wstring& Root() const { return root_; }
    std::wstring Path(const std::wstring& relative) const;

    void MakeFolder(const std::wstring& relative) const;
    void Write(const std::wstring& relative, const std::string& content) const;
    std::string Read(const std::wstring& relative) const;
    bool Exists(const std::wstring& relative) const;
    bool IsFolder(const std::wstring& relative) const;
    void SetWriteTime(const std::wstring& relative, const FILETIME& time) const;
    FILETIME WriteTime(const std::wstring& relative) const;
    void SetAttributes(const std::wstring& relative, DWORD attributes) const;
    DWORD Attributes(const std::wstring& relative) const;

private:
    std::wstring root_;
};

// A file time from calendar values (UTC), for readable tests.
FILETIME MakeTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millis = 0);
FILETIME AddSeconds(const FILETIME& time, double seconds);

// The example of a mirror run: a newer a.txt and b\c.txt in src; an older a.txt and d.txt in dst.
void WriteMirrorExample(const TempTree& tree);

// Removes a tree whatever its attributes.
void RemoveTree(const std::wstring& path);
