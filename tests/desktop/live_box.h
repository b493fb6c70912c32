#pragma once
#include <windows.h>

#include <string>

// What one start of a program did: the message boxes it showed (title and text as read
// from the live box, which was then answered with OK) and how it ended.
struct LaunchResult {
    bool exited = false;  // false: still running at the deadline, then terminated
    int exitCode = -1;
    int boxes = 0;
    std::wstring title;  // of the first box
    std::wstring text;
};

// Starts `exe` in the working directory `cwd` and answers every message box it shows until it
// exits or `timeoutMs` has passed. Keeps servicing the caller's own windows meanwhile.
LaunchResult LaunchAndAnswerBoxes(const std::wstring& exe, const std::wstring& cwd, DWORD timeoutMs = 15000);

// Services the calling thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);
