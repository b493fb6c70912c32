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

    // A dialog (class #32770) of the program whose caption is `caption`, waited for; on the
    // timeout a test failure names the dialogs that were open.
    HWND WaitForDialog(const std::wstring& caption, DWORD timeoutMs = 10000) const;
    // Any visible dialog of the program, or null.
    HWND AnyDialog() const;

    // Operation list rows, cell by cell, read from the program's memory.
    int RowCount() const;
    std::wstring Cell(int row, int column) const;

    // Posts the command. Before Forward or Backward (with no run on) a marker row goes into
    // the operation list: the run empties the list when it starts, which tells that it did.
    void Command(int id) const;
    // Sends a command that opens no dialog (New), so that it is done before what follows:
    // a posted one would come after the texts sent to the controls next.
    void CommandNow(int id) const { SendMessageW(main_, WM_COMMAND, id, 0); }
    // Waits until the run started by Forward or Backward is on (the marker row gone, Abort
    // enabled); false, with a test failure saying what it saw, after the timeout.
    bool WaitForRunStart(DWORD timeoutMs = 20000);
    // Answers each dialog that comes with `answer` (which returns the button to click) until
    // the last command has been handled: a run started by it has ended (Abort disabled again,
    // no dialog open), or, when it started none, the program has gone back to its message
    // loop with no dialog open. False, with a test failure saying what it waited for and what
    // it saw, after the timeout.
    bool AnswerDialogs(const std::function<int(HWND dialog, const std::wstring& caption)>& answer,
                       DWORD timeoutMs = 20000);

private:
    // A message posted behind everything posted before it; Handled() once the program took it.
    void PostMarker();
    bool MarkerHandled() const;
    bool MarkerRowThere() const;
    std::wstring Seen() const;

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    mutable bool runMarked_ = false;  // a marker row went in before the last Forward or Backward
    int marker_ = 0;
    mutable std::vector<std::wstring> answered_;
};

std::wstring WindowText(HWND window);  // WM_GETTEXT, works across processes
void SetText(HWND window, const std::wstring& text);
void ClickButton(HWND dialog, int id);
// Services the calling thread's queue for `ms` milliseconds.
void PumpFor(DWORD ms);
