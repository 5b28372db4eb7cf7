// The graphic editor's rules: grid, new picture size, scaling and the 1-bit BMP form.

#include "display/GrafikRules.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(GrafikRules, GridSnapsToTheNearestStepHalvesToEven) {
  struct Case {
    int value, step, snapped;
  };
  for (const Case& c :
       {Case{14, 10, 10}, Case{15, 10, 20}, Case{25, 10, 20}, Case{35, 10, 40}, Case{7, 1, 7}, Case{0, 20, 0}})
    EXPECT_EQ(SnapToGrid(c.value, c.step), c.snapped) << c.value << "/" << c.step;
  int x = 0, y = 0;
  ViewToDocument(14, 15, 1, 0, 0, 10, true, x, y);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  ViewToDocument(14, 15, 1, 0, 0, 10, false, x, y);  // the flood fill is never snapped
  EXPECT_EQ(x, 14);
  ViewToDocument(47, 9, 4, 3, 2, 10, true, x, y);  // zoomed: divided, never snapped
  EXPECT_EQ(x, 14);
  EXPECT_EQ(y, 4);
}

TEST(GrafikRules, NewPictureSizeIsKeptOnThePanel) {
  struct Case {
    const char* w;
    const char* h;
    bool ok;
    int width, height;
  };
  for (const Case& c :
       {Case{"", "10", false, 0, 0}, Case{"10", "", false, 0, 0}, Case{"100", "50", true, 100, 50},
        Case{"abc", "50", true, 240, 104}, Case{"500", "300", true, 240, 104}, Case{"0", "-4", true, 1, 1}}) {
    int w = 0, h = 0;
    EXPECT_EQ(NewPictureSize(c.w, c.h, w, h), c.ok) << c.w << " x " << c.h;
    if (!c.ok) continue;
    EXPECT_EQ(w, c.width) << c.w;
    EXPECT_EQ(h, c.height) << c.h;
  }
}

TEST(GrafikRules, SelectionScaling) {
  EXPECT_EQ(ScaledLength(100, 110), 110);
  EXPECT_EQ(ScaledLength(50, 110), 55);
  EXPECT_EQ(ScaledLength(100, 90), 90);
  EXPECT_EQ(ScaledLength(50, 90), 45);
  EXPECT_EQ(ScaledLength(1, 90), 1);
}

TEST(GrafikRules, MonoBmpRowsAreBottomUpAndPadded) {
  // 9 x 2: row 0 has its first pixel black, row 1 its last.
  const auto bytes = MonoBmpBytes(9, 2, [](int x, int y) { return (y == 0 && x == 0) || (y == 1 && x == 8); });
  EXPECT_EQ(BmpBitsPerPixel(bytes), 1);
  ASSERT_EQ(bytes.size(), 62u + 2 * 4);
  EXPECT_EQ(bytes[10], 62);
  EXPECT_EQ(bytes[18], 9);
  EXPECT_EQ(bytes[22], 2);
  EXPECT_EQ(bytes[54], 0x00);  // palette 0 black
  EXPECT_EQ(bytes[58], 0xFF);  // palette 1 white
  // Stored first: row 1 (white but its ninth pixel).
  EXPECT_EQ(bytes[62], 0xFF);
  EXPECT_EQ(bytes[63], 0x00);
  // Then row 0: its first pixel black.
  EXPECT_EQ(bytes[66], 0x7F);
  EXPECT_EQ(bytes[67], 0x80);
  EXPECT_EQ(BmpBitsPerPixel({'P', 'K'}), 0);
}

}  // namespace
}  // namespace zyn
