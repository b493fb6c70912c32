#include "keep_texts.h"

namespace KeepTexts {

const TextPair KeepFailed{L"Can't keep '%1' in '%2': %3; nothing more is done.",
                          L"'%1' を '%2' に保管できません: %3。中止しました"};
const TextPair StoreInTheWay{L"'%s' is not a folder of its own (a file or a link stands there); nothing is kept "
                             L"there, and nothing more is done.",
                             L"'%s' はﾌｫﾙﾀﾞではありません (ﾌｧｲﾙかﾘﾝｸです)。保管できないので中止しました"};
const TextPair RecordFailed{L"Can't write the record of the run '%1': %2; nothing more is done.",
                            L"同期の記録 '%1' を書き込めません: %2。中止しました"};
const TextPair NoRoomForRecord{L"Can't keep what a run replaces or deletes in '%1': the record of a run in '%2' would "
                                L"pass 259 characters; nothing was changed.",
                                L"'%1' で置き換えや削除するものを保管できません: '%2' の同期の記録が 259 文字を超えます。"
                                L"何も変更していません"};
const TextPair KeptPathTooLong{L"its place among the kept files would pass 259 characters; it stays as it was",
                               L"保管先が 259 文字を超えるため、そのままにしました"};
const TextPair NothingToUndo{L"There is no kept run to undo in '%s'.", L"'%s' には元に戻せる同期がありません"};
const TextPair NothingToUndoIn{L"There is no kept run to undo in '%1' or in '%2'.",
                               L"'%1' にも '%2' にも元に戻せる同期がありません"};
const TextPair UndoQuestion{L"Undo the run of %1 in '%2': %3 put back, %4 removed?",
                            L"%1 の '%2' への同期を元に戻しますか? 戻すもの %3、削除するもの %4"};
const TextPair UndoCaption{L"Confirm undo", L"元に戻す確認"};
const TextPair UndoLeft{L"%d entries were left where they are; their \"skip\" rows say why.",
                        L"%d 個の項目はそのままにしました。理由は \"skip\" の行にあります"};
const TextPair ChangedSinceRun{L"changed since the run", L"同期の後に変更されています"};
const TextPair PlaceTaken{L"something else stands in its place", L"同じ名前のものがあります"};
const TextPair FolderNotEmpty{L"the folder is not empty", L"ﾌｫﾙﾀﾞが空ではありません"};
const TextPair NotRemovable{L"this kept run could not be removed", L"この保管は削除できませんでした"};
const TextPair RecordLineTooLong{L"this line of the run's record is too long; it is not acted on",
                                 L"同期の記録のこの行は長すぎるため、何もしません"};
const TextPair RecordLineMalformed{L"this line of the run's record cannot be read; it is not acted on",
                                   L"同期の記録のこの行は読めないため、何もしません"};
const TextPair RecordLineUnsafe{L"this line of the run's record names a path outside the folder or one no run makes; "
                                L"it is not acted on",
                                L"同期の記録のこの行はﾌｫﾙﾀﾞ外か不正なﾊﾟｽを指すため、何もしません"};
const TextPair RecordTooLarge{L"the run's record is larger than a record can be; what follows is not read",
                              L"同期の記録が大きすぎるため、これ以降は読みません"};
const TextPair NotInRecord{L"the run's record does not name it; it stays among the kept files",
                           L"同期の記録にないため、保管したままにしました"};
const TextPair LinkOnTheWay{L"a link or a file stands on its way; nothing is done through it",
                            L"途中にﾘﾝｸかﾌｧｲﾙがあるため、何もしません"};
const TextPair PlaceTooLong{L"its place would pass 259 characters; it stays among the kept files",
                            L"元の場所が 259 文字を超えるため、保管したままにしました"};
const TextPair PartialCopy{L"the run was writing it when it stopped; it stays as it is",
                           L"同期が書き込み中に止まったﾌｧｲﾙです。そのままにしました"};
const TextPair StoreIsLink{L"'%s' is not a folder of its own (a file or a link stands there); nothing is undone "
                           L"through it.",
                           L"'%s' はﾌｫﾙﾀﾞではありません (ﾌｧｲﾙかﾘﾝｸです)。元に戻せません"};

}  // namespace KeepTexts

const wchar_t kLogKeep[] = L"keep";
const wchar_t kLogBack[] = L"back";
