#include "BarTestSupport.h"
#include "model/base/Cp1252.h"
#include "platform/QtText.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarItemRegistry.h"
#include "widgets/bars/BarListItem.h"
#include "widgets/bars/BarMRUListItem.h"
#include "widgets/bars/BarUtils.h"

#include <QAction>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include <stdexcept>

namespace zyn {
namespace {

using test::BarsFixture;
using test::FakeBarWindow;

class BarModel : public ::testing::Test, public BarsFixture {
 protected:
  TzbBar* AddToolbar(const std::string& caption) {
    TzbBar* bar = manager->Bars().Add();
    bar->SetCaption(caption);
    bar->SetDockingStyle(dsTop);
    return bar;
  }
  TzbBarItemLink* Link(TzbBar* bar, TzbBarItem* item) {
    TzbBarItemLink* l = bar->ItemLinks().Add();
    l->SetItem(item);
    return l;
  }
};

TEST_F(BarModel, RegistryKeepsCreationOrderAndAnswersNilOutsideIt) {
  auto* a = manager->CreateItem<TzbBarButton>();
  auto* b = manager->CreateItem<TzbBarSubItem>();
  auto* c = manager->CreateItem<TzbBarButton>();
  a->Name = "zbOpen";
  ASSERT_EQ(manager->GetItemCount(), 3);
  EXPECT_EQ(manager->GetItem(0), a);
  EXPECT_EQ(manager->GetItem(1), b);
  EXPECT_EQ(manager->GetItem(2), c);
  EXPECT_EQ(manager->GetItem(-1), nullptr);
  EXPECT_EQ(manager->GetItem(3), nullptr);
  EXPECT_EQ(manager->GetItemByName("ZBOPEN"), a);
  EXPECT_EQ(c->GetIndex(), 2);
  manager->FreeItem(b);
  EXPECT_EQ(manager->GetItem(1), c);
  manager->ExchangeItems(0, 1);
  EXPECT_EQ(manager->GetItem(0), c);
}

TEST_F(BarModel, DisablingAndEnablingEveryItemRepaintsAndSuppressesHints) {
  manager->ShowHintForDisabledItems = false;
  TzbBar* bar = AddToolbar("Dateimen\xFC");
  std::vector<TzbBarItem*> items;
  for (int i = 0; i < 4; ++i) {
    auto* b = manager->CreateItem<TzbBarButton>();
    b->SetCaption("Knopf " + std::to_string(i));
    items.push_back(b);
    Link(bar, b);
  }
  bar->SetVisible(true);
  ASSERT_EQ(windows.size(), 1u);
  FakeBarWindow* w = windows[0];
  ASSERT_NE(items[0]->GetLink(0)->Control(), nullptr);
  const int repaintsBefore = w->Repaints;

  // What the main window does to lock its user interface.
  for (int i = 0; i < manager->GetItemCount(); ++i) manager->GetItem(i)->SetEnabled(false);
  EXPECT_EQ(w->Repaints - repaintsBefore, 4);
  for (TzbBarItem* item : items) {
    EXPECT_FALSE(item->GetEnabled());
    EXPECT_FALSE(manager->CanShowHint(*item));
  }
  for (int i = 0; i < manager->GetItemCount(); ++i) manager->GetItem(i)->SetEnabled(true);
  EXPECT_EQ(w->Repaints - repaintsBefore, 8);
  ASSERT_EQ(manager->GetItemCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(manager->GetItem(i), items[i]);
    EXPECT_TRUE(manager->CanShowHint(*items[i]));
  }
  // Setting the same value again changes nothing on screen.
  items[0]->SetEnabled(true);
  EXPECT_EQ(w->Repaints - repaintsBefore, 8);
}

TEST_F(BarModel, CustomizingReadsItemsOfRealCategoriesAsEnabled) {
  auto* own = manager->CreateItem<TzbBarButton>();
  auto* library = manager->CreateItem<TzbBarButton>();
  own->SetCategory(0);
  own->SetEnabled(false);
  library->SetEnabled(false);
  manager->SetCustomizing(true);
  EXPECT_TRUE(own->GetEnabled());
  EXPECT_FALSE(library->GetEnabled());
  manager->SetCustomizing(false);
  EXPECT_FALSE(own->GetEnabled());
}

TEST_F(BarModel, OneManagerPerFormAndAWindowAsOwner) {
  EXPECT_THROW(
      {
        try {
          TzbBarManager second(&form);
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "A Form should contain only a single TzbBarManager");
          throw;
        }
      },
      std::runtime_error);
  EXPECT_EQ(TzbBarManagerList::FindBarManager(&form), manager.get());
  QWidget child(&form);
  EXPECT_THROW(TzbBarManager m(&child), std::runtime_error);
  TzbBarManager::SetApplicationMainForm(nullptr);
  EXPECT_THROW(TzbBarManager m(nullptr), std::runtime_error);
  QWidget mainForm;
  TzbBarManager::SetApplicationMainForm(&mainForm);
  TzbBarManager attached(nullptr);
  EXPECT_EQ(attached.Form(), &mainForm);
  TzbBarManager::SetApplicationMainForm(nullptr);
}

TEST_F(BarModel, ManagerSettingsIgnoreOutOfRangeValues) {
  manager->SetButtonArrowWidth(1);
  EXPECT_EQ(manager->ButtonArrowWidth(), 11);
  manager->SetLargeButtonArrowWidth(0);
  EXPECT_EQ(manager->LargeButtonArrowWidth(), 13);
  manager->SetWaitForDockingTime(-5);
  EXPECT_EQ(manager->WaitForDockingTime(), 21);
  manager->SetMostRecentItemsPercents(150);
  EXPECT_EQ(manager->MostRecentItemsPercents(), 100);
}

TEST_F(BarModel, StartUseCountTable) {
  const struct { int percents, start; } cases[] = {{100, 0}, {95, 20}, {50, 2}, {99, 100}, {0, 1}, {90, 10}};
  for (const auto& c : cases) {
    manager->SetMostRecentItemsPercents(c.percents);
    EXPECT_EQ(manager->StartUseCount(), c.start) << c.percents;
  }
}

TEST_F(BarModel, AutoHideEmptyBarsFollowsCategoryVisibility) {
  manager->SetAutoHideEmptyBars(true);
  manager->Categories().Add("Projekt");
  TzbBar* full = AddToolbar("Projekt");
  TzbBar* empty = AddToolbar("Leer");
  auto* a = manager->CreateItem<TzbBarButton>();
  auto* b = manager->CreateItem<TzbBarButton>();
  a->SetCategory(1);
  b->SetCategory(1);
  Link(full, a);
  Link(full, b);
  full->SetVisible(true);
  empty->SetVisible(true);
  manager->SetCategoryItemsVisible(1, ivNever);
  EXPECT_EQ(a->Visible(), ivNever);
  EXPECT_FALSE(full->Visible());
  EXPECT_TRUE(full->AutoHidden());
  EXPECT_TRUE(empty->Visible());  // it was empty before
  manager->SetCategoryItemsVisible(1, ivAlways);
  EXPECT_TRUE(full->Visible());
  EXPECT_FALSE(full->AutoHidden());
  EXPECT_TRUE(empty->Visible());
  EXPECT_EQ(manager->GetCategoryItemsVisible(1), ivAlways);
  EXPECT_EQ(manager->GetCategoryItemsVisible(7), ivNever);
  EXPECT_FALSE(manager->GetCategoryVisible(-1));
}

TEST_F(BarModel, CategoryDeletionAndMovingRenumberItems) {
  auto& cats = manager->Categories();
  for (const char* name : {"A", "B", "C", "D"}) cats.Add(name);  // 5 with "Default"
  std::vector<TzbBarItem*> byCat;
  for (int c = 0; c < 5; ++c) {
    auto* item = manager->CreateItem<TzbBarButton>();
    item->SetCategory(c);
    byCat.push_back(item);
  }
  cats.Delete(2);
  EXPECT_EQ(manager->GetItemCount(), 4);
  EXPECT_EQ(manager->IndexOfItem(byCat[2]), -1);
  EXPECT_EQ(byCat[3]->Category(), 2);
  EXPECT_EQ(byCat[4]->Category(), 3);

  cats.Move(0, 2);
  EXPECT_EQ(byCat[1]->Category(), 0);
  EXPECT_EQ(byCat[3]->Category(), 1);
  EXPECT_EQ(byCat[0]->Category(), 2);
  EXPECT_EQ(cats.Strings(2), "Default");

  while (cats.Count() > 1) cats.Delete(0);
  cats.Delete(0);
  ASSERT_EQ(cats.Count(), 1);
  EXPECT_EQ(cats.Strings(0), "Default");
  EXPECT_EQ(manager->GetItemCount(), 0);
}

TEST_F(BarModel, RecentUseListOfPersonalizedMenus) {
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  std::vector<TzbBarItemLink*> links;
  for (int i = 0; i < 4; ++i) {
    TzbBarItemLink* l = sub->ItemLinks().Add();
    l->SetItem(manager->CreateItem<TzbBarButton>());
    links.push_back(l);
  }
  TzbBarItemLinks& ll = sub->ItemLinks();
  // Every link starts with the same use count: all are recent.
  EXPECT_EQ(ll.CalcRecentCount(), -1);
  EXPECT_EQ(links[0]->UseCount, manager->StartUseCount());

  links[1]->SetVisible(false);
  EXPECT_EQ(ll.RecentList().back(), links[1]);
  EXPECT_EQ(ll.VisibleLinks().size(), 3u);
  const int count = links[1]->UseCount;
  links[1]->SetVisible(true);
  EXPECT_EQ(ll.RecentList().front(), links[1]);
  EXPECT_EQ(links[1]->UseCount, count);

  // Links used much more often than the others make the rest non-recent.
  for (int k = 0; k < 100; ++k) links[2]->UseLink(true);
  EXPECT_EQ(ll.RecentList().front(), links[2]);
  EXPECT_EQ(ll.CalcRecentCount(), 1);
  ll.SetRecentLimit(ll.CalcRecentCount());
  ASSERT_EQ(ll.ShownLinks().size(), 1u);
  EXPECT_EQ(ll.ShownLinks()[0], links[2]);
  EXPECT_EQ(links[2]->ShownIndex(), 0);
  ll.SetRecentLimit(-1);
  EXPECT_EQ(ll.ShownLinks().size(), 4u);

  // The Standard style has no personalized menus.
  manager->SetStyle(bmsStandard);
  EXPECT_EQ(ll.CalcRecentCount(), -1);
}

TEST_F(BarModel, BeginGroupOfLinksHiddenByTheRecentFilter) {
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  std::vector<TzbBarItemLink*> links;
  for (int i = 0; i < 3; ++i) {
    TzbBarItemLink* l = sub->ItemLinks().Add();
    l->SetItem(manager->CreateItem<TzbBarButton>());
    links.push_back(l);
  }
  links[0]->SetBeginGroup(true);
  links[1]->SetBeginGroup(true);
  EXPECT_FALSE(links[0]->GetBeginGroup());  // the first shown link never begins a group
  EXPECT_TRUE(links[1]->GetBeginGroup());
  for (int k = 0; k < 50; ++k) {
    links[0]->UseLink(true);
    links[2]->UseLink(true);
  }
  sub->ItemLinks().SetRecentLimit(2);
  ASSERT_EQ(sub->ItemLinks().ShownLinks().size(), 2u);
  EXPECT_TRUE(links[2]->GetBeginGroup());  // the hidden link between carried the separator
}

TEST_F(BarModel, CheckGroupsReleaseAndRefuse) {
  std::vector<TzbBarButton*> b;
  for (int i = 0; i < 3; ++i) {
    auto* button = manager->CreateItem<TzbBarButton>();
    button->SetButtonStyle(bsChecked);
    button->SetGroupIndex(1);
    b.push_back(button);
  }
  b[0]->SetDown(true);
  b[1]->SetDown(true);
  EXPECT_FALSE(b[0]->Down());
  EXPECT_TRUE(b[1]->Down());
  b[1]->SetDown(false);
  EXPECT_TRUE(b[1]->Down());  // the only down button of the group stays down
  b[2]->SetAllowAllUp(true);
  EXPECT_TRUE(b[0]->AllowAllUp());
  EXPECT_TRUE(b[1]->AllowAllUp());
  b[1]->SetDown(false);
  EXPECT_FALSE(b[1]->Down());

  auto* plain = manager->CreateItem<TzbBarButton>();
  plain->SetGroupIndex(2);
  EXPECT_EQ(plain->GroupIndex(), 0);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());

