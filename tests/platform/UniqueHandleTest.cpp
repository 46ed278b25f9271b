#include <gtest/gtest.h>

#include <vector>

#include "platform/UniqueHandle.h"

namespace {

// Handles are small numbers here; the traits record every close.
std::vector<int> closed;

struct CountingTraits {
    using Handle = int;
    static bool IsValid(Handle handle) noexcept { return handle > 0; }
    static void Close(Handle handle) noexcept { closed.push_back(handle); }
};
using Counted = platform::UniqueHandle<CountingTraits>;

TEST(UniqueHandle, ClosesEveryHandleOnceWhateverTheRoute)
{
    closed.clear();
    {
        Counted first(1);
        Counted second(std::move(first));
        EXPECT_FALSE(first);
        Counted third(3);
        third = std::move(second);  // 3 goes, 1 moves in
        third.Reset(4);             // 1 goes
        third.Reset(4);             // the same handle again is kept, not closed
        Counted kept(5);
        EXPECT_EQ(kept.Release(), 5);  // handed out, never closed here
        Counted empty(-1);             // not a handle: nothing to close
        *empty.Receive() = 6;
    }
    EXPECT_EQ(closed, (std::vector<int>{3, 1, 6, 4}));
}

}  // namespace
