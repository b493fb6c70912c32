#include "console_stream.h"

#include <cwchar>

#include "base/text.h"
#include "sync/log_text.h"

namespace {
constexpr size_t kFlushThreshold = 32 * 1024;
}  // namespace

ConsoleStream::ConsoleStream(DWORD standardHandle) : handle_(GetStdHandle(standardHandle)) {
    DWORD mode;
    console_ = GetConsoleMode(handle_, &mode) != 0;
}

void ConsoleStream::Write(const wchar_t* text) {
    buffer_ += text;
    if (buffer_.size() >= kFlushThreshold) Flush();
}

void ConsoleStream::WriteEscaped(const wchar_t* text) {
    AppendLogText(buffer_, text);
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
        ToUtf8(buffer_.data(), buffer_.size(), utf8_);
        WriteFile(handle_, utf8_.data(), static_cast<DWORD>(utf8_.size()), &written, nullptr);
    }
    buffer_.clear();
}

InputLines::InputLines() : ready_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) { InitializeCriticalSection(&lock_); }

DWORD WINAPI InputLines::ReadAll(void* self) {
    InputLines& lines = *static_cast<InputLines*>(self);
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    char c;
    DWORD got;
    bool any = false;
    for (;;) {
        bool read = ReadFile(input, &c, 1, &got, nullptr) && got == 1;
        if (read && c != '\n') {
            any = true;
            if (c != '\r') line += c;
            continue;
        }
        EnterCriticalSection(&lines.lock_);
        if (read || any) lines.lines_.push_back(line);
        if (!read) lines.ended_ = true;
        LeaveCriticalSection(&lines.lock_);
        SetEvent(lines.ready_);
        if (!read) return 0;
        line.clear();
        any = false;
    }
}

InputLines::Result InputLines::Next(std::string& line, HANDLE interrupt) {
    if (!thread_) thread_ = CreateThread(nullptr, 0, ReadAll, this, 0, nullptr);
    for (;;) {
        EnterCriticalSection(&lock_);
        bool have = !lines_.empty();
        if (have) {
            line = lines_.front();
            lines_.pop_front();
        }
        bool ended = ended_;
        LeaveCriticalSection(&lock_);
        if (have) return kLine;
        if (ended || !thread_) return kEnd;
        HANDLE waits[2] = {ready_, interrupt};
        DWORD woke = WaitForMultipleObjects(interrupt ? 2 : 1, waits, FALSE, INFINITE);
        if (woke == WAIT_OBJECT_0 + 1) return kInterrupted;
    }
}
