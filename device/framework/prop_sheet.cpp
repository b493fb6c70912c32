#include "prop_sheet.h"

#include "dialog.h"
#include "fault_guard.h"
#include "message_boxes.h"
#include "platform_hooks.h"
#include "program.h"
#include "window_list.h"

#include <algorithm>

namespace {

constexpr int kApplyButton = 0x3021;  // the sheet's Apply button

void Resize(HWND window, int dx, int dy) {
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left - dx, rect.bottom - rect.top - dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A static text that reaches past the right edge of its page is narrowed to it and grows
// downwards by the lines its text then needs; the controls below it move down as much.
// (The pages' controls stand in the order of their rows.)
void FitChildrenToWidth(HWND page) {
    RECT client;
    GetClientRect(page, &client);
    const int right = client.right - 2;
    int shift = 0;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
        OffsetRect(&rect, 0, shift);
        wchar_t cls[16] = L"";
        GetClassNameW(child, cls, 16);
        const bool text =
            _wcsicmp(cls, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
        if (text && rect.right > right && rect.left < right) {
            rect.right = right;
            wchar_t words[512] = L"";
            GetWindowTextW(child, words, 512);
            RECT need{0, 0, rect.right - rect.left, 0};
            HDC dc = GetDC(child);
            HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
            DrawTextW(dc, words, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
            SelectObject(dc, font);
            ReleaseDC(child, dc);
            if (need.bottom > rect.bottom - rect.top) {
                shift += need.bottom - (rect.bottom - rect.top);
                rect.bottom = rect.top + need.bottom;
            }
        }
        SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// A page larger than the sheet's display area (the sheet was made smaller for the screen)
// takes the area's size; its texts wrap within it (the sheet may size its pages in another
// font than theirs, which can make a page narrower than its texts on any screen).
void FitPageToSheet(HWND page) {
    HWND sheet = GetParent(page);
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    if (!tabs) return;
    RECT area, rect;
    GetWindowRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    GetWindowRect(page, &rect);
    const int dx = std::max(0, static_cast<int>(rect.right - area.right));
    const int dy = std::max(0, static_cast<int>(rect.bottom - area.bottom));
    if (dx > 0 || dy > 0) Resize(page, dx, dy);
    FitChildrenToWidth(page);
}

// A sheet larger than the screen's work area (a handheld's screen) gets smaller: its tab
// control and its pages with it, its buttons move with its edges, so that OK and Cancel
// stay on the screen.
void FitSheetToScreen(HWND sheet) {
    RECT area, rect;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(sheet, &rect);
    const int dx = std::max(0, static_cast<int>((rect.right - rect.left) - (area.right - area.left)));
    const int dy = std::max(0, static_cast<int>((rect.bottom - rect.top) - (area.bottom - area.top)));
    if (dx == 0 && dy == 0) return;
    Resize(sheet, dx, dy);
    Resize(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)), dx, dy);
    for (int id : {IDOK, IDCANCEL, IDHELP, kApplyButton}) {
        HWND button = GetDlgItem(sheet, id);
        if (!button) continue;
        RECT place;
        GetWindowRect(button, &place);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(button, nullptr, place.left - dx, place.top - dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))) FitPageToSheet(page);
}

// A sheet opens centred over its owner, like the program's dialogs (the platform would put
// it wherever new windows go), and within the screen.
int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    return static_cast<int>(Guarded(sheet, L"FPropPage", [&]() -> LRESULT {
        if (message == PSCB_INITIALIZED) {
            FitSheetToScreen(sheet);
            CenterWindow(sheet);
        }
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
    case PSN_SETACTIVE:
        FitPageToSheet(hwnd);
        result = OnSetActive();
        break;
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
