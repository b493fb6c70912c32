#pragma once
#include <string>

#include "set_file_limit.h"

// Replaces the file at `path` with `content` without ever destroying the previous file: the
// new text goes to a file beside it, which takes the old one's place only once it is complete.
// False (the old file as it was, the platform's last error saying why) when anything fails,
// and for content larger than `limit` (by default what the set file reader takes;
// ERROR_FILE_TOO_LARGE): nothing is written then.
bool ReplaceFileContent(const wchar_t* path, const std::string& content,
                        unsigned long long limit = kMaxSetFileBytes);
