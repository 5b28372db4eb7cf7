// The display pages in the main window: registered under their keys, the designer shows the
// opened project's display and takes the keys typed anywhere in the window.

#include "DesignerFixture.h"
#include "display/DisplayProjekt.h"
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

}  // namespace
}  // namespace zyn::test
