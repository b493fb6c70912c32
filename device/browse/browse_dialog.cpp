#include "browse_dialog.h"

#include <windowsx.h>

#include "browse/browse_ids.h"
#include "browse/folder_codes.h"
#include "browse/folder_listing.h"
#include "browse/folder_names.h"
#include "framework/handles.h"
#include "framework/message_fit.h"
#include "framework/message_boxes.h"
#include "framework/program.h"
#include "platform/file_attributes.h"
#include "platform/window_calls.h"
#include "sync/error_reporter.h"
#include "sync/file_ops.h"
#include "sync/sync_texts.h"

namespace {

// File operations report through the dialog's error box.
class DialogErrors : public ErrorReporter {
public:
    explicit DialogErrors(HWND owner) : owner_(owner) {}
    void ShowError(const wchar_t* text) override { ::ShowError(owner_, L"%s", text); }

private:
    HWND owner_;
};

LRESULT Answer(HWND dialog, LRESULT result) {
    SetDialogResult(dialog, result);
    return TRUE;
}

void ShowPathTooLong(HWND owner, const wchar_t* label) {
    ShowError(owner, Pick(SyncTexts::PathTooLong), label);
}

}  // namespace

LRESULT FDlgBrowseFolder::OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (request_.title) SetDlgItemTextW(hwnd, IDC_BROWSE_TITLE, request_.title);
    tree_ = std::make_unique<FFolderTree>(GetDlgItem(hwnd, IDC_BROWSE_TREE));
    tree_->LoadImages();
    tree_->Build();
    FitDialogToScreenWidth(hwnd);  // on a narrow screen the tree gets narrower, the buttons stay beside it
    return FDlg::OnInitDialog(hwnd, msg, wParam, lParam);
}

LRESULT FDlgBrowseFolder::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    if (tree_) tree_->SelectedPath(output_);
    tree_.reset();
    return TRUE;
}

LRESULT FDlgBrowseFolder::OnCommand(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
    // A control's command counts only with its click notification (high half 0).
    const WPARAM id = lParam == 0 ? LOWORD(wParam) : wParam;
    switch (id) {
    case IDOK:
        if (OkWithPath()) EndDialog(hwnd, IDOK);
        return TRUE;
    case IDCANCEL: EndDialog(hwnd, IDCANCEL); return TRUE;
    case IDC_BROWSE_NEW_FOLDER: NewFolder(); return TRUE;
    case IDM_BROWSE_CONTEXT_MENU: ShowContextMenu(); return TRUE;
    case IDM_BROWSE_RENAME: RenameSelected(); return TRUE;
    case IDM_BROWSE_DELETE: DeleteSelected(); return TRUE;
    default: return FALSE;
    }
}

// OK hands back the selected path; one that would not fit a path buffer is refused, and the
// dialog stays open rather than hand back an empty or cut path.
bool FDlgBrowseFolder::OkWithPath() {
    if (!tree_) return true;
    PathBuffer path;
    HTREEITEM selected = tree_->Selected();
    if (selected == nullptr || tree_->SelectedPath(path) != 0) return true;
    PathBuffer label;
    tree_->LabelOf(selected, label);
    ShowPathTooLong(hwnd, label);
    return false;
}

LRESULT FDlgBrowseFolder::OnNotify(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!tree_ || header == nullptr || header->idFrom != IDC_BROWSE_TREE) return FALSE;
    switch (header->code) {
    case TVN_ENDLABELEDITW: return Answer(hwnd, EndLabelEdit(reinterpret_cast<const NMTVDISPINFOW*>(lParam)));
    case TVN_BEGINLABELEDITW: return Answer(hwnd, BeginLabelEdit(reinterpret_cast<const NMTVDISPINFOW*>(lParam)));
    case TVN_ITEMEXPANDINGW:
        return Answer(hwnd, tree_->OnItemExpanding(reinterpret_cast<const NMTREEVIEWW*>(lParam)));
    case TVN_KEYDOWN:
        if (reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
            ShowDebug(L"@DEL");
            return Answer(hwnd, 1);
        }
        return Answer(hwnd, 0);
    case NM_CLICK:
        if (GetKeyState(VK_MENU) < 0) {
            SelectItemAtMessagePos();
            PostMessageW(hwnd, WM_COMMAND, IDM_BROWSE_CONTEXT_MENU, 0);
        }
        return FALSE;
    case NM_RCLICK:
        SelectItemAtMessagePos();
        PostMessageW(hwnd, WM_COMMAND, IDM_BROWSE_CONTEXT_MENU, 0);
        return FALSE;
    default: return FALSE;
    }
}

