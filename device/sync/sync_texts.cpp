#include "sync_texts.h"

#include "name_rules.h"

namespace SyncTexts {

const TextPair SourceMissing{L"Source folder '%s' is not exist.", L"転送元ﾌｫﾙﾀﾞ '%s' が存在しません"};
const TextPair CreateDestination{
    L"Destination folder '%s' is not exist. Are you sure you want to create destination folder",
    L"転送先ﾌｫﾙﾀﾞ '%s' が存在しません。転送先ﾌｫﾙﾀﾞを作成しますか?"};
const TextPair FoldersOverlap{L"The source folder and the destination folder overlap: '%1' and '%2'.",
                              L"転送元ﾌｫﾙﾀﾞと転送先ﾌｫﾙﾀﾞが重なっています: '%1' と '%2'"};
const TextPair PathTooLong{L"The path is too long: '%s'", L"ﾊﾟｽが長すぎます: '%s'"};
const TextPair SourceUnreadable{L"Can't read '%1' in the source folder (error %2!d!); nothing more is deleted.",
                                L"転送元の '%1' を読み取れません (ｴﾗｰ %2!d!)。削除を中止しました"};
const TextPair SourceGone{L"Source folder '%s' is not exist.", L"転送元ﾌｫﾙﾀﾞ '%s' が存在しません"};
const TextPair FolderUnlistable{L"Can't read the folder '%1': %2.", L"ﾌｫﾙﾀﾞ '%1' を読み取れません: %2"};
const TextPair FileUnreadable{L"Can't read '%1': %2.", L"'%1' を読み取れません: %2"};
const TextPair ReplaceFailed{L"Can't replace '%1': %2.", L"'%1' を置き換えられません: %2"};
const TextPair NoTemporaryName{
    L"Can't replace '%s': every temporary name that fits beside it is taken or too long, and a file is "
    L"never written over in place; it stays as it was.",
    L"'%s' を置き換えられません: 横に置く一時ﾌｧｲﾙの名前がすべて使用中か長すぎます。上書きはしないので、元のﾌｧｲﾙはそのままです"};
const TextPair FileInTheWay{L"Can't create the folder '%s': a file of that name is in the way.",
                            L"ﾌｫﾙﾀﾞ '%s' を作成できません: 同じ名前のﾌｧｲﾙがあります"};
const TextPair EmptySource{L"'%1' is empty. Delete everything in '%2'?", L"'%1' は空です。'%2' の中をすべて削除しますか?"};
const TextPair TooManyDeletions{
    L"The deletion pass would delete %1 entries, more than the %2 allowed; nothing was deleted.",
    L"削除するものが %1 個あり、上限の %2 個を超えています。何も削除しませんでした"};

const TextPair UnusableName{L"The folder '%1' holds '%2': %3; nothing more is done.",
                            L"ﾌｫﾙﾀﾞ '%1' の '%2': %3。中止しました"};
const TextPair EntriesSkipped{L"%d entries could not be synced; their \"skip\" rows say why.",
                              L"%d 個の項目を同期できませんでした。理由は \"skip\" の行にあります"};
const TextPair EntrySkipped{L"1 entry could not be synced; its \"skip\" row says why.",
                            L"1 個の項目を同期できませんでした。理由は \"skip\" の行にあります"};
const TextPair LinkInTheWay{L"'%s' is a link to another place; nothing is written or deleted through it.",
                            L"'%s' は別の場所へのﾘﾝｸです。ﾘﾝｸを通して書き込みや削除はしません"};
const TextPair LinkNotRemovable{L"Can't remove the link '%s' without removing what it points to; it stays.",
                                L"ﾘﾝｸ '%s' はﾘﾝｸ先を消さずには削除できません。削除しませんでした"};
const TextPair NotDeleted{L"'%s' is still there after it was deleted; nothing more is deleted.",
                          L"'%s' は削除したはずが残っています。削除を中止しました"};

const TextPair PathTooLongReason{L"the path is longer than 259 characters", L"ﾊﾟｽが259文字より長いです"};
const TextPair SpecialFileReason{L"not a file nor a folder (a pipe, a socket or a device); never opened",
                                 L"ﾌｧｲﾙでもﾌｫﾙﾀﾞでもありません (ﾊﾟｲﾌﾟ、ｿｹｯﾄ、ﾃﾞﾊﾞｲｽ)。開きません"};
const TextPair LinkStaysReason{L"a link that cannot be removed without what it points to; it stays",
                               L"ﾘﾝｸ先を消さずには削除できないﾘﾝｸです。残しました"};
const TextPair CopyDiffersReason{L"its copy, read back, differs from the source; the copy is removed and the old file stays",
                                 L"読み戻したｺﾋﾟｰがｺﾋﾟｰ元と違います。ｺﾋﾟｰを削除し、元のﾌｧｲﾙを残しました"};
const TextPair TimeAhead{L"its time is more than a day ahead of this clock; it is copied as newer all the same",
                         L"ﾌｧｲﾙの日時がこの時計より1日以上先です。新しいものとしてｺﾋﾟｰします"};

const TextPair ReplaceCaption{L"Confirm Folder Replace", L"ﾌｫﾙﾀﾞ置換の確認"};
const TextPair ReplaceMessage{
    L"This folder already contains a folder called '%s'.\n\nIf the files in the existing folder have the "
    L"same name as files in the folder you are moving, do you want to replace the existing files?",
    L"このﾌｫﾙﾀﾞにはすでに '%s' というﾌｫﾙﾀﾞが存在します。\n\n現在のﾌｫﾙﾀﾞのﾌｧｲﾙと新しいﾌｫﾙﾀﾞのﾌｧｲﾙが同じ名前の場合、"
    L"新しいﾌｧｲﾙで上書きしますか?"};
const TextPair ReplaceYesToAll{L"Yes to &All", L"すべて上書き(&A)"};
const TextPair FileDeleteCaption{L"Confirm file delete", L"ﾌｧｲﾙ削除の確認"};
const TextPair FileDeleteReadOnly{L"The file '%s' is a read-only file. Are you sure you want to delete it?",
                                  L"ﾌｧｲﾙ '%s' は読み取り専用です。削除してもよろしいですか?"};
const TextPair FileDeleteProgram{
    L"The file '%s' is a program.\n\nIf you remove it, you will no longer be able to run this program or "
    L"edit some documents. Are you sure you want to delete it?",
    L"ﾌｧｲﾙ '%s' はﾌﾟﾛｸﾞﾗﾑです。\n\n削除すると、このﾌﾟﾛｸﾞﾗﾑは実行できなくなり、また一部の文書は編集できなくなります。\n"
    L"削除してもよろしいですか?"};
const TextPair FileDeleteSystem{
    L"The file '%s' is a system file.\n\nIf you remove it, your computer or one of your programs may no "
    L"longer work correctly.",
    L"ﾌｧｲﾙ '%s' はｼｽﾃﾑ ﾌｧｲﾙです。\n\n削除すると、ｼｽﾃﾑやｱﾌﾟﾘｹｰｼｮﾝが正しく作動しなくなる可能性があります。\n"
    L"削除してもよろしいですか?"};
const TextPair FileDeletePlain{L"Are you sure you want to delete '%s'?", L"'%s' を削除してもよろしいですか?"};
const TextPair FolderDeleteCaption{L"Confirm folder delete", L"ﾌｫﾙﾀﾞ削除の確認"};
const TextPair FolderDeleteMessage{L"Are you sure you want to remove the folder '%s' and all its contents?",
                                   L"ﾌｫﾙﾀﾞ'%s'とﾌｫﾙﾀﾞ内のすべてのﾌｧｲﾙを削除してもよろしいですか?"};

const TextPair SuccessCaption{L"Result of fodler sync", L"結果の報告"};
const TextPair SuccessMessage{L"Sync files successed.", L"ｱｯﾌﾟﾃﾞｰﾄは正常に終了しました"};
const TextPair SourceNoticeCaption{L"Confirm source folder", L"転送元ﾌｫﾙﾀﾞの確認"};
const TextPair DestinationQuestionCaption{L"Confirm destination folder", L"転送先ﾌｫﾙﾀﾞの確認"};
const TextPair EmptySourceCaption{L"Confirm empty source folder", L"空の転送元ﾌｫﾙﾀﾞの確認"};

}  // namespace SyncTexts

