// The side bar: groups counted absolutely and over visible groups, six sample groups,
// item clicks with their frame keys, selection, scrolling, hot tracking, hints, the store, the
// layout metrics, a collapsed side bar and the stored layout with damaged values.

#include "BarTestSupport.h"
#include "SideBarTestSupport.h"
#include "model/base/Cp1252.h"
#include "platform/QtText.h"
#include "widgets/bars/SideBarAnimation.h"
#include "widgets/bars/SideBarDragObject.h"
#include "widgets/bars/SideBarGroup.h"
#include "widgets/bars/SideBarGroups.h"
#include "widgets/bars/SideBarItem.h"
#include "widgets/bars/SideBarItems.h"
#include "widgets/bars/SideBarPainter.h"
#include "widgets/bars/SideBarSettings.h"
#include "widgets/bars/SideBarStore.h"
#include "widgets/bars/SideBarStoredItem.h"
#include "widgets/bars/SideBarViewInfo.h"
#include "widgets/bars/SideBarXPPainter.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::BuildSampleSideBar;
using test::GroupCentre;
using test::ItemCentre;
using test::SampleFrame;
using test::SampleGroups;

class SideBarTest : public ::testing::Test {
 protected:
  bool appReady = (test::EnsureApplication(), true);
  TzbSideBarImageList images{32, 32};
  TzbSideBar bar;
  int activeChanges = 0;

  void SetUp() override {
    bar.resize(140, 420);
    bar.OnChangeActiveGroup = [this](TzbSideBar&) { ++activeChanges; };
  }

  TzbSideGroup* Group(int index) { return bar.Groups()[index]; }
  std::string ActiveCaption() { return bar.ActiveGroup() ? bar.ActiveGroup()->Caption() : std::string("<none>"); }

  // As the main window with a project open: the first group hidden, the other five shown.
  void ProjectState() {
    bar.Groups().BeginUpdate();
    Group(0)->SetVisible(false);
    for (int i = 1; i < 6; ++i) Group(i)->SetVisible(true);
    bar.Groups().EndUpdate();
  }

  void MakeGroups(int n) {
    for (int i = 0; i < n; ++i) bar.Groups().Add()->SetCaption("G" + std::to_string(i));
  }
};

TEST_F(SideBarTest, SixGroupsKeepTheirCaptionsItemsAndFrameKeys) {
  BuildSampleSideBar(bar, images);
  ASSERT_EQ(bar.GroupCount(), 6);
  const auto& expected = SampleGroups();
  const int counts[] = {2, 10, 4, 3, 3, 5};
  for (int g = 0; g < 6; ++g) {
    SCOPED_TRACE(g);
    EXPECT_EQ(AnsiToUtf8(Group(g)->Caption()), expected[g].Caption);
    ASSERT_EQ(Group(g)->Items().Count(), counts[g]);
    for (int i = 0; i < counts[g]; ++i) {
      EXPECT_EQ(Group(g)->Items()[i]->CustomData, expected[g].Items[i].Frame);
      EXPECT_EQ(Group(g)->Items()[i]->Tag, expected[g].Items[i].Tag);
    }
  }
  EXPECT_EQ(Group(4)->Caption(), Ansi("Übergabe"));
  // The first group opened when it was added; the index counts visible groups.
  EXPECT_EQ(bar.ActiveGroup(), Group(0));
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  EXPECT_THROW(bar.Groups()[6], std::out_of_range);
  EXPECT_THROW(Group(0)->Items()[2], std::out_of_range);
}

TEST_F(SideBarTest, ActiveGroupIndexCountsVisibleGroupsOnly) {
  BuildSampleSideBar(bar, images);
  ProjectState();
  activeChanges = 0;
  // Visible group 3 is "Übergabe" (absolute index 4).
  bar.SetActiveGroupIndex(3);
  EXPECT_EQ(bar.ActiveGroup(), Group(4));
  EXPECT_EQ(bar.ActiveGroupIndex(), 3);
  EXPECT_EQ(activeChanges, 1);
  EXPECT_EQ(bar.IndexOfVisibleGroup(Group(0)), -1);
  EXPECT_EQ(bar.IndexOfVisibleGroup(Group(1)), 0);
  EXPECT_EQ(bar.GetVisibleGroup(1), Group(2));
  EXPECT_EQ(bar.GetVisibleGroupCount(), 5);
  // Setting the open group again changes nothing and fires nothing.
  bar.SetActiveGroupIndex(3);
  EXPECT_EQ(activeChanges, 1);
  // The third group: visible group 1.
  bar.SetActiveGroupIndex(1);
  EXPECT_EQ(ActiveCaption(), Ansi("Abläufe"));
  // Out of range opens the first visible group and reads back 0.
  bar.SetActiveGroupIndex(7);
  EXPECT_EQ(bar.ActiveGroup(), Group(1));
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  // A group object: a hidden one opens the first visible group.
  bar.SetActiveGroup(Group(5));
  EXPECT_EQ(bar.ActiveGroupIndex(), 4);
  bar.SetActiveGroup(Group(0));
  EXPECT_EQ(bar.ActiveGroup(), Group(1));
}

TEST_F(SideBarTest, HidingTheOpenGroupKeepsItUntilTheIndexIsSetAgain) {
  MakeGroups(3);
  bar.SetActiveGroupIndex(2);
  ASSERT_EQ(bar.ActiveGroup(), Group(2));
  Group(1)->SetVisible(false);
  EXPECT_EQ(bar.ActiveGroup(), Group(2));  // not re-evaluated
  // The same index again opens the visible group now at that place: none (index 2 of 2 visible).
  bar.SetActiveGroupIndex(2);
  EXPECT_EQ(bar.ActiveGroup(), Group(2));
  Group(2)->SetVisible(false);
  bar.SetActiveGroupIndex(2);
  EXPECT_EQ(bar.ActiveGroup(), Group(2));
  bar.SetActiveGroupIndex(0);
  EXPECT_EQ(bar.ActiveGroup(), Group(0));
  // Hiding the open first group: setting its index again opens the group now first.
  Group(1)->SetVisible(true);
  Group(0)->SetVisible(false);
  bar.SetActiveGroupIndex(0);
  EXPECT_EQ(bar.ActiveGroup(), Group(1));
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
}

