#include "file_actions.h"

#include "base/paths.h"

const wchar_t* WalkedFolder::Resolved() {
    if (!resolvedRead_) {
        resolvedRead_ = true;
        if (!ResolveFolderPath(folder, resolved_, kResolvedPathChars)) resolved_[0] = L'\0';
    }
    return resolved_;
}
