#pragma once
#include <functional>

// One level of a folder, read with the platform's directory search. Only folders count;
// the entries "." and ".." that some platforms report are not folders of the tree.

// Calls `visit` with each subfolder's name; false when the search could not start.
bool ForEachSubfolder(const wchar_t* folder, const std::function<void(const wchar_t* name)>& visit);
// True at the first subfolder found; false when there is none or the search cannot start.
bool HasSubfolders(const wchar_t* folder);
// True when the folder holds no entry at all (and could be read).
bool IsEmptyFolder(const wchar_t* folder);