TEST_F(SideBarTest, NoVisibleGroupStoresTheIndexAndOpensNothing) {
  MakeGroups(2);
  Group(0)->SetVisible(false);
  Group(1)->SetVisible(false);
  bar.SetActiveGroupIndex(1);
  EXPECT_EQ(bar.ActiveGroupIndex(), 1);
  bar.SetActiveGroup(nullptr);
  EXPECT_EQ(bar.ActiveGroup(), nullptr);
  EXPECT_EQ(bar.ActiveGroupIndex(), -1);
  Group(1)->SetVisible(true);
  bar.SetActiveGroupIndex(0);
  EXPECT_EQ(bar.ActiveGroup(), Group(1));
}

TEST_F(SideBarTest, RemovingTheOpenGroupOpensTheFirstVisibleGroup) {
  MakeGroups(4);
  Group(0)->SetVisible(false);
  bar.SetActiveGroupIndex(2);
  ASSERT_EQ(bar.ActiveGroup(), Group(3));
  bar.Groups().Delete(3);
  EXPECT_EQ(bar.ActiveGroup(), Group(1));
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  bar.Groups().Delete(0);  // a hidden group before the open one: the index follows
  EXPECT_EQ(bar.ActiveGroup(), Group(0));
  EXPECT_EQ(bar.ActiveGroupIndex(), 0);
  bar.Groups().Clear();
  EXPECT_EQ(bar.ActiveGroup(), nullptr);
  EXPECT_EQ(bar.ActiveGroupIndex(), -1);
}

class SideBarMouse : public SideBarTest {
 protected:
  std::vector<TzbSideBarItem*> clicked;

  void SetUp() override {
    SideBarTest::SetUp();
    BuildSampleSideBar(bar, images);
    bar.OnItemClick = [this](TzbSideBar&, TzbSideBarItem& item) { clicked.push_back(&item); };
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  }
};

TEST_F(SideBarMouse, ACaptionClickOpensTheGroupAndAnItemClickPassesItsFrameKey) {
  ProjectState();
  bar.SetActiveGroupIndex(0);
  activeChanges = 0;
  QTest::mouseClick(&bar, Qt::LeftButton, {}, GroupCentre(bar, *Group(4)));
  ASSERT_EQ(bar.ActiveGroup(), Group(4));
  EXPECT_EQ(activeChanges, 1);
  EXPECT_EQ(bar.ActiveGroupIndex(), 3);
  TzbSideBarItem* transfer = Group(4)->Items()[0];
  QTest::mouseClick(&bar, Qt::LeftButton, {}, ItemCentre(bar, *transfer));
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0]->CustomData, SampleFrame(4, 0));
  EXPECT_EQ(clicked[0]->Tag, 140);
  EXPECT_EQ(bar.SelectedItem(), transfer);
}

TEST_F(SideBarMouse, AnExceptionOfTheClickHandlerReachesTheExceptionHandler) {
  std::string message;
  bar.OnItemClick = [](TzbSideBar&, TzbSideBarItem&) { throw std::runtime_error("Rahmen fehlt"); };
  bar.OnException = [&](const std::exception& e) { message = e.what(); };
  QTest::mouseClick(&bar, Qt::LeftButton, {}, ItemCentre(bar, *Group(0)->Items()[0]));
  EXPECT_EQ(message, "Rahmen fehlt");
  // The side bar goes on working.
  message.clear();
  QTest::mouseClick(&bar, Qt::LeftButton, {}, ItemCentre(bar, *Group(0)->Items()[1]));
  EXPECT_EQ(message, "Rahmen fehlt");
}

TEST_F(SideBarMouse, PressAndReleaseOnDifferentItemsOrOnADisabledItemFireNoClick) {
  TzbSideBarItem* first = Group(0)->Items()[0];
  TzbSideBarItem* second = Group(0)->Items()[1];
  QTest::mousePress(&bar, Qt::LeftButton, {}, ItemCentre(bar, *first));
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, ItemCentre(bar, *second));
  EXPECT_TRUE(clicked.empty());
  second->SetEnabled(false);
  int selections = 0;
  bar.OnChangeSelectedItem = [&](TzbSideBar&) { ++selections; };
  QTest::mouseClick(&bar, Qt::LeftButton, {}, ItemCentre(bar, *second));
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(bar.SelectedItem(), second);  // selected, though not drawn so
  EXPECT_EQ(selections, 1);
  // A stored item's own handler takes the click in place of OnItemClick.
  TzbSideBarStore store;
  TzbStoredSideItem* stored = store.CreateItem();
  int storedClicks = 0;
  stored->OnClick = [&](TzbSideBar&, TzbSideBarItem&) { ++storedClicks; };
  bar.SetStore(&store);  // a new store clears the groups
  EXPECT_EQ(bar.GroupCount(), 0);
  TzbSideBarItem* item = bar.Groups().Add()->Items().Add();
  item->SetStoredItem(stored);
  QTest::mouseClick(&bar, Qt::LeftButton, {}, ItemCentre(bar, *item));
  EXPECT_EQ(storedClicks, 1);
  EXPECT_TRUE(clicked.empty());
  bar.SetStore(nullptr);
}

