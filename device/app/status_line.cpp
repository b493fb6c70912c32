#include "status_line.h"

#include <commctrl.h>

void StatusLine::Attach(HWND statusBar, HWND owner) {
    bar_ = statusBar;
    tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
    if (!tip_) return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(statusBar);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // A long path or sentence wraps within the screen.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) - 16);
}

void StatusLine::Show(const wchar_t* full, const wchar_t* brief) {
    full_ = full;
    brief_ = brief ? brief : L"";
    const wchar_t* text = brief_.empty() || Fits(full) ? full : brief_.c_str();
    SendMessageW(bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
}

void StatusLine::Refit() {
    if (full_.empty()) return;
    const std::wstring shown = Shown();
    if (shown == full_ || shown == brief_) Show(full_.c_str(), brief_.c_str());
}

bool StatusLine::OnNotify(LPARAM lParam) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (!tip_ || info->hdr.hwndFrom != tip_ || info->hdr.code != TTN_GETDISPINFOW) return false;
    // The figures' whole text behind their short form; any other text only when cut.
    const std::wstring shown = Shown();
    tipText_ = !brief_.empty() && shown == brief_ ? full_ : Fits(shown.c_str()) ? L"" : shown;
    info->lpszText = const_cast<wchar_t*>(tipText_.c_str());
    info->hinst = nullptr;
    return true;
}

bool StatusLine::Fits(const wchar_t* text) const {
    RECT part{};
    if (!SendMessageW(bar_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part))) return true;
    int borders[3] = {};
    SendMessageW(bar_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    HDC dc = GetDC(bar_);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(bar_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentExPointW(dc, text, static_cast<int>(wcslen(text)), 0, nullptr, nullptr, &size);
    SelectObject(dc, font);
    ReleaseDC(bar_, dc);
    // The part's text stands inside its edges with a few pixels' margin.
    return size.cx <= part.right - part.left - 2 * borders[0] - 6;
}

std::wstring StatusLine::Shown() const {
    const int length = LOWORD(SendMessageW(bar_, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(bar_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}
