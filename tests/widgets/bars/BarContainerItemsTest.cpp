// The control container, the in-place sub-item and the toolbars list on the demo form: where the
// hosted line edit stands and what becomes of it when its bar floats, docks, hides or goes, how an
// in-place sub-item unfolds its entries inside the "&Einstellungen" menu, and what the
// "Symbolleisten" menu lists. Golden images (produced by this test with ZYN_UPDATE_GOLDEN=1 on the
// offscreen platform and reviewed by eye) carry text, so each has a text-contrast rule.

#include "widgets/bars/BarContainerItems.h"

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace zyn {
namespace {

// A container that counts how often it asks its bars to lay out anew.
class CountingContainer : public TzbBarControlContainerItem {
 public:
  using TzbBarControlContainerItem::TzbBarControlContainerItem;
  void LayoutChanged() override {
    ++Layouts;
    TzbBarControlContainerItem::LayoutChanged();
  }
  int Layouts = 0;
};

TEST(BarContainerItemKinds, AreRegisteredWithTheirControls) {
  test::BarsFixture fixture;  // the bar unit has started
  for (const char* kind :
       {TzbBarControlContainerItem::kClassName, TzbBarInPlaceSubItem::kClassName, TzbBarToolbarsListItem::kClassName})
    EXPECT_TRUE(static_cast<bool>(ControlClassOf(kind))) << kind;
  std::vector<std::string> listed;
  for (int i = 0; i < GetListedItemClassCount(); ++i) listed.push_back(GetListedItemClass(i));
  for (const char* kind :
       {TzbBarControlContainerItem::kClassName, TzbBarInPlaceSubItem::kClassName, TzbBarToolbarsListItem::kClassName})
    EXPECT_NE(std::find(listed.begin(), listed.end(), kind), listed.end()) << kind;
}

class ControlContainer : public ::testing::Test, public test::BarDemoWindow {
 protected:
  ControlContainer() {
    bar = AddHostingItems();
    container = static_cast<TzbBarControlContainerItem*>(Item("Suchfeld"));
    PaintBar();
  }
  // Lets the bar window paint (the container places its control when it paints).
  void PaintBar() {
    QApplication::processEvents();
    if (TzbBarControl* w = WindowOf(bar); w && w->Widget()) {
      w->Invalidate();
      w->Widget()->repaint();
    }
    QApplication::processEvents();
  }
  TzbBarItemControl* Entry() const { return ControlIn(WindowOf(bar), "Suchfeld"); }
  // A wide edit on a form too narrow for the whole bar, whose most recently used link is the
  // button: the container's link gets no place.
  void CutTheBarShort() {
    HostedEdit->resize(400, 20);
    PaintBar();
    ClickControl(*ControlIn(WindowOf(bar), "Suchen1"));
    Form.resize(300, Form.height());
    QApplication::processEvents();
    Screen->LayoutForm();
    PaintBar();
  }
  // The hosted edit stands exactly in the rectangle of the item's link, inside the bar's widget.
  void ExpectInItsPlace() {
    TzbBarItemControl* c = Entry();
    ASSERT_NE(c, nullptr);
    ASSERT_NE(HostedEdit, nullptr);
    EXPECT_TRUE(HostedEdit->isVisible());
    EXPECT_EQ(HostedEdit->parentWidget(), container->PlaceForm());
    EXPECT_EQ(container->PlaceForm()->parentWidget(), WindowOf(bar)->Widget());
    const TRect r = ScreenRectOf(*c);
    EXPECT_EQ(HostedEdit->mapToGlobal(QPoint(0, 0)), QPoint(r.Left, r.Top));
    EXPECT_EQ(HostedEdit->size(), QSize(r.Width(), r.Height()));
  }
  TzbBar* bar = nullptr;
  TzbBarControlContainerItem* container = nullptr;
};

TEST_F(ControlContainer, TheHostedEditStandsInTheItemsPlace) {
  ExpectInItsPlace();
  auto* c = dynamic_cast<TzbBarControlContainerControl*>(Entry());
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->Hosting());
  EXPECT_TRUE(c->Placed());
  EXPECT_EQ(c->GetWidth(), 120);
  EXPECT_FALSE(c->CanSelect());  // the edit takes the mouse, the bar does not select it
  EXPECT_FALSE(container->CanClicked());
  EXPECT_TRUE(container->HiddenInCustomizingList());
}

TEST_F(ControlContainer, TheEditMovesWithItsBarWhenItFloatsAndDocksAgain) {
  Manager->HideFloatingBarsWhenInactive = false;  // the test's form is not the active window
  // Floated and docked by the bar's own setting: the window is made anew each time.
  bar->FloatLeft = 300;
  bar->FloatTop = 250;
  bar->SetDockingStyle(dsNone);
  PaintBar();
  ASSERT_TRUE(WindowOf(bar)->IsFloating());
  ExpectInItsPlace();
  EXPECT_EQ(HostedEdit->window(), WindowOf(bar)->Widget());
  bar->SetDockingStyle(dsTop);
  PaintBar();
  ExpectInItsPlace();
  EXPECT_EQ(HostedEdit->window(), &Form);
  // Dragged off by its grip: the window stays, its widget is made anew.
  TzbBarControl* window = WindowOf(bar);
  const TRect w = window->WindowRect();
  const QPoint grip(w.Left + 3, w.Top + w.Height() / 2);
  const QPoint middle = Client->mapToGlobal(QPoint(300, 200));
  Press(grip);
  Move(QPoint((grip.x() + middle.x()) / 2, (grip.y() + middle.y()) / 2));
  Move(middle);
  Release(middle);
  PaintBar();
  ASSERT_EQ(WindowOf(bar), window);
  ASSERT_TRUE(window->IsFloating());
  ExpectInItsPlace();
  EXPECT_EQ(HostedEdit->window(), window->Widget());
}

TEST_F(ControlContainer, TheEditHidesWithItsLinkAndItsBar) {
  TzbBarItemLink* link = container->GetLink(0);
  link->SetVisible(false);
  PaintBar();
  EXPECT_FALSE(HostedEdit->isVisible());
  link->SetVisible(true);
  PaintBar();
  ExpectInItsPlace();
  bar->SetVisible(false);
  PaintBar();
  EXPECT_FALSE(HostedEdit->isVisible());
  bar->SetVisible(true);
  PaintBar();
  ExpectInItsPlace();
}

TEST_F(ControlContainer, TheEditSurvivesItsBarAndGoesBackToItsParent) {
  QPointer<QLineEdit> edit = HostedEdit;
  Manager->Bars().Delete(bar);
  bar = nullptr;
  QApplication::processEvents();  // the bar's widget is deleted now
  ASSERT_FALSE(edit.isNull());
  EXPECT_FALSE(edit->isVisible());
  EXPECT_EQ(edit->parentWidget(), container->PlaceForm());
  container->SetControl(nullptr);
  ASSERT_FALSE(edit.isNull());
  EXPECT_EQ(edit->parentWidget(), &Form);
  EXPECT_TRUE(edit->isHidden());
  // The form frees it at its end (the sanitizer reports a double or missing delete).
}

TEST_F(ControlContainer, FreeingTheItemGivesTheEditBack) {
  QPointer<QLineEdit> edit = HostedEdit;
  Manager->FreeItem(container);
  QApplication::processEvents();
  ASSERT_FALSE(edit.isNull());
  EXPECT_EQ(edit->parentWidget(), &Form);
  EXPECT_TRUE(edit->isHidden());
}

TEST_F(ControlContainer, TheEditsFocusStaysWhileTheBarLaysItselfOutAgain) {
  Form.activateWindow();
  HostedEdit->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(HostedEdit->hasFocus());
  WindowOf(bar)->RebuildLayout();  // every control of the bar is made anew
  PaintBar();
  ExpectInItsPlace();
  EXPECT_TRUE(HostedEdit->hasFocus());
}

TEST_F(ControlContainer, TheItemsWidthFollowsTheEdit) {
  HostedEdit->resize(200, 20);
  PaintBar();
  ExpectInItsPlace();
  EXPECT_EQ(Entry()->GetWidth(), 200);
  EXPECT_EQ(container->ControlWidth(), 200);
}

TEST_F(ControlContainer, ResizingLaysTheBarsOutMovingDoesNot) {
  auto* counting = Manager->CreateItem<CountingContainer>();
  auto* edit = new QLineEdit(&Form);
  counting->SetControl(edit);
  bar->ItemLinks().Add()->SetItem(counting);
  PaintBar();
  const int before = counting->Layouts;
  edit->move(edit->x() + 3, edit->y() + 2);
  QApplication::processEvents();
  EXPECT_EQ(counting->Layouts, before);
  edit->resize(edit->width() + 10, edit->height());
  QApplication::processEvents();
  EXPECT_EQ(counting->Layouts, before + 1);
}

TEST_F(ControlContainer, AControlIsHostedByOneContainerOfAManagerOnly) {
  auto* second = Manager->CreateItem<TzbBarControlContainerItem>();
  auto* other = new QLineEdit(&Form);
  second->SetControl(other);
  try {
    second->SetControl(HostedEdit);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Ein Steuerelement kann nicht mehr als einem TzbBarControlContainerItem zugewiesen werden.");
  }
  EXPECT_EQ(second->Control(), other);
  EXPECT_EQ(container->Control(), HostedEdit);
  container->SetControl(HostedEdit);  // the same control again: nothing happens
  EXPECT_EQ(container->Control(), HostedEdit);
  // A container of another manager may take it.
  QWidget otherForm;
  TzbBarManager otherManager(&otherForm);
  auto* foreign = otherManager.CreateItem<TzbBarControlContainerItem>();
  EXPECT_NO_THROW(foreign->SetControl(HostedEdit));
  EXPECT_EQ(foreign->Control(), HostedEdit);
  foreign->SetControl(nullptr);
  EXPECT_EQ(HostedEdit->parentWidget(), &Form);  // home is the form, not the other place-holder
}

TEST_F(ControlContainer, AnEditDeletedByItsOwnerLeavesThePlaceHolderText) {
  delete HostedEdit;
  HostedEdit = nullptr;
  EXPECT_EQ(container->Control(), nullptr);
  PaintBar();
  auto* c = dynamic_cast<TzbBarControlContainerControl*>(Entry());
  ASSERT_NE(c, nullptr);
  EXPECT_FALSE(c->Hosting());
  EXPECT_FALSE(container->PlaceForm()->isVisible());
  const int name = WindowOf(bar)->Canvas().TextWidth(QStringLiteral("Suchfeld"));
  EXPECT_EQ(c->GetWidth(), name + WindowOf(bar)->FontPointSize());
}

TEST_F(ControlContainer, AnEditWhoseParentGoesGoesWithIt) {
  auto* home = new QWidget(&Form);
  QPointer<QLineEdit> edit = new QLineEdit(home);
  container->SetControl(edit);
  PaintBar();
  EXPECT_EQ(edit->parentWidget(), container->PlaceForm());
  delete home;
  EXPECT_TRUE(edit.isNull());
  EXPECT_EQ(container->Control(), nullptr);
  PaintBar();
}

TEST_F(ControlContainer, ALinkThatDoesNotFitHidesTheEdit) {
  CutTheBarShort();
  ASSERT_TRUE(WindowOf(bar)->Truncated());
  EXPECT_EQ(Entry(), nullptr);
  EXPECT_FALSE(HostedEdit->isVisible());
  Form.resize(640, Form.height());
  QApplication::processEvents();
  Screen->LayoutForm();
  PaintBar();
  ExpectInItsPlace();
  EXPECT_EQ(HostedEdit->width(), 400);
}

TEST_F(ControlContainer, InAMenuTheEditShowsWhileTheMenuIsOpen) {
  auto* menuField = Manager->CreateItem<TzbBarControlContainerItem>();
  menuField->Name = "Menufeld";
  QPointer<QLineEdit> edit = new QLineEdit(&Form);
  edit->resize(90, 18);
  menuField->SetControl(edit);
  static_cast<TzbBarSubItem*>(Item("Einstellungen1"))->ItemLinks().Add()->SetItem(menuField);
  ClickControl(*MenuBarEntry("Einstellungen1"));
  TzbBarSubMenuControl* menu = MenuOf("Einstellungen1");
  ASSERT_NE(menu, nullptr);
  menu->Invalidate();
  menu->Widget()->repaint();
  TzbBarItemControl* c = ControlIn(menu, "Menufeld");
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(edit->isVisible());
  EXPECT_EQ(edit->window(), menu->Widget());
  // The entry is as high as the edit; the edit fills the entry across the menu's width.
  const TRect r = ScreenRectOf(*c);
  EXPECT_EQ(r.Height(), 18);
  EXPECT_GE(r.Width(), 90);
  EXPECT_EQ(edit->mapToGlobal(QPoint(0, 0)), QPoint(r.Left, r.Top));
  EXPECT_EQ(edit->size(), QSize(r.Width(), r.Height()));
  EXPECT_TRUE(menu->Widget()->windowFlags() & Qt::WindowDoesNotAcceptFocus);  // menus never take the focus
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(MenuOf("Einstellungen1"), nullptr);
  ASSERT_FALSE(edit.isNull());
  EXPECT_FALSE(edit->isVisible());
}

TEST_F(ControlContainer, InAScrollingMenuTheEditHidesWhileScrolledOut) {
  TzbBarSubItem* lang = AddLongMenu();
  auto* menuField = Manager->CreateItem<TzbBarControlContainerItem>();
  menuField->Name = "Menufeld";
  auto* edit = new QLineEdit(&Form);
  menuField->SetControl(edit);
  lang->ItemLinks().Insert(0)->SetItem(menuField);  // the first entry
  ClickControl(*MenuBarEntry("Lang"));
  TzbBarSubMenuControl* menu = MenuOf("Lang");
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->DownArrowShown());
  auto paintMenu = [&]() {
    menu->Invalidate();
    menu->Widget()->repaint();
    QApplication::processEvents();
  };
  paintMenu();
  EXPECT_TRUE(edit->isVisible());
  Key(Qt::Key_End);  // the last entry scrolls into view, the edit's entry out of it
  paintMenu();
  ASSERT_GT(menu->TopIndex(), 0);
  EXPECT_FALSE(edit->isVisible());
  Key(Qt::Key_Home);
  paintMenu();
  EXPECT_TRUE(edit->isVisible());
  const TRect r = ScreenRectOf(*ControlIn(menu, "Menufeld"));
  EXPECT_EQ(edit->mapToGlobal(QPoint(0, 0)), QPoint(r.Left, r.Top));
}

