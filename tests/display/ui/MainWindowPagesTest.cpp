// The display pages in the main window: registered under their keys, the designer shows the
// opened project's display and takes the keys typed anywhere in the window.

#include "DesignerFixture.h"
#include "display/DisplayProjekt.h"
#include "model/base/Streams.h"
#include "display/ui/Anzeige.h"
#include "display/ui/DisplayMain.h"
#include "display/ui/DisplayPages.h"
#include "display/ui/FrameDispBearb.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FormMain.h"
#include "tests/support/Files.h"
#include "widgets/common/ZsStatusBar.h"

#include <QApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QLabel>

namespace zyn::test {
namespace {

TEST_F(DesignerTest, MainWindowHostsTheDesignerAndTheListPage) {
  RegisterDisplayPages();
  TempFolder folder("mainwindow");
  const std::string file = folder.File("anlage.zpf");
  ASSERT_TRUE(GProjekt->SaveProjectFile(file, false));
  GProjekt.reset();
  {
    TMainForm form;
    form.show();
    form.OpenProject(file);
    ASSERT_TRUE(GProjekt);
    form.FM->SetCurrentFrame(QStringLiteral("Display"));
    auto* d = dynamic_cast<TDisplay*>(form.FM->GetFrame(QStringLiteral("Display")));
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->DesignerActive());
    EXPECT_EQ(d->LTitle->text(), QStringLiteral("Bildschirm: Startbildschirm"));

    d->View->DropAt(TViewDrag::Text, 0, 0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, QStringLiteral("K"));
    QApplication::sendEvent(form.StatusBar1, &press);
    ASSERT_NE(d->View->EntryText(), nullptr);
    EXPECT_EQ(d->View->EntryText()->Text, "K");
    QKeyEvent enter(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(form.StatusBar1, &enter);
    EXPECT_FALSE(d->View->TextEntryRunning());

    // Leaving the designer folds the display's change into the project.
    form.FM->SetCurrentFrame(QStringLiteral("FrDispBearb"));
    EXPECT_TRUE(GProjekt->Modified);
    auto* list = dynamic_cast<TFrDispBearb*>(form.FM->GetFrame(QStringLiteral("FrDispBearb")));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->Copy(), nullptr);
    EXPECT_EQ(list->Copy()->Count(), 1u);
    form.FM->SetCurrentFrame(QString());
    GProjekt->Modified = false;
    form.CloseProject();
  }
}

TEST_F(DesignerTest, AProjectWithADamagedKeyOpensWithItsDisplayAndSaysWhatWasSkipped) {
  RegisterDisplayPages();
  auto* key = Start().DefaultButtons.Add(std::make_unique<TFunktButton>("F2"));
  key->Label1->Text = "Hin";
  key->Funktion.Funktion = fkSprung;
  key->Funktion.SprungParameter = 4;
  key->Funktion.ZielBildschirm = "NIRGENDS";
  TempFolder folder("damagedkey");
  const std::string file = folder.File("anlage.zpf");
  ASSERT_TRUE(GProjekt->SaveProjectFile(file, false));
  std::vector<uint8_t> bytes = ReadFileBytes(file);
  // The jump parameter 4 becomes an empty text.
  const std::vector<uint8_t> function = {0x02, 0x01, 0x02, 0x04, 0x06, 8, 'N', 'I', 'R', 'G'};
  auto at = std::search(bytes.begin(), bytes.end(), function.begin(), function.end());
  ASSERT_NE(at, bytes.end());
  at[2] = 0x06;
  at[3] = 0x00;
  WriteFileAtomic(file, bytes.data(), bytes.size());
  GProjekt.reset();
  {
    TMainForm form;
    form.show();
    ASSERT_TRUE(form.OpenProject(file));
    ASSERT_TRUE(GProjekt);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Das Display \"Display 0\" ist beschädigt")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("Bildschirm \"Startbildschirm\", Taste F2: Funktion")))
        << shown[0].toStdString();
    EXPECT_FALSE(GProjekt->Modified);
    form.FM->SetCurrentFrame(QStringLiteral("Display"));
    auto* d = dynamic_cast<TDisplay*>(form.FM->GetFrame(QStringLiteral("Display")));
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->DesignerActive());
    const TFunktButton* read = GProjekt->DisplayProjekt()[0].StartBildschirm->DefaultButtons.Find("F2");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Funktion.ZielBildschirm, "NIRGENDS");
    form.FM->SetCurrentFrame(QString());
    GProjekt->Modified = false;
    form.CloseProject();
  }
}

}  // namespace
}  // namespace zyn::test
