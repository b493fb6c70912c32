#pragma once
#include <string>

// Runs a program with the given command line, feeding `input` to its standard input;
// collects standard output and standard error (UTF-8) and the exit code.
struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const std::wstring& commandLine, const std::string& input = "");

// A Unix path as Wine sees it (on drive Z:).
std::wstring WinePath(const char* unixPath);
// UTF-16 to UTF-8, for comparing with program output.
std::string Utf8(const std::wstring& text);
