#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives a running Zolv.exe from another process, as a user would: through its window,
// its controls and its dialogs.
class ZolvProcess {
public:
    // Starts the program in `cwd` and waits for its main window (false if none came).
    bool Start(const std::wstring& exe, const std::wstring& cwd);
    ~ZolvProcess();

    HWND Main() const { return main_; }
    HWND Control(int id) const;
    // Waits for the process to end; its exit code, or -1 after the timeout (then it is ended).
    int WaitForExit(DWORD timeoutMs = 10000);
    bool Running() const;

    // A dialog (class #32770) of the program whose caption is `caption`, waited for.
    HWND WaitForDialog(const std::wstring& caption, DWORD timeoutMs = 10000) const;
    // Any visible dialog of the program, or null.
    HWND AnyDialog() const;

    // Operation list rows, cell by cell, read from the program's memory.
    int RowCount() const;
    std::wstring Cell(int row, int column) const;

    void Command(int id) const { PostMessageW(main_, WM_COMMAND, id, 0); }
    // Waits until the run has ended (the Abort button is disabled again) and no dialog is open,
    // answering each dialog that comes with `answer` (which returns the button to click).
    void AnswerDialogs(const std::function<int(HWND dialog, const std::wstring& caption)>& answer, DWORD timeoutMs = 20000);

private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

std::wstring WindowText(HWND window);  // WM_GETTEXT, works across processes
void SetText(HWND window, const std::wstring& text);
void ClickButton(HWND dialog, int id);
// Services the calling thread's queue for `ms` milliseconds.
void PumpFor(DWORD ms);
