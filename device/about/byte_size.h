#pragma once
#include <cstddef>
#include <cstdint>

// A byte count as "%d B", "%d.%d KB" or "%d.%d MB". The digit after the point is the
// remainder in the lower unit divided by 100, at most 9 (so 1048575 bytes read 1023.9 KB,
// never 1023.10). Counts of 4 GiB and more stay in megabytes ("5120.0 MB").
size_t FormatByteSize(std::uint64_t bytes, wchar_t* out, size_t capacity);

template <size_t N>
size_t FormatByteSize(std::uint64_t bytes, wchar_t (&out)[N]) {
    return FormatByteSize(bytes, out, N);
}