  int clicks = 0;
  b[0]->OnClick = [&](TzbBarItem&) { ++clicks; };
  b[0]->SetEnabled(false);
  b[0]->Click();
  EXPECT_FALSE(b[0]->Down());
  EXPECT_EQ(clicks, 0);
  b[0]->SetEnabled(true);
  b[0]->Click();
  EXPECT_TRUE(b[0]->Down());
  EXPECT_EQ(clicks, 1);
}

TEST_F(BarModel, ClickChainFiresManagerFirstAndKeepsExceptionsInside) {
  auto* b = manager->CreateItem<TzbBarButton>();
  std::vector<std::string> order;
  manager->OnClickItem = [&](TzbBarManager&, TzbBarItem&) { order.push_back("manager"); };
  b->OnClick = [&](TzbBarItem&) {
    order.push_back("item");
    throw std::runtime_error("Fehler");
  };
  std::string reported;
  manager->OnException = [&](const std::exception& e) { reported = e.what(); };
  EXPECT_NO_THROW(b->Click());
  EXPECT_EQ(order, (std::vector<std::string>{"manager", "item"}));
  EXPECT_EQ(reported, "Fehler");
}

// An item with an action takes the action's text, check state, enabled state, tool tip and
// visibility, follows its changes, triggers it when clicked without a handler of its own, and lets
// go of it when the action goes; AssignTo gives an action the item's values and click.
TEST_F(BarModel, AnItemFollowsItsActionAndGivesItsValuesToOne) {
  auto* b = manager->CreateItem<TzbBarButton>();
  auto action = std::make_unique<QAction>(QString::fromUtf8("&Öffnen"));
  action->setCheckable(true);
  action->setChecked(true);
  action->setEnabled(false);
  action->setToolTip(QStringLiteral("Ein Projekt laden"));
  int triggered = 0;
  QObject::connect(action.get(), &QAction::triggered, [&]() { ++triggered; });
  b->SetAction(action.get());
  EXPECT_EQ(b->Action(), action.get());
  EXPECT_EQ(b->Caption(), Utf8ToAnsi("&Öffnen"));
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_EQ(b->Hint(), "Ein Projekt laden");
  action->setText(QStringLiteral("&Laden"));
  action->setEnabled(true);
  EXPECT_EQ(b->Caption(), "&Laden");
  EXPECT_TRUE(b->GetEnabled());
  action->setVisible(false);
  EXPECT_EQ(b->Visible(), ivNever);
  action->setVisible(true);
  b->Click();
  EXPECT_EQ(triggered, 1);
  // A handler of the item's own runs instead of the action.
  int own = 0;
  b->OnClick = [&](TzbBarItem&) { ++own; };
  b->Click();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(triggered, 1);
  action.reset();
  EXPECT_EQ(b->Action(), nullptr);

  QAction target;
  b->SetCaption("&Speichern");
  b->SetVisible(ivAlways);
  b->AssignTo(target);
  EXPECT_EQ(target.text(), QStringLiteral("&Speichern"));
  EXPECT_TRUE(target.isCheckable());
  EXPECT_TRUE(target.isEnabled());
  target.trigger();
  EXPECT_EQ(own, 2);
  manager->FreeItem(b);
  target.trigger();  // the item is gone: nothing runs
  EXPECT_EQ(own, 2);
}

