#include "TestSupport.h"
#include "widgets/controls/ZCLBrowseDlg.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace zyn::test;

TEST(BrowseDlg, DefaultsGiveOnlyFileSystemFolders) {
  EnsureApp();
  TZCLBrowseDlg dlg;
  EXPECT_EQ(dlg.Options(), 272);
  EXPECT_EQ(dlg.BrowseFlags(), 0x0001u);
  EXPECT_EQ(dlg.StartFolder(), bfoDesktopExpanded);
  EXPECT_EQ(dlg.Position(), bpCenter);
  EXPECT_EQ(dlg.RelatePos(), brActiveWindow);
  dlg.SetOptions(BrowseOption(doAllowEdit));
  EXPECT_EQ(dlg.BrowseFlags(), 0x0030u);
  dlg.SetOptions(BrowseOption(doNewGUI) | BrowseOption(doNewGUINoNewFolderBtn) | BrowseOption(doShowFiles));
  EXPECT_EQ(dlg.BrowseFlags(), 0x4240u);
}

TEST(BrowseDlg, ShellFolderIdentifiers) {
  EXPECT_EQ(TZCLBrowseDlg::ShellFolderId(bfoMyComputer), 17);
  EXPECT_EQ(TZCLBrowseDlg::ShellFolderId(bfoInternet), 1);
  EXPECT_EQ(TZCLBrowseDlg::ShellFolderId(bfoDesktopExpanded), 0xFEFE);
  EXPECT_EQ(TZCLBrowseDlg::ShellFolderId(bfpProfiles), 62);
  EXPECT_EQ(TZCLBrowseDlg::ShellFolderId(bfoCDBurnArea), 59);
}

TEST(BrowseDlg, ShortenPathCutsLeadingFolders) {
  const QString path = QStringLiteral("E:\\Programme\\Gebaeude\\Daten\\System\\Vorlagen\\Projekte");
  ASSERT_EQ(path.size(), 52);
  EXPECT_EQ(TZCLBrowseDlg::ShortenPath(path, 40), QStringLiteral("E:\\...\\Daten\\System\\Vorlagen\\Projekte"));
  EXPECT_EQ(TZCLBrowseDlg::ShortenPath(path, 46),
            QStringLiteral("E:\\...\\Gebaeude\\Daten\\System\\Vorlagen\\Projekte"));
  EXPECT_EQ(TZCLBrowseDlg::ShortenPath(QStringLiteral("E:\\Daten\\Projekte"), 40),
            QStringLiteral("E:\\Daten\\Projekte"));
  const QString name(45, QLatin1Char('n'));
  EXPECT_EQ(TZCLBrowseDlg::ShortenPath(QStringLiteral("E:\\") + name, 40), name);
  EXPECT_EQ(TZCLBrowseDlg::ShortenPath(QString(), 40), QString());
  EXPECT_EQ(TZCLBrowseDlg::ShortenPath(QStringLiteral("/home/installateur/Gebaeude/Daten/System/Projekte"), 40),
            QStringLiteral("/.../Gebaeude/Daten/System/Projekte"));
}

TEST(BrowseDlg, PlacementStaysOnTheDesktop) {
  struct Case {
    TZCLDlgPosition position;
    TRect relation;
    TPoint expected;
  };
  const Case cases[] = {
      {bpTopRight, Rect(0, 0, 200, 400), {0, 0}},         {bpCenter, Rect(100, 100, 500, 500), {150, 200}},
      {bpBottomRight, Rect(0, 0, 1024, 768), {724, 568}}, {bpBottomLeft, Rect(0, 600, 400, 900), {0, 568}},
      {bpTopCenter, Rect(900, 0, 1200, 300), {724, 0}},
  };
  for (const Case& c : cases) {
    const TPoint p = TZCLBrowseDlg::PlaceInRect(c.position, c.relation, 300, 200, 1024, 768);
    EXPECT_EQ(p, c.expected) << c.position;
  }
}

class BrowseRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    ASSERT_TRUE(fDir.isValid());
    ASSERT_TRUE(QDir(fDir.path()).mkpath(QStringLiteral("Projekte")));
    fTarget = QDir::toNativeSeparators(QDir(fDir.path()).filePath(QStringLiteral("Projekte")));
  }
  static QPushButton* Button(QDialog* d, const char* name) {
    return d->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QTemporaryDir fDir;
  QString fTarget;
};

TEST_F(BrowseRunTest, ReturnsTheChosenFolderAndShowsThePreselection) {
  TZCLBrowseDlg dlg;
  dlg.SetCaptionTitle(QStringLiteral("Projektverzeichnis wählen"));
  dlg.SetCaption(QStringLiteral("Bitte wählen Sie den Ordner."));
  dlg.SetSelectedFolder(fTarget);
  bool okEnabled = false;
  QString title, status;
  int selections = 0;
  dlg.OnSelectionChanged = [&](QObject*, QDialog*, const QString&) { ++selections; };
  dlg.OnInit = [&](QObject* sender) {
    auto* self = static_cast<TZCLBrowseDlg*>(sender);
    QDialog* d = self->DialogHandle();
    title = d->windowTitle();
    okEnabled = Button(d, "OkButton")->isEnabled();
    status = self->StatusText();
    QTimer::singleShot(0, d, [d] { Button(d, "OkButton")->click(); });
  };
  EXPECT_TRUE(dlg.Execute(nullptr));
  EXPECT_EQ(title, QStringLiteral("Projektverzeichnis wählen"));
  EXPECT_TRUE(okEnabled);  // a valid preselected folder can be confirmed at once
  EXPECT_EQ(status, TZCLBrowseDlg::ShortenPath(fTarget, 40));
  EXPECT_GE(selections, 1);
  EXPECT_EQ(dlg.SelectedFolder(), fTarget);
  EXPECT_EQ(dlg.SelectedDisplayName(), QStringLiteral("Projekte"));
  EXPECT_EQ(dlg.DialogHandle(), nullptr);
}

TEST_F(BrowseRunTest, CancelChangesNothing) {
  TZCLBrowseDlg dlg;
  dlg.SetSelectedFolder(fTarget);
  dlg.OnInit = [&](QObject* sender) {
    QDialog* d = static_cast<TZCLBrowseDlg*>(sender)->DialogHandle();
    // Moving the selection while open and then cancelling keeps the old folder.
    static_cast<TZCLBrowseDlg*>(sender)->SetSelectedFolder(QDir::toNativeSeparators(fDir.path()));
    QTimer::singleShot(0, d, [d] { Button(d, "CancelButton")->click(); });
  };
  EXPECT_FALSE(dlg.Execute(nullptr));
  EXPECT_EQ(dlg.SelectedFolder(), QDir::toNativeSeparators(fDir.path()));
  EXPECT_EQ(dlg.SelectedDisplayName(), QString());
}

