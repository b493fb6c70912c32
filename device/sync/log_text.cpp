#include "log_text.h"

#include <cwchar>

namespace {

bool Escaped(wchar_t c) { return c < 0x20 || c == 0x7F || c == 0x85 || c == 0x2028 || c == 0x2029 || c == L'<'; }

}  // namespace

void AppendLogText(std::wstring& out, const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) {
        if (!Escaped(*p)) {
            out += *p;
            continue;
        }
        wchar_t escaped[8];
        swprintf(escaped, 8, L"<%02X>", static_cast<unsigned>(*p));
        out += escaped;
    }
}

void AppendLogRow(std::wstring& out, const wchar_t* operation, const wchar_t* first, const wchar_t* second,
                  const wchar_t* lineEnd) {
    out += operation;
    out += L'\t';
    AppendLogText(out, first);
    out += L'\t';
    AppendLogText(out, second);
    out += lineEnd;
}

std::wstring LogHeader(const wchar_t* set, const wchar_t* direction, const SYSTEMTIME& time, const wchar_t* figures) {
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute, time.wSecond);
    std::wstring line = L"# ";
    AppendLogText(line, set);
    line += L'\t';
    line += direction;
    line += L'\t';
    line += stamp;
    if (figures && figures[0]) {
        line += L'\t';
        AppendLogText(line, figures);
    }
    return line;
}