void FDlgBrowseFolder::NewFolder() {
    HTREEITEM selected = tree_->Selected();
    if (selected == nullptr) return;
    PathBuffer parent;
    const UINT code = tree_->SelectedPath(parent);
    if (code == 0 || !(code & kCanHoldNewFolder)) return;

    PathBuffer candidate;
    if (!ChooseNewFolderPath(candidate, parent, [](const wchar_t* path) { return PathExists(path); })) {
        ShowPathTooLong(hwnd, Pick(BrowseTexts::NewFolderName));
        return;
    }
    DialogErrors errors(tree_->hwnd);
    if (!CreateFolderReport(errors, candidate)) return;

    // An item of that label may still stand for a folder deleted meanwhile: reuse it, so
    // that no label shows twice.
    HTREEITEM created = tree_->FindChild(selected, BaseName(candidate));
    if (created) {
        tree_->SetCode(created, kFolderLoaded);
        tree_->SetHasChildren(created, false);
    } else {
        created = tree_->InsertFolder(selected, BaseName(candidate), false);
    }
    tree_->SetHasChildren(selected, true);
    // Read a pending parent now: its other subfolders join the new one, which is matched by
    // its label and so not shown twice.
    tree_->LoadIfPending(selected);
    TreeView_EnsureVisible(tree_->hwnd, created);
    TreeView_SelectItem(tree_->hwnd, created);
    SetFocus(tree_->hwnd);
    TreeView_EditLabel(tree_->hwnd, created);
}

// The item under the point of the click becomes the selection, so that the context menu's
// Rename and Delete act on the item the user pointed at.
void FDlgBrowseFolder::SelectItemAtMessagePos() {
    const DWORD at = GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ScreenToClient(tree_->hwnd, &hit.pt);
    HTREEITEM item = TreeView_HitTest(tree_->hwnd, &hit);
    if (item && (hit.flags & TVHT_ONITEM)) TreeView_SelectItem(tree_->hwnd, item);
}

void FDlgBrowseFolder::ShowContextMenu() {
    const DWORD at = GetMessagePos();
    FMenu menu;
    menu.handle = LoadMenuW(ProgramInstance(), PickName(L"FMenuDlgBrowseFolder_E", L"FMenuDlgBrowseFolder_J"));
    menu.owned = true;
    if (menu.handle == nullptr) return;
    HMENU popup = GetSubMenu(menu.handle, 0);
    if (popup == nullptr) return;
    TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, GET_X_LPARAM(at), GET_Y_LPARAM(at), 0, hwnd, nullptr);
}

// Rename from the context menu: the in-place editing that a click on the label starts,
// refused on special items in the same way.
void FDlgBrowseFolder::RenameSelected() {
    HTREEITEM selected = tree_->Selected();
    if (selected == nullptr || !(tree_->CodeOf(selected) & kCanEditLabel)) return;
    SetFocus(tree_->hwnd);
    TreeView_EditLabel(tree_->hwnd, selected);
}

