#pragma once
#include <string>

#include "base/text.h"

// Dialog results of the prompts.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr int kIdYesToAll = 20;

// Icon resources of the prompts and run dialogs.
constexpr int kIconReplace = 153;
constexpr int kIconDelete = 155;
constexpr int kIconWarning = 32515;
constexpr int kIconInformation = 32516;

enum class PromptKind { Replace, FileDelete, FolderDelete };

// One question of a run, worded in the UiLanguage.
struct Prompt {
    PromptKind kind;
    const wchar_t* caption;
    int iconId;
    const wchar_t* yesToAllCaption;  // only the replace prompt renames button 20
    bool yesToAll;                   // four buttons (Yes, Yes to All, No, Cancel) or two
    bool defaultNo = false;          // No, not Yes, answers Enter (a question whose Yes loses much)
    std::wstring message;            // the whole question, however long its path or name
};

// Words the prompt for `path`: the full path for Replace, its name part for the delete
// prompts (whose wording also depends on the file's attributes).
void ComposePrompt(PromptKind kind, const wchar_t* path, bool yesToAll, Prompt& out);

// The dialog template that shows a prompt.
inline const wchar_t* PromptTemplate(bool yesToAll) {
    return yesToAll ? PickName(L"DlgYesAllNoCancel_E", L"DlgYesAllNoCancel_J") : PickName(L"DlgYesNo_E", L"DlgYesNo_J");
}
