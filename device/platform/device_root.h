#pragma once

// What goes in front of a device path such as "\Work" to make it name one folder for good.
// On the device there is one root, and the prefix is empty. On desktop Win32 "\" means the
// root of the current drive, which a file dialog or another program could move; the prefix
// is the drive of the current directory ("C:", or "\\server\share"), so that a path handed
// out once keeps naming the same folder.
const wchar_t* DeviceRootPrefix();

// `text` with its %VARIABLE% references expanded, in `out` (`outChars` units). The device has
// no environment, so there the text stands as it is. False when the result does not fit.
bool ExpandPathVariables(const wchar_t* text, wchar_t* out, unsigned long outChars);
