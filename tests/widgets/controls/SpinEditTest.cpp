#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include "TestSupport.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    window_ = std::make_unique<QWidget>();
    window_->resize(300, 100);
    spin_ = new TZCLSpinEdit(window_.get());
    spin_->setGeometry(10, 10, 120, 21);
    other_ = new QLineEdit(window_.get());
    other_->setGeometry(10, 50, 100, 21);
    spin_->OnChange = [this](QObject*) { ++changes_; };
  }
  void Leave() {
    ShowActive(*window_);
    Focus(spin_);
    Focus(other_);
  }
  std::unique_ptr<QWidget> window_;
  TZCLSpinEdit* spin_ = nullptr;
  QLineEdit* other_ = nullptr;
  int changes_ = 0;
};

TEST_F(SpinEditTest, DefaultsAndValueReadableFromConstruction) {
  EXPECT_EQ(spin_->MinValue(), 0);
  EXPECT_EQ(spin_->MaxValue(), 100);
  EXPECT_EQ(spin_->Value(), 0);
  EXPECT_EQ(spin_->Text(), QStringLiteral("0"));
  EXPECT_EQ(spin_->LineSize(), 1);
  EXPECT_EQ(spin_->PageSize(), 10);
  EXPECT_TRUE(spin_->AutoSelect());
  EXPECT_TRUE(spin_->AutoSize());
}

TEST_F(SpinEditTest, AssignmentClampsAndFiresOnceAndNotForTheSameValue) {
  spin_->SetValue(250);
  EXPECT_EQ(spin_->Value(), 100);
  EXPECT_EQ(spin_->Text(), QStringLiteral("100"));
  EXPECT_EQ(changes_, 1);
  spin_->SetValue(100);  // the stored value
  EXPECT_EQ(changes_, 1);
  spin_->SetMinValue(10);
  spin_->SetValue(-5);
  EXPECT_EQ(spin_->Value(), 10);
  EXPECT_EQ(changes_, 2);
}

TEST_F(SpinEditTest, AssigningTheStoredValueAgainReplacesAStepText) {
  spin_->SetValue(50);
  Key(spin_, Qt::Key_Up);
  EXPECT_EQ(spin_->Text(), QStringLiteral("51"));
  const int before = changes_;
  spin_->SetValue(50);
  EXPECT_EQ(spin_->Text(), QStringLiteral("50"));
  EXPECT_EQ(changes_, before + 1);
  spin_->SetValue(50);
  EXPECT_EQ(changes_, before + 1);
}

TEST_F(SpinEditTest, LimitsAreCoupled) {
  spin_->SetMinValue(200);
  EXPECT_EQ(spin_->MaxValue(), 200);
  spin_->SetMaxValue(5);
  EXPECT_EQ(spin_->MinValue(), 5);
  EXPECT_EQ(spin_->MaxValue(), 5);
  // Lowering the maximum leaves the value until the next assignment.
  spin_->SetMaxValue(100);
  spin_->SetMinValue(0);
  spin_->SetValue(80);
  spin_->SetMaxValue(50);
  EXPECT_EQ(spin_->Value(), 80);
}

TEST_F(SpinEditTest, KeysStepByLineAndPageAndStopAtTheLimits) {
  struct Case {
    int start;
    int key;
    int expected;
  };
  const Case cases[] = {{95, Qt::Key_PageUp, 100}, {100, Qt::Key_Up, 100}, {50, Qt::Key_Up, 51},
                        {50, Qt::Key_Down, 49},    {5, Qt::Key_PageDown, 0}, {0, Qt::Key_Down, 0},
                        {30, Qt::Key_PageDown, 20}};
  for (const Case& c : cases) {
    spin_->SetValue(c.start);
    Key(spin_, c.key);
    EXPECT_EQ(spin_->Value(), c.expected) << c.start << " key " << c.key;
  }
}

