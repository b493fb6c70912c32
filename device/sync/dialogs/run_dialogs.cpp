#include "run_dialogs.h"

#include "base/text.h"
#include "dialog_ids.h"
#include "framework/message_fit.h"
#include "program_icon.h"
#include "sync/prompts.h"

// The templates name their icons; the pictures come from the program's module, or from
// the system while the module lacks them.
namespace {

LRESULT InitNotice(HWND hwnd, int iconId, const wchar_t* text) {
    ShowProgramIcon(hwnd, IDC_DIALOG_ICON, iconId);
    if (text) ShowFittedMessage(hwnd, IDC_DIALOG_MESSAGE, text);
    else FitDialogToScreenWidth(hwnd);
    CenterWindow(hwnd);
    return TRUE;
}

}  // namespace

INT_PTR FDlgConfSrc::Show(HWND owner) { return RunDialog(this, owner, PickName(L"DlgConfSrc_E", L"DlgConfSrc_J")); }

INT_PTR FDlgConfDst::Ask(HWND owner) { return RunDialog(this, owner, PickName(L"DlgConfDst_E", L"DlgConfDst_J")); }

LRESULT FDlgFolderText::OnInitDialog(HWND hwnd, UINT, WPARAM, LPARAM) {
    return InitNotice(hwnd, kIconWarning, text_);
}

INT_PTR FDlgSuccess::Show(HWND owner) { return RunDialog(this, owner, PickName(L"DlgSuccess_E", L"DlgSuccess_J")); }

LRESULT FDlgSuccess::OnInitDialog(HWND hwnd, UINT, WPARAM, LPARAM) {
    return InitNotice(hwnd, kIconInformation, nullptr);
}
