#include "text.h"

#include <windows.h>

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

// One argument as the format's conversion takes it: 's' a wide string, 'd' a signed and 'u'
// an unsigned 32-bit integer, 'c' a wide character.
struct Argument {
    wchar_t kind = 0;
    const wchar_t* text = nullptr;
    long long number = 0;
};

Argument TakeArgument(wchar_t kind, va_list& args) {
    Argument argument;
    argument.kind = kind;
    switch (kind) {
    case L's': argument.text = va_arg(args, const wchar_t*); break;
    case L'd': argument.number = va_arg(args, int); break;
    case L'u': argument.number = va_arg(args, unsigned int); break;
    case L'c': argument.number = static_cast<wchar_t>(va_arg(args, int)); break;
    }
    return argument;
}

template <typename Sink>
void PutArgument(Sink& writer, const Argument& argument) {
    switch (argument.kind) {
    case L's': writer.Put(argument.text ? argument.text : L"(null)"); break;
    case L'd':
    case L'u':
        PutNumber(writer, static_cast<unsigned long long>(argument.number < 0 ? -argument.number : argument.number),
                  argument.number < 0);
        break;
    case L'c': writer.Put(static_cast<wchar_t>(argument.number)); break;
    }
}

bool IsConversion(wchar_t c) { return c == L's' || c == L'd' || c == L'u' || c == L'c'; }

// A numbered conversion at `p` ("%1", "%2!d!"): its number (1 to 9) and kind, and where it
// ends; number 0 when `p` holds none.
struct Numbered {
    int number = 0;
    wchar_t kind = L's';
    const wchar_t* end = nullptr;
};

Numbered ReadNumbered(const wchar_t* p) {
    Numbered found;
    if (p[0] != L'%' || p[1] < L'1' || p[1] > L'9') return found;
    found.number = p[1] - L'0';
    found.end = p + 2;
    if (p[2] == L'!' && IsConversion(p[3]) && p[4] == L'!') {
        found.kind = p[3];
        found.end = p + 5;
    }
    return found;
}

constexpr int kMostNumbered = 9;

// A format with numbered conversions: each argument is read once, in the order of the
// numbers, and shown wherever its number stands.
template <typename Sink>
void FormatNumbered(Sink& writer, const wchar_t* format, va_list args) {
    wchar_t kinds[kMostNumbered + 1] = {};
    int highest = 0;
    for (const wchar_t* p = format; *p; ++p) {
        if (p[0] == L'%' && p[1] == L'%') {
            ++p;
            continue;
        }
        const Numbered numbered = ReadNumbered(p);
        if (numbered.number == 0) continue;
        if (!kinds[numbered.number]) kinds[numbered.number] = numbered.kind;
        if (numbered.number > highest) highest = numbered.number;
    }
    // Arguments are read up to the first number the format skips: the kind of the one it
    // skips, and so where the next one lies, is unknown.
    Argument arguments[kMostNumbered + 1];
    for (int number = 1; number <= highest && kinds[number]; ++number)
        arguments[number] = TakeArgument(kinds[number], args);
    for (const wchar_t* p = format; *p; ++p) {
        if (p[0] == L'%' && p[1] == L'%') {
            writer.Put(L'%');
            ++p;
            continue;
        }
        const Numbered numbered = ReadNumbered(p);
        if (numbered.number == 0 || arguments[numbered.number].kind == 0) {
            writer.Put(*p);  // not a conversion, or one whose argument could not be read
            continue;
        }
        PutArgument(writer, arguments[numbered.number]);
        p = numbered.end - 1;
    }
}

bool HasNumbered(const wchar_t* format) {
    for (const wchar_t* p = format; *p; ++p) {
        if (p[0] == L'%' && p[1] == L'%') {
            ++p;
            continue;
        }
        if (ReadNumbered(p).number != 0) return true;
    }
    return false;
}

template <typename Sink>
void Format(Sink& writer, const wchar_t* format, va_list args) {
    if (format && HasNumbered(format)) {
        FormatNumbered(writer, format, args);
        return;
    }
    for (const wchar_t* p = format; p && *p; ++p) {
        if (*p != L'%') {
            writer.Put(*p);
            continue;
        }
        if (IsConversion(p[1])) {
            PutArgument(writer, TakeArgument(p[1], args));
            ++p;
        } else if (p[1] == L'%') {
            writer.Put(L'%');
            ++p;
        } else {
            writer.Put(L'%');  // unknown or dangling: shown as written
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

std::wstring CountText(unsigned long long n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (UiLanguage ? L"個" : n == 1 ? one : many);
}

void ToUtf8(const wchar_t* text, size_t length, std::string& out) {
    const int units = static_cast<int>(length);
    const int bytes = units > 0 ? WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr) : 0;
    out.resize(static_cast<size_t>(bytes > 0 ? bytes : 0));
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, units, out.data(), bytes, nullptr, nullptr);
}

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    ToUtf8(text.data(), text.size(), out);
    return out;
}