TEST_F(SideBarMouse, ScrollButtonsAppearWhenItemsOverflowAndScrollOneItemPerTick) {
  bar.resize(140, 300);
  ProjectState();
  bar.SetActiveGroupIndex(0);  // "Bauteile", ten items
  TzbSideBarViewInfo& vi = bar.ViewInfo();
  ASSERT_TRUE(vi.HasScrollDown());
  EXPECT_FALSE(vi.HasScrollUp());
  const int shown = static_cast<int>(vi.Items().size());
  ASSERT_LT(shown, 10);
  QTest::mousePress(&bar, Qt::LeftButton, {}, ToQRect(vi.ScrollDownRect).center());
  EXPECT_EQ(Group(1)->TopVisibleItem(), 1);
  EXPECT_TRUE(bar.ScrollDownPressed());
  EXPECT_TRUE(bar.ScrollTimerActive());
  EXPECT_TRUE(bar.ViewInfo().HasScrollUp());
  int ticks = 0;
  while (bar.ScrollTimerActive() && ticks < 20) {
    bar.ScrollTimerTick();
    ++ticks;
  }
  EXPECT_LT(ticks, 20);
  TzbSideBarItem* last = Group(1)->Items()[9];
  EXPECT_TRUE(last->IsFullyVisible());
  EXPECT_FALSE(bar.ViewInfo().HasScrollDown());
  EXPECT_FALSE(bar.ScrollDownPressed());
  // One step less would have left the last item cut off.
  const int top = Group(1)->TopVisibleItem();
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(70, 150));
  QTest::mouseClick(&bar, Qt::LeftButton, {}, ToQRect(bar.ViewInfo().ScrollUpRect).center());
  EXPECT_EQ(Group(1)->TopVisibleItem(), top - 1);
  EXPECT_FALSE(last->IsFullyVisible());
  EXPECT_FALSE(bar.ScrollUpPressed());
}

TEST_F(SideBarMouse, MakeVisibleScrollsTheOpenGroupOnly) {
  bar.resize(140, 300);
  ProjectState();
  bar.SetActiveGroupIndex(0);
  TzbSideBarItem* last = Group(1)->Items()[9];
  EXPECT_FALSE(Group(2)->Items()[3]->MakeVisible());  // a closed group: nothing scrolls
  EXPECT_EQ(Group(2)->TopVisibleItem(), 0);
  EXPECT_FALSE(last->MakeVisible());
  EXPECT_GT(Group(1)->TopVisibleItem(), 0);
  EXPECT_TRUE(last->IsFullyVisible());
  EXPECT_TRUE(last->MakeVisible());
  TzbSideBarItem* first = Group(1)->Items()[0];
  EXPECT_FALSE(first->MakeVisible());
  EXPECT_EQ(Group(1)->TopVisibleItem(), 0);
}

TEST_F(SideBarMouse, HotTrackingFollowsThePointerOverItemsAndCaptions) {
  TzbSideBarItem* item = Group(0)->Items()[1];
  int focusChanges = 0;
  bar.OnChangeFocusedItem = [&](TzbSideBar&) { ++focusChanges; };
  QTest::mouseMove(&bar, ItemCentre(bar, *item));
  EXPECT_EQ(bar.FocusedItem(), item);
  EXPECT_FALSE(bar.HotItemPressed());
  EXPECT_EQ(focusChanges, 1);
  // The XP look draws the hot item's picture on the selection colour inside a highlight frame.
  const QImage shot = bar.grab().toImage();
  const TRect frame = bar.ViewInfo().FindItem(item)->ImageFrameRect();
  EXPECT_EQ(FromQColor(shot.pixelColor(frame.Left + 2, frame.Top + 2)), TzbSideBarXPPainter::SelectionColor());
  EXPECT_EQ(FromQColor(shot.pixelColor(frame.Left, frame.Top + 2)), ColorToRGB(clHighlight));
  QTest::mouseMove(&bar, GroupCentre(bar, *Group(1)));
  EXPECT_EQ(bar.HotGroup(), Group(1));
  EXPECT_EQ(bar.FocusedItem(), nullptr);
  EXPECT_EQ(bar.cursor().shape(), Qt::PointingHandCursor);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&bar, &leave);
  EXPECT_EQ(bar.HotGroup(), nullptr);
  EXPECT_EQ(bar.FocusedItem(), nullptr);
  // Pressing a caption and moving off it un-presses it; releasing elsewhere opens nothing.
  QTest::mousePress(&bar, Qt::LeftButton, {}, GroupCentre(bar, *Group(1)));
  EXPECT_TRUE(bar.HotGroupPressed());
  QMouseEvent away(QEvent::MouseMove, QPointF(70, 100), bar.mapToGlobal(QPointF(70, 100)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&bar, &away);
  EXPECT_FALSE(bar.HotGroupPressed());
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(70, 100));
  EXPECT_EQ(bar.ActiveGroup(), Group(0));
}

TEST_F(SideBarMouse, AnItemHintShowsBelowTheItemAndAKeyHidesIt) {
  TzbSideBarItem* item = Group(0)->Items()[0];
  QTest::mouseMove(&bar, ItemCentre(bar, *item));
  ASSERT_TRUE(bar.HintShown());
  ASSERT_NE(bar.HintWindow(), nullptr);
  EXPECT_TRUE(bar.HintWindow()->isVisible());
  EXPECT_EQ(bar.HintWindow()->text(), QStringLiteral("Übersicht 1"));
  const TRect caption = bar.ViewInfo().FindItem(item)->CaptionRect;
  EXPECT_EQ(bar.HintWindow()->geometry().top(), bar.mapToGlobal(QPoint(0, caption.Bottom + 2 - 1)).y());
  QTest::keyClick(&bar, Qt::Key_A);
  EXPECT_FALSE(bar.HintShown());
  EXPECT_FALSE(bar.HintWindow()->isVisible());
}

TEST_F(SideBarMouse, ARightClickOpensTheItemOrGroupMenu) {
  QMenu groupMenu, itemMenu;
  bar.GroupPopupMenu = &groupMenu;
  QTest::mouseClick(&bar, Qt::RightButton, {}, ItemCentre(bar, *Group(0)->Items()[0]));
  EXPECT_TRUE(groupMenu.isVisible());
  groupMenu.hide();
  bar.ItemPopupMenu = &itemMenu;
  QTest::mouseClick(&bar, Qt::RightButton, {}, ItemCentre(bar, *Group(0)->Items()[0]));
  EXPECT_TRUE(itemMenu.isVisible());
  EXPECT_FALSE(groupMenu.isVisible());
  itemMenu.hide();
  QTest::mouseClick(&bar, Qt::RightButton, {}, GroupCentre(bar, *Group(1)));
  EXPECT_TRUE(groupMenu.isVisible());
  groupMenu.hide();
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(bar.ActiveGroup(), Group(0));
}

