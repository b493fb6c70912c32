#pragma once

// The largest set file that is read: far beyond any real list of sets (a set takes well
// under 2 KB), so that a device name or a runaway file is refused instead of read forever.
constexpr unsigned long long kMaxSetFileBytes = 4ull * 1024 * 1024;
