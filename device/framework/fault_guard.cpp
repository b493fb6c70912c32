#include "fault_guard.h"

#include "platform_hooks.h"
#include "system_boxes.h"

namespace {

unsigned g_faultsCaught = 0;

struct GuardedCall {
    GuardedBody body;
    void* context;
    RecoveryStep* mark;  // the newest recovery step when the guard began
    LRESULT result;
    bool thrown;
};

void CallCatching(void* context) noexcept {
    auto& call = *static_cast<GuardedCall*>(context);
    try {
        call.result = call.body(call.context);
    } catch (...) {
        call.thrown = true;
    }
    // Steps whose frames unwound are gone already; the rest run here, inside the trap.
    if (call.thrown) RunRecoveryStepsAbove(call.mark);
}

}  // namespace

LRESULT RunGuarded(HWND owner, const wchar_t* label, GuardedBody body, void* context) {
    GuardedCall call{body, context, NewestRecoveryStep(), 0, false};
    const PlatformHooks& platform = InstalledPlatformHooks();
    bool returned = true;
    if (platform.runTrapped) {
        returned = platform.runTrapped(CallCatching, &call);
    } else {
        CallCatching(&call);
    }
    if (returned && !call.thrown) return call.result;
    ++g_faultsCaught;
    ShowFatal(owner, label);
    return 0;
}

unsigned FaultsCaught() { return g_faultsCaught; }

void (*g_testFault)(FaultSite) = nullptr;
