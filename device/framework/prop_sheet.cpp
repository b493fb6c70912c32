#include "prop_sheet.h"

#include "dialog.h"
#include "fault_guard.h"
#include "message_boxes.h"
#include "platform_hooks.h"
#include "program.h"
#include "window_list.h"

namespace {

// A sheet opens centred over its owner, like the program's dialogs (the platform would put
// it wherever new windows go).
int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    return static_cast<int>(Guarded(sheet, L"FPropPage", [&]() -> LRESULT {
        if (message == PSCB_INITIALIZED) CenterWindow(sheet);
        return 0;
    }));
}

}  // namespace

void FPropSheet::AddPageHandle(HPROPSHEETPAGE page) {
    if (pageCount >= kMaxPages) return;
    pageHandles[pageCount++] = page;
}

INT_PTR FPropSheet::ShowSheet(HWND parent, DWORD flags, const wchar_t* caption) {
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = flags | PSH_USECALLBACK;
    header.hwndParent = parent;
    header.hInstance = ProgramInstance();
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(pageCount);
    header.nStartPage = 0;
    header.phpage = pageHandles;
    header.pfnCallback = SheetCallback;
    return PropertySheetW(&header);
}

LRESULT FPropPage::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(hwnd, msg, wParam, lParam);
    case WM_COMMAND: return OnCommand(hwnd, msg, wParam, lParam);
    case WM_NOTIFY: return OnNotify(hwnd, msg, wParam, lParam);
    default: return 0;
    }
}

LRESULT FPropPage::OnNotify(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    LRESULT result;
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE: result = OnSetActive(); break;
    case PSN_KILLACTIVE: result = OnKillActive(); break;
    case PSN_APPLY: result = OnApply(); break;
    case PSN_WIZBACK: result = OnWizBack(); break;
    case PSN_WIZNEXT: result = OnWizNext(); break;
    case PSN_WIZFINISH: result = OnWizFinish(); break;
    case PSN_QUERYCANCEL: result = OnQueryCancel(); break;
    case PSN_RESET: OnReset(); return TRUE;
    case PSN_HELP: OnHelp(); return TRUE;
    default: return FALSE;
    }
    if (InstalledPlatformHooks().setDialogResult) InstalledPlatformHooks().setDialogResult(hwnd, result);
    return TRUE;
}

HPROPSHEETPAGE AddPage(FPropPage* page, FPropSheet* sheet, const wchar_t* templateName) {
    HINSTANCE instance = ProgramInstance();
    if (FindResourceW(instance, templateName, RT_DIALOG) == nullptr) ShowFatal(nullptr, L"DIALOG[%s]", templateName);
    PROPSHEETPAGEW description{};
    description.dwSize = sizeof description;
    description.dwFlags = 0;  // the tab title is the template's caption
    description.hInstance = instance;
    description.pszTemplate = templateName;
    description.pfnDlgProc = PropPageProc;
    description.lParam = reinterpret_cast<LPARAM>(page);
    page->sheet = sheet;
    page->pageHandle = CreatePropertySheetPageW(&description);
    if (page->pageHandle) sheet->AddPageHandle(page->pageHandle);
    return page->pageHandle;
}

INT_PTR CALLBACK PropPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Guarded(hwnd, L"FPropPage", [&]() -> LRESULT {
        FWnd* entering = msg == WM_INITDIALOG
                             ? reinterpret_cast<FPropPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam)
                             : nullptr;
        return DialogList.Route(entering, hwnd, msg, wParam, lParam);
    });
}
