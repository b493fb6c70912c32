#pragma once
#include <windows.h>

// The switches of a set, 0 or 1 each, in their fixed order (DELETE, DOSTIME, FORCE,
// EXCLUDEOBJ, then KEEP and VERIFY); the set options table (set_options.h) says what each one is.
struct SetFlags {
    int deleteAfterCopy = 0;
    int dosTime = 0;
    int force = 0;
    int excludeObj = 0;
    int keep = 0;
    int verify = 0;
};

// One sync set as the main window edits it: name, folders and the options.
struct SetFields : SetFlags {
    wchar_t name[MAX_PATH];
    wchar_t source[MAX_PATH];
    wchar_t destination[MAX_PATH];
    wchar_t exclude[MAX_PATH];  // the patterns of what the set's runs leave out; empty: none
};

// Empty texts, all flags 0.
void ClearSetFields(SetFields& set);
