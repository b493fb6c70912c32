#pragma once
#include <windows.h>

#include <string>

// Text out to a standard handle: wide characters to a console, UTF-8 to a file or pipe.
// Buffered; Flush() writes what is held.
class ConsoleStream {
public:
    explicit ConsoleStream(DWORD standardHandle);
    ~ConsoleStream() { Flush(); }

    void Write(const wchar_t* text);
    void Flush();

private:
    HANDLE handle_;
    bool console_;
    std::wstring buffer_;
};

// One line from standard input, without its line end; false at end of input.
bool ReadInputLine(std::string& line);
