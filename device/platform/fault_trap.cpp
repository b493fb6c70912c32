#include "fault_trap.h"

#include <windows.h>

#if defined(_WIN32_WCE)

// The device has no vectored handlers; its compilers take faults with __try/__except.
bool InstallFaultTrap(bool (*)(), void (*)()) { return false; }

#else

namespace {

struct CodeRange {
    const BYTE* start = nullptr;
    const BYTE* end = nullptr;
};

// The program's image, and the C runtime's library (whichever of the two is loaded).
CodeRange g_ranges[3];
bool (*g_wanted)() = nullptr;
void (*g_resume)() = nullptr;

CodeRange RangeOf(HMODULE module) {
    CodeRange range;
    if (module == nullptr) return range;
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module) + dos->e_lfanew);
    range.start = reinterpret_cast<const BYTE*>(module);
    range.end = range.start + nt->OptionalHeader.SizeOfImage;
    return range;
}

bool IsOurs(const void* address) {
    const BYTE* at = static_cast<const BYTE*>(address);
    for (const CodeRange& range : g_ranges)
        if (at >= range.start && at < range.end) return true;
    return false;
}

bool IsProcessorFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
        return true;
    default:
        return false;  // C++ exceptions, breakpoints, stack overflow: not ours to take
    }
}

// A vectored handler sees every first-chance exception before any frame-based handler.
// The faulting thread is sent to `resume` by rewriting its context, so that what follows
// starts from an ordinary frame rather than from inside the system's exception dispatch.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (!IsProcessorFault(record->ExceptionCode) || !IsOurs(record->ExceptionAddress) || !g_wanted())
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = info->ContextRecord;
#if defined(_WIN64)
    context->Rsp = ((context->Rsp - 256) & ~DWORD64(15)) - 8;  // as if just called
    context->Rip = reinterpret_cast<DWORD64>(g_resume);
#else
    context->Esp = ((context->Esp - 256) & ~DWORD(15)) - 4;
    context->Eip = reinterpret_cast<DWORD>(g_resume);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

bool InstallFaultTrap(bool (*wanted)(), void (*resume)()) {
    static const bool installed = [&] {
        g_wanted = wanted;
        g_resume = resume;
        g_ranges[0] = RangeOf(GetModuleHandleW(nullptr));
        g_ranges[1] = RangeOf(GetModuleHandleW(L"msvcrt.dll"));
        g_ranges[2] = RangeOf(GetModuleHandleW(L"ucrtbase.dll"));
        return AddVectoredExceptionHandler(1, OnException) != nullptr;
    }();
    return installed;
}

#endif
