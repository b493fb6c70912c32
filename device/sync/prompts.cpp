#include "prompts.h"

#include <windows.h>

#include "base/paths.h"
#include "sync_texts.h"

namespace {

const TextPair& FileDeleteWording(const wchar_t* path) {
    DWORD attributes = GetFileAttributesW(path);
    bool readable = attributes != kUnreadableAttributes;
    if (readable && (attributes & FILE_ATTRIBUTE_READONLY)) return SyncTexts::FileDeleteReadOnly;
    if (IsProgramFile(path)) return SyncTexts::FileDeleteProgram;
    if (readable && (attributes & FILE_ATTRIBUTE_SYSTEM)) return SyncTexts::FileDeleteSystem;
    return SyncTexts::FileDeletePlain;
}

}  // namespace

void ComposePrompt(PromptKind kind, const wchar_t* path, bool yesToAll, Prompt& out) {
    out.kind = kind;
    out.yesToAll = yesToAll;
    out.yesToAllCaption = nullptr;
    PathBuffer folder, name;
    switch (kind) {
    case PromptKind::Replace:
        out.caption = Pick(SyncTexts::ReplaceCaption);
        out.iconId = kIconReplace;
        out.yesToAllCaption = Pick(SyncTexts::ReplaceYesToAll);
        out.message = FormatString(Pick(SyncTexts::ReplaceMessage), path);
        break;
    case PromptKind::FileDelete:
        out.caption = Pick(SyncTexts::FileDeleteCaption);
        out.iconId = kIconDelete;
        SplitPath(path, folder, name);
        out.message = FormatString(Pick(FileDeleteWording(path)), name);
        break;
    case PromptKind::FolderDelete:
        out.caption = Pick(SyncTexts::FolderDeleteCaption);
        out.iconId = kIconDelete;
        SplitPath(path, folder, name);
        out.message = FormatString(Pick(SyncTexts::FolderDeleteMessage), name);
        break;
    }
}
