#include "console_host.h"

#include <cctype>
#include <cstring>
#include <cwchar>

#include "sync/keep_texts.h"
#include "base/text.h"
#include "sync/log_text.h"
#include "sync/sync_texts.h"

// Never freed: see InputLines.
ConsoleHost::ConsoleHost(HANDLE interrupt)
    : rows_(STD_OUTPUT_HANDLE), messages_(STD_ERROR_HANDLE), input_(*new InputLines), interrupt_(interrupt) {}

bool ConsoleHost::OpenLog(const wchar_t* path, const std::wstring& header) {
    log_.Reset(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log_.Valid()) return false;
    if (GetFileType(log_.Get()) != FILE_TYPE_DISK) {  // a device or a pipe is no log file
        log_.Reset();
        SetLastError(ERROR_BAD_FILE_TYPE);
        return false;
    }
    return WriteLogLine(header + L"\r\n");
}

bool ConsoleHost::WriteLogLine(const std::wstring& line) {
    if (!log_.Valid() || !logIntact_) return logIntact_;
    ToUtf8(line.data(), line.size(), logBytes_);
    const DWORD bytes = static_cast<DWORD>(logBytes_.size());
    DWORD written = 0;
    logIntact_ = WriteFile(log_.Get(), logBytes_.data(), bytes, &written, nullptr) && written == bytes;
    if (!logIntact_) Report(L"zolvsync", L"the log file could not be written to its end");
    return logIntact_;
}

void ConsoleHost::AddLogRow(const wchar_t* operation, const wchar_t* first, const wchar_t* second) {
    rows_.Write(operation);
    rows_.Write(L"\t");
    rows_.WriteEscaped(first);
    rows_.Write(L"\t");
    rows_.WriteEscaped(second);
    rows_.Write(L"\n");
    // Through to the reader at once: a script sees each row as it comes, and the row of the
    // file being copied is there even after the program is killed.
    rows_.Flush();
    if (log_.Valid()) {
        std::wstring line;
        AppendLogRow(line, operation, first, second, L"\r\n");
        WriteLogLine(line);
    }
}

void ConsoleHost::ShowCopyProgress(unsigned long long done, unsigned long long total) {
    if (!messages_.IsConsole()) return;
    int percent = done < total ? static_cast<int>(done * 100 / total) : -1;
    if (percent == copyPercent_) return;
    if (percent < 0) {
        ClearProgress();
        return;
    }
    copyPercent_ = percent;
    wchar_t text[16];
    swprintf(text, 16, L"\r%3d%%", percent);
    messages_.Write(text);
    messages_.Flush();
}

// Before any other text, and at the end of a run stopped mid-file.
void ConsoleHost::ClearProgress() {
    if (copyPercent_ < 0) return;
    copyPercent_ = -1;
    messages_.Write(L"\r    \r");
    messages_.Flush();
}

void ConsoleHost::Report(const wchar_t* caption, const wchar_t* text) {
    ClearProgress();
    rows_.Flush();  // keep the rows and the messages in the order they happened
    messages_.Write(caption);
    messages_.Write(L": ");
    messages_.Write(text);
    messages_.Write(L"\n");
    messages_.Flush();
}

char ConsoleHost::Ask(const wchar_t* question, const char* allowed) {
    rows_.Flush();
    std::string line;
    for (;;) {
        messages_.Write(question);
        messages_.Flush();
        if (input_.Next(line, interrupt_) != InputLines::kLine) {
            messages_.Write(L"\n");
            messages_.Flush();
            return 0;
        }
        if (line.size() == 1) {
            char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
            if (std::strchr(allowed, letter)) return letter;
        }
    }
}

int ConsoleHost::AskPrompt(const Prompt& prompt) {
    Report(prompt.caption, prompt.message.c_str());
    const wchar_t* question = prompt.yesToAll ? L"[y]es, yes to [a]ll, [n]o, [c]ancel? " : L"[y]es, [n]o? ";
    switch (Ask(question, prompt.yesToAll ? "yanc" : "yn")) {
    case 'y': return kIdYes;
    case 'a': return kIdYesToAll;
    case 'n': return kIdNo;
    default: return kIdCancel;  // 'c' and the end of input
    }
}

void ConsoleHost::ShowFolderNotice(const wchar_t* text) { Report(Pick(SyncTexts::SourceNoticeCaption), text); }

int ConsoleHost::AskCreateDestination(const wchar_t* text) {
    Report(Pick(SyncTexts::DestinationQuestionCaption), text);
    return Ask(L"[y]es, [n]o? ", "yn") == 'y' ? kIdYes : kIdNo;
}

int ConsoleHost::AskEmptySource(const wchar_t* text) {
    if (allowEmptySource) return kIdYes;
    Report(Pick(SyncTexts::EmptySourceCaption), text);
    if (refuseEmptySource) {
        Report(L"zolvsync", L"not with --force: nothing was deleted (--allow-empty-source deletes all the same)");
        return kIdNo;
    }
    return Ask(L"[y]es, [n]o? ", "yn") == 'y' ? kIdYes : kIdNo;
}

int ConsoleHost::AskLowBattery(const wchar_t* text) {
    Report(L"zolvsync", text);
    return Ask(L"[y]es, [n]o? ", "yn") == 'y' ? kIdYes : kIdNo;
}

int ConsoleHost::AskUndo(const wchar_t* text) {
    Report(Pick(KeepTexts::UndoCaption), text);
    return Ask(L"[y]es, [n]o? ", "yn") == 'y' ? kIdYes : kIdNo;
}

void ConsoleHost::ShowSuccess() { Report(Pick(SyncTexts::SuccessCaption), Pick(SyncTexts::SuccessMessage)); }

void ConsoleHost::EndRun() {
    ClearProgress();
    rows_.Flush();
}

void ConsoleHost::ShowError(const wchar_t* text) {
    static const TextPair caption{L"Error", L"ｴﾗｰ"};
    Report(Pick(caption), text);
}
