// The Office 2003 painter's choice by the manager and the colours it takes from the scheme.

#include "widgets/bars/BarOffice11Painter.h"

#include "BarTestSupport.h"
#include "widgets/bars/LookAndFeels.h"
#include "widgets/bars/Office11Colors.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

class Office11Painter : public ::testing::Test, public test::BarsFixture {};

TEST_F(Office11Painter, ChosenForTheStyleAndForTheLookAndFeelKind) {
  manager->SetStyle(bmsOffice11);
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlOffice11Painter");
  manager->SetStyle(bmsUseLookAndFeel);
  manager->LookAndFeel().SetNativeStyle(false);
  manager->LookAndFeel().SetKind(lfOffice11);
  manager->StyleChanged();
  EXPECT_STREQ(manager->PainterClass().ClassName(), "TzbBarItemControlOffice11Painter");
  EXPECT_EQ(manager->GripIndent(), 3);
}

TEST_F(Office11Painter, TheQuickButtonTakesTheMoreButtonsColoursOfItsState) {
  manager->SetStyle(bmsOffice11);
  const auto& p = TzbBarItemControlOffice11Painter::Instance();
  const TOffice11Colors& c = Office11Colors();
  for (int state = 0; state < 3; ++state) {
    test::FakeBarWindow w(*manager, false, 40, 40);
    w.QuickState = state;
    p.DrawQuickButtonBackground(w, w.Canvas(), w.CurrentBrush(), Rect(0, 0, 11, 22));
    EXPECT_EQ(w.Image().pixelColor(5, 0), ToQColor(ColorToRGB(c.Office11MoreButtonsColors1[state]))) << state;
    EXPECT_EQ(w.Image().pixelColor(5, 21), ToQColor(ColorToRGB(c.Office11MoreButtonsColors4[state]))) << state;
  }
}

}  // namespace
}  // namespace zyn
