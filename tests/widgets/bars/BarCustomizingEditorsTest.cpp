// The item add editor and the group items editor: the kinds and names they propose, what they
// refuse, and what they hand back.

#include "widgets/bars/BarCustomizingEditors.h"

#include "BarDemoWindow.h"
#include "BarTestSupport.h"
#include "model/base/Cp1252.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarCategories.h"
#include "widgets/bars/BarContainerItems.h"
#include "widgets/bars/BarEditItems.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarItemRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace zyn {
namespace {

class BarCustomizingEditors : public ::testing::Test, public test::BarsFixture {
 protected:
  BarCustomizingEditors() {
    manager->Categories().Clear();
    manager->Categories().Add("Datei");
    manager->Categories().Add("Hilfe");
    manager->Categories().Add("Leer");
  }
  TzbBarButton* Button(const std::string& name, const std::string& caption, int category) {
    auto* b = manager->CreateItem<TzbBarButton>();
    b->Name = name;
    b->SetCaption(caption);
    b->SetCategory(category);
    return b;
  }
  // Runs the action on the open modal dialog once it shows.
  template <class T>
  static void OnDialog(std::function<void(T&)> action) {
    QTimer::singleShot(0, [action] {
      auto* d = dynamic_cast<T*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      action(*d);
    });
  }
};

TEST_F(BarCustomizingEditors, TheItemAddEditorProposesNamesAndCreatesTheChosenKind) {
  ASSERT_GT(GetListedItemClassCount(), 0);
  Button("zbBarButton1", "Vorhanden", 0);
  int editKind = -1;
  for (int i = 0; i < GetListedItemClassCount(); ++i)
    if (GetListedItemClass(i) == TzbBarEdit::kClassName) editKind = i;
  ASSERT_GE(editKind, 0);
  std::vector<QString> proposed;
  OnDialog<TzbBarItemAddEditor>([&](TzbBarItemAddEditor& ed) {
    EXPECT_EQ(ed.Kinds->currentText().toStdString(), GetListedItemClass(0));
    EXPECT_EQ(ed.Categories->currentIndex(), 1);
    EXPECT_EQ(ed.Caption->text(), QStringLiteral("New Item"));
    proposed.push_back(ed.Name->text());  // the button kind: "zbBarButton1" is taken
    ed.Kinds->setCurrentIndex(editKind);
    proposed.push_back(ed.Name->text());
    // An invalid name keeps the dialog open with a new proposal.
    ed.Name->setText(QStringLiteral("1 Suche"));
    ed.OK->click();
    EXPECT_TRUE(ed.isVisible());
    proposed.push_back(ed.Name->text());
    ed.Name->setText(QStringLiteral("Suche"));
    ed.Caption->setText(QStringLiteral("Suchen nach"));
    ed.OK->click();
  });
  TzbBarItem* item = ShowItemAddEditor(*manager, 1);
  EXPECT_EQ(proposed, (std::vector<QString>{QStringLiteral("zbBarButton2"), QStringLiteral("zbBarEdit1"),
                                            QStringLiteral("zbBarEdit1")}));
  ASSERT_NE(item, nullptr);
  EXPECT_NE(dynamic_cast<TzbBarEdit*>(item), nullptr);
  EXPECT_EQ(item->Name, "Suche");
  EXPECT_EQ(item->Category(), 1);
  EXPECT_EQ(item->Caption(), "Suchen nach");
  EXPECT_EQ(manager->GetItemByName("Suche"), item);

  // A name taken (in another letter case) is refused; Cancel makes nothing; a category out of
  // range starts at the first.
  const int count = manager->GetItemCount();
  OnDialog<TzbBarItemAddEditor>([](TzbBarItemAddEditor& ed) {
    EXPECT_EQ(ed.Categories->currentIndex(), 0);
    ed.Name->setText(QStringLiteral("SUCHE"));
    ed.OK->click();
    EXPECT_TRUE(ed.isVisible());
    ed.Cancel->click();
  });
  EXPECT_EQ(ShowItemAddEditor(*manager, 7), nullptr);
  EXPECT_EQ(manager->GetItemCount(), count);
}

TEST_F(BarCustomizingEditors, TheGroupItemsEditorOffersOtherGroupsAndTheCategoriesItems) {
  TzbBarButton* neu = Button("Neu", "&Neu", 0);
  TzbBarButton* oeffnen = Button("Oeffnen", Utf8ToAnsi("&Öffnen"), 0);
  TzbBarButton* inhalt = Button("Inhalt", "&Inhalt", 1);
  TzbBarGroup* edited = manager->CreateGroup();
  edited->Name = "Dateigruppe";
  edited->Add(neu);

  // With one group only the categories are listed, each with its heading.
  {
    OnDialog<TzbBarAddGroupItemsEditor>([](TzbBarAddGroupItemsEditor& ed) {
      std::vector<QString> texts;
      for (int i = 0; i < ed.List->count(); ++i) texts.push_back(ed.List->item(i)->text());
      EXPECT_EQ(texts,
                (std::vector<QString>{QStringLiteral("~Datei"), QStringLiteral("&Neu"), QStringLiteral("&Öffnen"),
                                      QStringLiteral("~Hilfe"), QStringLiteral("&Inhalt")}));
      // Headings cannot be picked.
      EXPECT_FALSE(ed.List->item(0)->flags() & Qt::ItemIsSelectable);
      ed.List->item(2)->setSelected(true);
      ed.List->item(4)->setSelected(true);
      ed.OK->click();
    });
    std::vector<TzbBarGroupPick> picked;
    ASSERT_TRUE(ShowAddGroupItems(*edited, picked));
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[0].Item, oeffnen);
    EXPECT_EQ(picked[1].Item, inhalt);
  }

