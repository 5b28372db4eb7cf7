// The width of an edit link set with the mouse while customizing: the sizing cursor at the edges
// of the selected edit link, the frame that follows the mouse, the limits, the cancel, and the
// width kept in the stored layout over a restart of the form.

#include "widgets/bars/BarEditSizing.h"

#include "BarDemoWindow.h"
#include "widgets/bars/BarCustomizing.h"
#include "widgets/bars/BarCustomizingForm.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarItemLinks.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace zyn {
namespace {

using test::BarDemoWindow;

class BarEditSizingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApplication();
    ASSERT_TRUE(fDir.isValid());
    fDemo = std::make_unique<BarDemoWindow>(LayoutFile(), true);
    fSuchen = fDemo->AddEditBar();
  }
  void TearDown() override {
    fDemo.reset();
    QApplication::processEvents();
  }
  std::string LayoutFile() const { return (fDir.path() + QStringLiteral("/bars.ini")).toStdString(); }
  void Start() {
    fDemo->Manager->SetCustomizing(true);
    if (TzbBarCustomizingForm* form = CustomizingForm()) form->move(430, 280);
    QApplication::processEvents();
  }
  TzbBarControl* Window() const { return fDemo->WindowOf(fSuchen); }
  TzbBarEditControl* Edit() const { return dynamic_cast<TzbBarEditControl*>(fDemo->ControlIn(Window(), "Suche")); }
  TzbBarItemLink& Link() const { return *fSuchen->ItemLinks().Items(0); }
  TRect Rect() const { return fDemo->ScreenRectOf(*Edit()); }
  int Mid() const { return Rect().Top + Rect().Height() / 2; }
  // Selects the edit link with a click on its middle.
  void Select() {
    fDemo->ClickControl(*Edit());
    ASSERT_EQ(CustomizingSelectedLink(), &Link());
  }
  // Presses at the point, moves by dx and lets go.
  void SizeFrom(const QPoint& p, int dx) {
    fDemo->Move(p);
    fDemo->Press(p);
    fDemo->Move(p + QPoint(dx / 2, 0));
    fDemo->Move(p + QPoint(dx, 0));
    fDemo->Release(p + QPoint(dx, 0));
  }

  QTemporaryDir fDir;
  std::unique_ptr<BarDemoWindow> fDemo;
  TzbBar* fSuchen = nullptr;
};

TEST_F(BarEditSizingTest, TheEdgesOfTheSelectedEditShowTheSizingCursor) {
  // Outside the customizing mode the edges are plain.
  ASSERT_NE(Edit(), nullptr);
  fDemo->Move(QPoint(Rect().Right - 2, Mid()));
  EXPECT_EQ(EditSizingCursor(*Window()), 0);
  Start();
  // Not selected yet: no sizing cursor.
  fDemo->Move(QPoint(Rect().Right - 2, Mid()));
  EXPECT_EQ(EditSizingCursor(*Window()), 0);
  Select();
  struct Case {
    int x;
    int cursor;
  };
  const TRect r = Rect();
  const Case cases[] = {
      {r.Right - 1, crzbBarEditSizing},  {r.Right - EditSizingZone, crzbBarEditSizing},
      {r.Right - EditSizingZone - 1, 0}, {r.Left + r.Width() / 2, 0},
      {r.Left, crzbBarEditSizing},       {r.Left + EditSizingZone - 1, crzbBarEditSizing},
      {r.Left + EditSizingZone, 0},
  };
  for (const Case& c : cases) {
    fDemo->Move(QPoint(c.x, Mid()));
    EXPECT_EQ(EditSizingCursor(*Window()), c.cursor) << c.x - r.Left;
  }
  // The combo beside it is not selected: its edges are plain.
  TzbBarItemControl* combo = fDemo->ControlIn(Window(), "Ansicht");
  ASSERT_NE(combo, nullptr);
  fDemo->Move(QPoint(fDemo->ScreenRectOf(*combo).Right - 2, Mid()));
  EXPECT_EQ(EditSizingCursor(*Window()), 0);
}

TEST_F(BarEditSizingTest, DraggingAnEdgeSetsTheLinksWidthWithinItsLimits) {
  Start();
  Select();
  const int caption = Edit()->CaptionWidth();
  ASSERT_EQ(Rect().Width(), caption + 120);
  // The right edge 40 to the right: the frame follows while the button is down.
  const QPoint right(Rect().Right - 2, Mid());
  fDemo->Move(right);
  fDemo->Press(right);
  fDemo->Move(right + QPoint(40, 0));
  const TzbBarEditSizingState sizing = EditSizingState();
  ASSERT_EQ(sizing.Link, &Link());
  EXPECT_EQ(sizing.EditWidth, 160);
  EXPECT_EQ(sizing.Frame, QRect(Rect().Left, Rect().Top, caption + 160, Rect().Height()));
  EXPECT_EQ(Link().RealWidth(), 120);  // nothing changes before the release
  fDemo->Release(right + QPoint(40, 0));
  EXPECT_EQ(EditSizingState().Link, nullptr);
  EXPECT_EQ(Link().UserWidth(), 160);
  EXPECT_TRUE(Link().UserDefine() & UserDefineBit(udWidth));
  EXPECT_EQ(Edit()->Item().Name, "Suche");
  EXPECT_EQ(Rect().Width(), caption + 160);
  EXPECT_EQ(static_cast<TzbBarEdit&>(Edit()->Item()).Width(), 120);  // the item keeps its own width

  // The left edge 30 to the right: the right edge stays, the edit part shrinks.
  const int rightEdge = Rect().Right;
  SizeFrom(QPoint(Rect().Left + 2, Mid()), 30);
  EXPECT_EQ(Link().UserWidth(), 130);
  EXPECT_EQ(Rect().Width(), caption + 130);

  // Far to the left: the edit part keeps its 20 pixels.
  SizeFrom(QPoint(Rect().Right - 2, Mid()), -(caption + 125));
  EXPECT_EQ(Link().UserWidth(), 20);
  EXPECT_EQ(Rect().Width(), caption + 20);
  EXPECT_GT(rightEdge, Rect().Right);

  // A press and release on the edge without a move changes nothing.
  SizeFrom(QPoint(Rect().Right - 2, Mid()), 0);
  EXPECT_EQ(Link().UserWidth(), 20);
  // The link stays selected and the press started no drag.
  EXPECT_EQ(CustomizingSelectedLink(), &Link());
  EXPECT_EQ(TzbBarDragAndDrop::Current(), nullptr);
}

