#pragma once

// The largest set file that is read: far beyond any real list of sets (a set takes a few
// hundred bytes, at most about 1.6 KB), so that a device name or a runaway file is refused
// instead of read forever.
constexpr unsigned long long kMaxSetFileBytes = 1024 * 1024;
