#include "folder_tree.h"

#include <cwchar>

#include "browse/browse_ids.h"
#include "browse/drive_items.h"
#include "browse/folder_codes.h"
#include "browse/folder_listing.h"
#include "browse/folder_names.h"
#include "framework/program.h"
#include "platform/device_root.h"

namespace {

// A special item's own path, absolute on a platform with more than one root.
bool SpecialPath(UINT code, PathBuffer& out) { return RootedPath(out, DeviceRootPrefix(), SpecialFolderOf(code).path); }

}  // namespace

FFolderTree::~FFolderTree() {
    if (images_ == nullptr) return;
    // The control may outlive the model by a moment: it must not draw with a freed list.
    if (IsWindow(hwnd)) TreeView_SetImageList(hwnd, nullptr, TVSIL_NORMAL);
    ImageList_Destroy(images_);
}

void FFolderTree::LoadImages() {
    HIMAGELIST loaded = ImageList_LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(IDB_FOLDER_TREE), kTreeImageSize,
                                             8, CLR_DEFAULT, IMAGE_BITMAP, 0);
    if (loaded == nullptr) return;
    if (images_) ImageList_Destroy(images_);
    images_ = loaded;
    TreeView_SetImageList(hwnd, images_, TVSIL_NORMAL);
}

void FFolderTree::Build() {
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowCursor(TRUE);

    TreeView_DeleteAllItems(hwnd);
    desktopItem = InsertSpecial(TVI_ROOT, kCodeDesktop, true);
    PathBuffer folder;
    documentsItem = InsertSpecial(desktopItem, kCodeMyDocuments, true);
    if (SpecialPath(kCodeMyDocuments, folder)) Populate(documentsItem, folder);
    deviceItem = InsertSpecial(desktopItem, kCodeMyDevice, true);
    if (SpecialPath(kCodeMyDevice, folder)) Populate(deviceItem, folder);

    networkItem = nullptr;
    controlPanelItem = (options & kOptionControlPanel) ? InsertSpecial(deviceItem, kCodeControlPanel, false) : nullptr;
    databaseItem = (options & kOptionDatabase) ? InsertSpecial(deviceItem, kCodeDatabase, false) : nullptr;
    findResultItem = (options & kOptionFindResult) ? InsertSpecial(desktopItem, kCodeFindResult, false) : nullptr;
    for (const PcDrive& drive : ListPcDrives()) InsertDrive(desktopItem, drive);

    TreeView_Expand(hwnd, desktopItem, TVE_EXPAND);
    TreeView_SelectItem(hwnd, desktopItem);

    ShowCursor(FALSE);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

HTREEITEM FFolderTree::InsertSpecial(HTREEITEM parent, UINT code, bool hasChildren) {
    const SpecialFolder& row = SpecialFolderOf(code);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(Pick(row.label));
    insert.item.iImage = row.image;
    insert.item.iSelectedImage = row.image;
    insert.item.cChildren = hasChildren ? 1 : 0;
    insert.item.lParam = static_cast<LPARAM>(row.code);
    return TreeView_InsertItem(hwnd, &insert);
}

// A drive is shown with a button and read only when first expanded: a slow or empty drive
// costs nothing until the user opens it.
HTREEITEM FFolderTree::InsertDrive(HTREEITEM parent, const PcDrive& drive) {
    PathBuffer label;
    DriveLabel(drive, label);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = label;
    insert.item.iImage = DriveImage(drive);
    insert.item.iSelectedImage = DriveImage(drive);
    insert.item.cChildren = 1;
    insert.item.lParam = static_cast<LPARAM>(DriveCode(drive.letter, true));
    return TreeView_InsertItem(hwnd, &insert);
}

HTREEITEM FFolderTree::InsertFolder(HTREEITEM parent, const wchar_t* name, bool hasSubfolders) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(name);
    insert.item.iImage = kImageFolder;
    insert.item.iSelectedImage = kImageFolderSelected;
    insert.item.cChildren = hasSubfolders ? 1 : 0;
    insert.item.lParam = static_cast<LPARAM>(OrdinaryCode(hasSubfolders));
    return TreeView_InsertItem(hwnd, &insert);
}

