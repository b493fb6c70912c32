#pragma once

// The platform half of the fault guard: taking processor faults (an access violation, a
// division by zero, ...) back to the program instead of ending it.
//
// Installs, once per process, a trap for processor faults raised by the program's own code
// or by the C runtime's library on its behalf (a null string handed to wcslen faults
// inside the runtime). For such a fault, while `wanted()` says yes, the faulting thread
// goes on in `resume`, on a fresh part of its stack below the fault, as if the faulting
// instruction had called it; `resume` never returns. Every other exception goes on its
// way: system code provokes and handles faults of its own (probing a pointer, say).
// False when the platform offers no such trap (then only C++ exceptions are taken).
bool InstallFaultTrap(bool (*wanted)(), void (*resume)());
