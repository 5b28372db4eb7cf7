#include "TestSupport.h"
#include "platform/Colors.h"
#include "tests/support/GoldenImage.h"
#include "widgets/controls/ZCLBackground.h"
#include "widgets/controls/ZCLCustomEdit.h"
#include "widgets/controls/ZCLDockSpeedButton.h"
#include "widgets/controls/ZCLFaceController.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

// A form with a horizontal gradient from red to blue as its background, and a spin edit, an edit
// and the edit's dock button on it, as the options page places them.
class BackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    fForm = std::make_unique<QWidget>();
    fForm->setPalette(ClassicPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    fForm->setFont(font);
    fForm->resize(200, 80);
    fBack = new TZCLFormBackground(fForm.get());
    TZCLGradient& g = fBack->Fill().Gradient();
    g.SetStyle(gstHorizontal);
    g.SetColor(0x0000FF);     // red
    g.SetEndColor(0xFF0000);  // blue
    g.SetColorCount(8);
    fSpin = new TZCLSpinEdit(fForm.get());
    fSpin->setGeometry(10, 10, 90, 21);
    fSpin->SetValue(42);
    fEdit = new TZCLEdit(fForm.get());
    fEdit->setGeometry(10, 45, 120, 21);
    fEdit->SetText(QStringLiteral("Pfad"));
    fButton = new TZCLDockSpeedButton(fForm.get());
    fButton->SetButtonStyle(ubsOfficeTransp);
    fButton->SetControl(fEdit);
  }
  void Transparent(bool on) {
    fSpin->SetTransparent(on);
    fEdit->SetTransparent(on);
  }
  // Points inside the controls, away from text, frame and arrows.
  QPoint SpinInside() const { return fSpin->pos() + QPoint(fSpin->width() / 2, fSpin->height() / 2); }
  QPoint EditInside() const { return fEdit->pos() + QPoint(fEdit->width() * 3 / 4, fEdit->height() / 2); }
  // The form as shown, and its background picture alone.
  QImage Shown() { return Render(fForm.get()); }
  QRgb Gradient(QPoint p) { return fBack->BackgroundBitmap().pixel(p) & 0xFFFFFF; }
  static QRgb At(const QImage& image, QPoint p) { return image.pixel(p) & 0xFFFFFF; }

  std::unique_ptr<QWidget> fForm;
  TZCLFormBackground* fBack = nullptr;
  TZCLSpinEdit* fSpin = nullptr;
  TZCLEdit* fEdit = nullptr;
  TZCLDockSpeedButton* fButton = nullptr;
};

TEST_F(BackgroundTest, TheFormsGradientShowsThroughTransparentControls) {
  ShowActive(*fForm);
  if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();  // no caret in the picture
  QApplication::processEvents();
  const QPoint spinInside = SpinInside();
  const QPoint editInside = EditInside();
  const QPoint buttonInside = fButton->pos() + QPoint(2, fButton->height() / 2 - 4);
  ASSERT_NE(Gradient(spinInside), Gradient(editInside));  // two different bands of the gradient

  const QImage opaque = Shown();
  const QRgb window = ToQColor(ColorToRGB(clWindow)).rgb() & 0xFFFFFF;
  EXPECT_EQ(At(opaque, spinInside), window);
  EXPECT_EQ(At(opaque, editInside), window);
  EXPECT_EQ(At(opaque, QPoint(150, 5)), Gradient(QPoint(150, 5)));  // the form itself

  Transparent(true);
  const QImage shown = Shown();
  EXPECT_EQ(At(shown, spinInside), Gradient(spinInside));
  EXPECT_EQ(At(shown, editInside), Gradient(editInside));
  EXPECT_EQ(At(shown, buttonInside), Gradient(buttonInside));
  // the spin edit's own parts stay: its spin button keeps its face
  const QRect spinButton = fSpin->findChild<TZCLSpinButton*>()->geometry().translated(fSpin->pos());
  EXPECT_NE(At(shown, spinButton.center() + QPoint(0, 3)), Gradient(spinButton.center() + QPoint(0, 3)));
  ExpectSameAsGolden(shown, QStringLiteral(ZYN_SOURCE_DIR "/tests/widgets/controls/golden/transparent_controls.png"),
                     QStringLiteral("transparent_controls"));
}

