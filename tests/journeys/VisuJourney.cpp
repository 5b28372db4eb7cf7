// A visualisation made through the page designer as an installer makes it: a new page, an LED
// placed from the palette and bound to an output by dragging the output onto it, its properties
// set, a resize taken back with Escape, a user added on the users page, and the run-time folder
// exported. The folder holds the page as designed: white, the LED bound, with its size and its
// texts, the channel list and the new user.

#include "model/base/ComponentRecord.h"
#include "model/base/XMLIniFile.h"
#include "tests/journeys/Journey.h"
#include "tests/support/SmallProject.h"
#include "tests/support/TestHome.h"
#include "visu/DispatcherList.h"
#include "visu/VisuPage.h"
#include "visu/VisuUserData.h"
#include "visu/ui/FrameVisuEntwurf.h"
#include "visu/ui/FrameVisuPages.h"
#include "visu/ui/UserAdminFrame.h"
#include "visu/ui/VisuControls.h"
#include "visu/ui/VisuPageFrame.h"
#include "visu/ui/VisuPropertyDialogs.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

class VisuDesign : public TJourney {
 protected:
  // Drags with the real pointer: pressed at from, moved in steps, released at to.
  void Drag(const QPoint& from, const QPoint& to) {
    const auto at = [](const QPoint& p) {
      return QStringList{"mousemove", QString::number(p.x()), QString::number(p.y())};
    };
    QStringList args = at(from);
    args << "mousedown"
         << "1";
    for (int step = 1; step <= 8; ++step)
      args << at(from + (to - from) * step / 8) << "sleep"
           << "0.05";
    args << "mouseup"
         << "1";
    // Run beside the event loop: the drag starts and drops while the pointer moves.
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), args);
    ASSERT_TRUE(WaitFor([&] { return tool.state() == QProcess::NotRunning; }, 20000));
    ASSERT_EQ(tool.exitCode(), 0);
  }
  static QPoint Centre(QWidget* w) { return w->mapToGlobal(w->rect().center()); }
  // Opens the control menu of the page's control with the right button and clicks the item.
  void OpenControlMenu(QWidget* control, const QString& item) {
    const QPoint at = Centre(control);
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "3"}),
              0);
    auto* designer = Find<TFrVisuEntwurf>(QStringLiteral("FrVisuEntwurf"));
    ASSERT_TRUE(WaitFor([&] { return designer->ControlMenu->isVisible(); }));
    for (QAction* a : designer->ControlMenu->actions()) {
      if (a->text() != item) continue;
      Click(designer->ControlMenu, designer->ControlMenu->actionGeometry(a).center());
      return;
    }
    FAIL() << "no menu item " << item.toStdString();
  }
};

