#pragma once
#include <windows.h>
#include <commctrl.h>

#include "base/paths.h"
#include "framework/window.h"
#include "platform/pc_drives.h"

// The model behind the browse dialog's tree-view control: the device's folders under the
// special items Desktop, My Documents and My Device (and, on a PC, its drives), read one
// level at a time as folders are first expanded. It keeps no paths: a path is rebuilt from
// the labels up to a special item.
class FFolderTree : public FWindow {
public:
    explicit FFolderTree(HWND treeControl) : FWindow(treeControl) {}  // attached, never owned
    ~FFolderTree() override;

    // Option bits: places the optional special items.
    static constexpr DWORD kOptionControlPanel = 1;
    static constexpr DWORD kOptionDatabase = 2;
    static constexpr DWORD kOptionFindResult = 8;

    void LoadImages();  // bitmap 105 as the control's normal image list
    void Build();       // empties and fills the tree; Desktop expanded and selected

    void Populate(HTREEITEM parent, const wchar_t* folder);
    HTREEITEM FindChild(HTREEITEM parent, const wchar_t* label) const;
    HTREEITEM InsertFolder(HTREEITEM parent, const wchar_t* name, bool hasSubfolders);
    HTREEITEM InsertSpecial(HTREEITEM parent, UINT code, bool hasChildren);
    HTREEITEM InsertDrive(HTREEITEM parent, const PcDrive& drive);  // appended, pending

    // The item's path and the item's own code. 0, with `out` empty, when the item is null or
    // its path would not fit a path buffer: such a path is refused, never cut.
    UINT PathOf(HTREEITEM item, PathBuffer& out) const;
    // The selected item's path and code (a pending folder reported as loaded); 0 and an empty
    // path when nothing is selected or the path is refused.
    UINT SelectedPath(PathBuffer& out) const;

    // TVN_ITEMEXPANDING: reads a pending folder once. Always 0, so the expansion goes ahead.
    LRESULT OnItemExpanding(const NMTREEVIEWW* notification);
    // Reads a pending folder's (or drive's) subfolders and marks it loaded; anything else is
    // left alone.
    void LoadIfPending(HTREEITEM item);

    UINT CodeOf(HTREEITEM item) const;
    void SetCode(HTREEITEM item, UINT code);
    void SetHasChildren(HTREEITEM item, bool hasChildren);
    // The item's label, at most a path buffer's length.
    bool LabelOf(HTREEITEM item, PathBuffer& out) const;
    HTREEITEM Selected() const { return TreeView_GetSelection(hwnd); }

    DWORD options = 0;
    HTREEITEM desktopItem = nullptr;
    HTREEITEM deviceItem = nullptr;
    HTREEITEM networkItem = nullptr;  // reserved: never placed
    HTREEITEM controlPanelItem = nullptr;
    HTREEITEM databaseItem = nullptr;
    HTREEITEM documentsItem = nullptr;
    HTREEITEM findResultItem = nullptr;

private:
    HIMAGELIST images_ = nullptr;
};
