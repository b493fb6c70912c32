#pragma once
#include <windows.h>

#include <deque>
#include <string>

// Text out to a standard handle: wide characters to a console, UTF-8 to a file or pipe.
// Buffered; Flush() writes what is held (one write to the handle).
class ConsoleStream {
public:
    explicit ConsoleStream(DWORD standardHandle);
    ~ConsoleStream() { Flush(); }

    void Write(const wchar_t* text);
    // Writes the text with every control character (and the Unicode line separators) as
    // "<" hex digits ">", a tab as <09>: a name can never break or forge a line. Windows
    // names hold no "<" or ">", so the form cannot be mistaken for part of a name.
    void WriteEscaped(const wchar_t* text);
    void Flush();
    bool IsConsole() const { return console_; }

private:
    HANDLE handle_;
    bool console_;
    std::wstring buffer_;
    std::string utf8_;  // kept, so that a flush per line allocates nothing
};

// The lines of standard input, read on a thread of their own so that a wait for the next
// line can be ended by an event (Ctrl+C) whatever standard input is. The reader thread
// may still wait in ReadFile when the program ends, so an InputLines is never destroyed.
class InputLines {
public:
    InputLines();
    InputLines(const InputLines&) = delete;
    InputLines& operator=(const InputLines&) = delete;

    enum Result { kLine, kEnd, kInterrupted };
    // The next line, without its line end. `interrupt` (may be null) ends the wait.
    Result Next(std::string& line, HANDLE interrupt);

private:
    static DWORD WINAPI ReadAll(void* self);

    CRITICAL_SECTION lock_;
    std::deque<std::string> lines_;
    bool ended_ = false;
    HANDLE ready_;            // set whenever a line or the end arrives
    HANDLE thread_ = nullptr;  // started at the first question
};
