#include "tests/support/AppFixture.h"
#include "widgets/common/AlignLayout.h"
#include "widgets/common/FoldPanel.h"
#include "widgets/common/Paneles.h"
#include "widgets/common/ZsSplitter.h"

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

// The main window's arrangement: a side panel at the left, the splitter, and the page area.
struct AppFirst {
  AppFirst() { test::EnsureApp(); }
};

struct SideBarWindow : AppFirst {
  SideBarWindow() {
    window.resize(800, 500);
    auto* layout = new TAlignLayout(&window);
    fold = new TFoldPanel(&window);
    fold->resize(200, 500);
    fold->SetBevelOuter(TBevelCut::bvNone);
    fold->SetSeperated(false);
    fold->SetOrientation(foHorizontal);
    splitter = new TzsSplitter(&window);
    splitter->SetMinSize(130);
    splitter->SetResizeStyle(rsUpdate);
    client = new QWidget(&window);
    layout->AddWidget(fold, alLeft);
    layout->AddWidget(splitter, alLeft);
    layout->AddWidget(client, alClient);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  QPoint ButtonCentre() const { return ToQRect(splitter->ButtonRect()).center(); }
  void ClickButton() { QTest::mouseClick(splitter, Qt::LeftButton, {}, ButtonCentre()); }
  // The pointer moves in screen coordinates while the bar follows it.
  void Drag(int dx, QPoint from = QPoint(5, 20)) {
    const QPoint start = splitter->mapToGlobal(from);
    const auto local = [&](int d) { return splitter->mapFromGlobal(start + QPoint(d, 0)); };
    QTest::mousePress(splitter, Qt::LeftButton, {}, from);
    QTest::mouseMove(splitter, local(dx / 2));
    QTest::mouseMove(splitter, local(dx));
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, local(dx));
  }
  QWidget window;
  TFoldPanel* fold;
  TzsSplitter* splitter;
  QWidget* client;
};

TEST(FoldPanel, FoldsToItsStripAndUnfoldsToItsWidth) {
  SideBarWindow w;
  EXPECT_EQ(w.fold->width(), 200);
  EXPECT_EQ(w.fold->Client()->y(), 12);  // below the fold bar (the height of the glyph)
  std::vector<std::string> log;
  w.fold->BeforeCollaps = [&](QObject*) { log.push_back("before collaps"); };
  w.fold->AfterCollaps = [&](QObject*) { log.push_back("after collaps"); };
  w.fold->AfterExpand = [&](QObject*) { log.push_back("after expand"); };
  QTest::mouseClick(w.fold, Qt::LeftButton, {}, w.fold->GlyphRect().center());
  EXPECT_EQ(w.fold->FoldStatus(), fsCollapsed);
  EXPECT_EQ(w.fold->width(), 12);
  EXPECT_FALSE(w.fold->Client()->isVisible());
  EXPECT_EQ(w.splitter->x(), 12);  // the layout follows
  // while folded the width cannot change, the height still follows the layout
  w.fold->resize(300, 500);
  EXPECT_EQ(w.fold->width(), 12);
  w.window.resize(800, 600);
  QApplication::processEvents();
  EXPECT_EQ(w.fold->height(), 600);
  QTest::mouseClick(w.fold, Qt::LeftButton, {}, w.fold->GlyphRect().center());
  EXPECT_EQ(w.fold->FoldStatus(), fsExpanded);
  EXPECT_EQ(w.fold->width(), 200);
  EXPECT_TRUE(w.fold->Client()->isVisible());
  EXPECT_EQ(log, (std::vector<std::string>{"before collaps", "after collaps", "after expand"}));
}

TEST(FoldPanel, UnfoldReturnsToTheWidthTheSplitterGaveIt) {
  SideBarWindow w;
  w.Drag(60);
  EXPECT_EQ(w.fold->width(), 260);
  w.fold->SetFoldStatus(fsCollapsed);
  w.fold->SetFoldStatus(fsCollapsed);  // the current value does nothing
  w.fold->SetFoldStatus(fsExpanded);
  EXPECT_EQ(w.fold->width(), 260);
}

