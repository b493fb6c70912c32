#pragma once
#include <windows.h>

#include "sync/sync_host.h"

// The part of a windowed host that shows the run's dialogs and boxes, each modal to the
// owner window. The window that derives from it supplies the pump, the log, the status
// text and the locking around a run.
class GuiSyncHost : public SyncHost {
public:
    explicit GuiSyncHost(HWND owner = nullptr) : owner_(owner) {}

    void SetDialogOwner(HWND owner) { owner_ = owner; }

    // A question that could not be shown (its template missing) answers Cancel, so that
    // nothing is replaced or deleted without the user's word.
    int AskPrompt(const Prompt& prompt) override;
    void ShowFolderNotice(const wchar_t* text) override;
    int AskCreateDestination(const wchar_t* text) override;
    // Yes or No, No the default; closing the box is No.
    int AskEmptySource(const wchar_t* text) override;
    // Yes or No, No the default; closing the box is No.
    int AskLowBattery(const wchar_t* text) override;
    // Yes or No, No the default; closing the box is No.
    int AskUndo(const wchar_t* text) override;
    void ShowSuccess() override;
    void ShowError(const wchar_t* text) override;

private:
    HWND owner_;
};