TEST_F(BarModel, SubItemsCannotContainThemselves) {
  auto* outer = manager->CreateItem<TzbBarSubItem>();
  auto* inner = manager->CreateItem<TzbBarSubItem>();
  inner->ItemLinks().Add()->SetItem(outer);
  TzbBarItemLink* self = outer->ItemLinks().Add();
  EXPECT_THROW(self->SetItem(outer), std::runtime_error);
  EXPECT_EQ(self->Item(), nullptr);
  TzbBarItemLink* nested = outer->ItemLinks().Add();
  try {
    nested->SetItem(inner);
    FAIL() << "a sub-item inside itself was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "You cannot create recursive subitems");
  }
}

TEST_F(BarModel, CaptionCarriesTheShortHint) {
  auto* b = manager->CreateItem<TzbBarButton>();
  b->SetCaption(Ansi("Ö&ffnen..."));
  EXPECT_EQ(b->GetPlainCaption(), Ansi("Öffnen"));
  EXPECT_EQ(b->Hint(), Ansi("Öffnen"));
  b->SetHint(Ansi("Öffnen|Öffnet ein Projekt"));
  b->SetCaption("&Laden");
  EXPECT_EQ(b->Hint(), Ansi("Laden|Öffnet ein Projekt"));
  b->SetHint("Anders");
  b->SetCaption("Neu");
  EXPECT_EQ(b->Hint(), "Anders");
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  sub->SetCaption("&Projekt");
  EXPECT_EQ(sub->Hint(), "");
}

