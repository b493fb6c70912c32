#include "fault_trap.h"

#include <windows.h>

#include "base/recovery_steps.h"

#if defined(_WIN32_WCE)

// The device has no vectored handlers; its compilers take faults with __try/__except.
bool RunTrapped(TrappedBody body, void* context) {
    body(context);
    return true;
}

#else

namespace {

// Where a fault goes back to: the innermost RunTrapped of the thread.
struct TrapPoint {
    void* jump[5];  // __builtin_setjmp buffer
    TrapPoint* enclosing;
    RecoveryStep* steps;  // the newest recovery step when the call began
};

DWORD g_slot = TLS_OUT_OF_INDEXES;

// Reading the slot clears the last error, which a fault that is not ours must find as it was.
TrapPoint* CurrentPoint() {
    const DWORD error = GetLastError();
    auto* point = static_cast<TrapPoint*>(TlsGetValue(g_slot));
    SetLastError(error);
    return point;
}
void SetCurrentPoint(TrapPoint* point) { TlsSetValue(g_slot, point); }

// Reached from the fault, on the stack below it: the abandoned frames are still intact
// here, so their recovery steps can run before the jump back leaves them behind.
[[noreturn]] void ResumeAtTrapPoint() {
    TrapPoint* point = CurrentPoint();
    RunRecoveryStepsAbove(point->steps);
    __builtin_longjmp(point->jump, 1);
}

struct CodeRange {
    const BYTE* start = nullptr;
    const BYTE* end = nullptr;
};

// The program's image, and the C runtime's library (whichever of the two is loaded).
CodeRange g_ranges[3];

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
// The faulting thread is sent to ResumeAtTrapPoint by rewriting its context, so that what follows
// starts from an ordinary frame rather than from inside the system's exception dispatch.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (!IsProcessorFault(record->ExceptionCode) || !IsOurs(record->ExceptionAddress) || !CurrentPoint())
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = info->ContextRecord;
#if defined(_WIN64)
    context->Rsp = ((context->Rsp - 256) & ~DWORD64(15)) - 8;  // as if just called
    context->Rip = reinterpret_cast<DWORD64>(&ResumeAtTrapPoint);
#else
    context->Esp = ((context->Esp - 256) & ~DWORD(15)) - 4;
    context->Eip = reinterpret_cast<DWORD>(&ResumeAtTrapPoint);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool InstallTrap() {
    g_slot = TlsAlloc();
    if (g_slot == TLS_OUT_OF_INDEXES) return false;
    g_ranges[0] = RangeOf(GetModuleHandleW(nullptr));
    g_ranges[1] = RangeOf(GetModuleHandleW(L"msvcrt.dll"));
    g_ranges[2] = RangeOf(GetModuleHandleW(L"ucrtbase.dll"));
    return AddVectoredExceptionHandler(1, OnException) != nullptr;
}

}  // namespace

// Kept out of line so that the trap point's frame is this function's own.
__attribute__((noinline)) bool RunTrapped(TrappedBody body, void* context) {
    static const bool installed = InstallTrap();
    if (!installed) {
        body(context);
        return true;
    }
    TrapPoint point;
    point.enclosing = CurrentPoint();
    point.steps = NewestRecoveryStep();
    if (__builtin_setjmp(point.jump) != 0) {
        SetCurrentPoint(point.enclosing);
        return false;
    }
    SetCurrentPoint(&point);
    body(context);
    SetCurrentPoint(point.enclosing);
    return true;
}

#endif