// Delete from the context menu removes an empty ordinary folder only, after the user
// confirmed it; anything with content is left alone and said so.
void FDlgBrowseFolder::DeleteSelected() {
    HTREEITEM selected = tree_->Selected();
    if (selected == nullptr || IsSpecialCode(tree_->CodeOf(selected))) return;
    PathBuffer path;
    if (tree_->PathOf(selected, path) == 0) return;
    if (!IsEmptyFolder(path)) {
        if (IsFolder(path)) {
            ShowError(hwnd, Pick(BrowseTexts::NotEmpty), path);
        } else {
            ShowError(hwnd, BrowseTexts::RemoveFailed, static_cast<int>(ERROR_PATH_NOT_FOUND));
        }
        return;
    }
    wchar_t question[kMessageChars];
    FormatInto(question, Pick(BrowseTexts::DeleteQuestion), path);
    if (ShowMessageBox(hwnd, question, Pick(BrowseTexts::DeleteCaption), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (!RemoveDirectoryW(path)) {
        ShowError(hwnd, BrowseTexts::RemoveFailed, static_cast<int>(GetLastError()));
        return;
    }
    HTREEITEM parent = TreeView_GetParent(tree_->hwnd, selected);
    TreeView_DeleteItem(tree_->hwnd, selected);
    if (parent && TreeView_GetChild(tree_->hwnd, parent) == nullptr) tree_->SetHasChildren(parent, false);
}

LRESULT FDlgBrowseFolder::BeginLabelEdit(const NMTVDISPINFOW* info) {
    return (tree_->CodeOf(info->item.hItem) & kCanEditLabel) ? 0 : 1;
}

LRESULT FDlgBrowseFolder::EndLabelEdit(const NMTVDISPINFOW* info) {
    if (info->item.pszText == nullptr) return 0;  // editing was cancelled
    // The error box takes the focus from the edit, and the control ends the same edit once
    // more from inside it: that second ending is refused quietly.
    if (endingEdit_) return 0;
    endingEdit_ = true;
    const LRESULT accepted = RenameItem(info->item.hItem, info->item.pszText);
    endingEdit_ = false;
    return accepted;
}

LRESULT FDlgBrowseFolder::RenameItem(HTREEITEM item, const wchar_t* typed) {
    PathBuffer oldPath;
    const bool oldFits = tree_->PathOf(item, oldPath) != 0;
    HTREEITEM parent = TreeView_GetParent(tree_->hwnd, item);
    if (parent == nullptr) return 0;
    PathBuffer parentPath;
    PathBuffer newPath;
    DWORD failure = ERROR_SUCCESS;
    if (!oldFits || tree_->PathOf(parent, parentPath) == 0 || !JoinPath(newPath, parentPath, typed)) {
        failure = ERROR_FILENAME_EXCED_RANGE;
    } else if (!IsAcceptableFolderName(typed)) {
        // A separator or wildcard would move the folder elsewhere or make it unreadable; an
        // empty label would name the parent itself.
        failure = ERROR_INVALID_NAME;
    } else {
        // A folder in ROM is renamed in the tree only. One that is gone, or whose attributes
        // cannot be read, is not renamed at all: that is a failed move like any other.
        const DWORD attributes = GetFileAttributesW(oldPath);
        bool done = attributes != INVALID_FILE_ATTRIBUTES;
        if (done && !IsInRomOrUnreadable(attributes)) done = MoveFileW(oldPath, newPath) != FALSE;
        if (!done) {
            failure = GetLastError();
            if (failure == ERROR_SUCCESS) failure = ERROR_GEN_FAILURE;
        }
    }
    if (failure != ERROR_SUCCESS) {
        wchar_t text[kMessageChars];
        MoveErrorText(failure, oldPath, text);
        ShowError(hwnd, L"%s", text);
        return 0;
    }
    TVITEMW write{};
    write.mask = TVIF_TEXT | TVIF_HANDLE;
    write.hItem = item;
    write.pszText = const_cast<wchar_t*>(typed);
    TreeView_SetItem(tree_->hwnd, &write);
    return 1;
}

INT_PTR BrowseFolder(HWND owner, const wchar_t* title, PathBuffer& result) {
    BrowseRequest request;
    request.owner = owner;
    request.title = title;
    request.flags = 1;
    FDlgBrowseFolder dialog(request, result);
    return RunDialog(&dialog, owner, PickName(L"FDlgBrowseFolder_E", L"FDlgBrowseFolder_J"));
}

bool Browse(const BrowseRequest& request, PathBuffer& output) {
    FDlgBrowseFolder dialog(request, output);
    return RunDialog(&dialog, request.owner, PickName(L"FDlgBrowseFolder_E", L"FDlgBrowseFolder_J")) == IDOK;
}