TEST_F(VisuDesign, DesignBindSetPropertiesEscAResizeAddAUserAndExport) {
  StartGlobals();
  StartProgram(SaveSmallProject("Visu.zpf"));
  ASSERT_TRUE(WaitForPage("FrStmBearb"));
  // The designer and the users page want room: the window is made large, as an installer does.
  Main().resize(1240, 960);
  ASSERT_TRUE(WaitFor([&] { return Main().width() > 1000; }));

  // A new page, an LED from the palette ("Rundes Objekt einfügen") placed on it.
  SideBarClick("FrVisuEntwurf");
  ASSERT_TRUE(WaitForPage("FrVisuEntwurf"));
  auto* designer = Find<TFrVisuEntwurf>(QStringLiteral("FrVisuEntwurf"));
  ASSERT_NE(designer, nullptr);
  Click(designer->BtnNewPage);
  ASSERT_TRUE(WaitFor([&] { return designer->CurrentPage() != nullptr; }));
  TVisuDesignFrame* page = designer->CurrentPage();
  QAbstractButton* round = nullptr;
  for (QAbstractButton* b : designer->findChildren<QAbstractButton*>())
    if (b->toolTip() == QStringLiteral("Rundes Objekt einfügen")) round = b;
  ASSERT_NE(round, nullptr);
  Click(round);
  ASSERT_TRUE(WaitFor([&] { return page->InsertComponent == 1; }));
  Click(page, QPoint(120, 90));
  ASSERT_TRUE(WaitFor([&] { return page->Controls().size() == 1; }));
  auto* led = dynamic_cast<TVisuRoundLED*>(page->Controls().front()->Self());
  ASSERT_NE(led, nullptr);

  // Bound by dragging output 2 of OUT.05 from the outputs tree onto the LED.
  QTreeWidget* outputs = designer->TVOutputs;
  QTabWidget* tabs = designer->LeftTabs;
  int tab = 0;
  while (tab < tabs->count() && !tabs->widget(tab)->isAncestorOf(outputs) && tabs->widget(tab) != outputs) ++tab;
  ASSERT_LT(tab, tabs->count());
  Click(tabs->tabBar(), tabs->tabBar()->tabRect(tab).center());
  ASSERT_TRUE(WaitFor([&] { return outputs->isVisible(); }));
  outputs->expandAll();
  const QList<QTreeWidgetItem*> found =
      outputs->findItems(QStringLiteral("Kanal 2"), Qt::MatchEndsWith | Qt::MatchRecursive);
  ASSERT_FALSE(found.isEmpty());
  outputs->scrollToItem(found.first());
  const QPoint item = outputs->viewport()->mapToGlobal(outputs->visualItemRect(found.first()).center());
  Click(item);
  ASSERT_TRUE(WaitFor([&] { return outputs->currentItem() == found.first(); }));
  Drag(item, Centre(led));
  ASSERT_TRUE(WaitFor([&] { return led->VisuData.Steuermodul == 0; })) << "the drop bound nothing";
  EXPECT_EQ(led->VisuData.Modul, 2 * 32 + 5);
  EXPECT_EQ(led->VisuData.Kanal, 2);

  // Properties: a wider LED taken back with Escape, then the on-text set with OK.
  const QRect placed = led->geometry();
  OnDialog(QStringLiteral("Eigenschaften"), [this, led, placed](QWidget* dialog) {
    auto* d = dynamic_cast<TVisuPropertyDialog*>(dialog);
    ASSERT_NE(d, nullptr);
    Click(d->Spin[2]);
    Keys({QStringLiteral("ctrl+a")});
    Type(QStringLiteral("60"));
    ASSERT_TRUE(WaitFor([&] { return led->width() == 60; }));
    Key(QStringLiteral("Escape"));
    ASSERT_TRUE(WaitFor([&] { return !dialog->isVisible(); }));
    EXPECT_EQ(led->geometry(), placed) << "Escape kept the resize";
  });
  OpenControlMenu(led, QStringLiteral("Eigenschaften"));
  ASSERT_TRUE(WaitForDialogsHandled());
  OnDialog(QStringLiteral("Eigenschaften"), [this](QWidget* dialog) {
    auto* d = dynamic_cast<TFrmDesign*>(dialog);
    ASSERT_NE(d, nullptr);
    Click(d->Fields.OnText);
    Keys({QStringLiteral("ctrl+a")});
    Type(QStringLiteral("AN"));
    ClickButton(dialog, QStringLiteral("OK"));
  });
  OpenControlMenu(led, QStringLiteral("Eigenschaften"));
  ASSERT_TRUE(WaitForDialogsHandled());
  EXPECT_EQ(led->Design.OnText(), "AN");
  designer->SetAsStartPage();  // the page list's menu: "Als Startseite festlegen"

  // A user added on the users page.
  SideBarClick("FrVisuCreateRT");
  ASSERT_TRUE(WaitForPage("FrVisuCreateRT"));
  auto* users = Find<TFrVisuCreateRT>(QStringLiteral("FrVisuCreateRT"));
  ASSERT_NE(users, nullptr);
  TVisuUserAdminFrame& admin = *users->VUAFrame;
  Click(admin.BtnNew);
  Click(admin.EDUser);
  Type(QStringLiteral("Hausmeister"));
  Click(admin.EDPwd1);
  Type(QStringLiteral("1234"));
  Click(admin.EDPwd2);
  Type(QStringLiteral("1234"));
  Click(admin.BtnCommit);
  ASSERT_TRUE(WaitFor([&] { return admin.UserList->topLevelItemCount() == 2; }));

  // The run-time folder, chosen in the folder dialog.
  const fs::path folder = fs::path(TestHome()) / "Laufzeit";
  fs::create_directories(folder);
  OnDialog(QStringLiteral("Visuprojekt erzeugen"), [this, folder](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    Click(name);
    Type(QString::fromStdString(folder.string()));
    Key(QStringLiteral("Return"));
  });
  MenuCommand({"Datei1", "MnuCreateRT"});
  ASSERT_TRUE(WaitForDialogsHandled());
  ASSERT_TRUE(WaitFor([&] { return fs::exists(folder / "VisuUserData.udf"); }));

  // The folder holds the page as designed.
  TVisuPage exported;
  exported.LoadFromFile((folder / "Pages" / (page->Name() + ".vpg")).string());
  const TPropertyRecord* color = exported.Record().FindProperty("Color");
  ASSERT_NE(color, nullptr) << "the page lost its white";
  EXPECT_EQ(color->Value.AsIdent(), "clWhite");
  ASSERT_EQ(exported.Record().Children.size(), 1u);
  const TComponentRecord& bound = exported.Record().Children[0];
  EXPECT_EQ(bound.FindProperty("VisuData.Modul")->Value.AsInteger(), 69);
  EXPECT_EQ(bound.FindProperty("Width")->Value.AsInteger(), placed.width());
  EXPECT_EQ(bound.FindProperty("Design.OnText")->Value.AsString(), "AN");
  TXMLIniFile ini((folder / "ZYNVisu.ini").string());
  EXPECT_EQ(ini.ReadString("Options", "FirstPage", "?"), page->Name() + ".vpg");
  TXMLDispatcherObjectList channels;
  channels.ReadXML((folder / "ZYNVisu.dol").string());
  ASSERT_EQ(channels.Count(), 1);
  EXPECT_EQ(channels.Item(0).Modul, 69);
  TUserDataList saved;
  ASSERT_TRUE(saved.LoadUsersFromFile((folder / "VisuUserData.udf").string()));
  EXPECT_NE(saved.FindByName("Hausmeister"), nullptr);
  EndProgram(QStringLiteral("Nein"));
}

}  // namespace
}  // namespace zyn::test
