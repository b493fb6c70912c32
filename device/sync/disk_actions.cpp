#include "disk_actions.h"

bool DiskActions::MakeFolder(const wchar_t* path, bool withParents) {
    return withParents ? changes_.MakeFolderPath(owner_, path) : changes_.MakeFolderReport(owner_, path);
}

bool DiskActions::CopyFile(const FileCopy& copy, CopyProgress* progress) { return changes_.Copy(owner_, copy, progress); }

bool DiskActions::DeleteFile(const wchar_t* path, LinkKind kind, WalkedFolder* walked) {
    return kind == LinkKind::Link ? changes_.RemoveLink(owner_, path) : changes_.RemoveFile(owner_, path, walked);
}

bool DiskActions::RemoveFolder(const wchar_t* path, LinkKind kind, Removed& removed) {
    if (kind != LinkKind::Link) return changes_.RemoveTree(owner_, path, &check_, &removed);
    if (!changes_.RemoveLink(owner_, path)) return false;
    ++removed.folders;
    return true;
}
