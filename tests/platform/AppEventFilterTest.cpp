#include "platform/AppEventFilter.h"

#include "platform/PopupWindows.h"
#include "tests/support/AppFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::EnsureApp;

struct FilterFixture : ::testing::Test {
  void SetUp() override {
    form.setGeometry(10, 10, 200, 100);
    auto* layout = new QVBoxLayout(&form);
    edit = new QLineEdit(&form);
    layout->addWidget(edit);
    form.show();
    QApplication::setActiveWindow(&form);
    edit->setFocus();
    QApplication::processEvents();
  }
  bool app = (EnsureApp(), true);
  QWidget form;
  QLineEdit* edit = nullptr;
};

TEST_F(FilterFixture, EveryKeyIsSeenOnceAtItsWindowAndASwallowedKeyGoesNoFurther) {
  int presses = 0, releases = 0;
  QWidget* seenReceiver = nullptr;
  const int id = TAppEventFilter::AddHandler([&](QWidget* receiver, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
      ++presses;
      seenReceiver = receiver;
      return static_cast<QKeyEvent*>(e)->key() == Qt::Key_X;  // X is swallowed
    }
    if (e->type() == QEvent::KeyRelease) ++releases;
    return false;
  });
  QTest::keyClick(form.windowHandle(), Qt::Key_A);
  QTest::keyClick(form.windowHandle(), Qt::Key_X);
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(releases, 2);
  EXPECT_EQ(seenReceiver, &form);
  EXPECT_EQ(edit->text(), QStringLiteral("a"));
  TAppEventFilter::RemoveHandler(id);
  EXPECT_EQ(TAppEventFilter::HandlerCount(), 0);
  QTest::keyClick(form.windowHandle(), Qt::Key_X);
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(edit->text(), QStringLiteral("ax"));
}

TEST_F(FilterFixture, NewerHandlersComeFirstAndCanRemoveThemselves) {
  std::vector<int> order;
  int second = 0;
  const int first = TAppEventFilter::AddHandler([&](QWidget*, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) order.push_back(1);
    return false;
  });
  second = TAppEventFilter::AddHandler([&](QWidget*, QEvent* e) {
    if (e->type() != QEvent::MouseButtonPress) return false;
    order.push_back(2);
    TAppEventFilter::RemoveHandler(second);
    return false;
  });
  QTest::mouseClick(form.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(form.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(order, (std::vector<int>{2, 1, 1}));
  TAppEventFilter::RemoveHandler(first);
}

TEST(PopupWindows, MenusAndShadowsNeverTakeTheFocusAndShadowsLetTheMouseThrough) {
  EnsureApp();
  QWidget popup;
  MakeNonActivatingPopup(&popup);
  EXPECT_TRUE(popup.windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_TRUE(popup.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(popup.windowType(), Qt::ToolTip);
  EXPECT_TRUE(popup.testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(popup.focusPolicy(), Qt::NoFocus);
  QWidget shadow;
  MakeShadowWindow(&shadow);
  EXPECT_TRUE(shadow.testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_TRUE(shadow.windowFlags() & Qt::WindowTransparentForInput);
  QWidget owner;
  QWidget floating;
  MakeFloatingToolWindow(&floating, &owner);
  EXPECT_EQ(floating.windowType(), Qt::Tool);
  EXPECT_EQ(floating.parentWidget(), &owner);
  EXPECT_TRUE(floating.windowFlags() & Qt::FramelessWindowHint);
  const TRect area = MonitorWorkArea(Point(10, 10));
  EXPECT_GT(area.Width(), 0);
  EXPECT_GT(area.Height(), 0);
}

}  // namespace
}  // namespace zyn
