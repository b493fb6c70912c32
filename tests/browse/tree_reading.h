#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "browse/folder_tree.h"

// Reading the tree back the way a user sees it.
std::vector<std::wstring> ChildLabels(const FFolderTree& tree, HTREEITEM parent);
// The item reached by following labels from the root ("Desktop", "My Device", "Work").
HTREEITEM ItemAt(const FFolderTree& tree, const std::vector<std::wstring>& labels);
std::wstring LabelText(const FFolderTree& tree, HTREEITEM item);
int ChildrenFlag(const FFolderTree& tree, HTREEITEM item);
std::wstring PathText(const FFolderTree& tree, HTREEITEM item, UINT* code = nullptr);
