#include "run_log.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "framework/message_boxes.h"
#include "sets/app_settings.h"
#include "sets/file_dialog.h"
#include "sets/set_file_texts.h"
#include "sets/set_file_writer.h"
#include "sync/log_text.h"

namespace {

// A saved log is as long as its run: no limit but the memory that holds it.
constexpr unsigned long long kNoLogLimit = ~0ULL;

std::wstring ItemText(HWND list, int row, int column) {
    wchar_t text[2 * kMessageChars];  // a "skip" row may name a folder and a name of 259 characters each
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof text / sizeof text[0]);
    text[0] = L'\0';
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::wstring StatusText(HWND statusBar) {
    const LRESULT length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

}  // namespace

RunLog::RunLog(const Controls& controls) : controls_(controls) {}

void RunLog::NoteRunForLog(const wchar_t* set, const wchar_t* kind) {
    CopyPath(logHeader_.set, set);
    logHeader_.kind = kind;
    GetLocalTime(&logHeader_.started);
}

std::string RunLog::LogContent() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const bool ran = logHeader_.kind[0] != L'\0';
    // The status bar holds the last run's figures from its end until the next run.
    std::wstring text = LogHeader(logHeader_.set, logHeader_.kind, ran ? logHeader_.started : now,
                                  ran ? StatusText(controls_.statusBar.hwnd).c_str() : nullptr);
    text += L"\r\n";
    const HWND list = controls_.operationList.hwnd;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        AppendLogRow(text, ItemText(list, row, 0).c_str(), ItemText(list, row, 1).c_str(), ItemText(list, row, 2).c_str(),
                     L"\r\n");
    }
    return ToUtf8(text);
}

void RunLog::SaveLogCommand() {
    wchar_t path[MAX_PATH];
    if (!AskSetFilePath(controls_.window.hwnd, SetFileDialogKind::SaveLog, AppSettings.iniFile, path)) return;
    if (!ReplaceFileContent(path, LogContent(), kNoLogLimit)) {
        const std::wstring text = SetFileFailureText(SetFileTexts::LogSaveFailed, path, GetLastError());
        ::ShowError(controls_.window.hwnd, L"%s", text.c_str());
    }
}