TEST_F(SideBarTest, AssignCopiesGroupsAndOpensTheFirstVisibleGroup) {
  BuildSampleSideBar(bar, images);
  TzbSideBar copy;
  copy.Groups().Add()->SetCaption("alt");
  copy.Assign(bar);
  ASSERT_EQ(copy.GroupCount(), 6);
  EXPECT_EQ(copy.Groups()[5]->Items()[4]->CustomData, SampleFrame(5, 4));
  EXPECT_EQ(copy.Groups()[5]->Items()[4]->Tag, 154);
  EXPECT_EQ(copy.ActiveGroup(), copy.Groups()[0]);
  EXPECT_EQ(copy.LargeImages(), &images);
}

// Item drags: the pointer moves with the left button held; every event goes to the side bar that
// took the press, as the platform's mouse capture does.
class SideBarDrag : public SideBarTest {
 protected:
  QWidget window;
  TzbSideBar* left = nullptr;
  TzbSideBar* right = nullptr;
  struct TDrop {
    TzbSideBarItem *Source, *Target;
    bool IsCopy;
  };
  std::vector<TDrop> drops;

  void SetUp() override {
    SideBarTest::SetUp();
    window.resize(300, 420);
    left = new TzbSideBar(&window);
    right = new TzbSideBar(&window);
    left->setGeometry(0, 0, 140, 420);
    right->setGeometry(150, 0, 140, 420);
    for (TzbSideBar* b : {left, right}) {
      b->DragMode = sbdmAutomatic;
      b->SetCanSelected(true);
      b->OnDragDropItem = [this](TzbSideBarDragObject&, TzbSideBarItem* s, TzbSideBarItem* t, bool c) {
        drops.push_back({s, t, c});
      };
      for (int g = 0; g < 2; ++g) {
        TzbSideGroup* group = b->Groups().Add();
        for (int i = 0; i < 3; ++i) group->Items().Add()->SetCaption(std::string(1, char('A' + g)) + std::to_string(i));
      }
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  static void Send(TzbSideBar* source, QEvent::Type type, QPoint local, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(local), QPointF(source->mapToGlobal(local)), button, buttons, modifiers);
    QApplication::sendEvent(source, &e);
  }

  // Presses on an item of source, moves to `to` (in target coordinates) and releases there.
  void Drag(TzbSideBar* source, TzbSideBarItem* item, TzbSideBar* target, QPoint to,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint from = ItemCentre(*source, *item);
    Send(source, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(source, QEvent::MouseMove, from + QPoint(0, 6), Qt::LeftButton, modifiers);
    const QPoint local = source->mapFromGlobal(target->mapToGlobal(to));
    Send(source, QEvent::MouseMove, local, Qt::LeftButton, modifiers);
    Send(source, QEvent::MouseButtonRelease, local, Qt::NoButton, modifiers);
  }

  std::string Captions(TzbSideBar* b, int group) {
    std::string text;
    TzbSideBarItems& items = b->Groups()[group]->Items();
    for (int i = 0; i < items.Count(); ++i) text += items[i]->Caption() + " ";
    return text;
  }
};

TEST_F(SideBarDrag, MovingFivePixelsStartsNoDragSixDo) {
  TzbSideBarItem* item = left->Groups()[0]->Items()[0];
  const QPoint from = ItemCentre(*left, *item);
  Send(left, QEvent::MouseButtonPress, from, Qt::LeftButton);
  Send(left, QEvent::MouseMove, from + QPoint(5, 5), Qt::LeftButton);
  EXPECT_FALSE(left->IsDragging());
  Send(left, QEvent::MouseMove, from + QPoint(0, 6), Qt::LeftButton);
  ASSERT_TRUE(left->IsDragging());
  EXPECT_EQ(TzbSideBarDragObject::Current()->Item, item);
  Send(left, QEvent::MouseButtonRelease, from + QPoint(0, 6), Qt::NoButton);
  EXPECT_FALSE(left->IsDragging());
  // Dropped on its own place: nothing moves, the event reports no target.
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0].Target, nullptr);
  EXPECT_EQ(Captions(left, 0), "A0 A1 A2 ");
  // With the manual drag mode nothing starts.
  left->DragMode = sbdmManual;
  Send(left, QEvent::MouseButtonPress, from, Qt::LeftButton);
  Send(left, QEvent::MouseMove, from + QPoint(0, 30), Qt::LeftButton);
  EXPECT_FALSE(left->IsDragging());
  Send(left, QEvent::MouseButtonRelease, from + QPoint(0, 30), Qt::NoButton);
}

TEST_F(SideBarDrag, AnItemMovesWithinItsGroupAndShowsTheDropIndicator) {
  TzbSideBarItems& items = left->Groups()[0]->Items();
  TzbSideBarItem* a0 = items[0];
  const QPoint from = ItemCentre(*left, *a0);
  Send(left, QEvent::MouseButtonPress, from, Qt::LeftButton);
  Send(left, QEvent::MouseMove, from + QPoint(0, 6), Qt::LeftButton);
  // Below the last item: after it, with the indicator drawn there.
  const TzbSideItemViewInfo& last = *left->ViewInfo().FindItem(items[2]);
  const QPoint below(70, last.Bottom() + 3);
  Send(left, QEvent::MouseMove, below, Qt::LeftButton);
  EXPECT_EQ(left->DropTarget(), items[2]);
  EXPECT_EQ(left->DropPosition(), dpAfter);
  const TRect indicator = left->Painter().DropIndicatorRect();
  EXPECT_EQ(indicator.Top, last.Bottom());
  const QImage shot = left->grab().toImage();
  EXPECT_EQ(FromQColor(shot.pixelColor(70, indicator.Top + 4)), clBlack);
  // On the middle item: it takes that item's place.
  Send(left, QEvent::MouseMove, ItemCentre(*left, *items[2]), Qt::LeftButton);
  EXPECT_EQ(left->DropTarget(), items[2]);
  EXPECT_EQ(left->DropPosition(), dpNone);
  Send(left, QEvent::MouseButtonRelease, ItemCentre(*left, *items[2]), Qt::NoButton);
  EXPECT_EQ(Captions(left, 0), "A1 A2 A0 ");
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0].Target, a0);
  EXPECT_FALSE(drops[0].IsCopy);
  EXPECT_EQ(left->SelectedItem(), a0);
  EXPECT_EQ(left->DropPosition(), dpNone);
}

