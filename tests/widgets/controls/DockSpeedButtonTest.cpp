#include "widgets/controls/ZCLCustomEdit.h"
#include "widgets/controls/ZCLDockSpeedButton.h"

#include "TestSupport.h"

#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

class DockSpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    window_ = std::make_unique<QWidget>();
    window_->resize(700, 200);
    edit_ = new TZCLEdit(window_.get());
    edit_->setObjectName(QStringLiteral("EdProjekt"));
    edit_->setGeometry(176, 40, 246, 21);
    button_ = new TZCLDockSpeedButton(window_.get());
    button_->setObjectName(QStringLiteral("SbProjekt"));
    ShowActive(*window_);
  }
  std::unique_ptr<QWidget> window_;
  TZCLEdit* edit_ = nullptr;
  TZCLDockSpeedButton* button_ = nullptr;
};

TEST_F(DockSpeedButtonTest, SitsRightOfTheEditWithTheEditsHeight) {
  EXPECT_EQ(button_->GlyphKind(), gkEllipsis);
  EXPECT_EQ(button_->ButtonStyle(), ubsWin40);
  button_->SetControl(edit_);
  EXPECT_EQ(button_->geometry(), QRect(423, 40, 22, 21));
}

TEST_F(DockSpeedButtonTest, PositionsAroundTheControl) {
  button_->SetControl(edit_);
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
    button_->SetPosition(c.position);
    EXPECT_EQ(button_->geometry(), c.expected) << c.position;
  }
}

TEST_F(DockSpeedButtonTest, FollowsMoveResizeShowHideAndEnabling) {
  button_->SetControl(edit_);
  edit_->move(20, 100);
  EXPECT_EQ(button_->geometry(), QRect(267, 100, 22, 21));
  edit_->resize(100, 30);
  EXPECT_EQ(button_->geometry(), QRect(121, 100, 22, 30));
  edit_->hide();
  EXPECT_TRUE(button_->isHidden());
  edit_->move(30, 100);
  edit_->show();
  EXPECT_FALSE(button_->isHidden());
  EXPECT_EQ(button_->geometry(), QRect(131, 100, 22, 30));
  edit_->setEnabled(false);
  EXPECT_FALSE(button_->isEnabled());
  EXPECT_EQ(button_->State(), bstDisabled);
  edit_->setEnabled(true);
  EXPECT_TRUE(button_->isEnabled());
}

TEST_F(DockSpeedButtonTest, MovingTheButtonMovesTheControl) {
  button_->SetControl(edit_);
  button_->SetBounds(500, 10, 22, 21);
  EXPECT_EQ(edit_->geometry(), QRect(500 - 246 - 1, 10, 246, 21));
  button_->SetReflectOwnChanges(false);
  button_->SetBounds(600, 10, 22, 21);
  EXPECT_EQ(edit_->pos(), QPoint(253, 10));
}

TEST_F(DockSpeedButtonTest, DestroyingTheControlClearsIt) {
  button_->SetControl(edit_);
  delete edit_;
  EXPECT_EQ(button_->Control(), nullptr);
}

TEST_F(DockSpeedButtonTest, RefusesASecondButtonOnOneControl) {
  button_->SetControl(edit_);
  auto* second = new TZCLDockSpeedButton(window_.get());
  second->setObjectName(QStringLiteral("SbZweiter"));
  try {
    second->SetControl(edit_);
    FAIL() << "a second button was attached";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Component SbProjekt:\rA TZCLDockLabel- or Button component was already attached to the component: "
              "EdProjekt\rOnly one ZCLDockXXXX per control is allowed.");
  }
  EXPECT_EQ(second->Control(), nullptr);
  // Once released, the control takes another button.
  button_->SetControl(nullptr);
  EXPECT_NO_THROW(second->SetControl(edit_));
  edit_->move(0, 0);
  EXPECT_EQ(second->pos(), QPoint(247, 0));
}

TEST_F(DockSpeedButtonTest, UndockedButtonStaysWhereItIs) {
  button_->SetDocked(false);
  button_->move(5, 5);
  button_->SetControl(edit_);
  EXPECT_EQ(button_->pos(), QPoint(5, 5));
  button_->SetDocked(true);
  EXPECT_EQ(button_->pos(), QPoint(423, 40));
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
  button_->SetControl(edit_);
  bool focusedAtClick = false;
  int clicks = 0;
  button_->OnClick = [&](QObject*) {
    ++clicks;
    focusedAtClick = edit_->hasFocus();
  };
  Mouse(button_, QEvent::MouseButtonPress, QPoint(5, 5));
  EXPECT_TRUE(edit_->hasFocus());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(button_->State(), bstPushed);
  Mouse(button_, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(focusedAtClick);
}

TEST_F(DockSpeedButtonTest, PaintsTheRaisedFaceAndTheEllipsis) {
  button_->SetControl(edit_);
  const QImage image = Render(button_);
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
