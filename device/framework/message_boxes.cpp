#include "message_boxes.h"

#include "box_ids.h"

#include <cstdarg>
#include <string>

#include "base/text.h"
#include "dialog.h"
#include "message_fit.h"
#include "program.h"

namespace {

const TextPair kErrorCaption{L"Error", L"ｴﾗｰ"};

// The icon and the message of the box's templates (as in the run's dialogs).
constexpr int kBoxIcon = IDC_DIALOG_ICON;
constexpr int kBoxText = IDC_DIALOG_MESSAGE;

bool AsksYesOrNo(UINT type) { return (type & MB_TYPEMASK) == MB_YESNO; }

// The system's own picture for the box type's icon, as its message box shows it.
HICON SystemIcon(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return LoadIconW(nullptr, IDI_HAND);
    case MB_ICONQUESTION: return LoadIconW(nullptr, IDI_QUESTION);
    case MB_ICONWARNING: return LoadIconW(nullptr, IDI_EXCLAMATION);
    case MB_ICONINFORMATION: return LoadIconW(nullptr, IDI_ASTERISK);
    default: return nullptr;
    }
}

class FDlgMessage : public FDlg {
public:
    FDlgMessage(const wchar_t* text, const wchar_t* caption, UINT type) : text_(text), caption_(caption), type_(type) {}

    LRESULT OnInitDialog(HWND hwnd, UINT, WPARAM, LPARAM) override {
        SetWindowTextW(hwnd, caption_ ? caption_ : L"");
        if (HICON icon = SystemIcon(type_))
            SendDlgItemMessageW(hwnd, kBoxIcon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
        ShowFittedMessage(hwnd, kBoxText, text_);
        CenterWindow(hwnd);
        MessageBeep(type_ & MB_ICONMASK);
        return TRUE;  // the focus on the first button, the default one
    }

    // As in the system's box: Escape (or the close box) is OK where OK is the only answer,
    // and nothing where the question wants Yes or No.
    LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDCANCEL) {
            if (AsksYesOrNo(type_)) return TRUE;
            wParam = MAKEWPARAM(IDOK, BN_CLICKED);
        }
        return FDlg::OnCommand(hwnd, msg, wParam, lParam);
    }

private:
    const wchar_t* text_;
    const wchar_t* caption_;
    UINT type_;
};

}  // namespace

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    const wchar_t* name = nullptr;
    if (buttons == MB_OK) name = PickName(L"DlgMessageOk_E", L"DlgMessageOk_J");
    if (buttons == MB_YESNO) name = PickName(L"DlgMessageYesNo_E", L"DlgMessageYesNo_J");
    if (name && FindResourceW(ProgramInstance(), name, RT_DIALOG) != nullptr) {
        FDlgMessage box(text, caption, type);
        const INT_PTR answer = RunDialog(&box, owner, name);
        if (answer > 0) return static_cast<int>(answer);
    }
    // Not among the resources, or not shown: the text still reaches the user.
    return MessageBoxW(owner, text, caption, type);
}

// An error names files and folders: its text is as long as they need.
void ShowError(HWND owner, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const std::wstring text = FormatStringV(format, args);
    va_end(args);
    ShowMessageBox(owner, text.c_str(), Pick(kErrorCaption), kErrorBoxType);
}