TEST_F(SpinEditTest, FocusLossClampsTypedValues) {
  ShowActive(*window_);
  Focus(spin_);
  EXPECT_EQ(spin_->SelLength(), 1);  // AutoSelect on keyboard focus
  Type(spin_, QStringLiteral("150"));
  EXPECT_EQ(spin_->Value(), 150);
  Focus(other_);
  EXPECT_EQ(spin_->Text(), QStringLiteral("100"));
  EXPECT_EQ(spin_->Value(), 100);
  Focus(spin_);
  spin_->SelectAll();
  Key(spin_, Qt::Key_Delete);
  Type(spin_, QStringLiteral("-"));
  EXPECT_EQ(spin_->Text(), QStringLiteral("-"));
  Focus(other_);
  EXPECT_EQ(spin_->Value(), 0);
  EXPECT_EQ(spin_->Text(), QStringLiteral("0"));
}

TEST_F(SpinEditTest, EmptyTextReadsZeroAndLettersAreRefused) {
  spin_->SetValue(42);
  spin_->SelectAll();
  spin_->DeleteSelection();
  EXPECT_EQ(spin_->Text(), QString());
  EXPECT_EQ(spin_->Value(), 0);
  Type(spin_, QStringLiteral("4x2"));
  EXPECT_EQ(spin_->Text(), QStringLiteral("42"));
}

TEST_F(SpinEditTest, ReadOnlyStopsSteppingAndEditorDisabledStopsTypingOnly) {
  spin_->SetValue(10);
  spin_->SetReadOnly(true);
  Key(spin_, Qt::Key_Up);
  spin_->SpinUpClick();
  EXPECT_EQ(spin_->Value(), 10);
  spin_->SetReadOnly(false);
  spin_->SetEditorEnabled(false);
  spin_->SetCaretPos(3);
  Type(spin_, QStringLiteral("5"));
  EXPECT_EQ(spin_->Text(), QStringLiteral("10"));
  Key(spin_, Qt::Key_Up);
  EXPECT_EQ(spin_->Value(), 11);
}

