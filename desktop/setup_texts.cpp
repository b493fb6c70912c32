#include "setup_texts.h"

// The Japanese texts are kept as Shift-JIS bytes so that they stay the same data whatever
// encoding this file is opened with; the comment beside each gives the text.

int LanguageFor(LANGID systemLanguage, bool toggleRead, DWORD toggle) {
    int language = (systemLanguage == 0x0411) ? kJapanese : kEnglish;
    if (toggleRead && toggle != 0) language = (language == kJapanese) ? kEnglish : kJapanese;
    return language;
}

const char* BoxTitle(BoxKind kind, int language) {
    bool japanese = language == kJapanese;
    switch (kind) {
    case BoxKind::Fatal:
        return japanese ? "\x92v\x96\xBD\x93I\x82\xC8\xB4\xD7\xB0" : "Fatal";  // 致命的なｴﾗｰ
    case BoxKind::Error:
        return japanese ? "\xB4\xD7\xB0" : "Error";  // ｴﾗｰ
    case BoxKind::Message:
        break;
    }
    return japanese ? "\xD2\xAF\xBE\xB0\xBC\xDE" : "Message";  // ﾒｯｾｰｼﾞ
}

UINT BoxStyle(BoxKind kind) {
    return MB_OK | (kind == BoxKind::Message ? MB_ICONINFORMATION : MB_ICONERROR);
}

BoxKind BoxFor(Failure failure) {
    switch (failure) {
    case Failure::OwnPathMissing:
    case Failure::SyncManagerMissing:
        return BoxKind::Message;
    case Failure::AppManagerPathMissing:
        return BoxKind::Error;
    case Failure::SetupIniMissing:
        break;
    }
    return BoxKind::Fatal;
}

const char* FailureText(Failure failure, int language) {
    bool japanese = language == kJapanese;
    switch (failure) {
    case Failure::OwnPathMissing:
        // 実行ﾊﾟｽが取得できません
        return japanese ? "\x8E\xC0\x8Ds\xCA\xDF\xBD\x82\xAA\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"
                        : "Can't get setup.exe path.";
    case Failure::SyncManagerMissing:
        // Microsoft Active Sync Version 3.0 以上をｲﾝｽﾄｰﾙしてください
        return japanese ? "Microsoft Active Sync Version 3.0 \x88\xC8\x8F\xE3\x82\xF0\xB2\xDD\xBD\xC4\xB0\xD9\x82\xB5"
                          "\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2"
                        : "Please install Microsoft Active Sync Version 3.0";
    case Failure::AppManagerPathMissing:
        // ｱﾌﾟﾘｹｰｼｮﾝﾏﾈｰｼﾞｬのﾊﾟｽが取得できません
        return japanese ? "\xB1\xCC\xDF\xD8\xB9\xB0\xBC\xAE\xDD\xCF\xC8\xB0\xBC\xDE\xAC\x82\xCC\xCA\xDF\xBD\x82\xAA"
                          "\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"
                        : "Can't get CEAppMgr path.";
    case Failure::SetupIniMissing:
        break;
    }
    // setup.ini ﾌｧｲﾙが見つかりません
    return japanese ? "setup.ini \xCC\xA7\xB2\xD9\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1"
                    : "Can't find setup.ini file.";
}

UINT TextCodePage(int language) { return language == kJapanese ? 932 : CP_ACP; }
