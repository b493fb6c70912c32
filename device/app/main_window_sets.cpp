// The set list, the working copy CurrentSet and the INI set file, as the main window runs them.
#include <algorithm>
#include <cwchar>
#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "command_ids.h"
#include "framework/message_boxes.h"
#include "main_window.h"
#include "sets/app_settings.h"
#include "sets/exclude_dialog.h"
#include "sets/file_dialog.h"
#include "sets/ini_codec.h"
#include "sets/set_file_texts.h"
#include "sets/set_file_writer.h"
#include "sets/sync_set.h"

namespace {

const TextPair kNewSetName{L"New set", L"新しいｾｯﾄ"};
const TextPair kNewSetSource{L"set source folder's path", L"転送元ﾌｫﾙﾀﾞの指定"};
const TextPair kNewSetDestination{L"set destination folder's path", L"転送先ﾌｫﾙﾀﾞの指定"};
const TextPair kDeleteQuestion{L"Are you sure delete this set '%s'?", L"'%s' を削除してもよろしいですか?"};
const TextPair kConfirmCaption{L"Confirm", L"確認"};

// An item's text into a 260-unit field; a longer text is cut, never written past the field.
void ItemText(HWND list, int index, wchar_t (&field)[MAX_PATH]) {
    LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
    field[0] = L'\0';
    if (length == CB_ERR) return;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::min<size_t>(wcslen(text.c_str()), MAX_PATH - 1));
    CopyPath(field, text.c_str());
}

