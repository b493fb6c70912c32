#include "set_file_session.h"

#include <string>

#include "base/paths.h"
#include "framework/message_boxes.h"
#include "sets/app_settings.h"
#include "sets/file_dialog.h"
#include "sets/ini_codec.h"
#include "sets/set_file_texts.h"
#include "sets/set_file_writer.h"

namespace {

const TextPair kConfirmCaption{L"Confirm", L"確認"};

}  // namespace

SetFileSession::SetFileSession(SetEditor& sets, const FWnd& window) : sets_(sets), window_(window) {}

int SetFileSession::LoadSetFile() {
    while (sets_.SetCount() > 0) sets_.RemoveSet(0);
    const SetFields kept = sets_.CurrentSet;
    std::string bytes;
    bool read = ReadSetFile(
        AppSettings.iniFile,
        [this](const SetFields& set) {
            sets_.CurrentSet = set;
            sets_.InsertSet(-1);
        },
        &bytes);
    setFileOnDisk_ = false;
    if (!read) {
        setFileFailure_ = GetLastError();
        // A file that is not there holds nothing to protect: the save at exit creates it.
        setFileUnread_ = setFileFailure_ != ERROR_FILE_NOT_FOUND;
        // A file cut short by a failure never passes for the complete list.
        while (sets_.SetCount() > 0) sets_.RemoveSet(0);
        sets_.CurrentSet = kept;
        // The list is empty now: an index into it would make the next commit insert nothing.
        sets_.currentIndex = -1;
        return 0;
    }
    setFileUnread_ = false;
    sets_.SelectFirstSet();
    setFileAsRead_ = SetFileContent();
    setFileOnDisk_ = true;
    setFileReadsBack_ = setFileAsRead_ == bytes;
    return 1;
}

std::string SetFileSession::SetFileContent() const {
    return FormatSetFile(sets_.SetCount(), [this](int i, SetFields& set) { sets_.ListedSet(i, set); });
}

bool SetFileSession::WriteSetFile(const wchar_t* path) {
    sets_.CommitCurrentSet();
    const std::string content = SetFileContent();
    if (!ReplaceFileContent(path, content)) return false;
    setFileAsRead_ = content;  // the file holds its own bytes now
    setFileOnDisk_ = true;
    setFileReadsBack_ = true;
    return true;
}

int SetFileSession::SaveSetFile() { return WriteSetFile(AppSettings.iniFile) ? 1 : 0; }

void SetFileSession::ShowSetFileFailure(const TextPair& text, const wchar_t* path, DWORD code) const {
    ::ShowError(window_.hwnd, L"%s", SetFileFailureText(text, path, code).c_str());
}

void SetFileSession::OpenSetFileCommand() {
    wchar_t path[MAX_PATH];
    if (!AskSetFilePath(window_.hwnd, SetFileDialogKind::Open, AppSettings.iniFile, path)) return;
    CopyPath(AppSettings.iniFile, path);
    if (!LoadSetFile()) ShowSetFileFailure(SetFileTexts::ReadFailed, AppSettings.iniFile, setFileFailure_);
}

// The chosen file becomes the program's INI file only once the sets are in it.
void SetFileSession::SaveSetFileCommand() {
    wchar_t path[MAX_PATH];
    if (!AskSetFilePath(window_.hwnd, SetFileDialogKind::Save, AppSettings.iniFile, path)) return;
    if (!WriteSetFile(path)) {
        ShowSetFileFailure(SetFileTexts::SaveFailed, path, GetLastError());
        return;
    }
    CopyPath(AppSettings.iniFile, path);
    setFileUnread_ = false;
}

void SetFileSession::ShowStartupNotice() {
    if (setFileUnread_) ShowSetFileFailure(SetFileTexts::ReadFailed, AppSettings.iniFile, setFileFailure_);
}

// The set file could not be read at start-up and is not written over: the sets made since
// are kept only where the user says, or dropped once the user has said so.
void SetFileSession::OfferToKeepUnsavedSets(const wchar_t* question) {
    while (ShowMessageBox(window_.hwnd, question, Pick(kConfirmCaption), MB_YESNO | MB_ICONWARNING) == IDYES) {
        wchar_t path[MAX_PATH];
        if (!AskSetFilePath(window_.hwnd, SetFileDialogKind::Save, AppSettings.iniFile, path)) continue;
        if (WriteSetFile(path)) {
            CopyPath(AppSettings.iniFile, path);
            setFileUnread_ = false;
            return;
        }
        ShowSetFileFailure(SetFileTexts::SaveFailed, path, GetLastError());
    }
}

void SetFileSession::SaveAtExit() {
    if (exitSaved_) return;
    exitSaved_ = true;
    if (AppSettings.iniFile[0] == L'\0') return;
    SaveSettings();
    if (setFileUnread_) {  // the user's file stays as it is
        if (sets_.SetCount() == 0) return;  // nothing was made
        wchar_t reason[kMessageChars];
        SetFileReason(setFileFailure_, reason);
        OfferToKeepUnsavedSets(FormatString(Pick(SetFileTexts::UnsavedSets), AppSettings.iniFile, reason).c_str());
        return;
    }
    // A file the sets would not write back to its own bytes (another code page, lines the
    // program does not keep) is never rewritten in silence: left alone while the sets are
    // as read, and asked about once they changed.
    sets_.CommitCurrentSet();
    if (setFileOnDisk_ && !setFileReadsBack_) {
        if (SetFileContent() == setFileAsRead_) return;
        OfferToKeepUnsavedSets(FormatString(Pick(SetFileTexts::NotReadBack), AppSettings.iniFile).c_str());
        return;
    }
    if (!SaveSetFile()) {
        DWORD failure = GetLastError();
        ShowSetFileFailure(SetFileTexts::ExitSaveFailed, AppSettings.iniFile, failure);
    }
}
