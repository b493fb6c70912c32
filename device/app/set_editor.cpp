#include "set_editor.h"

#include <algorithm>
#include <cwchar>
#include <initializer_list>
#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "browse/browse_dialog.h"
#include "browse/folder_names.h"
#include "framework/message_boxes.h"
#include "sets/exclude_dialog.h"
#include "sets/set_options.h"
#include "sets/sync_set.h"
#include "sync/file_ops.h"

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

SetEditor::SetEditor(const Controls& controls) : controls_(controls) { ClearSetFields(CurrentSet); }

// A check box's state, or a menu item's check mark (which toggles like a check box and, like
// one, reaches the set at the commit points).
void SetEditor::ShowOption(int index, bool on) {
    if (index < kOptionBoxCount) {
        SetChecked(controls_.optionBoxes[index], on ? 1 : 0);
    } else {
        CheckMenuItem(controls_.menu.handle, kSetOptions[index].controlId, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool SetEditor::OptionShownOn(int index) const {
    if (index < kOptionBoxCount) return Checked(controls_.optionBoxes[index]) != 0;
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STATE;
    GetMenuItemInfoW(controls_.menu.handle, kSetOptions[index].controlId, FALSE, &item);
    return (item.fState & MFS_CHECKED) != 0;
}

void SetEditor::ToggleMenuOption(int command) {
    for (int i = kOptionBoxCount; i < kSetOptionCount; ++i) {
        if (kSetOptions[i].controlId == command) ShowOption(i, !OptionShownOn(i));
    }
}

// The patterns go to the set's record at once as well: another set picked before the next
// commit point would otherwise take them back.
void SetEditor::EditOptionText(const SetOption& option) {
    FDlgExclude dialog(CurrentSet.*option.text);
    if (!dialog.Edit(controls_.window.hwnd) || currentIndex < 0) return;
    SyncSet* record = ItemRecord(controls_.setList.hwnd, currentIndex);
    if (record == nullptr) return;
    SetFields fields = CurrentSet;
    record->CopyTo(fields);  // the record's folders and switches as they were
    CopyPath(fields.*option.text, CurrentSet.*option.text);
    if (SyncSet* updated = SyncSet::FromFields(fields)) {
        delete record;
        SendMessageW(controls_.setList.hwnd, CB_SETITEMDATA, currentIndex, reinterpret_cast<LPARAM>(updated));
    }
}

int SetEditor::SetCount() const { return static_cast<int>(SendMessageW(controls_.setList.hwnd, CB_GETCOUNT, 0, 0)); }

void SetEditor::ClearCurrentSet() { ClearSetFields(CurrentSet); }

void SetEditor::ResetCurrentSet() {
    ClearSetFields(CurrentSet);
    CopyPath(CurrentSet.name, Pick(kNewSetName));
    CopyPath(CurrentSet.source, Pick(kNewSetSource));
    CopyPath(CurrentSet.destination, Pick(kNewSetDestination));
}

void SetEditor::LoadCurrentSet(int index) {
    if (index < 0 || index >= SetCount()) {
        ResetCurrentSet();
        return;
    }
    ItemText(controls_.setList.hwnd, index, CurrentSet.name);
    if (SyncSet* record = ItemRecord(controls_.setList.hwnd, index)) record->CopyTo(CurrentSet);
}

void SetEditor::ShowCurrentSet() {
    SetWindowTextW(controls_.sourceEdit.hwnd, CurrentSet.source);
    SetWindowTextW(controls_.destinationEdit.hwnd, CurrentSet.destination);
    for (int i = 0; i < kSetOptionCount; ++i) {
        if (kSetOptions[i].flag) ShowOption(i, CurrentSet.*kSetOptions[i].flag != 0);
    }
}

void SetEditor::ReadSetControls() {
    // A folder longer than a set keeps is not taken: the set keeps the folder it had rather
    // than a cut one the user never named (a run refuses the edit's text as too long).
    auto readFolder = [](const FEdit& edit, wchar_t (&field)[MAX_PATH]) {
        if (GetWindowTextLengthW(edit.hwnd) < static_cast<int>(MAX_PATH)) GetWindowTextW(edit.hwnd, field, MAX_PATH);
    };
    GetWindowTextW(controls_.setList.hwnd, CurrentSet.name, MAX_PATH);
    readFolder(controls_.sourceEdit, CurrentSet.source);
    readFolder(controls_.destinationEdit, CurrentSet.destination);
    for (int i = 0; i < kSetOptionCount; ++i) {
        if (kSetOptions[i].flag) CurrentSet.*kSetOptions[i].flag = OptionShownOn(i) ? 1 : 0;
    }
}

int SetEditor::InsertSet(int index) {
    int item = static_cast<int>(
        SendMessageW(controls_.setList.hwnd, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(CurrentSet.name)));
    if (item < 0) return item;
    SyncSet* record = SyncSet::FromFields(CurrentSet);
    if (record == nullptr) {
        // An item is never left without its record.
        SendMessageW(controls_.setList.hwnd, CB_DELETESTRING, item, 0);
        return -1;
    }
    SendMessageW(controls_.setList.hwnd, CB_SETITEMDATA, item, reinterpret_cast<LPARAM>(record));
    currentIndex = static_cast<int>(SendMessageW(controls_.setList.hwnd, CB_SETCURSEL, item, 0));
    return item;
}

void SetEditor::RemoveSet(int index) {
    if (index < 0 || index >= SetCount()) return;
    delete ItemRecord(controls_.setList.hwnd, index);
    SendMessageW(controls_.setList.hwnd, CB_DELETESTRING, index, 0);
}

void SetEditor::CommitCurrentSet() {
    if (currentIndex < 0) {
        InsertSet(-1);
    } else {
        RemoveSet(currentIndex);
        InsertSet(currentIndex);
    }
}

void SetEditor::OnSetSelChange() {
    currentIndex = static_cast<int>(SendMessageW(controls_.setList.hwnd, CB_GETCURSEL, 0, 0));
    if (currentIndex >= 0) {
        LoadCurrentSet(currentIndex);
        ShowCurrentSet();
    }
}

void SetEditor::OnSetListDropDown() {
    ReadSetControls();
    CommitCurrentSet();
}

void SetEditor::NewSet() {
    ResetCurrentSet();
    ShowCurrentSet();
    InsertSet(-1);
}

void SetEditor::DeleteSet() {
    int index = static_cast<int>(SendMessageW(controls_.setList.hwnd, CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    wchar_t name[MAX_PATH];
    GetWindowTextW(controls_.setList.hwnd, name, MAX_PATH);
    wchar_t question[kMessageChars];
    FormatInto(question, Pick(kDeleteQuestion), name);
    if (ShowMessageBox(controls_.window.hwnd, question, Pick(kConfirmCaption), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    RemoveSet(index);
    SelectFirstSet();
}

void SetEditor::SelectFirstSet() {
    currentIndex = static_cast<int>(SendMessageW(controls_.setList.hwnd, CB_SETCURSEL, 0, 0));
    LoadCurrentSet(0);  // the new-set defaults when the list is empty
    ShowCurrentSet();
}

void SetEditor::DestroySetRecords() {
    for (int i = 0, count = SetCount(); i < count; ++i) {
        delete ItemRecord(controls_.setList.hwnd, i);
        SendMessageW(controls_.setList.hwnd, CB_SETITEMDATA, i, 0);
    }
}

void SetEditor::ListedSet(int index, SetFields& set) const {
    ClearSetFields(set);
    ItemText(controls_.setList.hwnd, index, set.name);
    if (SyncSet* record = ItemRecord(controls_.setList.hwnd, index)) record->CopyTo(set);
}

// The browse dialog fills the source or destination edit, on OK only.
void SetEditor::BrowseFolderInto(FEdit& edit) {
    PathBuffer chosen;
    chosen[0] = L'\0';
    if (BrowseFolder(controls_.window.hwnd, Pick(BrowseTexts::BrowseTitle), chosen) == IDOK) {
        SetWindowTextW(edit.hwnd, chosen);
    }
}

bool SetEditor::RefuseOverlongPaths(ErrorReporter& reporter) const {
    for (const FEdit* edit : {&controls_.sourceEdit, &controls_.destinationEdit}) {
        const int length = GetWindowTextLengthW(edit->hwnd);
        if (length < static_cast<int>(MAX_PATH)) continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(edit->hwnd, text.data(), length + 1);
        ReportPathTooLong(reporter, text.c_str(), L"");
        return true;
    }
    return false;
}
