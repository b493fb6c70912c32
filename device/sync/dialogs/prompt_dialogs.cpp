#include "prompt_dialogs.h"

#include "dialog_ids.h"
#include "message_fit.h"
#include "program_icon.h"

LRESULT FDlgPrompt::OnInitDialog(HWND hwnd, UINT, WPARAM, LPARAM) {
    SetWindowTextW(hwnd, prompt_.caption);
    ShowProgramIcon(hwnd, kIconControl, prompt_.iconId);
    if (prompt_.yesToAllCaption && GetDlgItem(hwnd, kIdYesToAll))
        SetDlgItemTextW(hwnd, kIdYesToAll, prompt_.yesToAllCaption);
    ShowFittedMessage(hwnd, kMessageControl, prompt_.message);
    CenterWindow(hwnd);
    return TRUE;
}

INT_PTR AskPromptDialog(HWND owner, const Prompt& prompt) {
    switch (prompt.kind) {
    case PromptKind::Replace: {
        FDlgConfirmReplace dialog(prompt);
        return dialog.Ask(owner);
    }
    case PromptKind::FileDelete: {
        FDlgConfirmFileDelete dialog(prompt);
        return dialog.Ask(owner);
    }
    case PromptKind::FolderDelete:
    default: {
        FDlgConfirmFolderDelete dialog(prompt);
        return dialog.Ask(owner);
    }
    }
}
