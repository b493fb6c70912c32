#pragma once

// True when the two folders are the same or one lies inside the other: by their text
// (case-insensitive, a trailing backslash ignored, both made full paths first), and, for
// folders that exist, by what the paths point to (volume and file index of each folder
// against the other and each of its parents, on past the root of a drive that is a folder
// of another drive).
bool FoldersOverlap(const wchar_t* first, const wchar_t* second);