TEST_F(BarModel, BarsKeepCaptionsUniqueAndOneMainMenu) {
  TzbBar* a = AddToolbar("Dateimen\xFC");
  TzbBar* b = AddToolbar("Bearbeiten");
  b->SetCaption("Dateimen\xFC");
  EXPECT_EQ(b->Caption(), "Bearbeiten");
  a->SetIsMainMenu(true);
  EXPECT_EQ(manager->MainMenuBar(), a);
  b->SetIsMainMenu(true);
  EXPECT_FALSE(a->IsMainMenu());
  EXPECT_EQ(manager->MainMenuBar(), b);
  b->SetMultiLine(false);
  EXPECT_TRUE(b->MultiLine());
  b->SetRow(-3);
  EXPECT_EQ(b->Row(), 0);
  b->SetDockedLeft(-1);
  EXPECT_EQ(b->DockedLeft(), 0);
  TzbBar* c = manager->Bars().Add();
  c->SetCaption("Bearbeiten1");
  TzbBar* d = manager->Bars().Add();
  d->SetCaption("Bearbeiten");  // refused: b has it
  EXPECT_EQ(d->Caption(), "");
  EXPECT_EQ(manager->BarByName("Dateimen\xFC"), a);

  auto* item = manager->CreateItem<TzbBarButton>();
  TzbBarItemLink* l = Link(a, item);
  l->SetUserWidth(5);
  EXPECT_EQ(l->UserWidth(), 20);
  l->SetUserCaption("Anders");
  EXPECT_EQ(l->RealCaption(), "Anders");
  l->SetUserDefine(0);
  EXPECT_EQ(l->UserCaption(), "");
}

