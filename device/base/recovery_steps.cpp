#include "recovery_steps.h"

#include <windows.h>

namespace {

// The newest step of each thread, in a slot of the thread's local storage (the device's
// compilers have no thread_local). Reading a slot clears the last error, which the code
// that registers steps is about to report: it is kept.
DWORD Slot() {
    static const DWORD slot = TlsAlloc();
    return slot;
}

RecoveryStep* Newest() {
    const DWORD error = GetLastError();
    auto* newest = static_cast<RecoveryStep*>(TlsGetValue(Slot()));
    SetLastError(error);
    return newest;
}

void SetNewest(RecoveryStep* step) {
    const DWORD error = GetLastError();
    TlsSetValue(Slot(), step);
    SetLastError(error);
}

}  // namespace

RecoveryStep::RecoveryStep(Action action, void* context) : action_(action), context_(context), older_(Newest()) {
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

RecoveryStep* NewestRecoveryStep() { return Newest(); }

void RunRecoveryStepsAbove(RecoveryStep* mark) {
    for (RecoveryStep* step = Newest(); step && step != mark; step = Newest()) {
        SetNewest(step->older_);  // off the list first: a step that faults is not run twice
        step->action_(step->context_);
    }
}