TEST_F(BarEditSizingTest, AComboIsSizedAsAnEditAndAMenuEntryIsNot) {
  Start();
  TzbBarItemControl* combo = fDemo->ControlIn(Window(), "Ansicht");
  ASSERT_NE(combo, nullptr);
  fDemo->ClickControl(*combo);
  TzbBarItemLink& link = *fSuchen->ItemLinks().Items(1);
  ASSERT_EQ(CustomizingSelectedLink(), &link);
  const TRect r = fDemo->ScreenRectOf(*combo);
  SizeFrom(QPoint(r.Right - 2, r.Top + r.Height() / 2), 25);
  EXPECT_EQ(link.UserWidth(), 125);
  EXPECT_EQ(fDemo->ScreenRectOf(*link.Control()).Width(), r.Width() + 25);
  // A selected menu entry has no sizing edges.
  fDemo->ClickControl(*fDemo->MenuBarEntry("Datei1"));
  TzbBarSubMenuControl* menu = fDemo->MenuOf("Datei1");
  ASSERT_NE(menu, nullptr);
  TzbBarItemControl* neu = fDemo->ControlIn(menu, "Neu1");
  ASSERT_NE(neu, nullptr);
  fDemo->ClickControl(*neu);
  const TRect e = fDemo->ScreenRectOf(*neu);
  fDemo->Move(QPoint(e.Right - 2, e.Top + e.Height() / 2));
  EXPECT_EQ(EditSizingCursor(*menu), 0);
  EXPECT_EQ(EditSizingEdgeAt(*menu, menu->ScreenToClient(Point(e.Right - 2, e.Top + 2))), 0);
}

TEST_F(BarEditSizingTest, EscAndTheEndOfTheCustomizingModeCancelTheSizing) {
  Start();
  Select();
  const QPoint right(Rect().Right - 2, Mid());
  fDemo->Move(right);
  fDemo->Press(right);
  fDemo->Move(right + QPoint(30, 0));
  ASSERT_EQ(EditSizingState().Link, &Link());
  fDemo->Key(Qt::Key_Escape);
  EXPECT_EQ(EditSizingState().Link, nullptr);
  fDemo->Release(right + QPoint(30, 0));
  EXPECT_EQ(Link().RealWidth(), 120);
  EXPECT_FALSE(Link().UserDefine() & UserDefineBit(udWidth));
  // Leaving the customizing mode in the middle of a sizing: nothing changes either.
  fDemo->Move(right);
  fDemo->Press(right);
  fDemo->Move(right + QPoint(30, 0));
  ASSERT_EQ(EditSizingState().Link, &Link());
  fDemo->Manager->SetCustomizing(false);
  EXPECT_EQ(EditSizingState().Link, nullptr);
  fDemo->Release(right + QPoint(30, 0));
  EXPECT_EQ(Link().RealWidth(), 120);
  EXPECT_EQ(EditSizingCursor(*Window()), 0);
}

TEST_F(BarEditSizingTest, TheWidthIsKeptInTheStoredLayoutOverARestart) {
  Start();
  Select();
  SizeFrom(QPoint(Rect().Right - 2, Mid()), 44);
  ASSERT_EQ(Link().UserWidth(), 164);
  fDemo->Manager->SetCustomizing(false);
  // The form goes (storing its layout) and comes again; its items are there before the layout is
  // read, as a program defines them.
  fDemo.reset();
  fDemo = std::make_unique<BarDemoWindow>(LayoutFile(), true);
  fDemo->AddEditBar();
  fDemo->Manager->LoadFromIniFile(LayoutFile());
  QApplication::processEvents();
  fSuchen = nullptr;
  for (int i = 0; i < fDemo->Manager->Bars().Count(); ++i) {
    TzbBar* bar = fDemo->Manager->Bars().Items(i);
    if (bar->Caption() == "Suchen" && bar->Visible() && bar->ItemLinks().Count() > 0) fSuchen = bar;
  }
  ASSERT_NE(fSuchen, nullptr);
  ASSERT_NE(Edit(), nullptr);
  EXPECT_EQ(Link().UserWidth(), 164);
  EXPECT_EQ(Rect().Width(), Edit()->CaptionWidth() + 164);
}

}  // namespace
}  // namespace zyn
