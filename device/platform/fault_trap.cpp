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
    void* jump[5];      // __builtin_setjmp buffer: back into RunTrapped
    void* stepJump[5];  // back into the recovery, for a recovery step that faults
    TrapPoint* enclosing;
    RecoveryStep* steps;    // the newest recovery step when the call began
    RecoveryStep* running;  // the newest once the running step was taken off the list
    void* handlers;         // the thread's chain of frame-based handlers, at the call
    void* recoveryHandlers; // and when the recovery began
    bool recovering;
};

DWORD g_slot = TLS_OUT_OF_INDEXES;

// The thread's own block: its stack's bounds and, on x86, its handler chain. (Read directly:
// GCC 12 takes the header's NtCurrentTeb for an access out of bounds.)
NT_TIB* ThreadBlock() {
    NT_TIB* tib;
#if defined(_WIN64)
    __asm__("movq %%gs:0x30, %0" : "=r"(tib));
#else
    __asm__("movl %%fs:0x18, %0" : "=r"(tib));
#endif
    return tib;
}

// Reading the slot clears the last error, which a fault that is not ours must find as it was.
TrapPoint* CurrentPoint() {
    const DWORD error = GetLastError();
    auto* point = static_cast<TrapPoint*>(TlsGetValue(g_slot));
    SetLastError(error);
    return point;
}
void SetCurrentPoint(TrapPoint* point) { TlsSetValue(g_slot, point); }

// On x86 the frame-based handlers are a chain of records on the stack (FS:[0]). The frames
// a fault abandons may have put records there (system code between the guard and the
// fault does); a jump back past them must put the chain back as it was, or it points into
// stack that is about to be reused. x86-64 finds its handlers in tables: nothing to put back.
#if defined(__i386__)
void* HandlerChain() { return ThreadBlock()->ExceptionList; }
void SetHandlerChain(void* chain) { ThreadBlock()->ExceptionList = static_cast<EXCEPTION_REGISTRATION_RECORD*>(chain); }
#else
void* HandlerChain() { return nullptr; }
void SetHandlerChain(void*) {}
#endif

// Runs the recovery steps of the frames the fault abandoned, from below the fault, where
// those frames are intact. A step that faults in turn comes back here, to go on with the
// next one: it left the list before it ran, so it never runs twice, and what it had put on
// the list is dropped with its frames. No fault starts a second recovery.
__attribute__((noinline)) void Recover(TrapPoint* point) {
    TrapPoint* volatile self = point;  // read again after the jump back
    self->recovering = true;
    self->running = NewestRecoveryStep();
    self->recoveryHandlers = HandlerChain();
    if (__builtin_setjmp(self->stepJump) != 0) {
        SetHandlerChain(self->recoveryHandlers);
        DropRecoveryStepsAbove(self->running);
    }
    while (RecoveryStep* step = TakeRecoveryStepAbove(self->steps)) {
        self->running = NewestRecoveryStep();
        RunRecoveryStep(step);
    }
}

// Reached from the fault, on the stack below it, as if the faulting instruction had called
// it.
[[noreturn]] void ResumeAtTrapPoint() {
#if defined(__i386__)
    // What the abandoned code had loaded on the x87 stack stays there otherwise: after eight
    // such faults every floating-point result would be invalid.
    __asm__ __volatile__("fninit");
#endif
    TrapPoint* point = CurrentPoint();
    if (point->recovering) __builtin_longjmp(point->stepJump, 1);  // a recovery step faulted
    Recover(point);
    __builtin_longjmp(point->jump, 1);
}

// Who owns the code at an address: the program's image, the C runtime's library (whichever
// of the two is loaded), or anyone else (the system).
enum class Owner { Program, Runtime, Other };

struct CodeRange {
    const BYTE* start = nullptr;
    const BYTE* end = nullptr;
    bool Holds(const void* address) const {
        const BYTE* at = static_cast<const BYTE*>(address);
        return at >= start && at < end;
    }
};

CodeRange g_program, g_runtimes[2];

CodeRange RangeOf(HMODULE module) {
    CodeRange range;
    if (module == nullptr) return range;
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(module) + dos->e_lfanew);
    range.start = reinterpret_cast<const BYTE*>(module);
    range.end = range.start + nt->OptionalHeader.SizeOfImage;
    return range;
}

Owner OwnerOf(const void* address) {
    if (g_program.Holds(address)) return Owner::Program;
    for (const CodeRange& runtime : g_runtimes)
        if (runtime.Holds(address)) return Owner::Runtime;
    return Owner::Other;
}

bool OnStack(ULONG_PTR address, ULONG_PTR bytes) {
    const NT_TIB* tib = ThreadBlock();
    return address >= reinterpret_cast<ULONG_PTR>(tib->StackLimit) &&
           address + bytes <= reinterpret_cast<ULONG_PTR>(tib->StackBase);
}

// A fault inside the runtime is ours when the runtime was called from the program (a null
// string handed to wcslen): then the first caller outside the runtime is the program's.
// System code calls the runtime too, and may handle the runtime's fault itself. At most a
// few frames of the runtime are looked through; unknown is not ours.
constexpr int kRuntimeFrames = 32;