TEST_F(SideBarDrag, CtrlCopiesAndAPlainDropOnAnotherSideBarMoves) {
  TzbSideBarItem* a1 = left->Groups()[0]->Items()[1];
  a1->CustomData = "FrMerker";
  a1->Tag = 5;
  Drag(left, a1, right, ItemCentre(*right, *right->Groups()[0]->Items()[0]), Qt::ControlModifier);
  EXPECT_EQ(Captions(left, 0), "A0 A1 A2 ");
  EXPECT_EQ(Captions(right, 0), "A1 A0 A1 A2 ");
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_TRUE(drops[0].IsCopy);
  EXPECT_EQ(drops[0].Target->CustomData, "FrMerker");
  EXPECT_EQ(drops[0].Target->Tag, 5);
  Drag(left, a1, right, ItemCentre(*right, *right->Groups()[0]->Items()[3]));
  EXPECT_EQ(Captions(left, 0), "A0 A2 ");
  EXPECT_EQ(Captions(right, 0), "A1 A0 A1 A1 A2 ");
  // A side bar that refuses drops in its OnDragOver takes nothing.
  right->OnDragOver = [](TzbSideBar&, const TPoint&, bool& accept) { accept = false; };
  Drag(left, left->Groups()[0]->Items()[0], right, ItemCentre(*right, *right->Groups()[0]->Items()[0]));
  EXPECT_EQ(Captions(left, 0), "A0 A2 ");
  EXPECT_EQ(Captions(right, 0), "A1 A0 A1 A1 A2 ");
  // A drop beside every side bar moves nothing.
  TzbSideBarItem* a0 = left->Groups()[0]->Items()[0];
  Drag(left, a0, left, QPoint(145, 200));
  EXPECT_EQ(Captions(left, 0), "A0 A2 ");
  EXPECT_FALSE(left->IsDragging());
}

TEST_F(SideBarDrag, DraggingOverACaptionOpensThatGroup) {
  TzbSideBarItem* a0 = left->Groups()[0]->Items()[0];
  const QPoint from = ItemCentre(*left, *a0);
  Send(left, QEvent::MouseButtonPress, from, Qt::LeftButton);
  Send(left, QEvent::MouseMove, from + QPoint(0, 6), Qt::LeftButton);
  Send(left, QEvent::MouseMove, GroupCentre(*left, *left->Groups()[1]), Qt::LeftButton);
  EXPECT_EQ(left->ActiveGroup(), left->Groups()[1]);
  const QPoint onB1 = ItemCentre(*left, *left->Groups()[1]->Items()[1]);
  Send(left, QEvent::MouseMove, onB1, Qt::LeftButton);
  Send(left, QEvent::MouseButtonRelease, onB1, Qt::NoButton);
  EXPECT_EQ(Captions(left, 0), "A1 A2 ");
  EXPECT_EQ(Captions(left, 1), "B0 A0 B1 B2 ");
}

TEST_F(SideBarMouse, ACaptionEditTakesItsTextOnReturnOrAPressAndDropsItOnEscOrRemoval) {
  std::vector<std::string> renamed;
  int afterEdits = 0;
  bar.OnChangeGroupCaption = [&](TzbSideGroup& sender, TzbSideGroup& group) {
    EXPECT_EQ(&sender, &group);
    renamed.push_back(group.Caption());
  };
  bar.OnAfterEdit = [&](TzbSideBar&) { ++afterEdits; };
  ASSERT_TRUE(bar.EditGroupCaption(Group(1)));
  bar.Editor()->setText(QStringLiteral("Teile"));
  QTest::keyClick(bar.Editor(), Qt::Key_Return);
  EXPECT_FALSE(bar.IsEditing());
  EXPECT_EQ(Group(1)->Caption(), "Teile");
  EXPECT_EQ(renamed, std::vector<std::string>{"Teile"});
  TzbSideBarItem* item = Group(0)->Items()[0];
  ASSERT_TRUE(bar.EditItemCaption(item));
  bar.Editor()->setText(QStringLiteral("Weg damit"));
  QTest::keyClick(bar.Editor(), Qt::Key_Escape);
  EXPECT_EQ(AnsiToUtf8(item->Caption()), "Übersicht 1");
  // An empty text never becomes a caption; a press elsewhere ends the edit taking the text.
  ASSERT_TRUE(bar.EditItemCaption(item));
  bar.Editor()->setText(QString());
  QTest::mouseClick(&bar, Qt::LeftButton, {}, ItemCentre(bar, *Group(0)->Items()[1]));
  EXPECT_FALSE(bar.IsEditing());
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(AnsiToUtf8(item->Caption()), "Übersicht 1");
  ASSERT_TRUE(bar.EditItemCaption(item));
  bar.Editor()->setText(QStringLiteral("Neu"));
  QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(70, 300));
  EXPECT_EQ(item->Caption(), "Neu");
  // Removing the edited item ends the edit without its text.
  ASSERT_TRUE(bar.EditItemCaption(item));
  Group(0)->Items().Delete(0);
  EXPECT_FALSE(bar.IsEditing());
  EXPECT_EQ(afterEdits, 5);
  bar.OnBeforeEdit = [](TzbSideBar&, bool& allow) { allow = false; };
  EXPECT_FALSE(bar.EditGroupCaption(Group(0)));
  EXPECT_FALSE(bar.EditItemCaption(Group(2)->Items()[0]));  // not laid out
}

