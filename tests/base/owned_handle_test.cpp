#include <gtest/gtest.h>

#include "base/owned_handle.h"

// An event stands in for a file: the system knows no flags of a handle that was closed.
static bool IsOpen(HANDLE handle) {
    DWORD flags;
    return GetHandleInformation(handle, &flags) != 0;
}

TEST(OwnedHandle, ClosesOnceOnEveryPathAndMovesOwnership) {
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        FileHandle first(raw);
        FileHandle second(std::move(first));
        EXPECT_FALSE(first.Valid());
        EXPECT_EQ(second.Get(), raw);
        FileHandle third;
        third = std::move(second);
        EXPECT_TRUE(IsOpen(raw));
        HANDLE next = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        SetLastError(ERROR_ACCESS_DENIED);
        third.Reset(next);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));  // the caller's error survives
        EXPECT_FALSE(IsOpen(raw));
        HANDLE kept = third.Release();
        EXPECT_FALSE(third.Valid());
        EXPECT_TRUE(IsOpen(kept));
        third.Reset(kept);
        raw = kept;
    }
    EXPECT_FALSE(IsOpen(raw));
    FindHandle none(INVALID_HANDLE_VALUE);  // a failed search closes nothing
    EXPECT_FALSE(none.Valid());
}