const wchar_t kLogCopy[] = L"copy";
const wchar_t kLogDelete[] = L"del";
const wchar_t kLogRemoveFolder[] = L"rmdir";
const wchar_t kLogSkip[] = L"skip";
const wchar_t kLogNote[] = L"note";

const TextPair& NameFaultReason(NameFault fault) {
    static const TextPair separator{L"the name holds a path separator", L"名前にﾊﾟｽの区切り文字があります"};
    static const TextPair character{L"the name holds a character Windows names cannot hold",
                                    L"名前にWindowsの名前に使えない文字があります"};
    static const TextPair trailing{L"the name ends with a dot or a space", L"名前の末尾がﾋﾟﾘｵﾄﾞか空白です"};
    static const TextPair device{L"the name is that of a device", L"名前がﾃﾞﾊﾞｲｽの名前です"};
    static const TextPair undecodable{L"the name holds bytes that are not text in the system's encoding (shown as U+FFFD)",
                                      L"名前に文字として読めないﾊﾞｲﾄがあります (U+FFFDと表示)"};
    static const TextPair caseOnly{L"another entry of the folder has this name but for case",
                                   L"同じﾌｫﾙﾀﾞに大文字小文字だけが違う名前があります"};
    switch (fault) {
    case NameFault::Separator: return separator;
    case NameFault::Character: return character;
    case NameFault::TrailingDotOrSpace: return trailing;
    case NameFault::DeviceName: return device;
    case NameFault::Undecodable: return undecodable;
    default: return caseOnly;
    }
}

