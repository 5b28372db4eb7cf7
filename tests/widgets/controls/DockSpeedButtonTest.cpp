#include "TestSupport.h"
#include "widgets/controls/ZCLCustomEdit.h"
#include "widgets/controls/ZCLDockSpeedButton.h"

#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class DockSpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    fWindow = std::make_unique<QWidget>();
    fWindow->resize(700, 200);
    fEdit = new TZCLEdit(fWindow.get());
    fEdit->setObjectName(QStringLiteral("EdProjekt"));
    fEdit->setGeometry(176, 40, 246, 21);
    fButton = new TZCLDockSpeedButton(fWindow.get());
    fButton->setObjectName(QStringLiteral("SbProjekt"));
    ShowActive(*fWindow);
  }
  std::unique_ptr<QWidget> fWindow;
  TZCLEdit* fEdit = nullptr;
  TZCLDockSpeedButton* fButton = nullptr;
};

TEST_F(DockSpeedButtonTest, SitsRightOfTheEditWithTheEditsHeight) {
  EXPECT_EQ(fButton->GlyphKind(), gkEllipsis);
  EXPECT_EQ(fButton->ButtonStyle(), ubsWin40);
  fButton->SetControl(fEdit);
  EXPECT_EQ(fButton->geometry(), QRect(423, 40, 22, 21));
}

TEST_F(DockSpeedButtonTest, PositionsAroundTheControl) {
  fButton->SetControl(fEdit);
  struct Case {
    TZCLDockPosition position;
    QRect expected;
  };
  // Across the docking side the button keeps its own extent.
  const Case cases[] = {{dpLeft, QRect(176 - 23, 40, 22, 21)},
                        {dpRight, QRect(423, 40, 22, 21)},
                        {dpTop, QRect(176, 40 - 21 - 1, 246, 21)},
                        {dpBottom, QRect(176, 40 + 21 + 1, 246, 21)}};
  for (const Case& c : cases) {
    fButton->SetPosition(c.position);
    EXPECT_EQ(fButton->geometry(), c.expected) << c.position;
  }
}

TEST_F(DockSpeedButtonTest, FollowsMoveResizeShowHideAndEnabling) {
  fButton->SetControl(fEdit);
  fEdit->move(20, 100);
  EXPECT_EQ(fButton->geometry(), QRect(267, 100, 22, 21));
  fEdit->resize(100, 30);
  EXPECT_EQ(fButton->geometry(), QRect(121, 100, 22, 30));
  fEdit->hide();
  EXPECT_TRUE(fButton->isHidden());
  fEdit->move(30, 100);
  fEdit->show();
  EXPECT_FALSE(fButton->isHidden());
  EXPECT_EQ(fButton->geometry(), QRect(131, 100, 22, 30));
  fEdit->setEnabled(false);
  EXPECT_FALSE(fButton->isEnabled());
  EXPECT_EQ(fButton->State(), bstDisabled);
  fEdit->setEnabled(true);
  EXPECT_TRUE(fButton->isEnabled());
}

TEST_F(DockSpeedButtonTest, MovingTheButtonMovesTheControl) {
  fButton->SetControl(fEdit);
  fButton->SetBounds(500, 10, 22, 21);
  EXPECT_EQ(fEdit->geometry(), QRect(500 - 246 - 1, 10, 246, 21));
  fButton->SetReflectOwnChanges(false);
  fButton->SetBounds(600, 10, 22, 21);
  EXPECT_EQ(fEdit->pos(), QPoint(253, 10));
}

TEST_F(DockSpeedButtonTest, DestroyingTheControlClearsIt) {
  fButton->SetControl(fEdit);
  delete fEdit;
  EXPECT_EQ(fButton->Control(), nullptr);
}

TEST_F(DockSpeedButtonTest, RefusesASecondButtonOnOneControl) {
  fButton->SetControl(fEdit);
  auto* second = new TZCLDockSpeedButton(fWindow.get());
  second->setObjectName(QStringLiteral("SbZweiter"));
  try {
    second->SetControl(fEdit);
    FAIL() << "a second button was attached";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Component SbProjekt:\rA TZCLDockLabel- or Button component was already attached to the component: "
              "EdProjekt\rOnly one ZCLDockXXXX per control is allowed.");
  }
  EXPECT_EQ(second->Control(), nullptr);
  // Once released, the control takes another button.
  fButton->SetControl(nullptr);
  EXPECT_NO_THROW(second->SetControl(fEdit));
  fEdit->move(0, 0);
  EXPECT_EQ(second->pos(), QPoint(247, 0));
}

TEST_F(DockSpeedButtonTest, UndockedButtonStaysWhereItIs) {
  fButton->SetDocked(false);
  fButton->move(5, 5);
  fButton->SetControl(fEdit);
  EXPECT_EQ(fButton->pos(), QPoint(5, 5));
  fButton->SetDocked(true);
  EXPECT_EQ(fButton->pos(), QPoint(423, 40));
}

TEST_F(DockSpeedButtonTest, ControlInALayoutIsNeverMoved) {
  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  auto* edit = new TZCLEdit(&host);
  layout->addWidget(edit);
  auto* button = new TZCLDockSpeedButton(&host);
  button->move(3, 3);
  host.resize(300, 100);
  ShowActive(host);
  const QRect before = edit->geometry();
  button->SetControl(edit);
  EXPECT_EQ(button->pos(), QPoint(3, 3));
  button->SetBounds(50, 50, 22, 22);
  EXPECT_EQ(edit->geometry(), before);
}

TEST_F(DockSpeedButtonTest, PressFocusesTheEditBeforeTheClick) {
  fButton->SetControl(fEdit);
  bool focusedAtClick = false;
  int clicks = 0;
  fButton->OnClick = [&](QObject*) {
    ++clicks;
    focusedAtClick = fEdit->hasFocus();
  };
  Mouse(fButton, QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_TRUE(fEdit->hasFocus());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(fButton->State(), bstPushed);
  Mouse(fButton, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(focusedAtClick);
}

TEST_F(DockSpeedButtonTest, PaintsTheRaisedFaceAndTheEllipsis) {
  fButton->SetControl(fEdit);
  const QImage image = Render(fButton);
  EXPECT_EQ(FromQColor(image.pixelColor(0, 0)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(FromQColor(image.pixelColor(21, 20)), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(FromQColor(image.pixelColor(11, 3)), ColorToRGB(clBtnFace));
  int black = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) black += (image.pixel(x, y) & 0xFFFFFF) == 0;
  EXPECT_EQ(black, 12);  // three 2 x 2 dots of the ellipsis
}

}  // namespace
}  // namespace zyn