TEST_F(BarModel, HidingABarFreesItsWindowAndControls) {
  TzbBar* bar = AddToolbar("Hilfe");
  auto* item = manager->CreateItem<TzbBarButton>();
  TzbBarItemLink* l = Link(bar, item);
  bar->SetVisible(true);
  EXPECT_NE(bar->GetBarControl(), nullptr);
  EXPECT_NE(l->Control(), nullptr);
  item->SetVisible(ivNever);
  EXPECT_EQ(l->Control(), nullptr);
  item->SetVisible(ivAlways);
  EXPECT_NE(l->Control(), nullptr);
  bar->SetVisible(false);
  EXPECT_EQ(bar->GetBarControl(), nullptr);
  EXPECT_EQ(l->Control(), nullptr);
  windows.clear();
  manager->FreeItem(item);
  EXPECT_EQ(bar->ItemLinks().Count(), 0);
}

TEST_F(BarModel, AcceleratorsAndShortcuts) {
  TzbBar* bar = AddToolbar("Men\xFC");
  bar->SetIsMainMenu(true);
  auto* file = manager->CreateItem<TzbBarSubItem>();
  file->SetCaption("&Datei");
  auto* amp = manager->CreateItem<TzbBarSubItem>();
  amp->SetCaption("A&&B");
  TzbBarItemLink* fl = Link(bar, file);
  TzbBarItemLink* al = Link(bar, amp);
  EXPECT_TRUE(fl->IsAccelerator('D', 0));
  EXPECT_FALSE(fl->IsAccelerator('D', ssCtrl));
  EXPECT_FALSE(al->IsAccelerator('B', 0));
  EXPECT_FALSE(al->IsAccelerator('A', 0));

  auto* save = manager->CreateItem<TzbBarButton>();
  save->SetShortCut(scCtrl | 'S');
  int saved = 0;
  save->OnClick = [&](TzbBarItem&) { ++saved; };
  file->ItemLinks().Add()->SetItem(save);
  EXPECT_TRUE(bar->ItemLinks().IsShortCut(scCtrl | 'S'));
  EXPECT_EQ(saved, 1);
  save->SetEnabled(false);
  EXPECT_FALSE(bar->ItemLinks().IsShortCut(scCtrl | 'S'));
  EXPECT_FALSE(bar->ItemLinks().IsShortCut(0));
}

