#include "fault_guard.h"

#include "message_boxes.h"
#include "platform/fault_trap.h"

namespace {

struct RecoveryPoint {
    void* jump[5];  // __builtin_setjmp buffer
    RecoveryPoint* enclosing;
    RecoveryStep* steps;  // the newest recovery step when the guard began
};

DWORD g_slot = TLS_OUT_OF_INDEXES;
unsigned g_faultsCaught = 0;

RecoveryPoint* CurrentPoint() { return static_cast<RecoveryPoint*>(TlsGetValue(g_slot)); }
void SetCurrentPoint(RecoveryPoint* point) { TlsSetValue(g_slot, point); }

bool FaultWanted() { return CurrentPoint() != nullptr; }

// Reached from the fault, on the stack below it: the abandoned frames are still intact
// here, so their recovery steps can run before the jump back leaves them behind.
[[noreturn]] void ResumeAtRecoveryPoint() {
    RecoveryPoint* point = CurrentPoint();
    RunRecoveryStepsAbove(point->steps);
    __builtin_longjmp(point->jump, 1);
}

bool InstallHandler() {
    g_slot = TlsAlloc();
    return g_slot != TLS_OUT_OF_INDEXES && InstallFaultTrap(FaultWanted, ResumeAtRecoveryPoint);
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
    point.steps = NewestRecoveryStep();
    if (__builtin_setjmp(point.jump) != 0) {
        SetCurrentPoint(point.enclosing);
        return false;
    }
    SetCurrentPoint(&point);
    try {
        result = body(context);
    } catch (...) {
        exceptionCaught = true;
        RunRecoveryStepsAbove(point.steps);  // steps whose frames unwound are gone already
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
            ++g_faultsCaught;
            ShowFatal(owner, label);
            return 0;
        }
    }
    LRESULT result = 0;
    bool exceptionCaught = false;
    bool completed = CallWithRecovery(body, context, result, exceptionCaught);
    if (!completed || exceptionCaught) {
        ++g_faultsCaught;
        ShowFatal(owner, label);
        return 0;
    }
    return result;
}

unsigned FaultsCaught() { return g_faultsCaught; }

void (*g_testFault)(FaultSite) = nullptr;
