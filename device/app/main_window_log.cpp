// File › Save Log: the operation list kept as a text file.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "base/paths.h"
#include "framework/message_boxes.h"
#include "main_window.h"
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

void MainWindow::NoteRunForLog(const wchar_t* kind) {
    CopyPath(logHeader_.set, CurrentSet.name);
    logHeader_.kind = kind;
    GetLocalTime(&logHeader_.started);
}

std::string MainWindow::LogContent() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const bool ran = logHeader_.kind[0] != L'\0';
    // The status bar holds the last run's figures from its end until the next run.
    std::wstring text = LogHeader(logHeader_.set, logHeader_.kind, ran ? logHeader_.started : now,
                                  ran ? StatusText(statusBar.hwnd).c_str() : nullptr);
    text += L"\r\n";
    const int rows = static_cast<int>(SendMessageW(operationList.hwnd, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        AppendLogRow(text, ItemText(operationList.hwnd, row, 0).c_str(), ItemText(operationList.hwnd, row, 1).c_str(),
                     ItemText(operationList.hwnd, row, 2).c_str(), L"\r\n");
    }
    const int length = static_cast<int>(text.size());
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

void MainWindow::SaveLogCommand() {
    wchar_t path[MAX_PATH];
    if (!AskSetFilePath(hwnd, SetFileDialogKind::SaveLog, AppSettings.iniFile, path)) return;
    if (!ReplaceFileContent(path, LogContent(), kNoLogLimit)) {
        ShowSetFileFailure(SetFileTexts::LogSaveFailed, path, GetLastError());
    }
}