TEST_F(BarModel, GroupsSwitchNestedMembersAndRefuseRecursion) {
  TzbBarGroup* outer = manager->CreateGroup();
  TzbBarGroup* inner = manager->CreateGroup();
  auto* a = manager->CreateItem<TzbBarButton>();
  auto* b = manager->CreateItem<TzbBarButton>();
  outer->Add(a);
  inner->Add(b);
  outer->Add(inner);
  outer->SetEnabled(false);
  EXPECT_FALSE(a->GetEnabled());
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_THROW(inner->Add(outer), std::runtime_error);
  EXPECT_THROW(outer->Add(outer), std::runtime_error);
  outer->SetVisible(ivNever);
  EXPECT_EQ(b->Visible(), ivNever);
  manager->FreeItem(b);
  EXPECT_FALSE(inner->ContainsMember(b));
}

TEST_F(BarModel, DetachingBarIndexOutsideTheBarsBecomesNone) {
  for (int i = 0; i < 3; ++i) AddToolbar("Bar" + std::to_string(i));
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  sub->SetDetachingBar(5);
  EXPECT_EQ(sub->DetachingBar(), -1);
  sub->SetDetachingBar(1);
  EXPECT_EQ(sub->DetachingBar(), 1);
  manager->Bars().Delete(manager->Bars().Items(1));
  EXPECT_EQ(sub->DetachingBar(), -1);
}

TEST_F(BarModel, NamesAndAmpersands) {
  manager->CreateItem<TzbBarButton>()->Name = "zbBarButton1";
  manager->CreateItem<TzbBarButton>()->Name = "ZBBARBUTTON2";
  EXPECT_EQ(GetUniqueItemName(*manager, "TzbBarButton"), "zbBarButton3");
  EXPECT_EQ(StripAmpersands("&File"), "File");
  EXPECT_EQ(StripAmpersands("A&&B"), "A&B");
  EXPECT_EQ(StripAmpersands("Ende&"), "Ende&");
  EXPECT_EQ(VisibleToItemVisible(true), ivAlways);
  EXPECT_EQ(VisibleToItemVisible(false), ivNever);
}

TEST_F(BarModel, ItemKindsAreRegisteredInOrder) {
  ASSERT_GE(GetListedItemClassCount(), 8);
  EXPECT_EQ(GetListedItemClass(0), "TzbBarButton");
  EXPECT_EQ(GetListedItemClass(1), "TzbBarEdit");
  EXPECT_EQ(GetListedItemClass(2), "TCustomzbBarCombo");
  EXPECT_EQ(GetListedItemClass(3), "TzbBarCombo");
  EXPECT_EQ(GetListedItemClass(4), "TzbBarSubItem");
  EXPECT_EQ(GetListedItemClass(5), "TzbBarListItem");
  EXPECT_EQ(GetListedItemClass(6), "TzbBarContainerItem");
  EXPECT_EQ(GetListedItemClass(7), "TzbBarMRUListItem");
  EXPECT_EQ(GetListedItemClass(-1), "");
  EXPECT_EQ(GetListedItemClass(99), "");
  EXPECT_TRUE(static_cast<bool>(ControlClassOf("TzbBarButton")));
  EXPECT_FALSE(static_cast<bool>(ControlClassOf("TzbBarNoSuchItem")));
}

TEST_F(BarModel, WhileLoadingVisibilityWaitsForTheLoadedStep) {
  TzbBar* bar = AddToolbar("Datei");
  auto* item = manager->CreateItem<TzbBarButton>();
  TzbBarItemLink* l = Link(bar, item);
  manager->BeginLoading();
  item->SetVisible(ivNever);
  bar->SetVisible(true);
  l->SetVisible(false);
  EXPECT_EQ(item->Visible(), ivAlways);
  EXPECT_FALSE(bar->Visible());
  EXPECT_TRUE(l->Visible());
  EXPECT_TRUE(windows.empty());
  manager->Loaded();
  EXPECT_EQ(item->Visible(), ivNever);
  EXPECT_TRUE(bar->Visible());
  EXPECT_FALSE(l->Visible());
  EXPECT_EQ(windows.size(), 1u);
}

// ---------------------------------------------------------------- list items

class ListItemTest : public BarModel {
 protected:
  TzbBarSubItem* menu = nullptr;
  TzbBarListItem* list = nullptr;
  void SetUp() override {
    menu = manager->CreateItem<TzbBarSubItem>();
    list = manager->CreateItem<TzbBarListItem>();
  }
  // The menu's links after expansion: the list item's entries in place.
  std::vector<TzbBarItemLink*> Expand() {
    list->AddListedItemLinks(menu->ItemLinks(), 0, nullptr, true);
    std::vector<TzbBarItemLink*> links;
    for (int i = 0; i < menu->ItemLinks().Count(); ++i) links.push_back(menu->ItemLinks().Items(i));
    return links;
  }
};