  // With more groups: the other groups first; the edited group is never offered, and a group that
  // contains it makes the group refuse the pick.
  TzbBarGroup* outer = manager->CreateGroup();
  outer->Name = "Alles";
  outer->Add(edited);
  OnDialog<TzbBarAddGroupItemsEditor>([](TzbBarAddGroupItemsEditor& ed) {
    ASSERT_GE(ed.List->count(), 2);
    EXPECT_EQ(ed.List->item(0)->text(), QStringLiteral("~< Groups >"));
    EXPECT_EQ(ed.List->item(1)->text(), QStringLiteral("Alles"));
    EXPECT_EQ(ed.List->item(2)->text(), QStringLiteral("~Datei"));
    ed.List->item(1)->setSelected(true);
    ed.OK->click();
  });
  std::vector<TzbBarGroupPick> picked;
  ASSERT_TRUE(ShowAddGroupItems(*edited, picked));
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0].Group, outer);
  EXPECT_THROW(edited->Add(picked[0].Group), std::exception);
  // Cancel hands back nothing.
  OnDialog<TzbBarAddGroupItemsEditor>([](TzbBarAddGroupItemsEditor& ed) {
    ed.List->item(1)->setSelected(true);
    ed.Cancel->click();
  });
  picked.clear();
  EXPECT_FALSE(ShowAddGroupItems(*edited, picked));
  EXPECT_TRUE(picked.empty());
}

