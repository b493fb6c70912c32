#include "prompt_dialogs.h"

#include "dialog_ids.h"
#include "framework/message_fit.h"
#include "program_icon.h"

LRESULT FDlgPrompt::OnInitDialog(HWND hwnd, UINT, WPARAM, LPARAM) {
    SetWindowTextW(hwnd, prompt_.caption);
    ShowProgramIcon(hwnd, IDC_DIALOG_ICON, prompt_.iconId);
    if (prompt_.yesToAllCaption && GetDlgItem(hwnd, kIdYesToAll))
        SetDlgItemTextW(hwnd, kIdYesToAll, prompt_.yesToAllCaption);
    ShowFittedMessage(hwnd, IDC_DIALOG_MESSAGE, prompt_.message.c_str());
    CenterWindow(hwnd);
    if (!prompt_.defaultNo) return TRUE;
    // The focus on No makes it the default button too; FALSE keeps the focus there.
    SendMessageW(hwnd, DM_SETDEFID, kIdNo, 0);
    SendMessageW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, kIdNo)), TRUE);
    return FALSE;
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