TEST(SideBarAnimation, TheBandSlidesInGrowingStepsUntilOneCaptionHeightRemains) {
  test::EnsureApplication();
  // A picture with a red caption at the bottom of a 100-pixel band.
  QImage frame(20, 120, QImage::Format_RGB32);
  frame.fill(Qt::white);
  for (int y = 80; y < 100; ++y)
    for (int x = 0; x < 20; ++x) frame.setPixelColor(x, y, Qt::red);
  TzbSideBarAnimation animation(frame, Rect(0, 0, 20, 100), true, 20);
  std::int64_t now = 0;
  std::vector<int> captionTops;
  QImage last;
  const int steps =
      animation.Run([](TCanvas& canvas, const TRect& r) { canvas.Painter().fillRect(ToQRect(r), Qt::green); },
                    [&](const QImage& picture) {
                      int top = -1;
                      for (int y = 0; y < 100 && top < 0; ++y)
                        if (picture.pixelColor(5, y) == QColor(Qt::red)) top = y;
                      captionTops.push_back(top);
                      last = picture;
                    },
                    [&] { return now += 30; });  // 30 ms per reading: the amount grows every second step
  ASSERT_EQ(steps, static_cast<int>(captionTops.size()));
  // Amounts 1, 1, 3, 3, 5, 5, 7, 7, 9, 9, 11, 11, ...: the caption moves up by them.
  ASSERT_GE(captionTops.size(), 4u);
  EXPECT_EQ(captionTops[0], 79);
  EXPECT_EQ(captionTops[1], 78);
  EXPECT_EQ(captionTops[2], 75);
  EXPECT_EQ(captionTops[3], 72);
  EXPECT_LE(captionTops.back(), 0 + 2);                   // ended with at most one caption height left
  EXPECT_EQ(last.pixelColor(5, 99), QColor(Qt::green));   // the uncovered strip shows the background
  EXPECT_EQ(last.pixelColor(5, 110), QColor(Qt::white));  // outside the band nothing moved
}

TEST_F(SideBarMouse, AfterTheGroupChangeAnimationTheSideBarShowsTheNewLayout) {
  QTest::mouseClick(&bar, Qt::LeftButton, {}, GroupCentre(bar, *Group(4)));
  ASSERT_EQ(bar.ActiveGroup(), Group(4));
  QTest::mouseClick(&bar, Qt::LeftButton, {}, GroupCentre(bar, *Group(1)));
  ASSERT_EQ(bar.ActiveGroup(), Group(1));
  const QImage shown = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
  QImage expected(bar.size(), QImage::Format_RGB32);
  TCanvas canvas(&expected);
  bar.PaintTo(canvas);
  EXPECT_EQ(shown, expected);
}

TEST_F(SideBarTest, SelectionNeedsCanSelected) {
  MakeGroups(1);
  TzbSideBarItem* item = Group(0)->Items().Add();
  int selections = 0;
  bar.OnChangeSelectedItem = [&](TzbSideBar&) { ++selections; };
  bar.SelectItem(item);
  EXPECT_EQ(bar.SelectedItem(), nullptr);
  EXPECT_EQ(selections, 0);
  bar.SetCanSelected(true);
  bar.SelectItem(item);
  EXPECT_EQ(bar.SelectedItem(), item);
  Group(0)->Items().Delete(0);
  EXPECT_EQ(bar.SelectedItem(), nullptr);
  EXPECT_EQ(selections, 2);
}

TEST_F(SideBarTest, AnItemFollowsItsStoredItemUntilItsOwnValueDiffers) {
  TzbSideBarStore store;
  TzbStoredSideItem* stored = store.CreateItem();
  stored->Name = "Transfer";
  stored->SetCaption("Senden");
  stored->SetLargeImage(3);
  bar.SetStore(&store);
  {
    // The store's pictures serve a side bar without its own, and their end is noticed.
    TzbSideBarImageList storeImages(24, 24);
    store.SetLargeImages(&storeImages);
    EXPECT_EQ(bar.GetLargeImages(), &storeImages);
    EXPECT_EQ(bar.ViewInfo().ImageWidth(true), 24);
  }
  EXPECT_EQ(store.LargeImages(), nullptr);
  EXPECT_EQ(bar.ViewInfo().ImageWidth(true), 32);
  MakeGroups(1);
  TzbSideBarItem* item = Group(0)->Items().Add();
  item->SetStoredItem(stored);
  EXPECT_TRUE(item->IsDefault());
  EXPECT_EQ(item->Caption(), "Senden");
  EXPECT_EQ(item->LargeImage(), 3);
  stored->SetEnabled(false);
  EXPECT_FALSE(item->GetEnabled());
  item->SetCaption("Anders");
  EXPECT_FALSE(item->IsDefault());
  EXPECT_EQ(item->Caption(), "Anders");
  EXPECT_EQ(store.FindByName("TRANSFER"), stored);
  // A category in use cannot go; freeing the stored item frees its followers.
  EXPECT_THROW(store.Categories().Delete(0), EzbSideBarError);
  EXPECT_THROW(store.Categories().Clear(), EzbSideBarError);
  store.Categories().Insert(0, "Vorne");
  EXPECT_EQ(stored->Category(), 1);
  std::vector<std::string> deleted;
  bar.OnDeleteItem = [&](TzbSideBar&, TzbSideBarItem& i) { deleted.push_back(i.Caption()); };
  // Moving the stored item to another store frees its followers here as well.
  TzbSideBarStore other;
  TzbSideBarItem* follower = Group(0)->Items().Add();
  follower->SetStoredItem(stored);
  store.MoveItemTo(stored, other);
  EXPECT_EQ(&stored->Store(), &other);
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(stored->Category(), 0);
  EXPECT_EQ(Group(0)->Items().Count(), 0);
  EXPECT_EQ(deleted, (std::vector<std::string>{"Senden", "Anders"}));
  // Freeing it frees the followers it has gained since.
  other.MoveItemTo(stored, store);
  Group(0)->Items().Add()->SetStoredItem(stored);
  store.FreeItem(stored);
  EXPECT_EQ(Group(0)->Items().Count(), 0);
  EXPECT_EQ(deleted.size(), 3u);
  store.Categories().Clear();
  EXPECT_EQ(store.Categories().Names(), std::vector<std::string>{"Default"});
}