TEST_F(ControlContainer, InTheQuickCustomizingWindowTheItemIsAPlainEntry) {
  bar->ShowMark = true;
  CutTheBarShort();
  TzbBarControl* window = WindowOf(bar);
  ASSERT_TRUE(window->Truncated());
  window->SetMarkState(2);
  TzbBarItemLinks* quick = window->QuickLinks();
  ASSERT_NE(quick, nullptr);
  TzbBarItemLink* copy = nullptr;
  for (int i = 0; i < quick->Count(); ++i)
    if (quick->Items(i)->Item() == container) copy = quick->Items(i);
  ASSERT_NE(copy, nullptr);
  auto* c = dynamic_cast<TzbBarControlContainerControl*>(copy->Control());
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->InQuickCustomizingList());
  EXPECT_FALSE(c->Hosting());
  EXPECT_TRUE(c->CanSelect());
  EXPECT_TRUE(c->CanClickItem());
  EXPECT_TRUE(container->CanUseAccel(*copy));
  EXPECT_FALSE(container->CanUseAccel(*container->GetLink(0)));
  TzbBarWindow& menu = c->Parent();
  EXPECT_EQ(c->GetWidth(), menu.Canvas().TextWidth(QStringLiteral("Suchfeld")) + menu.FontPointSize());
  EXPECT_EQ(c->GetHeight(), menu.ItemHeight());
  EXPECT_FALSE(HostedEdit->isVisible());
  window->SetMarkState(0);
}

