#pragma once
#include <windows.h>

#include "framework/dialog.h"
#include "sync/prompts.h"

// A question of a run, shown from the Yes/Yes to All/No/Cancel template (or Yes/No without
// Yes to All). Its wording comes finished from ComposePrompt.
class FDlgPrompt : public FDlg {
public:
    explicit FDlgPrompt(const Prompt& prompt) : prompt_(prompt) {}

    // Runs the question modally over `owner`; returns the id of the button that ended it.
    INT_PTR Ask(HWND owner) { return RunDialog(this, owner, PromptTemplate(prompt_.yesToAll)); }

    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    const Prompt& prompt_;
};

// Copying onto a place where a folder stands.
class FDlgConfirmReplace : public FDlgPrompt {
public:
    using FDlgPrompt::FDlgPrompt;
};

// Deleting a destination file that the source lacks.
class FDlgConfirmFileDelete : public FDlgPrompt {
public:
    using FDlgPrompt::FDlgPrompt;
};

// Removing a destination folder with everything in it.
class FDlgConfirmFolderDelete : public FDlgPrompt {
public:
    using FDlgPrompt::FDlgPrompt;
};

// Asks `prompt` with the dialog class of its kind.
INT_PTR AskPromptDialog(HWND owner, const Prompt& prompt);
