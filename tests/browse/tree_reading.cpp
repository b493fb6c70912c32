#include "tree_reading.h"

std::vector<std::wstring> ChildLabels(const FFolderTree& tree, HTREEITEM parent) {
    std::vector<std::wstring> labels;
    for (HTREEITEM child = TreeView_GetChild(tree.hwnd, parent); child; child = TreeView_GetNextSibling(tree.hwnd, child))
        labels.push_back(LabelText(tree, child));
    return labels;
}

HTREEITEM ItemAt(const FFolderTree& tree, const std::vector<std::wstring>& labels) {
    HTREEITEM at = TVI_ROOT;
    for (const std::wstring& label : labels) {
        at = tree.FindChild(at, label.c_str());
        if (at == nullptr) return nullptr;
    }
    return at;
}

std::wstring LabelText(const FFolderTree& tree, HTREEITEM item) {
    PathBuffer label;
    return tree.LabelOf(item, label) ? std::wstring(label) : L"<none>";
}

int ChildrenFlag(const FFolderTree& tree, HTREEITEM item) {
    TVITEMW read{};
    read.mask = TVIF_CHILDREN | TVIF_HANDLE;
    read.hItem = item;
    TreeView_GetItem(tree.hwnd, &read);
    return read.cChildren;
}

std::wstring PathText(const FFolderTree& tree, HTREEITEM item, UINT* code) {
    PathBuffer path;
    UINT got = tree.PathOf(item, path);
    if (code) *code = got;
    return path;
}
