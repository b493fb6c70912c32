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
// %s: files copied, their size, files deleted, folders removed.
const TextPair kFigures{L"%s copied (%s), %s deleted, %s removed",
                        L"ﾌｧｲﾙのｺﾋﾟｰ %s (%s)、ﾌｧｲﾙの削除 %s、ﾌｫﾙﾀﾞの削除 %s"};
const TextPair kPreviewFigures{L"%s would be copied (%s), %s deleted, %s removed",
                               L"ﾌｧｲﾙのｺﾋﾟｰ %s (%s)、ﾌｧｲﾙの削除 %s、ﾌｫﾙﾀﾞの削除 %sの予定です"};
// The status line of a preview, with the preview's own words.
const TextPair kPreviewStatusFigures{L"%s would be copied (%s), %s deleted, %s removed",
                                     L"ﾌｧｲﾙのｺﾋﾟｰ予定 %s (%s)、ﾌｧｲﾙの削除予定 %s、ﾌｫﾙﾀﾞの削除予定 %s"};
const TextPair kWouldCreate{L"the folder '%s' would be created, ", L"ﾌｫﾙﾀﾞ '%s' を作成、"};
const TextPair kNothingChanged{L". Nothing was changed.", L"。何も変更していません。"};
const TextPair kSeconds{L", %s s", L"、%s 秒"};

// "1 file", "2 files"; "2 個" in Japanese, whose forms name the kind.
std::wstring Count(unsigned long long n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (UiLanguage ? L"個" : n == 1 ? one : many);
}

void AppendFigures(const RunStats& stats, const TextPair& form, std::wstring& text) {
    wchar_t size[32], part[kMessageChars];
    FormatByteSize(stats.bytesCopied, size);
    FormatInto(part, Pick(form), Count(stats.filesCopied, L"file", L"files").c_str(), size,
               Count(stats.filesDeleted, L"file", L"files").c_str(),
               Count(stats.foldersRemoved, L"folder", L"folders").c_str());
    text += part;
    if (stats.entriesKept > 0) {
        static const TextPair kept{L", %s kept", L"、保管 %s"};
        FormatInto(part, Pick(kept), Count(stats.entriesKept, L"entry", L"entries").c_str());
        text += part;
    }
}

void Finish(const std::wstring& text, wchar_t (&out)[kMessageChars]) { FormatInto(out, L"%s", text.c_str()); }

}  // namespace

void FormatRunFigures(const RunStats& stats, double seconds, bool preview, wchar_t (&out)[kMessageChars]) {
    std::wstring text = preview ? Pick(stats.completed ? kPreviewPrefix : kPreviewStoppedPrefix)
                                : (stats.completed ? L"" : Pick(kStoppedPrefix));
    AppendFigures(stats, preview ? kPreviewStatusFigures : kFigures, text);
    wchar_t number[32], part[64];
    swprintf(number, 32, L"%.2f", seconds);
    FormatInto(part, Pick(kSeconds), number);
    Finish(text + part, out);
}

std::wstring FormatPreviewResult(const RunStats& stats, const wchar_t* createdFolder) {
    std::wstring text = Pick(kPreviewPrefix);
    if (createdFolder) text += FormatString(Pick(kWouldCreate), createdFolder);
    AppendFigures(stats, kPreviewFigures, text);
    return text + Pick(kNothingChanged);
}

void FormatUndoFigures(const UndoFigures& figures, wchar_t (&out)[kMessageChars]) {
    static const TextPair form{L"%s%s put back, %s removed, %s left as they were",
                               L"%s戻したもの %s、削除したもの %s、そのままのもの %s"};
    static const TextPair done{L"Undo: ", L"元に戻す: "};
    static const TextPair stopped{L"Undo stopped: ", L"元に戻す中止: "};
    FormatInto(out, Pick(form), Pick(figures.stopped ? stopped : done), Count(figures.putBack, L"entry", L"entries").c_str(),
               Count(figures.removed, L"entry", L"entries").c_str(), Count(figures.left, L"entry", L"entries").c_str());
}