TEST_F(ListItemTest, EntriesAreNumberedButtonsWithSeparators) {
  list->SetItems({"Erstes", "-", "Drittes"});
  const auto links = Expand();
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0]->Item()->Caption(), "&1 Erstes");
  EXPECT_EQ(links[1]->Item()->Caption(), "&2 Drittes");
  EXPECT_TRUE(links[0]->StoredBeginGroup());
  EXPECT_TRUE(links[1]->StoredBeginGroup());
  int clicks = 0;
  list->OnClick = [&](TzbBarItem&) { ++clicks; };
  links[1]->Item()->Click();
  EXPECT_EQ(list->ItemIndex, 2);
  EXPECT_EQ(list->GetDataIndex(), 1);
  EXPECT_EQ(clicks, 1);
  list->SetDataIndex(5);
  EXPECT_EQ(list->ItemIndex, -1);
}

TEST_F(ListItemTest, ElevenEntriesRunFromOneToNineThenLetters) {
  std::vector<std::string> items;
  for (int i = 0; i < 11; ++i) items.push_back("E" + std::to_string(i));
  list->SetItems(items);
  const auto links = Expand();
  ASSERT_EQ(links.size(), 11u);
  EXPECT_EQ(links[8]->Item()->Caption(), "&9 E8");
  EXPECT_EQ(links[9]->Item()->Caption(), "&A E9");
  EXPECT_EQ(links[10]->Item()->Caption(), "&B E10");
}

TEST_F(ListItemTest, WithoutNumbersAndWithCheck) {
  list->ShowNumbers = false;
  list->ShowCheck = true;
  list->ItemIndex = 0;
  list->SetItems({"-", "A", "B"});
  const auto links = Expand();
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0]->Item()->Caption(), "A");
  EXPECT_TRUE(links[0]->StoredBeginGroup());  // a leading "-" gives no separator of its own
  EXPECT_FALSE(links[1]->StoredBeginGroup());
  // Index 0 is the separator, so no entry is checked; index 1 is.
  auto* first = static_cast<TzbBarButton*>(links[0]->Item());
  EXPECT_FALSE(first->Down());
}

TEST_F(ListItemTest, EmptyListIsInvisibleInMenus) {
  EXPECT_FALSE(list->CanBeVisible());
  list->SetItems({"A"});
  EXPECT_TRUE(list->CanBeVisible());
}

TEST_F(ListItemTest, EntryButtonsAreFreedAfterTheMenuClosed) {
  list->SetItems({"A", "B"});
  Expand();
  const int items = manager->GetItemCount();
  list->DeleteListedItemLinks(menu->ItemLinks(), 0);
  list->NeedsClear = true;
  list->ClearItemsData();
  EXPECT_EQ(manager->GetItemCount(), items - 2);
  EXPECT_EQ(list->EntryButtonCount(), 0);
}

// ---------------------------------------------------------------- recent-files item

class MRUTest : public BarModel {
 protected:
  TzbBarMRUListItem* mru = nullptr;
  void SetUp() override { mru = manager->CreateItem<TzbBarMRUListItem>(); }
};

TEST_F(MRUTest, NewItemDefaults) {
  EXPECT_EQ(mru->MaxItemCount(), 5);
  EXPECT_FALSE(mru->RemoveItemOnClick);
  EXPECT_EQ(mru->ItemIndex, -1);
  EXPECT_TRUE(mru->Items.empty());
}

TEST_F(MRUTest, TrimmingKeepsTheFirstEntries) {
  mru->SetItems({"1", "2", "3", "4", "5", "6"});
  mru->SetMaxItemCount(4);
  EXPECT_EQ(mru->Items, (std::vector<std::string>{"1", "2", "3", "4"}));
  mru->Items.push_back("7");
  mru->SetMaxItemCount(4);  // the same value again trims nothing
  EXPECT_EQ(mru->Items.size(), 5u);
  mru->SetMaxItemCount(-3);
  EXPECT_EQ(mru->MaxItemCount(), 0);
  for (int i = 0; i < 10; ++i) mru->Items.push_back("x");
  mru->TrimItems();
  EXPECT_EQ(mru->Items.size(), 15u);
}

