#pragma once
#include <string>

#include "base/text.h"
#include "set_fields.h"
#include "sync/sync_options.h"

// One option of a set, everywhere it shows: its INI line, its check box in the main
// window, its word on zolvsync's command line and the engine's switch it sets. The set
// file, the window, the console runner and the run are all driven from kSetOptions, so a
// new option is one row here plus what it does.
struct SetOption {
    // A check box, a checked Sync menu item, or a Sync menu item that opens the option's dialog.
    enum class Shown { CheckBox, MenuItem, MenuDialog };
    const char* iniKey;          // "DELETE": the line "DELETE=Y" or "DELETE=N"
    // An option added to the four of old writes its line only when it is on (a text option:
    // when it holds something), so that a set file without it stays byte for byte as it was.
    bool lineWhenOff;
    Shown shown;                 // a check box in the row of the four, or a checked Sync menu item
    int controlId;               // its check box's id or its menu item's command
    TextPair label;              // the check box's or the menu item's text
    const wchar_t* commandLine;  // "--delete"
    // A switch: its flag and the run's switch. A text (null flag): the set's field, written
    // KEY="text", and the run's text.
    int SetFlags::*flag;
    bool SyncOptions::*option;
    wchar_t (SetFields::*text)[MAX_PATH] = nullptr;
    std::wstring SyncOptions::*textOption = nullptr;
};

constexpr int kSetOptionCount = 7;
// The options shown as check boxes: the first four rows.
constexpr int kOptionBoxCount = 4;

// In the fixed order of the set file's lines.
inline constexpr SetOption kSetOptions[kSetOptionCount] = {
    {"DELETE", true, SetOption::Shown::CheckBox, 10301, {L"Del after copy", L"ｺﾋﾟｰ後削除"}, L"--delete",
     &SetFlags::deleteAfterCopy, &SyncOptions::deleteAfterCopy},
    {"DOSTIME", true, SetOption::Shown::CheckBox, 10302, {L"DOS time", L"DOS時間比較"}, L"--dostime", &SetFlags::dosTime,
     &SyncOptions::dosTime},
    {"FORCE", true, SetOption::Shown::CheckBox, 10303, {L"Force", L"確認無し"}, L"--force", &SetFlags::force,
     &SyncOptions::force},
    {"EXCLUDEOBJ", true, SetOption::Shown::CheckBox, 10304, {L"Exclude Obj", L"OBJ除外"}, L"--exclude-obj",
     &SetFlags::excludeObj, &SyncOptions::excludeObj},
    {"KEEP", false, SetOption::Shown::MenuItem, 40205, {L"&Keep replaced and deleted files", L"置換・削除したﾌｧｲﾙを保管(&K)"},
     L"--keep", &SetFlags::keep, &SyncOptions::keep},
    {"VERIFY", false, SetOption::Shown::MenuItem, 40208, {L"Ve&rify copies", L"ｺﾋﾟｰを検証(&R)"}, L"--verify",
     &SetFlags::verify, &SyncOptions::verify},
    {"EXCLUDE", false, SetOption::Shown::MenuDialog, 40207, {L"E&xclude...", L"除外(&X)..."}, L"--exclude", nullptr,
     nullptr, &SetFields::exclude, &SyncOptions::exclude},
};

namespace set_options_detail {

// The check boxes come first, in one row: their places are the quarters of the window.
constexpr bool CheckBoxesFirst() {
    for (int i = 0; i < kSetOptionCount; ++i) {
        if ((kSetOptions[i].shown == SetOption::Shown::CheckBox) != (i < kOptionBoxCount)) return false;
    }
    return true;
}

}  // namespace set_options_detail

static_assert(set_options_detail::CheckBoxesFirst(), "the first kOptionBoxCount options, and only they, are check boxes");

// The run's switches and texts from a set's (what is not a set option stays as it is).
void ApplySetFlags(const SetFields& set, SyncOptions& options);
// True when any set option is switched on in `options`.
bool AnySetOption(const SyncOptions& options);
// True for the command of an option shown as a checked menu item.
bool IsMenuOption(int command);
// The option whose menu item `command` opens its dialog, or null.
const SetOption* DialogOptionOf(int command);