// Every kind the editor lists is made by it, with the chosen name, category and caption, and its
// link shows on a toolbar of the demo form; the container of a form control takes a control only
// once per manager.
TEST(BarItemAddEditorKinds, EveryListedKindIsMadeAndShowsOnAToolbar) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  test::BarDemoWindow demo((dir.path() + QStringLiteral("/bars.ini")).toStdString(), true);
  TzbBarManager& m = *demo.Manager;
  // The kinds of the bar unit, in the order of its table, all listed.
  const std::vector<std::string> expected = {"TzbBarButton",
                                             "TzbBarEdit",
                                             "TzbBarCombo",
                                             "TzbBarSubItem",
                                             "TzbBarListItem",
                                             "TzbBarContainerItem",
                                             "TzbBarMRUListItem",
                                             "TzbBarStatic",
                                             "TzbBarLargeButton",
                                             "TzbBarColorCombo",
                                             "TzbBarFontNameCombo",
                                             "TzbBarDateCombo",
                                             "TzbBarTreeViewCombo",
                                             "TzbBarImageCombo",
                                             "TzbBarSpinEdit",
                                             "TzbBarProgressItem",
                                             "TzbBarToolbarsListItem",
                                             "TzbBarControlContainerItem",
                                             "TzbBarInPlaceSubItem"};
  std::vector<std::string> listed;
  for (int i = 0; i < GetListedItemClassCount(); ++i) listed.push_back(GetListedItemClass(i));
  auto at = listed.begin();
  for (const std::string& kind : expected) {
    auto found = std::find(at, listed.end(), kind);
    ASSERT_NE(found, listed.end()) << kind << " missing or out of order";
    at = found + 1;
  }
  EXPECT_EQ(std::find(listed.begin(), listed.end(), "TSystemMenuSubItem"), listed.end());

  TzbBar* hilfe = demo.Toolbars[3];
  std::vector<TzbBarControlContainerItem*> containers;
  for (int k = 0; k < static_cast<int>(listed.size()); ++k) {
    const std::string kind = listed[k];
    QString proposed;
    QTimer::singleShot(0, [&] {
      auto* ed = dynamic_cast<TzbBarItemAddEditor*>(QApplication::activeModalWidget());
      ASSERT_NE(ed, nullptr);
      EXPECT_EQ(ed->Kinds->count(), static_cast<int>(listed.size()));
      ed->Kinds->setCurrentIndex(k);
      proposed = ed->Name->text();
      ed->Caption->setText(QStringLiteral("Neu %1").arg(k));
      ed->OK->click();
      if (ed->isVisible()) ed->Cancel->click();  // not made: the check below reports it
    });
    TzbBarItem* item = ShowItemAddEditor(m, 1);
    ASSERT_NE(item, nullptr) << kind;
    EXPECT_EQ(std::string(item->ClassName()), kind);
    EXPECT_TRUE(item->InheritsFrom(kind.c_str())) << kind;
    EXPECT_EQ(proposed.toStdString(), kind.substr(1) + "1") << kind;
    EXPECT_EQ(item->Name, kind.substr(1) + "1");
    EXPECT_EQ(item->Category(), 1) << kind;
    EXPECT_EQ(item->Caption(), "Neu " + std::to_string(k)) << kind;
    EXPECT_EQ(m.GetItemByName(item->Name), item);
    // Its link on a toolbar gets a control of the kind's own.
    test::AddLink(hilfe->ItemLinks(), item);
    QApplication::processEvents();
    TzbBarItemLink* link = hilfe->ItemLinks().Items(hilfe->ItemLinks().Count() - 1);
    ASSERT_EQ(link->Item(), item);
    if (link->Control())
      EXPECT_EQ(&link->Control()->Item(), item);
    else  // a container shows the entries it lists in its place; a new one lists none
      EXPECT_TRUE(item->InheritsFrom(TCustomzbBarContainerItem::kClassName)) << kind;
    if (auto* c = dynamic_cast<TzbBarControlContainerItem*>(item)) containers.push_back(c);
  }
  // A second container made by the editor: it cannot take the control the first one hosts, and
  // says so in German; it keeps no control.
  ASSERT_EQ(containers.size(), 1u);
  QTimer::singleShot(0, [&] {
    auto* ed = dynamic_cast<TzbBarItemAddEditor*>(QApplication::activeModalWidget());
    ASSERT_NE(ed, nullptr);
    ed->Kinds->setCurrentText(QString::fromLatin1(TzbBarControlContainerItem::kClassName));
    EXPECT_EQ(ed->Name->text(), QStringLiteral("zbBarControlContainerItem2"));
    ed->OK->click();
  });
  auto* second = dynamic_cast<TzbBarControlContainerItem*>(ShowItemAddEditor(m, 0));
  ASSERT_NE(second, nullptr);
  auto* field = new QLineEdit(&demo.Form);
  containers[0]->SetControl(field);
  try {
    second->SetControl(field);
    ADD_FAILURE() << "no refusal";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), TzbBarControlContainerItem::kSameControlMessage);
    EXPECT_NE(std::string(e.what()).find("Steuerelement"), std::string::npos);
  }
  EXPECT_EQ(second->Control(), nullptr);
  EXPECT_EQ(containers[0]->Control(), field);
}

}  // namespace
}  // namespace zyn