TEST_F(SideBarTest, PropertySettersRefuseValuesOutsideTheirRange) {
  bar.SetSpaceHeight(4);
  EXPECT_EQ(bar.SpaceHeight(), 7);
  bar.SetSpaceHeight(5);
  EXPECT_EQ(bar.SpaceHeight(), 5);
  bar.SetGroupHeightOffSet(10);
  EXPECT_EQ(bar.GroupHeightOffSet(), 0);
  bar.SetScrollDelay(0);
  EXPECT_EQ(bar.ScrollDelay(), 300);
  bar.BkGround().SetStep(0);
  EXPECT_EQ(bar.BkGround().Step(), 2);
  // GroupHeightOffSet 3 gives captions 6 pixels plus the font height in every style.
  bar.SetGroupHeightOffSet(3);
  const int fontHeight = QFontMetrics(bar.GroupFont().Font).height();
  for (TzbsbPaintStyle style : {sbpsStandard, sbpsFlat, sbpsXP, sbpsW2K}) {
    bar.SetPaintStyle(style);
    EXPECT_EQ(bar.ViewInfo().GetGroupHeight(), 6 + fontHeight) << style;
  }
}

TEST_F(SideBarTest, LayoutOfCaptionsItemsAndTheItemsArea) {
  MakeGroups(3);
  bar.SetPaintStyle(sbpsXP);
  for (int i = 0; i < 2; ++i) Group(1)->Items().Add()->SetCaption("Eintrag");
  bar.SetActiveGroupIndex(1);
  TzbSideBarViewInfo& vi = bar.ViewInfo();
  const int h = vi.GetGroupHeight();
  ASSERT_EQ(vi.Groups().size(), 3u);
  EXPECT_EQ(vi.Groups()[0].CaptionRect, Rect(1, 1, 139, 1 + h));
  EXPECT_EQ(vi.Groups()[1].CaptionRect, Rect(1, 1 + h, 139, 1 + 2 * h));
  EXPECT_EQ(vi.Groups()[2].CaptionRect, Rect(1, 419 - h, 139, 419));  // stacked against the bottom
  EXPECT_EQ(vi.ItemsArea, Rect(2, 1 + 2 * h, 138, 419 - h));
  ASSERT_EQ(vi.Items().size(), 2u);
  // No picture list: a 32 x 32 box centred in the client rectangle.
  const TRect image = vi.Items()[0]->ImageRect;
  EXPECT_EQ(image, Bounds(1 + (138 - 32) / 2, vi.ItemsArea.Top + 7 + 7, 32, 32));
  EXPECT_EQ(vi.Items()[0]->CaptionRect.Top, image.Bottom + 7);
  // Without captions the items area is the client rectangle deflated by 1.
  bar.SetShowGroups(false);
  EXPECT_TRUE(bar.ViewInfo().Groups().empty());
  EXPECT_EQ(bar.ViewInfo().ItemsArea, Rect(2, 1, 138, 419));
  // Small icons: the caption beside the picture.
  bar.SetShowGroups(true);
  Group(1)->SetIconType(zbsgSmallIcon);
  const TzbSideItemViewInfo& small = *bar.ViewInfo().Items()[0];
  EXPECT_EQ(small.ImageRect.Left, 1 + 7);
  EXPECT_EQ(small.CaptionRect.Left, small.ImageRect.Right + 7);
}

TEST_F(SideBarTest, ACollapsedSideBarLaysOutAndPaintsWithoutDividingByZero) {
  BuildSampleSideBar(bar, images);
  bar.show();
  for (QSize size : {QSize(0, 0), QSize(0, 300), QSize(140, 0), QSize(3, 3)}) {
    SCOPED_TRACE(size.width() * 1000 + size.height());
    bar.resize(size);
    TzbSideBarViewInfo& vi = bar.ViewInfo();
    EXPECT_TRUE(vi.Items().empty() || size.height() > 0);
    QImage target(8, 8, QImage::Format_RGB32);
    target.fill(Qt::black);
    TCanvas canvas(&target);
    bar.PaintTo(canvas);
    Group(0)->Items()[1]->MakeVisible();
    bar.ScrollActiveGroup(1);
    bar.SetActiveGroupIndex(2);
    bar.SetActiveGroupIndex(0);
  }
  // A zero-width bar's vertical gradient has no extent: a picture box outside it shows the begin colour.
  bar.resize(0, 300);
  QImage target(40, 40, QImage::Format_RGB32);
  TCanvas canvas(&target);
  bar.Painter().FillBackground(canvas, Rect(0, 0, 40, 40));
  EXPECT_EQ(FromQColor(target.pixelColor(39, 20)), ColorToRGB(clBtnShadow));
}

TEST_F(SideBarTest, GradientShadesAcrossTheWidthAndEqualColoursPaintSolid) {
  bar.resize(100, 50);
  bar.BkGround().SetFillStyle(bfsVert);
  bar.BkGround().SetBeginColor(RGB(0, 0, 0));
  bar.BkGround().SetEndColor(RGB(200, 100, 0));
  bar.BkGround().SetStep(1);
  QImage target(100, 50, QImage::Format_RGB32);
  TCanvas canvas(&target);
  bar.Painter().FillBackground(canvas, Rect(0, 0, 100, 50));
  EXPECT_EQ(FromQColor(target.pixelColor(0, 10)), RGB(0, 0, 0));
  EXPECT_EQ(FromQColor(target.pixelColor(50, 10)), RGB(100, 50, 0));
  EXPECT_EQ(FromQColor(target.pixelColor(99, 40)), RGB(198, 99, 0));
  bar.BkGround().SetEndColor(RGB(0, 0, 0));
  bar.SetColor(clRed);
  bar.Painter().FillBackground(canvas, Rect(0, 0, 100, 50));
  EXPECT_EQ(FromQColor(target.pixelColor(50, 10)), clRed);
}

