#pragma once
#include <string>

// Replaces the file at `path` with `content` without ever destroying the previous file: the
// new text goes to a file beside it, which takes the old one's place only once it is complete.
// False (the old file as it was, the platform's last error saying why) when anything fails,
// and for content larger than the reader takes (ERROR_FILE_TOO_LARGE): nothing is written then.
bool ReplaceFileContent(const wchar_t* path, const std::string& content);
