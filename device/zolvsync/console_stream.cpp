#include "console_stream.h"

namespace {
constexpr size_t kFlushThreshold = 32 * 1024;
}

ConsoleStream::ConsoleStream(DWORD standardHandle) : handle_(GetStdHandle(standardHandle)) {
    DWORD mode;
    console_ = GetConsoleMode(handle_, &mode) != 0;
}

void ConsoleStream::Write(const wchar_t* text) {
    buffer_ += text;
    if (buffer_.size() >= kFlushThreshold) Flush();
}

void ConsoleStream::Flush() {
    if (buffer_.empty() || handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
        buffer_.clear();
        return;
    }
    DWORD written;
    if (console_) {
        WriteConsoleW(handle_, buffer_.data(), static_cast<DWORD>(buffer_.size()), &written, nullptr);
    } else {
        int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer_.data(), static_cast<int>(buffer_.size()), nullptr, 0,
                                        nullptr, nullptr);
        std::string utf8(static_cast<size_t>(bytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, buffer_.data(), static_cast<int>(buffer_.size()), utf8.data(), bytes,
                            nullptr, nullptr);
        WriteFile(handle_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
    buffer_.clear();
}

bool ReadInputLine(std::string& line) {
    line.clear();
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char c;
    DWORD got;
    bool any = false;
    while (ReadFile(input, &c, 1, &got, nullptr) && got == 1) {
        any = true;
        if (c == '\n') break;
        if (c != '\r') line += c;
    }
    return any;
}
