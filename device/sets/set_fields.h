#pragma once
#include <windows.h>

// One sync set as the main window edits it: name, folders and the four flags, in their
// fixed order (DELETE, DOSTIME, FORCE, EXCLUDEOBJ).
struct SetFields {
    wchar_t name[MAX_PATH];
    wchar_t source[MAX_PATH];
    wchar_t destination[MAX_PATH];
    int deleteAfterCopy;
    int dosTime;
    int force;
    int excludeObj;
};

// Empty texts, all flags 0.
void ClearSetFields(SetFields& set);
