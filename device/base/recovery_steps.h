#pragma once

// What must be undone when a fault abandons the frames between it and the fault guard.
// The guard jumps back past those frames without running their destructors, so code that
// holds something the program cannot go on without (an open folder search, a window locked
// for a run, a message hook) registers a step for as long as it holds it. The guard runs
// the steps of the abandoned frames, newest first, before it shows the Fatal box.
//
// A step is an object on the stack (or a member of one) and leaves the list when it goes;
// its action runs only after a fault. Window-free: the sync engine registers steps too.
// Registering and leaving keep the thread's last error.
class RecoveryStep {
public:
    using Action = void (*)(void* context);
    RecoveryStep(Action action, void* context);
    ~RecoveryStep();
    RecoveryStep(const RecoveryStep&) = delete;
    RecoveryStep& operator=(const RecoveryStep&) = delete;

private:
    friend void RunRecoveryStepsAbove(RecoveryStep* mark);
    Action action_;
    void* context_;
    RecoveryStep* older_;
};

// The newest step of this thread (null when none): the mark a guard keeps.
RecoveryStep* NewestRecoveryStep();

// Takes every step newer than `mark` off the list and runs it, newest first.
void RunRecoveryStepsAbove(RecoveryStep* mark);
