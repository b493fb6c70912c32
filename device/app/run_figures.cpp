#include "run_figures.h"

#include <cwchar>
#include <string>

#include "about/byte_size.h"

const TextPair kPreviewCaption{L"Preview", L"ﾌﾟﾚﾋﾞｭｰ"};

namespace {

const TextPair kPreviewPrefix{L"Preview: ", L"ﾌﾟﾚﾋﾞｭｰ: "};
// A run or a preview that did not walk to its end (Abort, Cancel, No, a failure).
const TextPair kStoppedPrefix{L"Stopped: ", L"中止: "};
const TextPair kPreviewStoppedPrefix{L"Preview stopped: ", L"ﾌﾟﾚﾋﾞｭｰ中止: "};
// %1 to %4: files copied, their size, files deleted, folders removed.
const TextPair kFigures{L"%1 copied (%2), %3 deleted, %4 removed",
                        L"ﾌｧｲﾙのｺﾋﾟｰ %1 (%2)、ﾌｧｲﾙの削除 %3、ﾌｫﾙﾀﾞの削除 %4"};
const TextPair kPreviewFigures{L"%1 would be copied (%2), %3 deleted, %4 removed",
                               L"ﾌｧｲﾙのｺﾋﾟｰ %1 (%2)、ﾌｧｲﾙの削除 %3、ﾌｫﾙﾀﾞの削除 %4の予定です"};
// The status line of a preview, with the preview's own words.
const TextPair kPreviewStatusFigures{L"%1 would be copied (%2), %3 deleted, %4 removed",
                                     L"ﾌｧｲﾙのｺﾋﾟｰ予定 %1 (%2)、ﾌｧｲﾙの削除予定 %3、ﾌｫﾙﾀﾞの削除予定 %4"};
// The short forms: the counts first, the words that say what of.
const TextPair kBriefFigures{L"%1 copied (%2), %3 deleted, %4 removed", L"%1 個ｺﾋﾟｰ (%2)、%3 個削除、%4 ﾌｫﾙﾀﾞ削除"};
const TextPair kBriefPreviewFigures{L"%1 to copy (%2), %3 to delete, %4 to remove",
                                    L"%1 個ｺﾋﾟｰ予定 (%2)、%3 個削除予定、%4 ﾌｫﾙﾀﾞ削除予定"};
const TextPair kWouldCreate{L"the folder '%s' would be created, ", L"ﾌｫﾙﾀﾞ '%s' を作成、"};
const TextPair kNothingChanged{L". Nothing was changed.", L"。何も変更していません。"};
const TextPair kSeconds{L", %s s", L"、%s 秒"};

// `brief`: the bare numbers of the short forms.
void AppendFigures(const RunStats& stats, const TextPair& form, std::wstring& text, bool brief = false) {
    auto count = [brief](unsigned long long n, const wchar_t* one, const wchar_t* many) {
        return brief ? std::to_wstring(n) : CountText(n, one, many);
    };
    wchar_t size[32], part[kMessageChars];
    FormatByteSize(stats.bytesCopied, size);
    FormatInto(part, Pick(form), count(stats.filesCopied, L"file", L"files").c_str(), size,
               count(stats.filesDeleted, L"file", L"files").c_str(),
               count(stats.foldersRemoved, L"folder", L"folders").c_str());
    text += part;
    if (stats.entriesKept > 0) {
        static const TextPair kept{L", %s kept", L"、保管 %s"};
        static const TextPair briefKept{L", %s kept", L"、%s 個保管"};
        FormatInto(part, Pick(brief ? briefKept : kept), count(stats.entriesKept, L"entry", L"entries").c_str());
        text += part;
    }
    if (stats.filesVerified > 0) {
        static const TextPair verified{L", %s verified", L"、検証 %s"};
        static const TextPair briefVerified{L", %s verified", L"、%s 個検証"};
        FormatInto(part, Pick(brief ? briefVerified : verified), count(stats.filesVerified, L"file", L"files").c_str());
        text += part;
    }
}

void FormatFigures(const RunStats& stats, double seconds, bool preview, bool brief, wchar_t (&out)[kMessageChars]) {
    std::wstring text = preview ? Pick(stats.completed ? kPreviewPrefix : kPreviewStoppedPrefix)
                                : (stats.completed ? L"" : Pick(kStoppedPrefix));
    const TextPair& form = brief ? (preview ? kBriefPreviewFigures : kBriefFigures)
                                 : (preview ? kPreviewStatusFigures : kFigures);
    AppendFigures(stats, form, text, brief);
    wchar_t number[32], part[64];
    swprintf(number, 32, L"%.2f", seconds);
    FormatInto(part, Pick(kSeconds), number);
    FormatInto(out, L"%s", (text + part).c_str());
}

}  // namespace

void FormatRunFigures(const RunStats& stats, double seconds, bool preview, wchar_t (&out)[kMessageChars]) {
    FormatFigures(stats, seconds, preview, false, out);
}

void FormatBriefRunFigures(const RunStats& stats, double seconds, bool preview, wchar_t (&out)[kMessageChars]) {
    FormatFigures(stats, seconds, preview, true, out);
}

std::wstring FormatPreviewResult(const RunStats& stats, const wchar_t* createdFolder) {
    std::wstring text = Pick(kPreviewPrefix);
    if (createdFolder) text += FormatString(Pick(kWouldCreate), createdFolder);
    AppendFigures(stats, kPreviewFigures, text);
    return text + Pick(kNothingChanged);
}

void FormatUndoFigures(const UndoFigures& figures, wchar_t (&out)[kMessageChars]) {
    static const TextPair form{L"%1%2 put back, %3 removed, %4 left as they were",
                               L"%1戻したもの %2、削除したもの %3、そのままのもの %4"};
    static const TextPair done{L"Undo: ", L"元に戻す: "};
    static const TextPair stopped{L"Undo stopped: ", L"元に戻す中止: "};
    FormatInto(out, Pick(form), Pick(figures.stopped ? stopped : done), CountText(figures.putBack, L"entry", L"entries").c_str(),
               CountText(figures.removed, L"entry", L"entries").c_str(),
               CountText(figures.left, L"entry", L"entries").c_str());
}