// The toolbar with its hosted edit, as the user sees it (the edit drawn by its own style).
TEST_F(ControlContainer, GoldenImageOfTheToolbar) {
  const QImage shot = WindowOf(bar)->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  test::CompareWithGolden(shot, QStringLiteral("container_toolbar"));
  const TRect r = WindowOf(bar)->GetItemRect(Entry());
  const TRect in = WindowOf(bar)->ClientInsets();
  const QRect text = ToQRect(r).translated(in.Left, in.Top).adjusted(3, 3, -3, -3);
  EXPECT_GE(test::TextContrast(shot, text), 4.5);
}

// ---------------------------------------------------------------- place-holder painting

class ContainerPlaceHolder : public ::testing::Test, public test::BarsFixture {};

// At design time the container shows its hatched place-holder: "The place for the " and the
// control's name, or the item's name alone without a control.
TEST_F(ContainerPlaceHolder, GoldenImageAtDesignTime) {
  static_cast<TBuiltInThemeEngine*>(GetThemeEngine())->SetActive(true);
  manager->SetStyle(bmsXP);
  manager->Designing = true;
  TzbBar* bar = manager->Bars().Add();
  auto* withControl = manager->CreateItem<TzbBarControlContainerItem>();
  withControl->Name = "Suchfeld";
  QLineEdit edit(&form);
  edit.setObjectName(QStringLiteral("Suchtext"));
  withControl->SetControl(&edit);
  auto* without = manager->CreateItem<TzbBarControlContainerItem>();
  without->Name = "Leerfeld";
  bar->ItemLinks().Add()->SetItem(withControl);
  bar->ItemLinks().Add()->SetItem(without);
  test::FakeBarWindow w(*manager, false, 320, 60);
  w.Clear();
  TzbBarControlContainerControl a(*withControl->GetLink(0), w), b(*without->GetLink(0), w);
  EXPECT_FALSE(a.Hosting());
  EXPECT_TRUE(a.CanSelect());
  const TRect ra = Bounds(2, 2, 200, 22), rb = Bounds(2, 30, b.GetWidth(), b.GetHeight());
  a.Paint(ra, 0);
  b.Paint(rb, 0);
  EXPECT_EQ(b.GetHeight(), std::max(w.ItemHeight(), manager->ButtonHeight()));
  EXPECT_EQ(w.Image().pixel(ra.Left, ra.Top), ToQColor(clBtnShadow).rgb());  // the frame
  test::CompareWithGolden(w.Image(), QStringLiteral("container_placeholder"));
  for (const TRect& r : {ra, rb}) EXPECT_GE(test::TextContrast(w.Image(), ToQRect(r).adjusted(2, 2, -2, -2)), 4.5);
  withControl->SetControl(nullptr);
}

