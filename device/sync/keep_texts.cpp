#include "keep_texts.h"

namespace KeepTexts {

const TextPair KeepFailed{L"Can't keep '%1' in '%2': %3; nothing more is done.",
                          L"'%1' を '%2' に保管できません: %3。中止しました"};
const TextPair StoreInTheWay{L"'%s' is not a folder of its own (a file or a link stands there); nothing is kept "
                             L"there, and nothing more is done.",
                             L"'%s' はﾌｫﾙﾀﾞではありません (ﾌｧｲﾙかﾘﾝｸです)。保管できないので中止しました"};
const TextPair RecordFailed{L"Can't write the record of the run '%1': %2; nothing more is done.",
                            L"同期の記録 '%1' を書き込めません: %2。中止しました"};
const TextPair NothingToUndo{L"There is no kept run to undo in '%s'.", L"'%s' には元に戻せる同期がありません"};
const TextPair NothingToUndoIn{L"There is no kept run to undo in '%1' or in '%2'.",
                               L"'%1' にも '%2' にも元に戻せる同期がありません"};
const TextPair UndoQuestion{L"Undo the run of %1: %2 put back, %3 removed?",
                            L"%1 の同期を元に戻しますか? 戻すもの %2、削除するもの %3"};
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