TEST_F(MRUTest, PathEllipsisKeepsTheFileName) {
  const std::string shortPath = "C:\\Projekte\\Haus.zyn";
  EXPECT_EQ(ShortenMRUText(shortPath), shortPath);
  std::string longPath = "C:\\";
  for (int i = 0; i < 40; ++i) longPath += "Verzeichnis" + std::to_string(i) + "\\";
  longPath += "Einfamilienhaus Meier.zyn";
  const std::string shown = ShortenMRUText(longPath);
  EXPECT_LT(shown.size(), longPath.size());
  EXPECT_NE(shown.find("..."), std::string::npos);
  EXPECT_EQ(shown.substr(shown.size() - 26), "\\Einfamilienhaus Meier.zyn");
  EXPECT_EQ(shown.substr(0, 3), "C:\\");
  EXPECT_LE(QFontMetrics(QFont()).horizontalAdvance(ToQString(shown)), 300);
  // Any length: a path far beyond the platform's limit is shortened as well.
  std::string huge = "D:\\" + std::string(5000, 'x') + "\\" + std::string(3000, 'y') + "\\Datei.zyn";
  const std::string hugeShown = ShortenMRUText(huge);
  EXPECT_EQ(hugeShown.substr(hugeShown.size() - 10), "\\Datei.zyn");

  mru->SetItems({longPath});
  mru->AddListedItemLinks(manager->CreateItem<TzbBarSubItem>()->ItemLinks(), 0, nullptr, true);
  ASSERT_EQ(mru->EntryButtonCount(), 1);
  EXPECT_EQ(mru->EntryButton(0)->Caption(), "&1 " + shown);
}

TEST_F(MRUTest, RemoveItemMatchesTextInEitherCase) {
  mru->SetItems({"c:\\a.zyn", "C:\\B.ZYN"});
  mru->RemoveItem("C:\\A.ZYN");
  EXPECT_EQ(mru->Items, (std::vector<std::string>{"C:\\B.ZYN"}));
  mru->RemoveItem("nicht da");
  mru->RemoveItem("");
  EXPECT_EQ(mru->Items.size(), 1u);
}

TEST_F(MRUTest, RemoveItemOnClickRemovesTheClickedEntry) {
  mru->RemoveItemOnClick = true;
  mru->SetItems({"same.zyn", "other.zyn", "same.zyn"});
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  mru->AddListedItemLinks(sub->ItemLinks(), 0, nullptr, true);
  std::string seen;
  mru->OnClick = [&](TzbBarItem&) { seen = mru->Items[mru->ItemIndex]; };
  mru->EntryButton(2)->Click();
  EXPECT_EQ(seen, "same.zyn");
  EXPECT_EQ(mru->Items, (std::vector<std::string>{"same.zyn", "other.zyn"}));
  EXPECT_EQ(mru->ItemIndex, -1);
}

TEST_F(MRUTest, ClickHandlerThatReordersDoesNotRemoveTheWrongEntry) {
  mru->RemoveItemOnClick = true;
  mru->SetItems({"a.zyn", "b.zyn", "c.zyn"});
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  mru->AddListedItemLinks(sub->ItemLinks(), 0, nullptr, true);
  // The handler moves the opened file to the top, as the main window does.
  mru->OnClick = [&](TzbBarItem&) {
    const std::string f = mru->Items[mru->ItemIndex];
    mru->Items.erase(mru->Items.begin() + mru->ItemIndex);
    mru->Items.insert(mru->Items.begin(), f);
  };
  mru->EntryButton(2)->Click();
  EXPECT_EQ(mru->Items, (std::vector<std::string>{"a.zyn", "b.zyn"}));
}

TEST_F(MRUTest, NothingIsRemovedWhileCustomizing) {
  mru->RemoveItemOnClick = true;
  mru->SetCategory(0);
  mru->SetItems({"a.zyn"});
  auto* sub = manager->CreateItem<TzbBarSubItem>();
  mru->AddListedItemLinks(sub->ItemLinks(), 0, nullptr, true);
  manager->SetCustomizing(true);
  mru->EntryButton(0)->Click();
  EXPECT_EQ(mru->Items.size(), 1u);
  manager->SetCustomizing(false);
}

}  // namespace
}  // namespace zyn