void FFolderTree::Populate(HTREEITEM parent, const wchar_t* folder) {
    ForEachSubfolder(folder, [&](const wchar_t* name) {
        PathBuffer child;
        // A subfolder whose path would not fit is shown but cannot be looked into.
        const bool has = JoinPath(child, folder, name) && HasSubfolders(child);
        if (HTREEITEM existing = FindChild(parent, name)) {
            SetHasChildren(existing, has);
            SetCode(existing, OrdinaryCode(has));
        } else {
            InsertFolder(parent, name, has);
        }
    });
}

HTREEITEM FFolderTree::FindChild(HTREEITEM parent, const wchar_t* label) const {
    for (HTREEITEM child = TreeView_GetChild(hwnd, parent); child; child = TreeView_GetNextSibling(hwnd, child)) {
        PathBuffer text;
        if (LabelOf(child, text) && wcscmp(text, label) == 0) return child;
    }
    return nullptr;
}

bool FFolderTree::LabelOf(HTREEITEM item, PathBuffer& out) const {
    out[0] = L'\0';
    TVITEMW read{};
    read.mask = TVIF_TEXT | TVIF_HANDLE;
    read.hItem = item;
    read.pszText = out;
    read.cchTextMax = static_cast<int>(kPathChars);
    if (!TreeView_GetItem(hwnd, &read)) return false;
    out[kPathChars - 1] = L'\0';
    return true;
}

UINT FFolderTree::CodeOf(HTREEITEM item) const {
    TVITEMW read{};
    read.mask = TVIF_PARAM | TVIF_HANDLE;
    read.hItem = item;
    if (item == nullptr || !TreeView_GetItem(hwnd, &read)) return 0;
    return static_cast<UINT>(read.lParam);
}

void FFolderTree::SetCode(HTREEITEM item, UINT code) {
    TVITEMW write{};
    write.mask = TVIF_PARAM | TVIF_HANDLE;
    write.hItem = item;
    write.lParam = static_cast<LPARAM>(code);
    TreeView_SetItem(hwnd, &write);
}

void FFolderTree::SetHasChildren(HTREEITEM item, bool hasChildren) {
    TVITEMW write{};
    write.mask = TVIF_CHILDREN | TVIF_HANDLE;
    write.hItem = item;
    write.cChildren = hasChildren ? 1 : 0;
    TreeView_SetItem(hwnd, &write);
}

UINT FFolderTree::PathOf(HTREEITEM item, PathBuffer& out) const {
    out[0] = L'\0';
    UINT first = 0;
    for (HTREEITEM at = item; at; at = TreeView_GetParent(hwnd, at)) {
        PathBuffer label;
        if (!LabelOf(at, label)) break;
        const UINT code = CodeOf(at);
        if (first == 0) first = code;
        if (IsDriveCode(code)) {  // the drive's root, with its letter
            PathBuffer root;
            DriveRootOf(code, root);
            return PrependPath(out, root) ? first : 0;
        }
        if (IsSpecialCode(code)) {
            PathBuffer base;
            if (!SpecialPath(code, base) || !PrependPath(out, base)) return 0;
            return first;
        }
        if (!PrependPath(out, label)) return 0;
    }
    // Every ordinary folder lies below a special item; a walk that ends elsewhere is refused.
    out[0] = L'\0';
    return 0;
}

UINT FFolderTree::SelectedPath(PathBuffer& out) const {
    out[0] = L'\0';
    HTREEITEM selected = Selected();
    if (selected == nullptr) return 0;
    const UINT code = PathOf(selected, out);
    return code == kFolderPending ? kFolderLoaded : code;
}

void FFolderTree::LoadIfPending(HTREEITEM item) {
    const UINT code = CodeOf(item);
    if (IsDriveCode(code) && (code & kDrivePending)) {
        PathBuffer root;
        DriveRootOf(code, root);
        Populate(item, root);
        SetCode(item, code & ~kDrivePending);
        if (TreeView_GetChild(hwnd, item) == nullptr) SetHasChildren(item, false);
        return;
    }
    if (code != kFolderPending) return;
    PathBuffer folder;
    if (PathOf(item, folder) == 0) return;
    Populate(item, folder);
    SetCode(item, kFolderLoaded);
}

// The action proper, without the partial-expansion flags.
constexpr UINT kExpandActionMask = 0x0003;

LRESULT FFolderTree::OnItemExpanding(const NMTREEVIEWW* notification) {
    if ((notification->action & kExpandActionMask) == TVE_EXPAND) LoadIfPending(notification->itemNew.hItem);
    return 0;
}
