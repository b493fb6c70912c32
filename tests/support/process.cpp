#include "process.h"

#include <windows.h>

namespace {

struct Drain {
    HANDLE pipe;
    std::string* out;
};

// Reads a pipe to its end on a thread of its own, so that neither pipe can fill up.
DWORD WINAPI DrainPipe(void* context) {
    auto* drain = static_cast<Drain*>(context);
    char buffer[4096];
    DWORD got;
    while (ReadFile(drain->pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) drain->out->append(buffer, got);
    return 0;
}

}  // namespace

bool StartProcess(std::wstring commandLine, bool inheritHandles, DWORD flags, const wchar_t* cwd,
                  STARTUPINFOW* startup, PROCESS_INFORMATION* process, DWORD* error) {
    DWORD last = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, inheritHandles, flags, nullptr, cwd, startup,
                           process))
            return true;
        last = GetLastError();
        if (last != ERROR_INTERNAL_ERROR) break;
        Sleep(200);
    }
    if (error) *error = last;
    return false;
}

ProcessResult RunProcess(const std::wstring& commandLine, const std::string& input) {
    ProcessResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite, errRead, errWrite;
    CreatePipe(&inRead, &inWrite, &inherit, 0);
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    bool started = StartProcess(commandLine, true, CREATE_NO_WINDOW, nullptr, &startup, &process);
    CloseHandle(inRead);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(inWrite);
        CloseHandle(outRead);
        CloseHandle(errRead);
        return result;
    }
    Drain outDrain{outRead, &result.out}, errDrain{errRead, &result.err};
    HANDLE readers[2] = {CreateThread(nullptr, 0, DrainPipe, &outDrain, 0, nullptr),
                         CreateThread(nullptr, 0, DrainPipe, &errDrain, 0, nullptr)};
    DWORD written;
    if (!input.empty()) WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
    CloseHandle(inWrite);
    WaitForSingleObject(process.hProcess, INFINITE);
    WaitForMultipleObjects(2, readers, TRUE, INFINITE);
    CloseHandle(readers[0]);
    CloseHandle(readers[1]);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(outRead);
    CloseHandle(errRead);
    return result;
}

std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += (*p == '/') ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

std::string Utf8(const std::wstring& text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
    return out;
}