TEST_F(BackgroundTest, TheBackgroundEffectWorksOnThePartUnderTheControl) {
  ShowActive(*fForm);
  Transparent(true);
  const QPoint editInside = EditInside();
  fEdit->BackFX().SetFlag(3, true);  // invert
  const QImage inverted = Shown();
  EXPECT_EQ(At(inverted, editInside), ~Gradient(editInside) & 0xFFFFFF);
  fEdit->BackFX().SetFlag(3, false);
  fEdit->BackFX().SetBrightness(-255);  // as dark as it gets
  EXPECT_EQ(At(Shown(), editInside), 0u);
  // an opaque control runs the effect over its colour
  fEdit->BackFX().SetBrightness(0);
  fEdit->BackFX().SetFlag(3, true);
  fEdit->SetTransparent(false);
  EXPECT_EQ(At(Shown(), editInside), ~(ToQColor(ColorToRGB(clWindow)).rgb()) & 0xFFFFFF);  // the colour inverted
}

TEST_F(BackgroundTest, AFaceControllerGivesTheFillAndTheEffectOfTheState) {
  ShowActive(*fForm);
  if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
  TZCLFaceController fc;
  auto fill = std::make_unique<TZCLFillObject>();
  fill->SetStyle(sfBrush);
  fill->Brush = TBrush{clLime, bsSolid, QImage()};
  fc.Settings().AddSetting(std::move(fill), QStringLiteral("TZCLFillObject"), QStringLiteral("Grün"));
  auto effect = std::make_unique<TZCLBitmapEffectObject>();
  effect->SetFlag(3, true);  // invert
  fc.Settings().AddSetting(std::move(effect), QStringLiteral("TZCLBitmapEffectObject"), QStringLiteral("Umkehr"));
  TZCLCFCStateObject& normal = fc.AddState(StateEntries()[7].Kind);
  normal.Settings = QStringList{"Grün"};
  fc.ResolveAll();
  fEdit->SetFaceController(&fc);
  ASSERT_EQ(QString::fromLatin1(TZCLFaceController::StateEntryFor(fEdit).Name), QStringLiteral("Normal"));
  const QPoint editInside = EditInside();
  EXPECT_EQ(At(Shown(), editInside), 0x00FF00u);  // the state's fill over the colour
  normal.Settings = QStringList{"Grün", "Umkehr"};
  fc.ResolveAll();
  fEdit->update();
  EXPECT_EQ(At(Shown(), editInside), 0xFF00FFu);  // and the state's effect over it
  fEdit->SetFaceController(nullptr);
  EXPECT_EQ(At(Shown(), editInside), ToQColor(ColorToRGB(clWindow)).rgb() & 0xFFFFFF);
}

TEST_F(BackgroundTest, SourcesAndUsersOfABackground) {
  EXPECT_EQ(ZCLBackgroundSource(fEdit), fBack);
  EXPECT_TRUE(ZCLUsesParentBackground(fEdit));
  EXPECT_FALSE(fEdit->UsesBackground());  // not transparent
  fEdit->SetTransparent(true);
  EXPECT_TRUE(fEdit->UsesBackground());
  EXPECT_EQ(ZCLBackgroundPoint(fEdit, QPoint(3, 4)), QPoint(13, 49));
  const std::vector<QObject*> users = fBack->BackgroundUsers();
  EXPECT_EQ(users.size(), 3u);  // spin edit, edit and button
  // without a picture nothing is used; on a plain parent there is no source
  fBack->Fill().SetStyle(sfNone);
  EXPECT_FALSE(ZCLUsesParentBackground(fEdit));
  EXPECT_FALSE(fEdit->UsesBackground());
  QWidget plain;
  TZCLEdit onPlain(&plain);
  onPlain.SetTransparent(true);
  EXPECT_EQ(ZCLBackgroundSource(&onPlain), nullptr);
  EXPECT_EQ(ZCLQueryBackground(nullptr), nullptr);
}

}  // namespace
}  // namespace zyn
