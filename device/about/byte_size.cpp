#include "byte_size.h"

#include <climits>

#include "base/text.h"

namespace {

// Tenths of the upper unit from the remainder in the lower one (0..1023): a remainder of
// 1000 or more would read as a two-digit "tenth".
unsigned Tenths(std::uint64_t remainder) {
    unsigned digit = static_cast<unsigned>(remainder / 100);
    return digit > 9 ? 9 : digit;
}

unsigned Clamp32(std::uint64_t value) { return value > UINT_MAX ? UINT_MAX : static_cast<unsigned>(value); }

}  // namespace

size_t FormatByteSize(std::uint64_t bytes, wchar_t* out, size_t capacity) {
    if (bytes < 1024) return FormatText(out, capacity, L"%u B", static_cast<unsigned>(bytes));
    if (bytes < 1024 * 1024) return FormatText(out, capacity, L"%u.%u KB", Clamp32(bytes >> 10), Tenths(bytes % 1024));
    return FormatText(out, capacity, L"%u.%u MB", Clamp32(bytes >> 20), Tenths((bytes >> 10) % 1024));
}
