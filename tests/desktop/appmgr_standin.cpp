// Stands in for the desktop sync manager's application manager: records the command line it
// was started with and its working directory (UTF-8, one a line) in "appmgr.log" beside
// itself, and exits.
#include <windows.h>

#include <string>

namespace {

std::string Utf8Line(const wchar_t* text) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    return out + "\n";
}

}  // namespace

int main() {
    wchar_t log[MAX_PATH], partial[MAX_PATH + 8], cwd[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 12) return 2;
    wchar_t* slash = wcsrchr(log, L'\\');
    wcscpy(slash + 1, L"appmgr.log");
    wcscpy(partial, log);
    wcscat(partial, L".part");
    if (!GetCurrentDirectoryW(MAX_PATH, cwd)) return 2;

    std::string record = Utf8Line(GetCommandLineW()) + Utf8Line(cwd);
    HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    // Appears whole or not at all, so a reader never sees half a record.
    return MoveFileExW(partial, log, MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
