#include "text.h"

#include <utility>

int UiLanguage = kLanguageEnglish;

namespace {

// Into a buffer of fixed size, cut where it is full.
struct Writer {
    wchar_t* out;
    size_t capacity;
    size_t length = 0;

    void Put(wchar_t c) {
        if (length + 1 < capacity) out[length++] = c;
    }
    void Put(const wchar_t* text) {
        while (*text) Put(*text++);
    }
};

// Into a string that grows as it needs.
struct StringWriter {
    std::wstring out;

    void Put(wchar_t c) { out += c; }
    void Put(const wchar_t* text) { out += text; }
};

template <typename Sink>
void PutNumber(Sink& writer, unsigned long long value, bool negative) {
    wchar_t digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (negative) writer.Put(L'-');
    while (count > 0) writer.Put(digits[--count]);
}

template <typename Sink>
void Format(Sink& writer, const wchar_t* format, va_list args) {
    for (const wchar_t* p = format; p && *p; ++p) {
        if (*p != L'%') {
            writer.Put(*p);
            continue;
        }
        switch (p[1]) {
        case L's': {
            const wchar_t* text = va_arg(args, const wchar_t*);
            writer.Put(text ? text : L"(null)");
            ++p;
            break;
        }
        case L'd': {
            int value = va_arg(args, int);
            long long wide = value;
            PutNumber(writer, static_cast<unsigned long long>(wide < 0 ? -wide : wide), wide < 0);
            ++p;
            break;
        }
        case L'u':
            PutNumber(writer, va_arg(args, unsigned int), false);
            ++p;
            break;
        case L'c':
            writer.Put(static_cast<wchar_t>(va_arg(args, int)));
            ++p;
            break;
        case L'%':
            writer.Put(L'%');
            ++p;
            break;
        default:
            writer.Put(L'%');  // unknown or dangling: shown as written
            break;
        }
    }
}

}  // namespace

size_t FormatTextV(wchar_t* out, size_t capacity, const wchar_t* format, va_list args) {
    if (out == nullptr || capacity == 0) return 0;
    Writer writer{out, capacity};
    Format(writer, format, args);
    out[writer.length] = L'\0';
    return writer.length;
}

size_t FormatText(wchar_t* out, size_t capacity, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    size_t written = FormatTextV(out, capacity, format, args);
    va_end(args);
    return written;
}

std::wstring FormatStringV(const wchar_t* format, va_list args) {
    StringWriter writer;
    Format(writer, format, args);
    return std::move(writer.out);
}

std::wstring FormatString(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring text = FormatStringV(format, args);
    va_end(args);
    return text;
}
