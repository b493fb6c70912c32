#include "plain_file.h"

#if defined(_WIN32_WCE)

// The device's files are plain files of the object store or a card; devices have names of
// their own ("COM1:") that the stream functions do not open.
FILE* OpenPlainFileForReading(const wchar_t* path, unsigned long long maxBytes, DWORD* failure) {
    FILE* file = _wfopen(path, L"rb");
    if (file == nullptr) {
        *failure = GetLastError();
        return nullptr;
    }
    if (fseek(file, 0, SEEK_END) != 0 || ftell(file) < 0) {
        *failure = ERROR_BAD_FILE_TYPE;
    } else if (static_cast<unsigned long long>(ftell(file)) > maxBytes) {
        *failure = ERROR_FILE_TOO_LARGE;
    } else if (fseek(file, 0, SEEK_SET) == 0) {
        return file;
    } else {
        *failure = ERROR_READ_FAULT;
    }
    fclose(file);
    return nullptr;
}

unsigned long long StreamPosition(FILE* file) { return static_cast<unsigned long long>(ftell(file)); }

#else

#include <fcntl.h>
#include <io.h>

FILE* OpenPlainFileForReading(const wchar_t* path, unsigned long long maxBytes, DWORD* failure) {
    HANDLE handle = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        *failure = GetLastError();
        return nullptr;
    }
    LARGE_INTEGER size;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        *failure = ERROR_BAD_FILE_TYPE;
    } else if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        *failure = ERROR_FILE_TOO_LARGE;
    } else {
        // From here the descriptor, and then the stream, owns the handle.
        FILE* file = nullptr;
        int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
        if (descriptor == -1) {
            CloseHandle(handle);
        } else if ((file = _fdopen(descriptor, "rb")) == nullptr) {
            _close(descriptor);
        }
        if (file == nullptr) *failure = ERROR_NOT_ENOUGH_MEMORY;
        return file;
    }
    CloseHandle(handle);
    return nullptr;
}

unsigned long long StreamPosition(FILE* file) { return static_cast<unsigned long long>(_ftelli64(file)); }

#endif