#if defined(_WIN64)

// The caller of each frame comes from the unwind tables; a function without a table entry
// is a leaf, whose return address is on top of the stack.
bool CalledFromProgram(CONTEXT context) {
    for (int frame = 0; frame < kRuntimeFrames; ++frame) {
        const Owner owner = OwnerOf(reinterpret_cast<const void*>(context.Rip));
        if (owner != Owner::Runtime) return owner == Owner::Program;
        DWORD64 base = 0;
        if (PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context.Rip, &base, nullptr)) {
            void* handlerData = nullptr;
            DWORD64 establisher = 0;
            RtlVirtualUnwind(UNW_FLAG_NHANDLER, base, context.Rip, function, &context, &handlerData, &establisher,
                             nullptr);
        } else {
            if (!OnStack(context.Rsp, sizeof(DWORD64))) return false;
            context.Rip = *reinterpret_cast<const DWORD64*>(context.Rsp);
            context.Rsp += sizeof(DWORD64);
        }
        if (context.Rip == 0 || !OnStack(context.Rsp, 0)) return false;
    }
    return false;
}

#else

// x86 code keeps no unwind tables and the runtime need not keep frame pointers: the stack is
// read upwards from the fault for return addresses, words that point into a module's code
// just behind a call instruction. Those of the runtime are passed over; the first other one
// is the caller that counts.
constexpr int kStackWords = 16 * 1024;

// The image that holds executable code at `at`, with at least `before` bytes of it ahead.
const void* CodeImageOf(const BYTE* at, size_t before) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(at, &info, sizeof info) == 0 || info.State != MEM_COMMIT || info.Type != MEM_IMAGE) return nullptr;
    const DWORD executable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (!(info.Protect & executable) || static_cast<size_t>(at - static_cast<const BYTE*>(info.BaseAddress)) < before)
        return nullptr;
    return info.AllocationBase;
}

// True when the bytes before `at` end in a call: E8 with a 32-bit offset, or FF /2 with its
// operand (a register, or memory with its SIB byte and displacement).
bool FollowsCall(const BYTE* at) {
    if (at[-5] == 0xE8) return true;
    for (int length = 2; length <= 7; ++length) {
        const BYTE* call = at - length;
        const BYTE modrm = call[1];
        if (call[0] != 0xFF || (modrm & 0x38) != 0x10) continue;
        const int mod = modrm >> 6, rm = modrm & 7;
        int expected = 2;
        if (mod == 0 && rm == 5) expected = 6;
        else if (mod == 0 && rm == 4) expected = (call[2] & 7) == 5 ? 7 : 3;
        else if (mod == 1) expected = rm == 4 ? 4 : 3;
        else if (mod == 2) expected = rm == 4 ? 7 : 6;
        if (expected == length) return true;
    }
    return false;
}

bool CalledFromProgram(const CONTEXT& context) {
    const Owner first = OwnerOf(reinterpret_cast<const void*>(context.Eip));
    if (first != Owner::Runtime) return first == Owner::Program;
    const DWORD* slot = reinterpret_cast<const DWORD*>(context.Esp);
    int runtimeFrames = 0;
    for (int word = 0; word < kStackWords && OnStack(reinterpret_cast<ULONG_PTR>(slot), sizeof *slot); ++word, ++slot) {
        const BYTE* value = reinterpret_cast<const BYTE*>(*slot);
        if (!CodeImageOf(value, 7) || !FollowsCall(value)) continue;
        const Owner owner = OwnerOf(value);
        if (owner != Owner::Runtime) return owner == Owner::Program;
        if (++runtimeFrames == kRuntimeFrames) return false;
    }
    return false;
}

#endif

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
// The faulting thread is sent to ResumeAtTrapPoint by rewriting its context, so that what
// follows starts from an ordinary frame rather than from inside the system's exception
// dispatch.
LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    if (!IsProcessorFault(info->ExceptionRecord->ExceptionCode) || !CurrentPoint() ||
        !CalledFromProgram(*info->ContextRecord))
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = info->ContextRecord;
    // A fault in the middle of a backward string copy (std; rep movs) leaves the direction
    // flag set; every function the recovery calls may take it for clear.
    constexpr DWORD kDirectionFlag = 0x400;
    context->EFlags &= ~kDirectionFlag;
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
    g_program = RangeOf(GetModuleHandleW(nullptr));
    g_runtimes[0] = RangeOf(GetModuleHandleW(L"msvcrt.dll"));
    g_runtimes[1] = RangeOf(GetModuleHandleW(L"ucrtbase.dll"));
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
    TrapPoint point{};
    point.enclosing = CurrentPoint();
    point.steps = NewestRecoveryStep();
    point.handlers = HandlerChain();
    if (__builtin_setjmp(point.jump) != 0) {
        SetHandlerChain(point.handlers);
        SetCurrentPoint(point.enclosing);
        return false;
    }
    SetCurrentPoint(&point);
    body(context);
    SetCurrentPoint(point.enclosing);
    return true;
}

#endif
