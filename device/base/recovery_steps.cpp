#include "recovery_steps.h"

namespace {
thread_local RecoveryStep* g_newest = nullptr;
}

RecoveryStep::RecoveryStep(Action action, void* context) : action_(action), context_(context), older_(g_newest) {
    g_newest = this;
}

RecoveryStep::~RecoveryStep() {
    // Steps end in the reverse order of their start; after a fault the guard has already
    // taken the abandoned ones off, and this one is not found.
    for (RecoveryStep** link = &g_newest; *link; link = &(*link)->older_) {
        if (*link == this) {
            *link = older_;
            return;
        }
    }
}

RecoveryStep* NewestRecoveryStep() { return g_newest; }

void RunRecoveryStepsAbove(RecoveryStep* mark) {
    while (g_newest && g_newest != mark) {
        RecoveryStep* step = g_newest;
        g_newest = step->older_;  // off the list first: a step that faults is not run twice
        step->action_(step->context_);
    }
}
