#pragma once

// The platform half of the fault guard: taking processor faults (an access violation, a
// division by zero, ...) back to the program instead of ending it.
//
// Runs `body(context)`. A processor fault raised while it runs (at any depth) by the
// program's own code, or by the C runtime's library on its behalf (a null string handed to
// wcslen faults inside the runtime), comes back here: the recovery steps registered since
// the call began (base/recovery_steps.h) run first, newest first, on the stack below the
// fault, where the frames they belong to are still intact; then RunTrapped returns false.
// True when the body returned. Calls nest: a fault comes back to the innermost one. Every
// other exception goes on its way: system code provokes and handles faults of its own
// (probing a pointer, say). The body must not throw.
//
// Where the platform offers no such trap, the body runs plainly (and a fault ends the
// program as it would without a guard).
using TrappedBody = void (*)(void* context) noexcept;
bool RunTrapped(TrappedBody body, void* context);
