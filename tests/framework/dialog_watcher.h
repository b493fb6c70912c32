#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// What a test reads back from a live dialog or message box of the UI thread.
struct SeenDialog {
    HWND hwnd;
    HWND owner;
    std::wstring caption;
    std::map<int, std::wstring> texts;  // child control id -> its text
    std::map<int, HICON> icons;         // icon statics: id -> shown icon
    RECT rect;
    DWORD exStyle;

    std::wstring Text(int id) const {
        auto found = texts.find(id);
        return found == texts.end() ? std::wstring(L"<none>") : found->second;
    }
    // The text of the first static that is not empty (a message box's message).
    std::wstring FirstStaticText() const { return message; }
    std::wstring message;
    bool HasControl(int id) const { return texts.count(id) != 0; }
};

// Watches the calling (UI) thread from a second thread: each dialog window (class #32770)
// that becomes visible there is read back, recorded and handed to `answer`, which ends it
// (see Click, PressEscape). Stops when destroyed.
class DialogWatcher {
public:
    using Answer = std::function<void(const SeenDialog&)>;
    explicit DialogWatcher(Answer answer);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    std::vector<SeenDialog> Seen();

    static void Click(HWND dialog, int id);
    // A real Escape key for the control that has the dialog's focus.
    static void PressEscape(HWND dialog);

private:
    static DWORD WINAPI Run(void* self);
    void Poll();

    Answer answer_;
    DWORD uiThread_;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    CRITICAL_SECTION lock_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> handled_;
};

// Clicks the given button of every dialog that appears, and OK on message boxes.
DialogWatcher::Answer ClickEach(int id);