void CopyFileErrorText(DWORD code, const wchar_t* source, wchar_t (&out)[kMessageChars]) {
    static const TextPair fileNotFound{L"File not found", L"ﾌｧｲﾙが見つかりません"};
    static const TextPair crc{L"CRC ERROR %s", L"CRCｴﾗｰ %s"};
    static const TextPair inUse{L"%s is in use", L"%s は使用中です"};
    static const TextPair invalidParameter{L"Invalid parameter", L"ﾌｧｲﾙが壊れているかもしれません"};
    static const TextPair diskFull{L"The disk is full", L"ﾃﾞｨｽｸがいっぱいです"};
    static const TextPair swap{L"SWAP ERROR %s", L"ｽﾜｯﾌﾟｴﾗｰ %s"};
    switch (code) {
    case ERROR_FILE_NOT_FOUND: FormatInto(out, Pick(fileNotFound)); break;
    case ERROR_CRC: FormatInto(out, Pick(crc), source); break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_USER_MAPPED_FILE: FormatInto(out, Pick(inUse), source); break;
    case ERROR_INVALID_PARAMETER: FormatInto(out, Pick(invalidParameter)); break;
    case ERROR_DISK_FULL: FormatInto(out, Pick(diskFull)); break;
    case ERROR_SWAPERROR: FormatInto(out, Pick(swap), source); break;
    default: FormatInto(out, L"Error CopyFile %d", static_cast<int>(code)); break;
    }
}

void CreateFolderErrorText(DWORD code, const wchar_t* path, wchar_t (&out)[kMessageChars]) {
    static const TextPair pathNotFound{L"Can't find the path specified. '%s'", L"ﾃﾞｨﾚｸﾄﾘﾊﾟｽ '%s'が見つかりません。"};
    static const TextPair diskFull{L"There is not enough space on the disk.", L"ﾃﾞｨｽｸに十分な空き領域がありません。"};
    switch (code) {
    case ERROR_PATH_NOT_FOUND: FormatInto(out, Pick(pathNotFound), path); break;
    case ERROR_DISK_FULL: FormatInto(out, Pick(diskFull)); break;
    default: FormatInto(out, L"Error CreateDirectory %d", static_cast<int>(code)); break;
    }
}

void DeleteFileErrorText(DWORD code, wchar_t (&out)[kMessageChars]) {
    static const TextPair accessDenied{L"Access denied", L"ﾌｧｲﾙにｱｸｾｽできません"};
    if (code == ERROR_ACCESS_DENIED) {
        FormatInto(out, Pick(accessDenied));
    } else {
        FormatInto(out, L"Error DeleteFile %d", static_cast<int>(code));
    }
}

void RemoveFolderErrorText(DWORD code, wchar_t (&out)[kMessageChars]) {
    static const TextPair notEmpty{L"Folder not empty", L"ﾌｫﾙﾀﾞが空でありません"};
    if (code == ERROR_DIR_NOT_EMPTY) {
        FormatInto(out, Pick(notEmpty));
    } else {
        FormatInto(out, L"Error RemoveDirectory %d", static_cast<int>(code));
    }
}

void SetAttributesErrorText(DWORD code, wchar_t (&out)[kMessageChars]) {
    FormatInto(out, L"Error SetFileAttribute %d", static_cast<int>(code));
}

void SystemReasonText(DWORD code, wchar_t (&out)[kMessageChars]) {
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, out,
                                  kMessageChars, nullptr);
    // One line: the system ends its texts with a period and a line break.
    while (length > 0 && (out[length - 1] == L'\r' || out[length - 1] == L'\n' || out[length - 1] == L' ' ||
                          out[length - 1] == L'.')) {
        --length;
    }
    for (DWORD i = 0; i < length; ++i) {
        if (out[i] == L'\r' || out[i] == L'\n') out[i] = L' ';
    }
    out[length] = L'\0';
    if (length == 0) FormatInto(out, L"error %d", static_cast<int>(code));
}
