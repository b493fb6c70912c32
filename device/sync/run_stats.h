#pragma once

// What a run did (or, in a dry run, would do).
struct RunStats {
    unsigned long long filesCopied = 0;
    unsigned long long bytesCopied = 0;
    unsigned long long filesVerified = 0;   // copies read back and found the same as their source
    unsigned long long filesDeleted = 0;
    unsigned long long foldersRemoved = 0;  // each with what it held (see Removed)
    unsigned long long entriesSkipped = 0;  // entries the run left alone, each with a "skip" row
    unsigned long long entriesKept = 0;     // files and folders moved into the run's kept run
    bool completed = false;                 // both passes walked to their end (not stopped)
};
