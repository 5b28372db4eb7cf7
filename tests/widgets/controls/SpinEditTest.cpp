#include "TestSupport.h"
#include "widgets/controls/ZCLApplication.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    fWindow = std::make_unique<QWidget>();
    fWindow->resize(300, 100);
    fSpin = new TZCLSpinEdit(fWindow.get());
    fSpin->setGeometry(10, 10, 120, 21);
    fOther = new QLineEdit(fWindow.get());
    fOther->setGeometry(10, 50, 100, 21);
    fSpin->OnChange = [this](QObject*) { ++fChanges; };
  }
  void Leave() {
    ShowActive(*fWindow);
    Focus(fSpin);
    Focus(fOther);
  }
  std::unique_ptr<QWidget> fWindow;
  TZCLSpinEdit* fSpin = nullptr;
  QLineEdit* fOther = nullptr;
  int fChanges = 0;
};

TEST_F(SpinEditTest, DefaultsAndValueReadableFromConstruction) {
  EXPECT_EQ(fSpin->MinValue(), 0);
  EXPECT_EQ(fSpin->MaxValue(), 100);
  EXPECT_EQ(fSpin->Value(), 0);
  EXPECT_EQ(fSpin->Text(), QStringLiteral("0"));
  EXPECT_EQ(fSpin->LineSize(), 1);
  EXPECT_EQ(fSpin->PageSize(), 10);
  EXPECT_TRUE(fSpin->AutoSelect());
  EXPECT_TRUE(fSpin->AutoSize());
}

TEST_F(SpinEditTest, AssignmentClampsAndFiresOnceAndNotForTheSameValue) {
  fSpin->SetValue(250);
  EXPECT_EQ(fSpin->Value(), 100);
  EXPECT_EQ(fSpin->Text(), QStringLiteral("100"));
  EXPECT_EQ(fChanges, 1);
  fSpin->SetValue(100);  // the stored value
  EXPECT_EQ(fChanges, 1);
  fSpin->SetMinValue(10);
  fSpin->SetValue(-5);
  EXPECT_EQ(fSpin->Value(), 10);
  EXPECT_EQ(fChanges, 2);
}

// Assigning the stored value again is left alone only while the text shows it. After steps the
// text holds another number, and Value reads the text: leaving it would let the programme's
// assignment of 50 read back as 51 and show 51 (a page reset to its saved options would keep the
// stepped number). So the text is rewritten then, with its one change event.
TEST_F(SpinEditTest, AssigningTheStoredValueAgainReplacesAStepText) {
  fSpin->SetValue(50);
  Key(fSpin, Qt::Key_Up);
  EXPECT_EQ(fSpin->Text(), QStringLiteral("51"));
  EXPECT_EQ(fSpin->Value(), 51);
  const int before = fChanges;
  fSpin->SetValue(50);
  EXPECT_EQ(fSpin->Text(), QStringLiteral("50"));
  EXPECT_EQ(fSpin->Value(), 50);
  EXPECT_EQ(fChanges, before + 1);
  fSpin->SetValue(50);  // the text shows the stored value: nothing
  EXPECT_EQ(fChanges, before + 1);
  // the same after the user's typing was taken on focus loss
  ShowActive(*fWindow);
  Focus(fSpin);
  Key(fSpin, Qt::Key_Down);
  Key(fSpin, Qt::Key_Down);
  Focus(fOther);  // 48 becomes the stored value
  const int afterLeave = fChanges;
  fSpin->SetValue(48);
  EXPECT_EQ(fChanges, afterLeave);
  EXPECT_EQ(fSpin->Value(), 48);
}

TEST_F(SpinEditTest, LimitsAreCoupled) {
  fSpin->SetMinValue(200);
  EXPECT_EQ(fSpin->MaxValue(), 200);
  fSpin->SetMaxValue(5);
  EXPECT_EQ(fSpin->MinValue(), 5);
  EXPECT_EQ(fSpin->MaxValue(), 5);
  // Lowering the maximum leaves the value until the next assignment.
  fSpin->SetMaxValue(100);
  fSpin->SetMinValue(0);
  fSpin->SetValue(80);
  fSpin->SetMaxValue(50);
  EXPECT_EQ(fSpin->Value(), 80);
}

TEST_F(SpinEditTest, KeysStepByLineAndPageAndStopAtTheLimits) {
  struct Case {
    int start;
    int key;
    int expected;
  };
  const Case cases[] = {{95, Qt::Key_PageUp, 100}, {100, Qt::Key_Up, 100},   {50, Qt::Key_Up, 51},
                        {50, Qt::Key_Down, 49},    {5, Qt::Key_PageDown, 0}, {0, Qt::Key_Down, 0},
                        {30, Qt::Key_PageDown, 20}};
  for (const Case& c : cases) {
    fSpin->SetValue(c.start);
    Key(fSpin, c.key);
    EXPECT_EQ(fSpin->Value(), c.expected) << c.start << " key " << c.key;
  }
}