// Renaming an item without control lays its bars out anew: the place-holder shows the name.
TEST_F(ControlContainer, RenamingAnItemWithoutControlLaysItsBarOutAnew) {
  auto* counting = Manager->CreateItem<CountingContainer>();
  counting->SetName("Kurz");
  bar->ItemLinks().Add()->SetItem(counting);
  PaintBar();
  auto* c = dynamic_cast<TzbBarControlContainerControl*>(ControlIn(WindowOf(bar), "Kurz"));
  ASSERT_NE(c, nullptr);
  const int before = c->GetWidth();
  const int layouts = counting->Layouts;
  counting->SetName("EinSehrVielLaengererName");
  EXPECT_EQ(counting->Layouts, layouts + 1);
  PaintBar();
  c = dynamic_cast<TzbBarControlContainerControl*>(ControlIn(WindowOf(bar), "EinSehrVielLaengererName"));
  ASSERT_NE(c, nullptr);
  EXPECT_GT(c->GetWidth(), before);
  EXPECT_EQ(WindowOf(bar)->GetItemRect(c).Width(), c->GetWidth());  // the bar gave it the new width
  counting->SetName("EinSehrVielLaengererName");                    // the same name: nothing to do
  EXPECT_EQ(counting->Layouts, layouts + 1);
  // With a control the name does not show: no new layout.
  auto* edit = new QLineEdit(&Form);
  counting->SetControl(edit);
  const int hosted = counting->Layouts;
  counting->SetName("Anders");
  EXPECT_EQ(counting->Layouts, hosted);
}

