#pragma once
#include <string>

#include "base/owned_handle.h"
#include "console_stream.h"
#include "sync/sync_host.h"

// The host of a console run: rows to standard output, everything else to standard
// error, answers from standard input. There are no windows, so nothing to pump.
class ConsoleHost : public SyncHost {
public:
    // `interrupt` (may be null): an event set by Ctrl+C; a question waiting then gets Cancel.
    explicit ConsoleHost(HANDLE interrupt = nullptr);

    void PumpOneMessage() override {}
    void AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) override;
    void SetStatusText(const wchar_t*) override {}
    // The percent of a large file's copy, on a console only: a redirected standard error,
    // which scripts read, gets no progress.
    void ShowCopyProgress(unsigned long long done, unsigned long long total) override;
    int AskPrompt(const Prompt& prompt) override;
    void ShowFolderNotice(const wchar_t* text) override;
    int AskCreateDestination(const wchar_t* text) override;
    // Asked on standard input; refused without a question after --force, and answered Yes
    // without one after --allow-empty-source.
    int AskEmptySource(const wchar_t* text) override;
    // Asked on standard input (end of input: No), also after --force.
    int AskLowBattery(const wchar_t* text) override;
    // Asked on standard input (end of input: No).
    int AskUndo(const wchar_t* text) override;
    void ShowSuccess() override;
    void BeginRun() override {}
    void EndRun() override;
    void ShowError(const wchar_t* text) override;

    void Report(const wchar_t* caption, const wchar_t* text);

    // --log: from now on every row is appended to `path` as well, written through, after
    // `header`; false (the system's error) when the file cannot be opened for appending.
    bool OpenLog(const wchar_t* path, const std::wstring& header);
    // Appends a line to the log (when one is open); false once any write to it failed.
    bool WriteLogLine(const std::wstring& line);
    bool LogIntact() const { return logIntact_; }

    bool refuseEmptySource = false;  // --force: nobody is there to answer
    bool allowEmptySource = false;   // --allow-empty-source

private:
    // Asks on standard error until an allowed letter comes; returns it, or 0 at end of
    // input and after Ctrl+C.
    char Ask(const wchar_t* question, const char* allowed);
    void ClearProgress();

    ConsoleStream rows_;
    ConsoleStream messages_;
    InputLines& input_;
    HANDLE interrupt_;
    int copyPercent_ = -1;  // shown on the console; -1: none
    FileHandle log_;
    std::string logBytes_;
    bool logIntact_ = true;
};
