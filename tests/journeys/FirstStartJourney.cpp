// A first start on an empty home: the set-up wizard, then the main window; the options file
// records the wizard, and the next start goes straight to the main window.

#include "model/base/ZYNOptionen.h"
#include "tests/journeys/Journey.h"
#include "tests/support/Files.h"

#include <QAbstractButton>
#include <QWizard>

#include <filesystem>

namespace zyn::test {
namespace {

using FirstStart = TJourney;

TEST_F(FirstStart, TheWizardComesOnceThenTheMainWindow) {
  bool wizardSeen = false;
  OnDialog(QStringLiteral("ZYN Einrichtungsassistent"), [&](QWidget* dialog) {
    wizardSeen = true;
    auto* wizard = qobject_cast<QWizard*>(dialog);
    ASSERT_TRUE(wizard);
    // Through every page with "Weiter >", then "Fertigstellen".
    for (int page = 0; page < 10 && Button(wizard, QStringLiteral("&Weiter >")) &&
                       Button(wizard, QStringLiteral("&Weiter >"))->isEnabled();
         ++page) {
      const int before = wizard->currentId();
      ClickButton(wizard, QStringLiteral("&Weiter >"));
      ASSERT_TRUE(WaitFor([&] { return wizard->currentId() != before; })) << "the wizard stayed on page " << before;
    }
    ClickButton(wizard, QStringLiteral("&Fertigstellen"));
  });
  TMainForm& main = StartProgram({}, false);
  ASSERT_TRUE(WaitForDialogsHandled());
  EXPECT_TRUE(wizardSeen);
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.windowTitle().contains(QStringLiteral("ZYN")));
  EXPECT_TRUE(std::filesystem::exists(ProgramFolder() + "zyn.xml"));
  // Without a project the pages of a project stay closed.
  EXPECT_FALSE(ItemEnabled("Speichern1"));
  EXPECT_FALSE(ItemEnabled("Funktion"));
  EXPECT_TRUE(ItemEnabled("Neu1"));
  EndProgram();

  // The second start: no wizard (a wizard would fail the journey as a dialog nobody expected).
  StartProgram({}, false);
  EXPECT_TRUE(Main().isVisible());
  EndProgram();
  EXPECT_TRUE(Unexpected().empty());
}

}  // namespace
}  // namespace zyn::test
