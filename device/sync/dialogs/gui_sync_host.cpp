#include "gui_sync_host.h"

#include "framework/message_boxes.h"
#include "prompt_dialogs.h"
#include "run_dialogs.h"
#include "sync/keep_texts.h"
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

namespace {

const TextPair kLowBatteryCaption{L"Low battery", L"ﾊﾞｯﾃﾘ残量低下"};

// A Yes/No question whose Yes changes much: No is the default button, closing the box is No.
int AskWarning(HWND owner, const TextPair& caption, const wchar_t* text) {
    Prompt prompt{PromptKind::FolderDelete, Pick(caption), kIconWarning, nullptr, false, true, text};
    return AskPromptDialog(owner, prompt) == kIdYes ? kIdYes : kIdNo;
}

}  // namespace

int GuiSyncHost::AskEmptySource(const wchar_t* text) { return AskWarning(owner_, SyncTexts::EmptySourceCaption, text); }

int GuiSyncHost::AskLowBattery(const wchar_t* text) { return AskWarning(owner_, kLowBatteryCaption, text); }

int GuiSyncHost::AskUndo(const wchar_t* text) { return AskWarning(owner_, KeepTexts::UndoCaption, text); }

void GuiSyncHost::ShowSuccess() {
    FDlgSuccess result;
    result.Show(owner_);
}

// The text is finished; it is passed as an argument so that a "%" in a path stays as it is.
void GuiSyncHost::ShowError(const wchar_t* text) { ::ShowError(owner_, L"%s", text); }
