#include "set_file_texts.h"

namespace SetFileTexts {
const TextPair ReadFailed{L"Can't read the set file '%1': %2. The file is left as it is and is not written over "
                          L"when the program ends.",
                          L"設定ﾌｧｲﾙ '%1' を読み込めません: %2。ﾌｧｲﾙはそのままにし、終了時にも上書きしません。"};
const TextPair SaveFailed{L"Can't save the set file '%1': %2. The file is left as it was.",
                          L"設定ﾌｧｲﾙ '%1' を保存できません: %2。ﾌｧｲﾙは元のままです。"};
const TextPair LogSaveFailed{L"Can't save the log '%1': %2. The file is left as it was.",
                             L"ﾛｸﾞ '%1' を保存できません: %2。ﾌｧｲﾙは元のままです。"};
const TextPair ExitSaveFailed{L"Can't save the set file '%1': %2. The changes of this session are not kept.",
                              L"設定ﾌｧｲﾙ '%1' を保存できません: %2。今回の変更は保存されていません。"};
const TextPair UnsavedSets{L"The set file '%1' could not be read when the program started (%2), so it is not written "
                           L"over: the changes made since the program started are not kept.\n\nSave the sets in "
                           L"another file?",
                           L"設定ﾌｧｲﾙ '%1' は起動時に読み込めなかったため (%2)、上書きしません。起動後の変更は保存"
                           L"されません。\n\n別のﾌｧｲﾙにｾｯﾄを保存しますか?"};
const TextPair NotReadBack{L"The set file '%s' would not be written back as it was read (names from another code "
                           L"page, or lines the program does not keep), so it is not written over: the changes made "
                           L"since the program started are not kept.\n\nSave the sets in another file?",
                           L"設定ﾌｧｲﾙ '%s' は読み込んだとおりには書き戻せないため (別のｺｰﾄﾞﾍﾟｰｼﾞの名前か、保持しない"
                           L"行があります)、上書きしません。起動後の変更は保存されません。\n\n別のﾌｧｲﾙにｾｯﾄを保存しますか?"};
}  // namespace SetFileTexts

void SetFileReason(DWORD code, wchar_t (&out)[kMessageChars]) {
    // Each reason with the one or two codes that give it.
    static const struct {
        DWORD code, alias;
        TextPair text;
    } reasons[] = {
        {ERROR_FILE_NOT_FOUND, 0, {L"the file does not exist", L"ﾌｧｲﾙがありません"}},
        {ERROR_PATH_NOT_FOUND, ERROR_INVALID_DRIVE, {L"the folder does not exist", L"ﾌｫﾙﾀﾞがありません"}},
        {ERROR_NOT_READY, 0, {L"the device is not ready", L"ﾃﾞﾊﾞｲｽの準備ができていません"}},
        {ERROR_ACCESS_DENIED, 0, {L"access is denied", L"ｱｸｾｽが拒否されました"}},
        {ERROR_WRITE_PROTECT, 0, {L"the disk is write-protected", L"ﾃﾞｨｽｸは書き込み禁止です"}},
        {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, {L"it is in use by another program", L"他のﾌﾟﾛｸﾞﾗﾑが使用中です"}},
        {ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL, {L"the disk is full", L"ﾃﾞｨｽｸがいっぱいです"}},
        {ERROR_FILENAME_EXCED_RANGE, 0, {L"the path is too long", L"ﾊﾟｽが長すぎます"}},
        {ERROR_FILE_TOO_LARGE, 0, {L"it is too large for a set file", L"設定ﾌｧｲﾙとしては大きすぎます"}},
        {ERROR_BAD_FILE_TYPE, 0, {L"it is not a plain file", L"通常のﾌｧｲﾙではありません"}},
    };
    for (const auto& reason : reasons) {
        if (reason.code == code || (reason.alias != 0 && reason.alias == code)) {
            FormatInto(out, L"%s", Pick(reason.text));
            return;
        }
    }
    static const TextPair other{L"error %d", L"ｴﾗｰ %d"};
    FormatInto(out, Pick(other), static_cast<int>(code));
}

std::wstring SetFileFailureText(const TextPair& text, const wchar_t* path, DWORD code) {
    wchar_t reason[kMessageChars];
    SetFileReason(code, reason);
    return FormatString(Pick(text), path, reason);
}