// On a vertical toolbar the place-holder's name runs down the bar: width and height change places.
TEST_F(ContainerPlaceHolder, OnAVerticalToolbarWidthAndHeightChangePlaces) {
  manager->SetStyle(bmsXP);
  TzbBar* bar = manager->Bars().Add();
  auto* item = manager->CreateItem<TzbBarControlContainerItem>();
  item->SetName("Leerfeld");
  bar->ItemLinks().Add()->SetItem(item);
  test::FakeBarWindow horizontal(*manager, false, 200, 60), vertical(*manager, false, 60, 200);
  vertical.Vertical = true;
  TzbBarControlContainerControl h(*item->GetLink(0), horizontal), v(*item->GetLink(0), vertical);
  ASSERT_NE(h.GetWidth(), h.GetHeight());
  EXPECT_EQ(v.GetWidth(), h.GetHeight());
  EXPECT_EQ(v.GetHeight(), h.GetWidth());
  EXPECT_EQ(h.GetWidth(), horizontal.Canvas().TextWidth(QStringLiteral("Leerfeld")) + horizontal.FontPointSize());
  // A menu is never vertical: its entry stays one line high.
  test::FakeBarWindow menu(*manager, true, 200, 60);
  menu.Vertical = true;
  TzbBarControlContainerControl m(*item->GetLink(0), menu);
  EXPECT_EQ(m.GetHeight(), menu.ItemHeight());
}