TEST_F(BrowseRunTest, NewFolderButtonMakesAndSelectsNumberedFolders) {
  TZCLBrowseDlg dlg;
  dlg.SetSelectedFolder(fTarget);
  dlg.SetOptions(dlg.Options() | BrowseOption(doNewGUI));
  ASSERT_TRUE(QDir(fTarget).mkdir(QStringLiteral("Neuer Ordner (3)")));  // names skip nothing but taken ones
  bool hadButton = false;
  dlg.OnInit = [&](QObject* sender) {
    QDialog* d = static_cast<TZCLBrowseDlg*>(sender)->DialogHandle();
    QPushButton* make = Button(d, "NewFolderButton");
    hadButton = make && make->isEnabled();
    if (!make) return;
    make->click();
    make->click();
    QTimer::singleShot(0, d, [d] { Button(d, "OkButton")->click(); });
  };
  ASSERT_TRUE(dlg.Execute(nullptr));
  EXPECT_TRUE(hadButton);
  // Each new folder is made below the selection and selected, so the second lies in the first.
  const QString first = QDir(fTarget).filePath(QStringLiteral("Neuer Ordner"));
  EXPECT_TRUE(QDir(first).exists(QStringLiteral("Neuer Ordner")));
  EXPECT_EQ(dlg.SelectedFolder(), QDir::toNativeSeparators(QDir(first).filePath(QStringLiteral("Neuer Ordner"))));
  EXPECT_EQ(TZCLBrowseDlg::NewFolderName(fTarget), QStringLiteral("Neuer Ordner (2)"));
  // The old style and the option without the button show none.
  const TZCLBrowseDlgOptions withoutButton[] = {
      BrowseOption(doReturnFileSysDirs),
      static_cast<TZCLBrowseDlgOptions>(BrowseOption(doNewGUI) | BrowseOption(doNewGUINoNewFolderBtn))};
  for (TZCLBrowseDlgOptions options : withoutButton) {
    dlg.SetOptions(options);
    bool present = true;
    dlg.OnInit = [&](QObject* sender) {
      QDialog* d = static_cast<TZCLBrowseDlg*>(sender)->DialogHandle();
      present = Button(d, "NewFolderButton") != nullptr;
      QTimer::singleShot(0, d, [d] { d->reject(); });
    };
    dlg.Execute(nullptr);
    EXPECT_FALSE(present);
  }
}

TEST_F(BrowseRunTest, WithoutPreselectionOkStartsDisabled) {
  TZCLBrowseDlg dlg;
  bool okEnabled = true;
  dlg.OnInit = [&](QObject* sender) {
    QDialog* d = static_cast<TZCLBrowseDlg*>(sender)->DialogHandle();
    okEnabled = Button(d, "OkButton")->isEnabled();
    QTimer::singleShot(0, d, [d] { d->reject(); });
  };
  EXPECT_FALSE(dlg.Execute(nullptr));
  EXPECT_FALSE(okEnabled);
  dlg.SetOptions(dlg.Options() | BrowseOption(doEnableOK));
  dlg.OnInit = [&](QObject* sender) {
    QDialog* d = static_cast<TZCLBrowseDlg*>(sender)->DialogHandle();
    okEnabled = Button(d, "OkButton")->isEnabled();
    QTimer::singleShot(0, d, [d] { d->reject(); });
  };
  dlg.Execute(nullptr);
  EXPECT_TRUE(okEnabled);
}

TEST_F(BrowseRunTest, RejectedTypedNameKeepsTheDialogWhenTheHandlerCancels) {
  TZCLBrowseDlg dlg;
  dlg.SetOptions(dlg.Options() | BrowseOption(doAllowEdit));
  dlg.SetSelectedFolder(fTarget);
  int validations = 0;
  dlg.OnValidate = [&](QObject*, const QString& path, bool& cancel) {
    ++validations;
    EXPECT_EQ(path, QStringLiteral("gibtsnicht"));
    cancel = validations == 1;
  };
  dlg.OnInit = [&](QObject* sender) {
    QDialog* d = static_cast<TZCLBrowseDlg*>(sender)->DialogHandle();
    QTimer::singleShot(0, d, [d] {
      d->findChild<QLineEdit*>(QStringLiteral("EditBox"))->setText(QStringLiteral("gibtsnicht"));
      Button(d, "OkButton")->click();  // refused, the dialog stays
      EXPECT_TRUE(d->isVisible());
      Button(d, "OkButton")->click();  // refused again, the handler lets it close
    });
  };
  EXPECT_FALSE(dlg.Execute(nullptr));
  EXPECT_EQ(validations, 2);
  EXPECT_EQ(dlg.SelectedFolder(), fTarget);
}

}  // namespace
}  // namespace zyn
