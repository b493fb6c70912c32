#include "keep_texts.h"

namespace KeepTexts {

const TextPair KeepFailed{L"Can't keep '%s' in '%s': %s; nothing more is done.",
                          L"'%s' を '%s' に保管できません: %s。中止しました"};
const TextPair StoreInTheWay{L"'%s' is not a folder of its own (a file or a link stands there); nothing is kept "
                             L"there, and nothing more is done.",
                             L"'%s' はﾌｫﾙﾀﾞではありません (ﾌｧｲﾙかﾘﾝｸです)。保管できないので中止しました"};
const TextPair RecordFailed{L"Can't write the record of the run '%s': %s; nothing more is done.",
                            L"同期の記録 '%s' を書き込めません: %s。中止しました"};
const TextPair NothingToUndo{L"There is no kept run to undo in '%s'.", L"'%s' には元に戻せる同期がありません"};
const TextPair NothingToUndoIn{L"There is no kept run to undo in '%s' or in '%s'.",
                               L"'%s' にも '%s' にも元に戻せる同期がありません"};
const TextPair UndoQuestion{L"Undo the run of %s: %s put back, %s removed?",
                            L"%s の同期を元に戻しますか? 戻すもの %s、削除するもの %s"};
const TextPair UndoCaption{L"Confirm undo", L"元に戻す確認"};
const TextPair UndoLeft{L"%d entries were left where they are; their \"skip\" rows say why.",
                        L"%d 個の項目はそのままにしました。理由は \"skip\" の行にあります"};
const TextPair ChangedSinceRun{L"changed since the run", L"同期の後に変更されています"};
const TextPair PlaceTaken{L"something else stands in its place", L"同じ名前のものがあります"};
const TextPair FolderNotEmpty{L"the folder is not empty", L"ﾌｫﾙﾀﾞが空ではありません"};
const TextPair NotRemovable{L"this kept run could not be removed", L"この保管は削除できませんでした"};

}  // namespace KeepTexts

const wchar_t kLogKeep[] = L"keep";
const wchar_t kLogBack[] = L"back";
