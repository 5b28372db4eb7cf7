// The radio buttons of the look-and-feel painters: the circle of the style's indicator, the pixel
// classes of its rings, body and dot, the colours per kind and state, and the rebuild after a
// change of the system colours.

#include "widgets/bars/RadioButtonImages.h"

#include "BarTestSupport.h"
#include "widgets/bars/Office11Colors.h"

#include <QApplication>
#include <QStyle>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using List = TzxRadioButtonImageList;

class RadioImages : public ::testing::Test {
 protected:
  RadioImages() { test::EnsureApplication(); }
  QColor Pixel(const QImage& image, int pixelClass) {
    const List& l = RadioButtonImages();
    for (int y = 0; y < l.Height(); ++y)
      for (int x = 0; x < l.Width(); ++x)
        if (l.Pattern()[y * l.Width() + x] == pixelClass) return image.pixelColor(x, y);
    return QColor();
  }
  static QColor Sys(TColor c) { return ToQColor(ColorToRGB(c)); }
};

TEST_F(RadioImages, TheCircleOfTheStylesIndicatorWithEveryPixelClass) {
  List& l = RadioButtonImages();
  const QImage image = l.Image(true, false, false, zxbsNormal, lfStandard);
  EXPECT_EQ(l.Count(), 128);
  EXPECT_EQ(l.Width(), QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth));
  EXPECT_EQ(image.size(), QSize(l.Width(), l.Height()));
  for (int c = List::kOutside; c <= List::kDot; ++c)
    EXPECT_NE(std::count(l.Pattern().begin(), l.Pattern().end(), c), 0) << "class " << c;
  // The corners lie outside the circle and stay transparent; the centre is the dot.
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
  EXPECT_EQ(l.Pattern()[(l.Height() / 2) * l.Width() + l.Width() / 2], List::kDot);
  EXPECT_EQ(List::CombinationIndex(true, true, true, zxbsDisabled, lfOffice11), 127);
  EXPECT_TRUE(l.Image(false, false, false, zxbsDefault, lfFlat).isNull());  // Default has no image
}

TEST_F(RadioImages, ColoursFollowKindStateAndEmphasis) {
  List& l = RadioButtonImages();
  const struct {
    const char* Name;
    bool Checked, A, B;
    TzxButtonState State;
    TzxLookAndFeelKind Kind;
    int Class;
    QColor Expected;
  } cases[] = {
      {"standard disabled checked dot", true, false, false, zxbsDisabled, lfStandard, List::kDot, Sys(clBtnShadow)},
      {"standard disabled body", true, false, false, zxbsDisabled, lfStandard, List::kBody, Sys(clBtnFace)},
      {"standard inner upper-left", false, false, false, zxbsNormal, lfStandard, List::kInnerUpperLeft,
       Sys(cl3DDkShadow)},
      {"flat inner upper-left", false, false, false, zxbsNormal, lfFlat, List::kInnerUpperLeft, Sys(cl3DLight)},
      {"flat pressed body", false, false, false, zxbsPressed, lfFlat, List::kBody, Sys(clBtnFace)},
      {"unchecked dot is body", false, false, false, zxbsNormal, lfFlat, List::kDot, Sys(clWindow)},
      {"ultraflat hot ring", false, false, false, zxbsHot, lfUltraFlat, List::kOuterLowerRight, Sys(clHighlight)},
      {"ultraflat emphasis A disabled ring", false, true, false, zxbsDisabled, lfUltraFlat, List::kOuterUpperLeft,
       Sys(clBtnShadow)},
      {"ultraflat emphasis B disabled ring", false, false, true, zxbsDisabled, lfUltraFlat, List::kOuterUpperLeft,
       Sys(clHighlight)},
      {"office11 normal ring", false, false, false, zxbsNormal, lfOffice11, List::kOuterUpperLeft, Sys(clBtnText)},
      {"office11 hot body", false, false, false, zxbsHot, lfOffice11, List::kBody,
       Sys(Office11Colors().Office11HotColor1)},
      {"office11 disabled dot", true, false, false, zxbsDisabled, lfOffice11, List::kDot,
       Sys(Office11Colors().Office11DisabledTextColor)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Pixel(l.Image(c.Checked, c.A, c.B, c.State, c.Kind), c.Class), c.Expected) << c.Name;
}

TEST_F(RadioImages, DrawingWithABackgroundFillsTheCornersAndAColourChangeRebuilds) {
  List& l = RadioButtonImages();
  QImage target(40, 40, QImage::Format_RGB32);
  target.fill(Qt::white);
  {
    TCanvas canvas(&target);
    l.Draw(canvas, 5, 5, true, false, false, zxbsNormal, lfStandard, RGB(0, 128, 0));
  }
  EXPECT_EQ(target.pixelColor(5, 5), QColor(0, 128, 0));
  EXPECT_EQ(target.pixelColor(5 + l.Width() / 2, 5 + l.Height() / 2), Sys(clBtnText));

  const QPalette saved = QApplication::palette();
  QPalette changed = saved;
  changed.setColor(QPalette::ButtonText, QColor(200, 0, 0));
  QApplication::setPalette(changed);
  SystemPaletteChanged();
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(Pixel(l.Image(true, false, false, zxbsNormal, lfStandard), List::kDot), QColor(200, 0, 0));
  QApplication::setPalette(saved);
  SystemPaletteChanged();
}

}  // namespace
}  // namespace zyn
