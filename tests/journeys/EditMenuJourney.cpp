// The context menu of the library's edits on the options page speaks German.

#include "tests/journeys/Journey.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace zyn::test {
namespace {

class EditMenu : public TJourney {};

TEST_F(EditMenu, TheSpinEditsMenuOnTheOptionsPageIsGerman) {
  StartGlobals();
  StartProgram();
  MenuCommand({"Einstellungen1", "Allgemein1"});
  ASSERT_TRUE(WaitForPage("FrOptionen")) << Screenshot("editmenu_page");
  auto* spin = Find<TZCLSpinEdit>(QStringLiteral("ADM"));
  ASSERT_TRUE(spin);
  RightClick(spin, QPoint(12, spin->height() / 2));
  QMenu* menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }))
      << Screenshot("editmenu_nomenu");
  QStringList lines;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) lines << a->text();
  EXPECT_EQ(lines.join(QStringLiteral(" | ")).toStdString(),
            "&Rückgängig | &Ausschneiden | &Kopieren | &Einfügen | &Löschen | Alles markieren")
      << Screenshot("editmenu_texts");
  Key(QStringLiteral("Escape"));
  ASSERT_TRUE(WaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
}

}  // namespace
}  // namespace zyn::test
