#pragma once
#include <windows.h>

#include <string>

// A run's rows as text: one line per row, its three texts separated by tabs, a control
// character (or a Unicode line separator) and a '<' written as "<" hex ">" (a tab as <09>,
// '<' as <3C>), so that no name can break or forge a line. zolvsync writes its rows so, and
// a saved log holds the same lines after a line that names the run.

// Appends `text` with the characters above escaped.
void AppendLogText(std::wstring& out, const wchar_t* text);
// Appends one row and `lineEnd`.
void AppendLogRow(std::wstring& out, const wchar_t* operation, const wchar_t* first, const wchar_t* second,
                  const wchar_t* lineEnd);
// The line that names a log's run: "# SET<tab>DIRECTION<tab>YYYY-MM-DD HH:MM:SS" and, when
// known, "<tab>FIGURES"; without its line end.
std::wstring LogHeader(const wchar_t* set, const wchar_t* direction, const SYSTEMTIME& time, const wchar_t* figures);
