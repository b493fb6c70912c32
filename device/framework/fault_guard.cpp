#include "fault_guard.h"

#include "message_boxes.h"

namespace {

struct RecoveryPoint {
    void* jump[5];  // __builtin_setjmp buffer
    RecoveryPoint* enclosing;
};

DWORD g_slot = TLS_OUT_OF_INDEXES;
const BYTE* g_imageStart = nullptr;
const BYTE* g_imageEnd = nullptr;

RecoveryPoint* CurrentPoint() { return static_cast<RecoveryPoint*>(TlsGetValue(g_slot)); }
void SetCurrentPoint(RecoveryPoint* point) { TlsSetValue(g_slot, point); }

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

// Reached by rewriting the faulting thread's context, so that the jump back starts from an
// ordinary frame rather than from inside the system's exception dispatch.
[[noreturn]] void ResumeAtRecoveryPoint() { __builtin_longjmp(CurrentPoint()->jump, 1); }

// System code provokes and handles faults of its own (probing a pointer, for instance);
// only faults inside this image are taken.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    if (CurrentPoint() == nullptr) return EXCEPTION_CONTINUE_SEARCH;
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (!IsProcessorFault(record->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    const BYTE* address = static_cast<const BYTE*>(record->ExceptionAddress);
    if (address < g_imageStart || address >= g_imageEnd) return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = info->ContextRecord;
#if defined(_WIN64)
    context->Rsp = ((context->Rsp - 256) & ~DWORD64(15)) - 8;  // as if just called
    context->Rip = reinterpret_cast<DWORD64>(&ResumeAtRecoveryPoint);
#else
    context->Esp = ((context->Esp - 256) & ~DWORD(15)) - 4;
    context->Eip = reinterpret_cast<DWORD>(&ResumeAtRecoveryPoint);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool InstallHandler() {
    g_slot = TlsAlloc();
    HMODULE image = GetModuleHandleW(nullptr);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(image) + dos->e_lfanew);
    g_imageStart = reinterpret_cast<const BYTE*>(image);
    g_imageEnd = g_imageStart + nt->OptionalHeader.SizeOfImage;
    return g_slot != TLS_OUT_OF_INDEXES && AddVectoredExceptionHandler(1, OnException) != nullptr;
}

bool EnsureHandler() {
    static const bool installed = InstallHandler();
    return installed;
}

// Kept out of line so that the recovery point's frame is this function's own.
__attribute__((noinline)) bool CallWithRecovery(GuardedBody body, void* context, LRESULT& result,
                                                bool& exceptionCaught) {
    RecoveryPoint point;
    point.enclosing = CurrentPoint();
    if (__builtin_setjmp(point.jump) != 0) {
        SetCurrentPoint(point.enclosing);
        return false;
    }
    SetCurrentPoint(&point);
    try {
        result = body(context);
    } catch (...) {
        exceptionCaught = true;
    }
    SetCurrentPoint(point.enclosing);
    return true;
}

}  // namespace

LRESULT RunGuarded(HWND owner, const wchar_t* label, GuardedBody body, void* context) {
    if (!EnsureHandler()) {
        // Without the handler faults cannot be taken; exceptions still can.
        try {
            return body(context);
        } catch (...) {
            ShowFatal(owner, label);
            return 0;
        }
    }
    LRESULT result = 0;
    bool exceptionCaught = false;
    bool completed = CallWithRecovery(body, context, result, exceptionCaught);
    if (!completed || exceptionCaught) {
        ShowFatal(owner, label);
        return 0;
    }
    return result;
}
