#pragma once

// Where a failed file operation shows its message: the error box of the host
// (owned by the main window in the program, standard error in the console runner).
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ShowError(const wchar_t* text) = 0;
};
