#include "gui_sync_host.h"

#include "framework/message_boxes.h"
#include "prompt_dialogs.h"
#include "run_dialogs.h"
#include "sync/sync_texts.h"

int GuiSyncHost::AskPrompt(const Prompt& prompt) {
    const INT_PTR answer = AskPromptDialog(owner_, prompt);
    if (answer == kIdYes || answer == kIdYesToAll || answer == kIdNo || answer == kIdCancel)
        return static_cast<int>(answer);
    if (answer <= 0) return kIdCancel;  // the dialog could not be shown
    return kIdYes;                      // any other button counts as Yes
}

void GuiSyncHost::ShowFolderNotice(const wchar_t* text) {
    FDlgConfSrc notice(text);
    notice.Show(owner_);
}

int GuiSyncHost::AskCreateDestination(const wchar_t* text) {
    FDlgConfDst question(text);
    return question.Ask(owner_) == kIdYes ? kIdYes : kIdNo;
}

int GuiSyncHost::AskEmptySource(const wchar_t* text) {
    Prompt prompt{PromptKind::FolderDelete, Pick(SyncTexts::EmptySourceCaption), kIconWarning, nullptr, false, true, text};
    return AskPromptDialog(owner_, prompt) == kIdYes ? kIdYes : kIdNo;
}

void GuiSyncHost::ShowSuccess() {
    FDlgSuccess result;
    result.Show(owner_);
}

// The text is finished; it is passed as an argument so that a "%" in a path stays as it is.
void GuiSyncHost::ShowError(const wchar_t* text) { ::ShowError(owner_, L"%s", text); }