// ---------------------------------------------------------------- in-place sub-item

class InPlaceSubItem : public ::testing::Test, public test::BarDemoWindow {
 protected:
  InPlaceSubItem() {
    AddHostingItems();
    ansicht = static_cast<TzbBarInPlaceSubItem*>(Item("Ansicht"));
    ansicht->OnAfterExpand = [this](TzbBarInPlaceSubItem&, TzbBarItemLink& link) {
      Events.push_back("AfterExpand:" + link.Collection().OwnerItem()->Name);
    };
    ansicht->OnBeforeCollapse = [this](TzbBarInPlaceSubItem&, TzbBarItemLink& link) {
      Events.push_back("BeforeCollapse:" + link.Collection().OwnerItem()->Name);
    };
  }
  TzbBarSubMenuControl* OpenEinstellungen() {
    ClickControl(*MenuBarEntry("Einstellungen1"));
    return MenuOf("Einstellungen1");
  }
  // The item names of the entries of the menu, top to bottom, as laid out.
  static std::vector<std::string> Entries(const TzbBarSubMenuControl& menu) {
    std::vector<std::string> names;
    for (TzbBarItemLink* link : menu.ItemLinks().ShownLinks())
      if (link->Control() && !IsRectEmpty(link->ItemRect)) names.push_back(link->Item()->Name);
    return names;
  }
  TzbBarInPlaceSubItem* ansicht = nullptr;
};

TEST_F(InPlaceSubItem, ClickingTheEntryUnfoldsItsLinksInsideTheMenu) {
  TzbBarSubMenuControl* menu = OpenEinstellungen();
  ASSERT_NE(menu, nullptr);
  Events.clear();
  const std::vector<std::string> collapsed = {"Allgemein1", "Basisdaten1", "Ansicht", "Symbolleisten"};
  EXPECT_EQ(Entries(*menu), collapsed);
  const int height = menu->Widget()->height();
  ClickControl(*ControlIn(menu, "Ansicht"));
  ASSERT_EQ(MenuOf("Einstellungen1"), menu);  // the menu stays open
  EXPECT_TRUE(ansicht->Expanded());
  EXPECT_EQ(Entries(*menu), (std::vector<std::string>{"Allgemein1", "Basisdaten1", "Ansicht", "KleineSymbole1",
                                                      "Liste1", "Details1", "Symbolleisten"}));
  EXPECT_GT(menu->Widget()->height(), height);
  EXPECT_EQ(menu->SelectedControl(), ControlIn(menu, "Ansicht"));  // selected again in the new menu
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Ansicht", "AfterExpand:Einstellungen1"}));
  // The unfolded entries are ordinary commands.
  Events.clear();
  ClickControl(*ControlIn(menu, "Liste1"));
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Liste1", "OnClick:Liste1"}));
  EXPECT_EQ(MenuOf("Einstellungen1"), nullptr);
  // Opened again it is still unfolded; a click folds it.
  menu = OpenEinstellungen();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Entries(*menu).size(), 7u);
  Events.clear();
  ClickControl(*ControlIn(menu, "Ansicht"));
  EXPECT_FALSE(ansicht->Expanded());
  EXPECT_EQ(Entries(*menu), collapsed);
  EXPECT_EQ(menu->Widget()->height(), height);
  EXPECT_EQ(Events, (std::vector<std::string>{"OnClickItem:Ansicht", "BeforeCollapse:Einstellungen1"}));
}

TEST_F(InPlaceSubItem, RightUnfoldsLeftFoldsOtherKeysGoOn) {
  TzbBarSubMenuControl* menu = OpenEinstellungen();
  ASSERT_NE(menu, nullptr);
  menu->SelectItem(ControlIn(menu, "Ansicht"));
  Key(Qt::Key_Right);
  EXPECT_TRUE(ansicht->Expanded());
  ASSERT_EQ(MenuOf("Einstellungen1"), menu);
  Key(Qt::Key_Down);  // into the unfolded entries
  EXPECT_EQ(menu->SelectedControl(), ControlIn(menu, "KleineSymbole1"));
  Key(Qt::Key_Up);
  Key(Qt::Key_Left);
  EXPECT_FALSE(ansicht->Expanded());
  ASSERT_EQ(MenuOf("Einstellungen1"), menu);
  EXPECT_EQ(menu->SelectedControl(), ControlIn(menu, "Ansicht"));
  Key(Qt::Key_Return);  // the entry's click from the keyboard
  EXPECT_TRUE(ansicht->Expanded());
  // Right on an unfolded entry goes on as in any menu: to the next menu of the menu bar.
  Key(Qt::Key_Right);
  EXPECT_TRUE(ansicht->Expanded());
  EXPECT_EQ(MenuOf("Einstellungen1"), nullptr);
  EXPECT_NE(MenuOf("Hilfe1"), nullptr);
}

