// Modules added on the module page and applied: the programming pages that need inputs and outputs
// come alive at once, without building or reopening the project.

#include "tests/journeys/Journey.h"
#include "tests/journeys/TestProject.h"

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace zyn::test {
namespace {

class Modules : public TJourney {
 protected:
  // "Neues Objekt anlegen" on the module page, then the module chosen in the dialog by its base class.
  void AddModule(const QString& baseClass) {
    OnDialog(QStringLiteral("Neues Modul anlegen"), [this, baseClass](QWidget* dialog) {
      auto* classes = Find<QTreeWidget>(QStringLiteral("MT"), dialog);
      auto* modules = Find<QListWidget>(QStringLiteral("MB"), dialog);
      ASSERT_TRUE(classes && modules);
      const QList<QTreeWidgetItem*> found = classes->findItems(baseClass, Qt::MatchExactly);
      ASSERT_FALSE(found.isEmpty()) << baseClass.toStdString();
      Click(classes->viewport(), classes->visualItemRect(found.first()).center());
      ASSERT_TRUE(WaitFor([&] { return classes->currentItem() == found.first() && modules->count() > 0; }));
      Click(modules->viewport(), modules->visualItemRect(modules->item(0)).center());
      ASSERT_TRUE(WaitFor([&] { return modules->currentRow() == 0; }));
      ClickButton(dialog, QStringLiteral("&OK"));
    });
    Click(Find<QToolButton>(QStringLiteral("BtnAdd"), Main().FM->GetFrame(QStringLiteral("FrModulBearb"))));
    ASSERT_TRUE(WaitForDialogsHandled());
  }
};

TEST_F(Modules, InputsAndOutputsAppliedOpenTheProgrammingPages) {
  StartGlobals();
  StartProgram(SaveEmptyJourneyProject());
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  EXPECT_FALSE(ItemEnabled("Funktion"));
  EXPECT_FALSE(ItemEnabled("Basis"));

  SideBarClick("FrModulBearb");
  ASSERT_TRUE(WaitForPage("FrModulBearb"));
  QWidget* page = Main().FM->GetFrame(QStringLiteral("FrModulBearb"));
  auto* sheets = Find<QTabWidget>(QStringLiteral("TCModulDaten"), page);
  // Each new module's channels get their default names ("Auto"), which puts them to use.
  AddModule(QStringLiteral("Eingangsmodule"));
  ClickTab(sheets, QStringLiteral("Eingänge"));
  Click(Find<QPushButton>(QStringLiteral("Auto0"), page));
  AddModule(QStringLiteral("Ausgangsmodule"));
  ClickTab(sheets, QStringLiteral("Ausgänge"));
  Click(Find<QPushButton>(QStringLiteral("Auto1"), page));
  auto* ok = Find<QToolButton>(QStringLiteral("BtnOK"), page);
  ASSERT_TRUE(WaitFor([&] { return ok->isEnabled(); }));
  Click(ok);
  ASSERT_TRUE(WaitFor([&] { return !ok->isEnabled(); }));

  EXPECT_TRUE(WaitFor([&] { return ItemEnabled("Funktion") && ItemEnabled("Basis"); }))
      << "the programming pages stayed disabled after the modules were applied";
  SideBarClick("FrFunktion");
  EXPECT_TRUE(WaitForPage("FrFunktion"));
  EndProgram(QStringLiteral("Nein"));
}

}  // namespace
}  // namespace zyn::test
