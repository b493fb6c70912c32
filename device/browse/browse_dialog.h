#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "base/paths.h"
#include "browse/folder_tree.h"
#include "framework/dialog.h"

// What the caller hands in, laid out like the shell's folder-browse block. Only the owner
// and the title are read; the main window passes flags 1 (folders only).
struct BrowseRequest {
    HWND owner = nullptr;
    const void* root = nullptr;
    wchar_t* displayName = nullptr;
    const wchar_t* title = nullptr;
    UINT flags = 0;
    void* callback = nullptr;
    LPARAM callbackData = 0;
    int image = 0;
};

// The modal dialog that picks a device folder, creates folders and renames them in place.
// The selected item's path is written to `output` when the dialog is destroyed, whichever
// button closed it.
class FDlgBrowseFolder : public FDlg {
public:
    FDlgBrowseFolder(const BrowseRequest& request, PathBuffer& output) : request_(request), output_(output) {
        output_[0] = L'\0';
    }

    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The tree while the dialog is open; null before initialisation and after destruction.
    FFolderTree* Tree() { return tree_.get(); }

    void NewFolder();
    void ShowContextMenu();
    void SelectItemAtMessagePos();
    void RenameSelected();
    void DeleteSelected();
    LRESULT BeginLabelEdit(const NMTVDISPINFOW* info);
    LRESULT EndLabelEdit(const NMTVDISPINFOW* info);

private:
    bool OkWithPath();
    // Moves the item's folder to the typed name; 1 when done, 0 after the error box.
    LRESULT RenameItem(HTREEITEM item, const wchar_t* typed);

    const BrowseRequest& request_;
    PathBuffer& output_;
    std::unique_ptr<FFolderTree> tree_;
    bool endingEdit_ = false;
};

// Runs the dialog for the request; true only when it ended with OK (1). `output` holds the
// selected folder's path ("" for Desktop, "\" for My Device; on desktop Win32 the path
// carries the drive of the device root, "C:\").
bool Browse(const BrowseRequest& request, PathBuffer& output);

// For the main window's browse buttons: the dialog with the given owner and title (the main
// window passes BrowseTexts::BrowseTitle); returns the dialog's result (IDOK 1, IDCANCEL 2,
// or -1 when it could not be shown). Fill the edit box from `result` only on IDOK.
INT_PTR BrowseFolder(HWND owner, const wchar_t* title, PathBuffer& result);