SyncSet* ItemRecord(HWND list, int index) {
    LRESULT data = SendMessageW(list, CB_GETITEMDATA, index, 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<SyncSet*>(data);
}

int Checked(const FCheckBox& box) { return SendMessageW(box.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }
void SetChecked(const FCheckBox& box, int flag) { SendMessageW(box.hwnd, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0); }

}  // namespace

// A check box's state, or a menu item's check mark (which toggles like a check box and, like
// one, reaches the set at the commit points).
void MainWindow::ShowOption(int index, bool on) {
    if (index < kOptionBoxCount) {
        SetChecked(optionBoxes[index], on ? 1 : 0);
    } else {
        CheckMenuItem(menu.handle, kSetOptions[index].controlId, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool MainWindow::OptionShownOn(int index) const {
    if (index < kOptionBoxCount) return Checked(optionBoxes[index]) != 0;
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu.handle, kSetOptions[index].controlId, FALSE, &item);
    return (item.fState & MFS_CHECKED) != 0;
}

void MainWindow::ToggleMenuOption(int command) {
    for (int i = kOptionBoxCount; i < kSetOptionCount; ++i) {
        if (kSetOptions[i].controlId == command) ShowOption(i, !OptionShownOn(i));
    }
}

// The patterns go to the set's record at once as well: another set picked before the next
// commit point would otherwise take them back.
void MainWindow::EditOptionText(const SetOption& option) {
    FDlgExclude dialog(CurrentSet.*option.text);
    if (!dialog.Edit(hwnd) || currentIndex < 0) return;
    SyncSet* record = ItemRecord(setList.hwnd, currentIndex);
    if (record == nullptr) return;
    SetFields fields = CurrentSet;
    record->CopyTo(fields);  // the record's folders and switches as they were
    CopyPath(fields.*option.text, CurrentSet.*option.text);
    if (SyncSet* updated = SyncSet::FromFields(fields)) {
        delete record;
        SendMessageW(setList.hwnd, CB_SETITEMDATA, currentIndex, reinterpret_cast<LPARAM>(updated));
    }
}

int MainWindow::SetCount() const { return static_cast<int>(SendMessageW(setList.hwnd, CB_GETCOUNT, 0, 0)); }

void MainWindow::ClearCurrentSet() { ClearSetFields(CurrentSet); }

void MainWindow::ResetCurrentSet() {
    ClearSetFields(CurrentSet);
    CopyPath(CurrentSet.name, Pick(kNewSetName));
    CopyPath(CurrentSet.source, Pick(kNewSetSource));
    CopyPath(CurrentSet.destination, Pick(kNewSetDestination));
}

void MainWindow::LoadCurrentSet(int index) {
    if (index < 0 || index >= SetCount()) {
        ResetCurrentSet();
        return;
    }
    ItemText(setList.hwnd, index, CurrentSet.name);
    if (SyncSet* record = ItemRecord(setList.hwnd, index)) record->CopyTo(CurrentSet);
}

void MainWindow::ShowCurrentSet() {
    SetWindowTextW(sourceEdit.hwnd, CurrentSet.source);
    SetWindowTextW(destinationEdit.hwnd, CurrentSet.destination);
    for (int i = 0; i < kSetOptionCount; ++i) {
        if (kSetOptions[i].flag) ShowOption(i, CurrentSet.*kSetOptions[i].flag != 0);
    }
}

void MainWindow::ReadSetControls() {
    // A folder longer than a set keeps is not taken: the set keeps the folder it had rather
    // than a cut one the user never named (a run refuses the edit's text as too long).
    auto readFolder = [](const FEdit& edit, wchar_t (&field)[MAX_PATH]) {
        if (GetWindowTextLengthW(edit.hwnd) < static_cast<int>(MAX_PATH)) GetWindowTextW(edit.hwnd, field, MAX_PATH);
    };
    GetWindowTextW(setList.hwnd, CurrentSet.name, MAX_PATH);
    readFolder(sourceEdit, CurrentSet.source);
    readFolder(destinationEdit, CurrentSet.destination);
    for (int i = 0; i < kSetOptionCount; ++i) {
        if (kSetOptions[i].flag) CurrentSet.*kSetOptions[i].flag = OptionShownOn(i) ? 1 : 0;
    }
}

int MainWindow::InsertSet(int index) {
    int item = static_cast<int>(
        SendMessageW(setList.hwnd, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(CurrentSet.name)));
    if (item < 0) return item;
    SyncSet* record = SyncSet::FromFields(CurrentSet);
    if (record == nullptr) {
        // An item is never left without its record.
        SendMessageW(setList.hwnd, CB_DELETESTRING, item, 0);
        return -1;
    }
    SendMessageW(setList.hwnd, CB_SETITEMDATA, item, reinterpret_cast<LPARAM>(record));
    currentIndex = static_cast<int>(SendMessageW(setList.hwnd, CB_SETCURSEL, item, 0));
    return item;
}

void MainWindow::RemoveSet(int index) {
    if (index < 0 || index >= SetCount()) return;
    delete ItemRecord(setList.hwnd, index);
    SendMessageW(setList.hwnd, CB_DELETESTRING, index, 0);
}

void MainWindow::CommitCurrentSet() {
    if (currentIndex < 0) {
        InsertSet(-1);
    } else {
        RemoveSet(currentIndex);
        InsertSet(currentIndex);
    }
}

void MainWindow::OnSetSelChange() {
    currentIndex = static_cast<int>(SendMessageW(setList.hwnd, CB_GETCURSEL, 0, 0));
    if (currentIndex >= 0) {
        LoadCurrentSet(currentIndex);
        ShowCurrentSet();
    }
}

void MainWindow::OnSetListDropDown() {
    ReadSetControls();
    CommitCurrentSet();
}

void MainWindow::NewSet() {
    ResetCurrentSet();
    ShowCurrentSet();
    InsertSet(-1);
}

void MainWindow::DeleteSet() {
    int index = static_cast<int>(SendMessageW(setList.hwnd, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    wchar_t name[MAX_PATH];
    GetWindowTextW(setList.hwnd, name, MAX_PATH);
    wchar_t question[kMessageChars];
    FormatInto(question, Pick(kDeleteQuestion), name);
    if (ShowMessageBox(hwnd, question, Pick(kConfirmCaption), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    RemoveSet(index);
    currentIndex = static_cast<int>(SendMessageW(setList.hwnd, CB_SETCURSEL, 0, 0));
    LoadCurrentSet(0);
    ShowCurrentSet();
}

void MainWindow::DestroySetRecords() {
    for (int i = 0, count = SetCount(); i < count; ++i) {
        delete ItemRecord(setList.hwnd, i);
        SendMessageW(setList.hwnd, CB_SETITEMDATA, i, 0);
    }
}

int MainWindow::LoadSetFile() {
    while (SetCount() > 0) RemoveSet(0);
    const SetFields kept = CurrentSet;
    std::string bytes;
    bool read = ReadSetFile(
        AppSettings.iniFile,
        [this](const SetFields& set) {
            CurrentSet = set;
            InsertSet(-1);
        },
        &bytes);
    setFileOnDisk_ = false;
    if (!read) {
        setFileFailure_ = GetLastError();
        // A file that is not there holds nothing to protect: the save at exit creates it.
        setFileUnread_ = setFileFailure_ != ERROR_FILE_NOT_FOUND;
        // A file cut short by a failure never passes for the complete list.
        while (SetCount() > 0) RemoveSet(0);
        CurrentSet = kept;
        // The list is empty now: an index into it would make the next commit insert nothing.
        currentIndex = -1;
        return 0;
    }
    setFileUnread_ = false;
    currentIndex = static_cast<int>(SendMessageW(setList.hwnd, CB_SETCURSEL, 0, 0));
    LoadCurrentSet(0);
    ShowCurrentSet();
    setFileAsRead_ = SetFileContent();
    setFileOnDisk_ = true;
    setFileReadsBack_ = setFileAsRead_ == bytes;
    return 1;
}

std::string MainWindow::SetFileContent() const {
    return FormatSetFile(SetCount(), [this](int i, SetFields& set) {
        ClearSetFields(set);
        ItemText(setList.hwnd, i, set.name);
        if (SyncSet* record = ItemRecord(setList.hwnd, i)) record->CopyTo(set);
    });
}

bool MainWindow::WriteSetFile(const wchar_t* path) {
    CommitCurrentSet();
    const std::string content = SetFileContent();
    if (!ReplaceFileContent(path, content)) return false;
    setFileAsRead_ = content;  // the file holds its own bytes now
    setFileOnDisk_ = true;
    setFileReadsBack_ = true;
    return true;
}

int MainWindow::SaveSetFile() { return WriteSetFile(AppSettings.iniFile) ? 1 : 0; }

void MainWindow::ShowSetFileFailure(const TextPair& text, const wchar_t* path, DWORD code) {
    ::ShowError(hwnd, L"%s", SetFileFailureText(text, path, code).c_str());
}

void MainWindow::OpenSetFileCommand() {
    wchar_t path[MAX_PATH];
    if (!AskSetFilePath(hwnd, SetFileDialogKind::Open, AppSettings.iniFile, path)) return;
    CopyPath(AppSettings.iniFile, path);
    if (!LoadSetFile()) ShowSetFileFailure(SetFileTexts::ReadFailed, AppSettings.iniFile, setFileFailure_);
}

// The chosen file becomes the program's INI file only once the sets are in it.
void MainWindow::SaveSetFileCommand() {
    wchar_t path[MAX_PATH];
    if (!AskSetFilePath(hwnd, SetFileDialogKind::Save, AppSettings.iniFile, path)) return;
    if (!WriteSetFile(path)) {
        ShowSetFileFailure(SetFileTexts::SaveFailed, path, GetLastError());
        return;
    }
    CopyPath(AppSettings.iniFile, path);
    setFileUnread_ = false;
}

void MainWindow::ShowStartupNotice() {
    if (setFileUnread_) ShowSetFileFailure(SetFileTexts::ReadFailed, AppSettings.iniFile, setFileFailure_);
}

// The set file could not be read at start-up and is not written over: the sets made since
// are kept only where the user says, or dropped once the user has said so.
void MainWindow::OfferToKeepUnsavedSets(const wchar_t* question) {
    while (ShowMessageBox(hwnd, question, Pick(kConfirmCaption), MB_YESNO | MB_ICONWARNING) == IDYES) {
        wchar_t path[MAX_PATH];
        if (!AskSetFilePath(hwnd, SetFileDialogKind::Save, AppSettings.iniFile, path)) continue;
        if (WriteSetFile(path)) {
            CopyPath(AppSettings.iniFile, path);
            setFileUnread_ = false;
            return;
        }
        ShowSetFileFailure(SetFileTexts::SaveFailed, path, GetLastError());
    }
}

void MainWindow::SaveAtExit() {
    if (exitSaved_) return;
    exitSaved_ = true;
    if (AppSettings.iniFile[0] == L'\0') return;
    SaveSettings();
    if (setFileUnread_) {  // the user's file stays as it is
        if (SetCount() == 0) return;  // nothing was made
        wchar_t reason[kMessageChars];
        SetFileReason(setFileFailure_, reason);
        OfferToKeepUnsavedSets(FormatString(Pick(SetFileTexts::UnsavedSets), AppSettings.iniFile, reason).c_str());
        return;
    }
    // A file the sets would not write back to its own bytes (another code page, lines the
    // program does not keep) is never rewritten in silence: left alone while the sets are
    // as read, and asked about once they changed.
    CommitCurrentSet();
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
