#pragma once
#include <windows.h>

#include <string>

// The status bar's one line as the user reads it on any width: a text with a short form
// shows that form where the whole one does not fit, and a text cut by the bar's edge reads in
// full in the bar's tool tip.
class StatusLine {
public:
    // Creates the tool tip; `owner` gets its requests for text (OnNotify).
    void Attach(HWND statusBar, HWND owner);
    // Shows `full`, or `brief` where `full` does not fit; the other stays for the tool tip.
    void Show(const wchar_t* full, const wchar_t* brief);
    // After the bar changed its width: what Show put there is chosen again.
    void Refit();
    // The tool tip asking for its text; true when it was ours.
    bool OnNotify(LPARAM lParam);

private:
    bool Fits(const wchar_t* text) const;
    std::wstring Shown() const;

    HWND bar_ = nullptr;
    HWND tip_ = nullptr;
    std::wstring full_, brief_, tipText_;
};