TEST_F(SpinEditTest, FocusLossClampsTypedValues) {
  ShowActive(*fWindow);
  Focus(fSpin);
  EXPECT_EQ(fSpin->SelLength(), 1);  // AutoSelect on keyboard focus
  Type(fSpin, QStringLiteral("150"));
  EXPECT_EQ(fSpin->Value(), 150);
  Focus(fOther);
  EXPECT_EQ(fSpin->Text(), QStringLiteral("100"));
  EXPECT_EQ(fSpin->Value(), 100);
  Focus(fSpin);
  fSpin->SelectAll();
  Key(fSpin, Qt::Key_Delete);
  Type(fSpin, QStringLiteral("-"));
  EXPECT_EQ(fSpin->Text(), QStringLiteral("-"));
  Focus(fOther);
  EXPECT_EQ(fSpin->Value(), 0);
  EXPECT_EQ(fSpin->Text(), QStringLiteral("0"));
}

TEST_F(SpinEditTest, EmptyTextReadsZeroAndLettersAreRefused) {
  fSpin->SetValue(42);
  fSpin->SelectAll();
  fSpin->DeleteSelection();
  EXPECT_EQ(fSpin->Text(), QString());
  EXPECT_EQ(fSpin->Value(), 0);
  Type(fSpin, QStringLiteral("4x2"));
  EXPECT_EQ(fSpin->Text(), QStringLiteral("42"));
}

TEST_F(SpinEditTest, ReadOnlyStopsSteppingAndEditorDisabledStopsTypingOnly) {
  fSpin->SetValue(10);
  fSpin->SetReadOnly(true);
  Key(fSpin, Qt::Key_Up);
  fSpin->SpinUpClick();
  EXPECT_EQ(fSpin->Value(), 10);
  fSpin->SetReadOnly(false);
  fSpin->SetEditorEnabled(false);
  fSpin->SetCaretPos(3);
  Type(fSpin, QStringLiteral("5"));
  EXPECT_EQ(fSpin->Text(), QStringLiteral("10"));
  Key(fSpin, Qt::Key_Up);
  EXPECT_EQ(fSpin->Value(), 11);
}

TEST_F(SpinEditTest, WheelSteps) {
  fSpin->SetValue(10);
  QWheelEvent up(QPointF(5, 5), QPointF(fSpin->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(fSpin, &up);
  EXPECT_EQ(fSpin->Value(), 11);
}

TEST_F(SpinEditTest, SpinButtonSitsInsideTheRightEdgeAndSplitsDiagonally) {
  ShowActive(*fWindow);
  TZCLSpinButton& button = fSpin->SpinButton();
  const QRect g = button.geometry();
  EXPECT_EQ(g.right(), fSpin->width() - 3);  // inside the two-pixel window border
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
  ShowActive(*fWindow);
  fSpin->SetValue(10);
  int ups = 0;
  fSpin->OnSpinBtnUpClick = [&](QObject*) { ++ups; };
  TZCLSpinButton& button = fSpin->SpinButton();
  Mouse(&button, QEvent::MouseButtonPress, QPoint(1, 1));
  EXPECT_EQ(fSpin->Value(), 11);
  EXPECT_EQ(ups, 1);
  EXPECT_TRUE(fSpin->hasFocus());
  EXPECT_TRUE(button.Repeating());
  EXPECT_EQ(button.RepeatInterval(), 300);
  button.RepeatTick();
  EXPECT_EQ(button.RepeatInterval(), 100);
  EXPECT_EQ(fSpin->Value(), 12);
  Mouse(&button, QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(button.Repeating());
  EXPECT_EQ(button.State(spUp), ssHot);
}

TEST_F(SpinEditTest, LoadingShowsTheStreamedValueAndFiresNoChangeWhileLoading) {
  TZCLSpinEdit loaded(fWindow.get());
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
  ShowActive(*fWindow);
  const QImage image = Render(&fSpin->SpinButton());
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == 0) ++dark;
  EXPECT_GE(dark, 12);  // two arrows of size 3: 9 pixels each at least in part
  const QImage whole = Render(fSpin);
  EXPECT_EQ(FromQColor(whole.pixelColor(0, 5)), ColorToRGB(clBtnShadow));  // the sunken window border
  EXPECT_EQ(FromQColor(whole.pixelColor(fSpin->width() / 3, fSpin->height() - 1)), ColorToRGB(clBtnHighlight));
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
