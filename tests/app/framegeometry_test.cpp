#include "app/framegeometry.h"

#include <gtest/gtest.h>

namespace kovala {
namespace {

TEST(FrameGeometryTest, FrameTakesSevenNinthsOfTheScreenInWholeNinths) {
  struct Case {
    int width, height;
    TRect frame;
  };
  // 1024 / 9 = 113 and 7 * 113 = 791, where 7 * 1024 / 9 would give 796.
  for (const Case& c : {Case{1024, 768, {113, 85, 113 + 791, 85 + 595}},
                        Case{1920, 1080, {213, 120, 213 + 1491, 120 + 840}}, Case{8, 8, {0, 0, 0, 0}}}) {
    SCOPED_TRACE(c.width);
    const TRect r = FrameRect(c.width, c.height);
    EXPECT_EQ(r, c.frame);
    EXPECT_EQ(r.Width(), 7 * (c.width / 9));
  }
}

TEST(FrameGeometryTest, SplashIsCentredWithEachHalfTruncated) {
  EXPECT_EQ(SplashRect(1024, 768), (TRect{412, 284, 612, 484}));
  // 1023 / 2 = 511 and 201 / 2 = 100: the picture leans left, not right.
  EXPECT_EQ(SplashRect(1023, 767, 201, 199), (TRect{411, 284, 612, 483}));
}

}  // namespace
}  // namespace kovala