TEST_F(InPlaceSubItem, TheLinkAfterTheBlockBeginsAGroupOnlyWhileUnfolded) {
  ansicht->KeepBeginGroupWhileExpanded = true;
  auto& einstellungen = static_cast<TzbBarSubItem&>(*Item("Einstellungen1"));
  auto* extra = Manager->CreateItem<TzbBarButton>();
  extra->Name = "Extra";
  extra->SetCaption("Extra");
  TzbBarItemLink* extraLink =
      einstellungen.ItemLinks().Insert(einstellungen.ItemLinks().IndexOf(ansicht->GetLink(0)) + 1);
  extraLink->SetItem(extra);
  ASSERT_FALSE(extraLink->GetBeginGroup());
  // Unfolded while the menu is closed (no listed links): the next link is the one after the entry.
  ansicht->SetExpanded(true);
  EXPECT_TRUE(extraLink->GetBeginGroup());
  ansicht->SetExpanded(false);
  EXPECT_FALSE(extraLink->GetBeginGroup());
  // Inside the open menu the group starts after the listed links.
  TzbBarSubMenuControl* menu = OpenEinstellungen();
  ASSERT_NE(menu, nullptr);
  ClickControl(*ControlIn(menu, "Ansicht"));
  EXPECT_TRUE(extraLink->GetBeginGroup());
  const int index = menu->ItemLinks().IndexOf(extraLink);
  EXPECT_EQ(menu->ItemLinks().Items(index - 1)->Item()->Name, "Details1");
  ClickControl(*ControlIn(menu, "Ansicht"));
  EXPECT_FALSE(extraLink->GetBeginGroup());
  // A link that begins a group of its own keeps it when the block folds.
  einstellungen.ItemLinks().Delete(extraLink);
  TzbBarItemLink* symbolleisten = Item("Symbolleisten")->GetLink(0);
  ASSERT_TRUE(symbolleisten->GetBeginGroup());
  ansicht->SetExpanded(true);
  ansicht->SetExpanded(false);
  EXPECT_TRUE(symbolleisten->GetBeginGroup());
}

TEST_F(InPlaceSubItem, OnAToolbarItOpensItsLinksAsAMenu) {
  TzbBar* bar = Manager->Bars().Add();
  bar->SetCaption("Ansichten");
  bar->ShowMark = false;
  bar->SetRow(3);
  bar->SetDockingStyle(dsTop);
  bar->ItemLinks().Add()->SetItem(ansicht);
  bar->SetVisible(true);
  QApplication::processEvents();
  Screen->LayoutForm();
  TzbBarItemControl* c = ControlIn(WindowOf(bar), "Ansicht");
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->HasSubMenu());
  ClickControl(*c);
  TzbBarSubMenuControl* menu = MenuOf("Ansicht");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Entries(*menu), (std::vector<std::string>{"KleineSymbole1", "Liste1", "Details1"}));
  EXPECT_FALSE(ansicht->Expanded());
}

// The "&Einstellungen" menu with "&Ansicht" unfolded and "Liste" under the mouse.
TEST_F(InPlaceSubItem, GoldenImageOfTheUnfoldedMenu) {
  TzbBarSubMenuControl* menu = OpenEinstellungen();
  ASSERT_NE(menu, nullptr);
  ClickControl(*ControlIn(menu, "Ansicht"));
  MoveToControl(*ControlIn(menu, "Liste1"));
  menu->Invalidate();
  menu->Flush();
  test::CompareWithGolden(menu->Buffer(), QStringLiteral("inplace_subitem_menu"));
  const TRect in = menu->ClientInsets();
  for (const char* name : {"Ansicht", "KleineSymbole1", "Liste1", "Details1", "Symbolleisten"}) {
    const TRect r = menu->GetItemRect(ControlIn(menu, name));
    // The text part, right of the image column.
    const QRect text = ToQRect(r).translated(in.Left, in.Top).adjusted(26, 2, -20, -2);
    EXPECT_GE(test::TextContrast(menu->Buffer(), text), 4.5) << name;
  }
}