TEST_F(SpinEditTest, WheelSteps) {
  spin_->SetValue(10);
  QWheelEvent up(QPointF(5, 5), QPointF(spin_->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(spin_, &up);
  EXPECT_EQ(spin_->Value(), 11);
}

TEST_F(SpinEditTest, SpinButtonSitsInsideTheRightEdgeAndSplitsDiagonally) {
  ShowActive(*window_);
  TZCLSpinButton& button = spin_->SpinButton();
  const QRect g = button.geometry();
  EXPECT_EQ(g.right(), spin_->width() - 3);  // inside the two-pixel window border
  EXPECT_EQ(g.width(), g.height());
  EXPECT_EQ(button.Parts(), unsigned(spUp | spDown));
  EXPECT_EQ(button.PartAt(1, 1), unsigned(spUp));
  EXPECT_EQ(button.PartAt(g.width() - 2, g.height() - 2), unsigned(spDown));
  const QPoint belowDiagonal(g.width() - 1, g.height() / 2 - 1);
  EXPECT_EQ(button.PartAt(belowDiagonal.x(), belowDiagonal.y()), unsigned(spDown));
  button.SetDiagonal(false);
  EXPECT_EQ(button.PartAt(belowDiagonal.x(), belowDiagonal.y()), unsigned(spUp));
}

TEST_F(SpinEditTest, PressingThePartStepsAtOnceThenRepeats) {
  ShowActive(*window_);
  spin_->SetValue(10);
  int ups = 0;
  spin_->OnSpinBtnUpClick = [&](QObject*) { ++ups; };
  TZCLSpinButton& button = spin_->SpinButton();
  Mouse(&button, QEvent::MouseButtonPress, QPoint(1, 1));
  EXPECT_EQ(spin_->Value(), 11);
  EXPECT_EQ(ups, 1);
  EXPECT_TRUE(spin_->hasFocus());
  EXPECT_TRUE(button.Repeating());
  EXPECT_EQ(button.RepeatInterval(), 300);
  button.RepeatTick();
  EXPECT_EQ(button.RepeatInterval(), 100);
  EXPECT_EQ(spin_->Value(), 12);
  Mouse(&button, QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(button.Repeating());
  EXPECT_EQ(button.State(spUp), ssHot);
}

TEST_F(SpinEditTest, LoadingShowsTheStreamedValueAndFiresNoChangeWhileLoading) {
  TZCLSpinEdit loaded(window_.get());
  int count = 0;
  loaded.OnChange = [&](QObject*) { ++count; };
  loaded.BeginLoading();
  loaded.SetMaxValue(5000);
  loaded.SetValue(250);
  EXPECT_EQ(count, 0);
  loaded.EndLoading();
  EXPECT_EQ(loaded.Text(), QStringLiteral("250"));
  EXPECT_EQ(loaded.Value(), 250);
  EXPECT_EQ(count, 1);
}

TEST_F(SpinEditTest, PaintsTheArrowsInTheButton) {
  ShowActive(*window_);
  const QImage image = Render(&spin_->SpinButton());
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == 0) ++dark;
  EXPECT_GE(dark, 12);  // two arrows of size 3: 9 pixels each at least in part
  const QImage whole = Render(spin_);
  EXPECT_EQ(FromQColor(whole.pixelColor(0, 5)), ColorToRGB(clBtnShadow));  // the sunken window border
  EXPECT_EQ(FromQColor(whole.pixelColor(spin_->width() / 3, spin_->height() - 1)), ColorToRGB(clBtnHighlight));
}

TEST(SpinButtonThemes, ThemedPartsAreHalvesDrawnByTheSpinClass) {
  EnsureApp();
  ZCLApplication().SetVisualStyles(true);
  QWidget window;
  window.resize(60, 60);
  auto* button = new TZCLSpinButton(&window);
  button->setGeometry(0, 0, 20, 20);
  button->SetParts(spUp | spDown);
  ASSERT_TRUE(button->UsesThemes());
  // No diagonal split with themes: the top-right corner belongs to the up part.
  EXPECT_EQ(button->PartAt(18, 2), static_cast<unsigned>(spUp));
  EXPECT_EQ(button->PartAt(2, 18), static_cast<unsigned>(spDown));
  QString themeClass;
  int part = 0, state = 0;
  button->ThemePartOf(spDown, ssPressed, themeClass, part, state);
  EXPECT_EQ(themeClass, QStringLiteral("SPIN"));
  EXPECT_EQ(part, 2);
  EXPECT_EQ(state, 3);
  button->SetStyle(1);
  const struct {
    TZCLSpinPart part;
    int state, expected;
  } scroll[] = {{spUp, ssNormal, 1}, {spDown, ssHot, 6}, {spLeft, ssDisabled, 12}, {spRight, ssPressed, 15}};
  for (const auto& s : scroll) {
    button->ThemePartOf(s.part, s.state, themeClass, part, state);
    EXPECT_EQ(themeClass, QStringLiteral("SCROLLBAR"));
    EXPECT_EQ(part, 1);
    EXPECT_EQ(state, s.expected);
  }
  button->SetStyle(0);
  // Both halves show the spin face of the visual style.
  const QImage image = Render(button);
  EXPECT_EQ(FromQColor(image.pixelColor(3, 5)), RGB(193, 211, 251));
  EXPECT_EQ(FromQColor(image.pixelColor(3, 15)), RGB(193, 211, 251));
  // The spin edit hands its themed-look flag to its button.
  auto* spin = new TZCLSpinEdit(&window);
  EXPECT_TRUE(spin->SpinButton().UsesThemes());
  spin->SetCtlXP(false);
  EXPECT_FALSE(spin->SpinButton().CtlXP());
  EXPECT_FALSE(spin->SpinButton().UsesThemes());
  // Without the application's visual styles the classic diagonal look is back.
  ZCLApplication().SetVisualStyles(false);
  EXPECT_FALSE(button->UsesThemes());
  EXPECT_EQ(button->PartAt(18, 2), static_cast<unsigned>(spDown));
}

}  // namespace
}  // namespace zyn
