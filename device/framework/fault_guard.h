#pragma once
#include <windows.h>

#include <utility>

#include "base/recovery_steps.h"

// Runs a window, dialog, hook or page handler so that neither a processor fault in the
// program's own code (a write through a null pointer, a division by zero) nor a C++
// exception ends the program: either one shows the Fatal box with `label` and yields 0.
//
// The platform's fault trap, handed over at start (platform_hooks.h), takes the faults: it
// sends a fault back to the innermost guard of the thread, after the recovery steps
// (base/recovery_steps.h) of the frames it leaves have run, so nested modal loops are
// guarded by their innermost handler.
using GuardedBody = LRESULT (*)(void* context);
LRESULT RunGuarded(HWND owner, const wchar_t* label, GuardedBody body, void* context);

template <class Body>
LRESULT Guarded(HWND owner, const wchar_t* label, Body&& body) {
    using Plain = std::remove_reference_t<Body>;
    return RunGuarded(
        owner, label, [](void* context) -> LRESULT { return (*static_cast<Plain*>(context))(); },
        const_cast<void*>(static_cast<const void*>(&body)));
}

// How many faults and exceptions the guards have taken so far: a run that sees the number
// change stops, since a fault leaves the program's state in doubt.
unsigned FaultsCaught();

// Test-only: the places where a test can raise a fault of its own (null in the program).
enum class FaultSite { MenuTracking, DialogInit, LogRow };
extern void (*g_testFault)(FaultSite site);
inline void TestFaultPoint(FaultSite site) {
    if (g_testFault) g_testFault(site);
}
