#include "set_options.h"

// In the fixed order of the set file's lines.
const SetOption kSetOptions[kSetOptionCount] = {
    {"DELETE", 10301, {L"Del after copy", L"ｺﾋﾟｰ後削除"}, L"--delete", &SetFlags::deleteAfterCopy,
     &SyncOptions::deleteAfterCopy},
    {"DOSTIME", 10302, {L"DOS time", L"DOS時間比較"}, L"--dostime", &SetFlags::dosTime, &SyncOptions::dosTime},
    {"FORCE", 10303, {L"Force", L"確認無し"}, L"--force", &SetFlags::force, &SyncOptions::force},
    {"EXCLUDEOBJ", 10304, {L"Exclude Obj", L"OBJ除外"}, L"--exclude-obj", &SetFlags::excludeObj,
     &SyncOptions::excludeObj},
};

void ApplySetFlags(const SetFlags& flags, SyncOptions& options) {
    for (const SetOption& o : kSetOptions) options.*o.option = flags.*o.flag != 0;
}

bool AnySetOption(const SyncOptions& options) {
    for (const SetOption& o : kSetOptions) {
        if (options.*o.option) return true;
    }
    return false;
}
