#pragma once
#include <windows.h>

#include <string>

// Runs a program with the given command line, feeding `input` to its standard input;
// collects standard output and standard error (UTF-8) and the exit code.
struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// CreateProcessW, tried again a few times when Wine's loader reports an internal error
// (seen now and then while the previous program of a test is still being torn down).
bool StartProcess(std::wstring commandLine, bool inheritHandles, DWORD flags, const wchar_t* cwd,
                  STARTUPINFOW* startup, PROCESS_INFORMATION* process, DWORD* error = nullptr);

ProcessResult RunProcess(const std::wstring& commandLine, const std::string& input = "");

// A Unix path as Wine sees it (on drive Z:).
std::wstring WinePath(const char* unixPath);
// UTF-16 to UTF-8, for comparing with program output.
std::string Utf8(const std::wstring& text);
