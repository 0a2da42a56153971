#include "ui/window_placement.h"

#include <gtest/gtest.h>

namespace {

struct ClampCase {
  const char* name;
  RECT in;
  RECT want;
};

class ClampToScreen : public testing::TestWithParam<ClampCase> {};

// A 1024 x 768 screen. Every case keeps the rectangle's size.
TEST_P(ClampToScreen, MovesTheRectangleInsideKeepingItsSize) {
  const ClampCase& c = GetParam();
  RECT r = c.in;
  ClampRect(r, 1024, 768);
  EXPECT_EQ(r.left, c.want.left);
  EXPECT_EQ(r.top, c.want.top);
  EXPECT_EQ(r.right, c.want.right);
  EXPECT_EQ(r.bottom, c.want.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampToScreen,
    testing::Values(ClampCase{"inside", {10, 20, 360, 232}, {10, 20, 360, 232}},
                    ClampCase{"exactlyFits", {0, 0, 1024, 768}, {0, 0, 1024, 768}},
                    ClampCase{"pastRight", {900, 10, 1100, 110}, {824, 10, 1024, 110}},
                    ClampCase{"pastLeft", {-30, 10, 170, 110}, {0, 10, 200, 110}},
                    ClampCase{"pastBottom", {10, 700, 110, 800}, {10, 668, 110, 768}},
                    ClampCase{"pastTop", {10, -5, 110, 95}, {10, 0, 110, 100}},
                    ClampCase{"pastRightAndBottom", {1000, 760, 1100, 860}, {924, 668, 1024, 768}},
                    // Wider than the screen: pushed left, then back to 0, past the right edge.
                    ClampCase{"widerThanScreen", {-50, 0, 1450, 100}, {0, 0, 1500, 100}},
                    ClampCase{"tallerThanScreen", {0, -41, 100, 859}, {0, 0, 100, 900}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
