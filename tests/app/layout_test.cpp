#include <gtest/gtest.h>

#include "app/layout.h"

namespace {

bool Same(const ControlPlace& p, int x, int y, int w, int h) { return p.x == x && p.y == y && p.width == w && p.height == h; }

}  // namespace

TEST(MainLayout, PlacesEveryControlFromTheUsableArea) {
    MainLayout m = ComputeMainLayout(RECT{0, 40, 640, 460});  // W 640, H 420
    EXPECT_TRUE(Same(m.sourceLabel, 4, 44, 50, 20));
    EXPECT_TRUE(Same(m.destinationLabel, 4, 94, 50, 20));
    EXPECT_TRUE(Same(m.sourceEdit, 60, 42, 548, 21));
    EXPECT_TRUE(Same(m.sourceBrowse, 614, 42, 22, 21));
    EXPECT_TRUE(Same(m.back, 4, 67, 66, 21));
    EXPECT_TRUE(Same(m.forward, 74, 67, 492, 21));
    EXPECT_TRUE(Same(m.abort, 570, 67, 66, 21));
    EXPECT_TRUE(Same(m.destinationEdit, 60, 92, 548, 21));
    EXPECT_TRUE(Same(m.destinationBrowse, 614, 92, 22, 21));
    EXPECT_TRUE(Same(m.optionBoxes[0], 4, 117, 156, 21));
    EXPECT_TRUE(Same(m.optionBoxes[1], 160, 117, 156, 21));
    EXPECT_TRUE(Same(m.optionBoxes[2], 320, 117, 156, 21));
    EXPECT_TRUE(Same(m.optionBoxes[3], 480, 117, 156, 21));
    EXPECT_TRUE(Same(m.operationList, 0, 140, 640, 320));
}

TEST(MainLayout, NarrowWindowsTruncateAndMayGoNegative) {
    MainLayout m = ComputeMainLayout(RECT{0, 0, 143, 90});
    EXPECT_EQ(m.forward.width, -5);           // 143 - 148
    EXPECT_EQ(m.optionBoxes[1].x, 35);               // 143 / 4
    EXPECT_EQ(m.optionBoxes[3].x, 107);           // 429 / 4
    EXPECT_EQ(m.optionBoxes[0].width, 31);   // 35 - 4
    EXPECT_EQ(m.operationList.height, -10);
}
