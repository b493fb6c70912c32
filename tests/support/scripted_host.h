#pragma once
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sync/sync_host.h"

// A host that records what a run shows and answers its questions from a script.
// Events read like "copy|from|to", "prompt:Replace|message", "error:text",
// "notice:text", "create:text", "empty:text", "success".
class ScriptedHost : public SyncHost {
public:
    void PumpOneMessage() override;
    void AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) override;
    void SetStatusText(const wchar_t* text) override { status.push_back(text); }
    void ShowCopyProgress(unsigned long long done, unsigned long long total) override {
        progress.emplace_back(done, total);
    }
    int AskPrompt(const Prompt& prompt) override;
    void ShowFolderNotice(const wchar_t* text) override;
    int AskCreateDestination(const wchar_t* text) override;
    int AskEmptySource(const wchar_t* text) override {
        events.push_back(std::wstring(L"empty:") + text);
        return emptySourceAnswer;
    }
    int AskLowBattery(const wchar_t* text) override {
        events.push_back(std::wstring(L"battery:") + text);
        return batteryAnswer;
    }
    int AskUndo(const wchar_t* text) override {
        events.push_back(std::wstring(L"undo:") + text);
        return undoAnswer;
    }
    void ShowSuccess() override { events.push_back(L"success"); }
    void BeginRun() override { ++begun; }
    void EndRun() override { ++ended; }
    void ShowError(const wchar_t* text) override;

    // Only the events of one kind ("copy", "del", "rmdir", "prompt", "error", ...).
    std::vector<std::wstring> Only(const std::wstring& kind) const;
    // The log rows, "op|first|second".
    std::vector<std::wstring> Rows() const;

    std::vector<std::wstring> events;
    std::vector<std::wstring> status;
    std::vector<Prompt> prompts;
    std::vector<std::pair<unsigned long long, unsigned long long>> progress;  // done, total
    std::deque<int> answers;           // for the prompts; empty: fails the test, answers Cancel
    int createAnswer = 7;              // IDNO
    int emptySourceAnswer = 6;         // IDYES: most tests are about what the pass deletes
    int undoAnswer = 6;                // IDYES
    int batteryAnswer = 7;             // IDNO
    std::function<void(int)> onPump;   // called with the pump count
    int pumps = 0;
    int begun = 0;
    int ended = 0;
};
