#include "recovery_steps.h"

#include <windows.h>

namespace {

// The newest step of each thread, in a slot of the thread's local storage (the device's
// compilers have no thread_local). Reading a slot clears the last error, which the code
// that registers steps is about to report: it is kept.
DWORD Slot() noexcept {
    static const DWORD slot = TlsAlloc();
    return slot;
}

RecoveryStep* Newest() noexcept {
    const DWORD error = GetLastError();
    auto* newest = static_cast<RecoveryStep*>(TlsGetValue(Slot()));
    SetLastError(error);
    return newest;
}

void SetNewest(RecoveryStep* step) noexcept {
    const DWORD error = GetLastError();
    TlsSetValue(Slot(), step);
    SetLastError(error);
}

}  // namespace

RecoveryStep::RecoveryStep(Action action, void* context) noexcept
    : action_(action), context_(context), older_(Newest()) {
    SetNewest(this);
}

RecoveryStep::~RecoveryStep() {
    // Steps end in the reverse order of their start; after a fault the guard has already
    // taken the abandoned ones off, and this one is not found.
    RecoveryStep* newest = Newest();
    if (newest == this) {
        SetNewest(older_);
        return;
    }
    for (RecoveryStep* step = newest; step; step = step->older_) {
        if (step->older_ == this) {
            step->older_ = older_;
            return;
        }
    }
}

RecoveryStep* NewestRecoveryStep() noexcept { return Newest(); }

RecoveryStep* TakeRecoveryStepAbove(RecoveryStep* mark) noexcept {
    RecoveryStep* step = Newest();
    if (step == nullptr || step == mark) return nullptr;
    SetNewest(step->older_);
    return step;
}

void RunRecoveryStep(RecoveryStep* step) noexcept { step->action_(step->context_); }

void RunRecoveryStepsAbove(RecoveryStep* mark) noexcept {
    while (RecoveryStep* step = TakeRecoveryStepAbove(mark)) RunRecoveryStep(step);
}

void DropRecoveryStepsAbove(RecoveryStep* mark) noexcept {
    while (TakeRecoveryStepAbove(mark)) {}
}