class SideBarSettingsTest : public SideBarTest {
 protected:
  QTemporaryDir dir;
  QString file;
  int writes = 0;
  void SetUp() override {
    SideBarTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    file = dir.filePath(QStringLiteral("sidebar.ini"));
    bar.SettingsFile = file;
  }
  // Each text goes to a new file: the settings cache would not notice a rewrite of equal size
  // within the same second.
  void WriteIni(const char* text) {
    file = dir.filePath(QStringLiteral("damaged%1.ini").arg(++writes));
    bar.SettingsFile = file;
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
  }
};

TEST_F(SideBarSettingsTest, TheLayoutComesBackAsItWasStored) {
  BuildSampleSideBar(bar, images);
  Group(2)->SetIconType(zbsgSmallIcon);
  ASSERT_TRUE(bar.SaveToRegistry("Software\\ZORV\\SideBar"));
  TzbSideBar other;
  other.SettingsFile = file;
  other.Groups().Add()->SetCaption("vorher");
  other.LoadFromRegistry("Software\\ZORV\\SideBar");
  ASSERT_EQ(other.GroupCount(), 6);
  for (int g = 0; g < 6; ++g) {
    ASSERT_EQ(other.Groups()[g]->Items().Count(), Group(g)->Items().Count());
    EXPECT_EQ(other.Groups()[g]->Caption(), Group(g)->Caption());
    for (int i = 0; i < Group(g)->Items().Count(); ++i) {
      const TzbSideBarItem& a = *Group(g)->Items()[i];
      const TzbSideBarItem& b = *other.Groups()[g]->Items()[i];
      EXPECT_EQ(b.Caption(), a.Caption());
      EXPECT_EQ(b.CustomData, a.CustomData);
      EXPECT_EQ(b.Tag, a.Tag);
      EXPECT_EQ(b.LargeImage(), a.LargeImage());
    }
  }
  EXPECT_EQ(other.Groups()[2]->IconType(), zbsgSmallIcon);
  EXPECT_EQ(other.ActiveGroup(), other.Groups()[0]);
  // Saving again drops groups that are gone.
  bar.Groups().Delete(5);
  ASSERT_TRUE(bar.SaveToRegistry("Software\\ZORV\\SideBar"));
  QSettings check(file, QSettings::IniFormat);
  EXPECT_FALSE(check.contains(QStringLiteral("Software/ZORV/SideBar/Group5/Caption")));
  EXPECT_EQ(check.value(QStringLiteral("Software/ZORV/SideBar/GroupCount")).toInt(), 5);
}

TEST_F(SideBarSettingsTest, DamagedValuesFallBackToDefaultsAndCountsAreClamped) {
  MakeGroups(2);
  WriteIni(
      "[SideBar]\n"
      "GroupCount=3\n"
      "Group0\\Caption=Eins\n"
      "Group0\\IconType=7\n"
      "Group0\\ItemCount=-4\n"
      "Group1\\IconType=klein\n"
      "Group1\\ItemCount=2000000000\n"
      "Group1\\Item0\\Caption=Gut\n"
      "Group1\\Item0\\LargeImage=-80\n"
      "Group1\\Item0\\SmallImage=abc\n"
      "Group1\\Item0\\Tag=12x\n"
      "Group1\\Item0\\IsDefault=vielleicht\n"
      "Group1\\Item1\\LargeImage=4\n");
  bar.LoadFromRegistry("SideBar");
  ASSERT_EQ(bar.GroupCount(), 3);
  EXPECT_EQ(Group(0)->Caption(), "Eins");
  EXPECT_EQ(Group(0)->IconType(), zbsgLargeIcon);
  EXPECT_EQ(Group(0)->Items().Count(), 0);
  EXPECT_EQ(Group(1)->Caption(), kSideBarNewGroup);
  EXPECT_EQ(Group(1)->IconType(), zbsgLargeIcon);
  EXPECT_EQ(Group(1)->Items().Count(), TzbSideBarSettings::kMaxItems);
  const TzbSideBarItem& item = *Group(1)->Items()[0];
  EXPECT_EQ(item.Caption(), "Gut");
  EXPECT_EQ(item.LargeImage(), -1);
  EXPECT_EQ(item.SmallImage(), -1);
  EXPECT_EQ(item.Tag, 0);
  EXPECT_TRUE(item.IsDefault());
  EXPECT_EQ(Group(1)->Items()[1]->LargeImage(), 4);
  EXPECT_EQ(Group(2)->Items().Count(), 0);  // a missing group key keeps its defaults
  // A malformed or missing group count leaves the side bar as it is.
  WriteIni("[SideBar]\nGroupCount=viele\n");
  bar.LoadFromRegistry("SideBar");
  EXPECT_EQ(bar.GroupCount(), 3);
  bar.LoadFromRegistry("Anderswo");
  EXPECT_EQ(bar.GroupCount(), 3);
  WriteIni("[SideBar]\nGroupCount=99999\n");
  bar.LoadFromRegistry("SideBar");
  EXPECT_EQ(bar.GroupCount(), TzbSideBarSettings::kMaxGroups);
}

TEST_F(SideBarSettingsTest, LoadedReadsTheStoredLayoutAndTheEndWritesIt) {
  {
    TzbSideBar first;
    first.SettingsFile = file;
    first.StoreInRegistry = true;
    first.RegistryPath = "ZYN\\SB";
    first.BeginLoading();
    first.Groups().Add()->SetCaption("A");
    first.Groups().Add()->SetCaption("B");
    first.Loaded();
    EXPECT_EQ(first.ActiveGroup(), first.Groups()[0]);
  }
  TzbSideBar second;
  second.SettingsFile = file;
  second.StoreInRegistry = true;
  second.RegistryPath = "ZYN\\SB";
  second.BeginLoading();
  second.Loaded();
  ASSERT_EQ(second.GroupCount(), 2);
  EXPECT_EQ(second.Groups()[1]->Caption(), "B");
  EXPECT_EQ(second.ActiveGroup(), second.Groups()[0]);
  second.StoreInRegistry = false;
}

}  // namespace
}  // namespace zyn