TEST(FoldPanel, VetoesAndRefusals) {
  SideBarWindow w;
  // a release outside the glyph does not fold
  QTest::mousePress(w.fold, Qt::LeftButton, {}, w.fold->GlyphRect().center());
  QTest::mouseRelease(w.fold, Qt::LeftButton, {}, QPoint(150, 200));
  EXPECT_EQ(w.fold->FoldStatus(), fsExpanded);
  // OnFoldClick keeps the status
  w.fold->OnFoldClick = [](QObject*, TFoldStatus s, bool& doFold) {
    EXPECT_EQ(s, fsExpanded);
    doFold = false;
  };
  QTest::mouseClick(w.fold, Qt::LeftButton, {}, w.fold->GlyphRect().center());
  EXPECT_EQ(w.fold->FoldStatus(), fsExpanded);
  w.fold->OnFoldClick = nullptr;
  // without folding the panel stays open
  w.fold->SetFolding(false);
  w.fold->SetFoldStatus(fsCollapsed);
  EXPECT_EQ(w.fold->FoldStatus(), fsExpanded);
  EXPECT_EQ(w.fold->Client()->geometry(), QRect(0, 0, 200, w.fold->height()));
}

TEST(FoldPanel, InnerPanelMouseEventsArriveInFoldPanelCoordinates) {
  SideBarWindow w;
  std::vector<QPoint> downs;
  int clicks = 0;
  w.fold->OnMouseDown = [&](QObject* sender, Qt::MouseButton, Qt::KeyboardModifiers, const QPoint& p) {
    EXPECT_EQ(sender, w.fold);
    downs.push_back(p);
  };
  w.fold->OnClick = [&](QObject*) { ++clicks; };
  QTest::mouseClick(w.fold->Client(), Qt::LeftButton, {}, QPoint(20, 30));
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0], QPoint(20, 30 + w.fold->Client()->y()));
  EXPECT_EQ(clicks, 1);
}

TEST(FoldPanel, InnerPanelKeysReachTheFoldPanelButNotThoseOfItsChildren) {
  SideBarWindow w;
  std::vector<std::string> log;
  w.fold->OnKeyDown = [&](QObject* s, int& key, Qt::KeyboardModifiers) {
    EXPECT_EQ(s, w.fold);
    log.push_back("down " + std::to_string(key));
  };
  w.fold->OnKeyPress = [&](QObject*, QChar& c) { log.push_back(std::string("press ") + char(c.unicode())); };
  w.fold->OnKeyUp = [&](QObject*, int& key, Qt::KeyboardModifiers) { log.push_back("up " + std::to_string(key)); };
  w.fold->OnEnter = [&](QObject*) { log.push_back("enter"); };
  w.fold->SetTabStop(true);
  w.window.activateWindow();
  w.fold->Client()->setFocus();
  QApplication::processEvents();
  QTest::keyClick(w.fold->Client(), Qt::Key_A);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "down 65", "press a", "up 65"}));
  // a key typed into an edit on the panel stays the edit's
  auto* edit = new QLineEdit(w.fold);
  QApplication::processEvents();
  edit->setFocus();
  log.clear();
  QTest::keyClick(edit, Qt::Key_B);
  QTest::keyClick(edit, Qt::Key_Escape);  // ignored by the edit, passed up to the inner panel
  EXPECT_TRUE(log.empty()) << log.front();
  EXPECT_EQ(edit->text(), "b");
}

