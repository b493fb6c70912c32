#pragma once

// What must be undone when a fault abandons the frames between it and the fault guard.
// The guard jumps back past those frames without running their destructors, so code that
// holds something the program cannot go on without (an open folder search, a window locked
// for a run, a message hook) registers a step for as long as it holds it. The guard runs
// the steps of the abandoned frames, newest first, before it shows the Fatal box.
//
// A step is an object on the stack (or a member of one) and leaves the list when it goes;
// its action runs only after a fault, and never throws (its type says so). Window-free: the
// sync engine registers steps too. Registering and leaving keep the thread's last error.
class RecoveryStep {
public:
    using Action = void (*)(void* context) noexcept;
    RecoveryStep(Action action, void* context) noexcept;
    ~RecoveryStep();
    RecoveryStep(const RecoveryStep&) = delete;
    RecoveryStep& operator=(const RecoveryStep&) = delete;

private:
    friend RecoveryStep* TakeRecoveryStepAbove(RecoveryStep* mark) noexcept;
    friend void RunRecoveryStep(RecoveryStep* step) noexcept;
    Action action_;
    void* context_;
    RecoveryStep* older_;
};

// The newest step of this thread (null when none): the mark a guard keeps.
RecoveryStep* NewestRecoveryStep() noexcept;

// Takes the newest step off the list when it is newer than `mark`, and hands it back (null
// when there is none): taken off before it runs, a step runs once at most.
RecoveryStep* TakeRecoveryStepAbove(RecoveryStep* mark) noexcept;
// Runs a step that was taken off the list.
void RunRecoveryStep(RecoveryStep* step) noexcept;

// Takes every step newer than `mark` off the list and runs it, newest first.
void RunRecoveryStepsAbove(RecoveryStep* mark) noexcept;
// Takes every step newer than `mark` off the list without running it (steps whose frames
// are gone).
void DropRecoveryStepsAbove(RecoveryStep* mark) noexcept;