// ---------------------------------------------------------------- toolbars list

class ToolbarsList : public InPlaceSubItem {
 protected:
  TzbBarSubMenuControl* OpenList() {
    TzbBarSubMenuControl* menu = OpenEinstellungen();
    if (!menu) return nullptr;
    ClickControl(*ControlIn(menu, "Symbolleisten"));
    return MenuOf("Symbolleisten");
  }
  // Caption and check of each entry.
  static std::vector<std::pair<std::string, bool>> Listed(const TzbBarSubMenuControl& list) {
    std::vector<std::pair<std::string, bool>> entries;
    for (TzbBarItemLink* link : list.ItemLinks().ShownLinks())
      entries.emplace_back(link->Item()->Caption(), static_cast<TzbBarButton*>(link->Item())->Down());
    return entries;
  }
  std::vector<std::pair<std::string, bool>> Expected() const {
    std::vector<std::pair<std::string, bool>> entries;
    for (int i = 0; i < Manager->Bars().Count(); ++i) {
      TzbBar* b = Manager->Bars().Items(i);
      if (b != MainMenu) entries.emplace_back(b->Caption(), b->Visible());
    }
    return entries;
  }
};

TEST_F(ToolbarsList, ListsEveryToolbarButTheMenuBarWithItsVisibility) {
  Toolbars[3]->SetVisible(false);  // "Hilfe"
  TzbBarSubMenuControl* list = OpenList();
  ASSERT_NE(list, nullptr);
  const auto listed = Listed(*list);
  EXPECT_EQ(listed, Expected());
  ASSERT_EQ(listed.size(), 6u);  // the five toolbars and "Suchfeld"
  EXPECT_FALSE(listed[3].second);
  EXPECT_TRUE(listed[0].second);
  EXPECT_FALSE(static_cast<TzbBarToolbarsListItem*>(Item("Symbolleisten"))->CanCustomizeLinks());
}

TEST_F(ToolbarsList, ClickingAnEntryTogglesItsToolbar) {
  TzbBarSubMenuControl* list = OpenList();
  ASSERT_NE(list, nullptr);
  TzbBarItemControl* bearbeiten = list->ItemLinks().ShownLinks()[1]->Control();
  ClickControl(*bearbeiten);
  EXPECT_FALSE(Toolbars[1]->Visible());
  EXPECT_EQ(MenuOf("Einstellungen1"), nullptr);  // the menus close
  list = OpenList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Listed(*list), Expected());
  ClickControl(*list->ItemLinks().ShownLinks()[1]->Control());
  EXPECT_TRUE(Toolbars[1]->Visible());
}

TEST_F(ToolbarsList, OpeningAgainAndAgainLeavesNoButtonsBehind) {
  OpenList();
  Key(Qt::Key_Escape);
  Key(Qt::Key_Escape);
  const int items = Manager->GetItemCount();
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(OpenList(), nullptr);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);
  }
  EXPECT_EQ(Manager->GetItemCount(), items);
  // Freeing the list item frees its buttons.
  const int links = Item("Symbolleisten")->LinkCount();
  EXPECT_EQ(links, 1);
  Manager->FreeItem(Item("Symbolleisten"));
  EXPECT_EQ(Manager->GetItemCount(), items - 1 - 6);
}

TEST_F(ToolbarsList, GoldenImageOfTheList) {
  Toolbars[3]->SetVisible(false);
  TzbBarSubMenuControl* list = OpenList();
  ASSERT_NE(list, nullptr);
  list->Invalidate();
  list->Flush();
  test::CompareWithGolden(list->Buffer(), QStringLiteral("toolbars_list_menu"));
  const TRect in = list->ClientInsets();
  for (TzbBarItemLink* link : list->ItemLinks().ShownLinks()) {
    const QRect text = ToQRect(link->ItemRect).translated(in.Left, in.Top).adjusted(26, 2, -4, -2);
    EXPECT_GE(test::TextContrast(list->Buffer(), text), 4.5) << link->Item()->Caption();
  }
}

}  // namespace
}  // namespace zyn