TEST(FoldPanel, InnerPanelDragEventsArriveInFoldPanelCoordinates) {
  SideBarWindow w;
  QMimeData data;
  data.setText("Kanal");
  QWidget* client = w.fold->Client();
  const QPoint at(15, 25);
  // without OnDragOver nothing may be dropped
  QDragEnterEvent refused(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(client, &refused);
  EXPECT_FALSE(refused.isAccepted());

  std::vector<std::tuple<TDragState, QPoint, bool>> overs;
  w.fold->OnDragOver = [&](QObject* s, QObject*, int x, int y, TDragState state, bool& accept) {
    EXPECT_EQ(s, w.fold);
    overs.emplace_back(state, QPoint(x, y), accept);
    accept = x > 10;
  };
  std::vector<QPoint> drops;
  w.fold->OnDragDrop = [&](QObject*, QObject*, int x, int y) { drops.emplace_back(x, y); };
  const QPoint inFold = at + QPoint(0, client->y());
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(client, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDragMoveEvent move(QPoint(5, 25), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(client, &move);
  EXPECT_FALSE(move.isAccepted());  // the handler refuses left of x = 10
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(client, &drop);
  ASSERT_EQ(overs.size(), 2u);
  EXPECT_EQ(overs[0], std::make_tuple(dsDragEnter, inFold, true));
  EXPECT_EQ(std::get<0>(overs[1]), dsDragMove);
  EXPECT_EQ(std::get<1>(overs[1]), QPoint(5, 25 + client->y()));
  EXPECT_EQ(drops, (std::vector<QPoint>{inFold}));
}

TEST(FoldPanel, AutomaticDragStartsBeyondTheDragDistanceAndReportsTheTarget) {
  // The platform's drag loop is replaced by a drop on a chosen object.
  struct Dragged : TFoldPanel {
    using TFoldPanel::TFoldPanel;
    QObject* ExecDrag(QPoint& dropPos) override {
      ++drags;
      dropPos = DropPos;
      return Target;
    }
    QObject* Target = nullptr;
    QPoint DropPos;
    int drags = 0;
  };
  test::EnsureApp();
  QWidget window;
  window.resize(600, 400);
  auto* panel = new Dragged(&window);
  panel->setGeometry(0, 0, 200, 300);
  auto* other = new TFoldPanel(&window);
  other->setGeometry(300, 0, 200, 300);
  window.show();
  std::vector<std::string> log;
  panel->OnStartDrag = [&](QObject* s) { log.push_back(s == panel ? "start" : "start?"); };
  panel->OnEndDrag = [&](QObject*, QObject* target, int x, int y) {
    log.push_back(std::string("end ") +
                  (target == other ? "other"
                   : target        ? "?"
                                   : "none") +
                  " " + std::to_string(x) + "," + std::to_string(y));
  };
  QWidget* client = panel->Client();
  const QPoint at(40, 40);
  const int far = QApplication::startDragDistance() + 2;
  // manual mode: no drag
  QTest::mousePress(client, Qt::LeftButton, {}, at);
  QTest::mouseMove(client, at + QPoint(far, 0));
  QTest::mouseRelease(client, Qt::LeftButton, {}, at + QPoint(far, 0));
  EXPECT_EQ(panel->drags, 0);

  panel->SetDragMode(dmAutomatic);
  panel->Target = other->Client();  // dropped on the other panel's content: the other panel counts
  panel->DropPos = QPoint(5, 6);
  QTest::mousePress(client, Qt::LeftButton, {}, at);
  QTest::mouseMove(client, at + QPoint(1, 0));  // within the drag distance
  EXPECT_EQ(panel->drags, 0);
  QTest::mouseMove(client, at + QPoint(far, 0));
  QTest::mouseMove(client, at + QPoint(far * 2, 0));  // one drag per press
  QTest::mouseRelease(client, Qt::LeftButton, {}, at + QPoint(far * 2, 0));
  EXPECT_EQ(panel->drags, 1);
  const QPoint inOther = QPoint(5, 6) + other->Client()->pos();
  const std::string expected = "end other " + std::to_string(inOther.x()) + "," + std::to_string(inOther.y());
  EXPECT_EQ(log, (std::vector<std::string>{"start", expected}));

  log.clear();
  panel->Target = nullptr;  // cancelled
  panel->BeginDrag();
  EXPECT_EQ(log, (std::vector<std::string>{"start", "end none 5,6"}));
}

TEST(FoldPanel, GlyphAtTheRightKeepsTheRightEdge) {
  test::EnsureApp();
  QWidget parent;
  parent.resize(600, 300);
  TFoldPanel fold(&parent);
  fold.setGeometry(300, 0, 200, 300);
  fold.SetOrientation(foHorizontal);
  fold.SetFoldPosition(fpRightTop);
  fold.SetFoldStatus(fsCollapsed);
  EXPECT_EQ(fold.geometry().right(), 499);
  EXPECT_EQ(fold.width(), 12 + 2);  // the glyph plus the raised outer bevel on both sides
  fold.SetFoldStatus(fsExpanded);
  EXPECT_EQ(fold.geometry(), QRect(300, 0, 200, 300));
}

TEST(FoldPanel, DroppedControlEndsUpOnTheInnerPanel) {
  SideBarWindow w;
  auto* label = new QLabel("Seitenleiste", w.fold);
  QApplication::processEvents();
  EXPECT_EQ(label->parentWidget(), w.fold->Client());
  EXPECT_TRUE(label->isVisible());
}

TEST(Splitter, ButtonTogglesAndRestores) {
  SideBarWindow w;
  std::vector<std::string> log;
  w.splitter->OnMaximize = [&](QObject*) { log.push_back("max"); };
  w.splitter->OnRestore = [&](QObject*) { log.push_back("restore"); };
  w.ClickButton();
  EXPECT_TRUE(w.splitter->Maximized());
  EXPECT_EQ(w.fold->width(), 130);
  w.ClickButton();
  EXPECT_FALSE(w.splitter->Maximized());
  EXPECT_EQ(w.fold->width(), 200);
  EXPECT_EQ(log, (std::vector<std::string>{"max", "restore"}));
}

TEST(Splitter, AtItsMinimumTheButtonOnlyFlipsTheState) {
  SideBarWindow w;
  w.Drag(-200);  // stops at the minimum of 130, even with AutoSnap
  EXPECT_EQ(w.fold->width(), 130);
  EXPECT_TRUE(w.splitter->Maximized());  // a drag that ends at the minimum
  w.Drag(120);
  EXPECT_EQ(w.fold->width(), 250);
  EXPECT_FALSE(w.splitter->Maximized());
  w.ClickButton();
  EXPECT_EQ(w.fold->width(), 130);
  w.ClickButton();
  EXPECT_EQ(w.fold->width(), 250);
}

TEST(Splitter, PressOnButtonAndMovingResizesInsteadOfToggling) {
  SideBarWindow w;
  w.Drag(10, w.ButtonCentre());
  EXPECT_FALSE(w.splitter->Maximized());
  EXPECT_EQ(w.fold->width(), 210);
}

TEST(Splitter, SnapsClosedOnlyWithMinSizeZero) {
  SideBarWindow w;
  w.splitter->SetMinSize(0);
  w.Drag(-250);
  EXPECT_EQ(w.fold->width(), 0);
}

TEST(Splitter, ButtonGeometry) {
  SideBarWindow w;
  const TRect b = w.splitter->ButtonRect();
  EXPECT_EQ(b.Width(), 8);  // a 10-pixel bar
  EXPECT_EQ(b.Height(), 100);
  w.splitter->SetButtonWidthType(btwPercentage);
  w.splitter->SetButtonWidth(150);
  EXPECT_EQ(w.splitter->ButtonWidth(), 100);
  w.splitter->SetButtonWidthType(btwPixels);
  w.splitter->SetButtonWidth(-5);
  EXPECT_EQ(w.splitter->ButtonWidth(), 0);
  EXPECT_TRUE(IsRectEmpty(w.splitter->ButtonRect()));
  w.splitter->SetAutoHighlightColor(true);
  EXPECT_EQ(w.splitter->ButtonHighlightColor(), TzsSplitter::DerivedHighlightColor());
}

TEST(Splitter, WithoutDragTheButtonStillWorks) {
  SideBarWindow w;
  w.splitter->SetAllowDrag(false);
  w.Drag(50);
  EXPECT_EQ(w.fold->width(), 200);
  w.ClickButton();
  EXPECT_EQ(w.fold->width(), 130);
}

TEST(Paneles, HolderPicturesAndTiles) {
  test::EnsureApp();
  TBitmapHolder holder;
  QImage pic(16, 16, QImage::Format_RGB32);
  pic.fill(Qt::red);
  auto a = std::make_unique<TPaneles>();
  TPaneles b;
  a->SetBitmapHolder(&holder);
  b.SetBitmapHolder(&holder);
  QImage own(4, 4, QImage::Format_RGB32);
  own.fill(Qt::green);
  b.SetBitmap(own);
  EXPECT_TRUE(a->ListensToHolder());
  EXPECT_FALSE(b.ListensToHolder());  // an own picture takes over
  int changes = 0;
  TLinkChange probe;
  probe.OnChange = [&](QObject* sender) {
    EXPECT_EQ(sender, &holder);
    ++changes;
  };
  holder.RegisterLink(&probe);
  holder.SetBitmap(pic);
  EXPECT_EQ(changes, 1);
  b.SetBitmap(QImage());
  EXPECT_TRUE(b.ListensToHolder());  // the holder serves again
  a->resize(40, 20);
  EXPECT_EQ(a->grab().toImage().pixelColor(20, 10), QColor(Qt::red));
  // destroying the holder leaves the panels with their plain colour
  {
    TBitmapHolder shortLived;
    a->SetBitmapHolder(&shortLived);
  }
  EXPECT_EQ(a->BitmapHolder(), nullptr);
  EXPECT_EQ(FromQColor(a->grab().toImage().pixelColor(20, 10)), ColorToRGB(clBtnFace));

  const std::vector<QRect> tiles = TilePlacement(QSize(16, 16), Rect(0, 0, 40, 20));
  EXPECT_EQ(tiles, (std::vector<QRect>{QRect(0, 0, 16, 16), QRect(16, 0, 16, 16), QRect(32, 0, 8, 16),
                                       QRect(0, 16, 16, 4), QRect(16, 16, 16, 4), QRect(32, 16, 8, 4)}));
}

}  // namespace
}  // namespace zyn
