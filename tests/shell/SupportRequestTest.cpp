#include "../mail/SmtpServer.h"
#include "model/base/Cp1252.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "shell/Branding.h"
#include "shell/FormSupportRequest.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Files.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>

namespace zyn {
namespace {

namespace fs = std::filesystem;

using test::ReadWholeFile;

class SupportRequest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureApp();
    GOptionFile = std::make_unique<TZYNOptionFile>(dir.string() + "/");
    GOptionFile->SetDefaults();
    TUserBasisDaten& b = GOptionFile->Optionen().BasisDaten->First();
    b.Firma1 = Ansi("Elektro Müller");
    b.Strasse = Ansi("Hauptstraße 1");
    b.email = "installateur@example.com";
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += static_cast<char>((i * 91 + 7) & 0xFF);
    ASSERT_TRUE(test::WriteWholeFile(project, bytes));
    previous = SetMessageDlgHook([this](const QString& text, const QString&, unsigned type) {
      shown << text;
      types.push_back(type & 0xF0u);
      return IDOK;
    });
  }
  void TearDown() override {
    SetMessageDlgHook(previous);
    GOptionFile.reset();
  }
  void SetServer(const std::string& s) { GOptionFile->Optionen().Internet->First().MailServer = s; }

  const test::TempFolder folder{"support"};
  const fs::path dir = folder.Dir();
  const fs::path project = dir / "Anlage.zpf";
  QStringList shown;
  std::vector<unsigned> types;  // the icon of each box
  TMessageDlgHook previous;
};

TEST_F(SupportRequest, SendsTheBodyAndTheZippedProjectToTheMailServer) {
  test::SmtpServer server(dir / "maildir");
  SetServer("127.0.0.1:" + std::to_string(server.Port));
  TFrmSupportRequest dialog(nullptr, project.string());
  EXPECT_TRUE(dialog.CBAnhang->isEnabled());
  const QStringList lines = dialog.MBody->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], "Firma: Elektro Müller");
  EXPECT_EQ(lines[4], "Strasse:Hauptstraße 1");
  dialog.MBody->appendPlainText("Die Jalousie fährt nicht zurück.");
  dialog.CBAnhang->setChecked(true);
  dialog.show();
  dialog.Button2->click();
  // One confirmation in German that names the recipient.
  ASSERT_EQ(shown.size(), 1) << shown.join("|").toStdString();
  EXPECT_EQ(types[0], static_cast<unsigned>(MB_ICONINFORMATION));
  EXPECT_TRUE(shown[0].startsWith("Die Supportanfrage wurde gesendet an:")) << shown[0].toStdString();
  EXPECT_TRUE(shown[0].contains(QString::fromStdString(GetSupportAddress()))) << shown[0].toStdString();
  EXPECT_EQ(dialog.result(), 1);
  EXPECT_FALSE(dialog.isVisible());

  const auto mails = server.Messages();
  ASSERT_EQ(mails.size(), 1u);
  const fs::path out = dir / "out";
  fs::create_directories(out);
  const std::string d = test::DescribeMail(mails[0], out);
  EXPECT_NE(d.find("subject: Supportanfrage\n"), std::string::npos) << d;
  EXPECT_NE(d.find("from: installateur@example.com\n"), std::string::npos) << d;
  EXPECT_NE(d.find("to: " + GetSupportAddress() + "\n"), std::string::npos) << d;
  EXPECT_NE(d.find("body: Firma: Elektro Müller|"), std::string::npos) << d;
  EXPECT_NE(d.find("|Die Jalousie fährt nicht zurück.|"), std::string::npos) << d;
  EXPECT_EQ(d.find("attachment:"), d.rfind("attachment:")) << "exactly one attachment";
  ASSERT_NE(d.find("attachment: Support.zip application/zip\n"), std::string::npos) << d;
  const std::string zip = (out / "Support.zip").string();
  const std::string check = test::RunCapture("unzip -t '" + zip + "' 2>&1");
  EXPECT_NE(check.find("No errors detected"), std::string::npos) << check;
  EXPECT_EQ(test::RunCapture("unzip -Z1 '" + zip + "'"), "Anlage.zpf\n");
  EXPECT_EQ(test::RunCapture("unzip -p '" + zip + "' Anlage.zpf"), ReadWholeFile(project));
}

TEST_F(SupportRequest, GoesToTheAddressOfTheOptionsAndNeverToABlankOne) {
  test::SmtpServer server(dir / "maildir");
  SetServer("127.0.0.1:" + std::to_string(server.Port));
  GOptionFile->Optionen().Internet->First().SupportAddress = " hilfe@elektro-mueller.de ";
  TFrmSupportRequest dialog(nullptr, std::string());
  dialog.show();
  dialog.Button2->click();
  ASSERT_EQ(shown.size(), 1) << shown.join("|").toStdString();
  EXPECT_EQ(shown[0], "Die Supportanfrage wurde gesendet an:\nhilfe@elektro-mueller.de");
  ASSERT_EQ(server.Messages().size(), 1u);
  const fs::path out = dir / "out";
  fs::create_directories(out);
  const std::string d = test::DescribeMail(server.Messages()[0], out);
  EXPECT_NE(d.find("to: hilfe@elektro-mueller.de\n"), std::string::npos) << d;

  // A cleared address sends nothing and says why; the dialog keeps the text.
  GOptionFile->Optionen().Internet->First().SupportAddress = "  ";
  shown.clear();
  types.clear();
  TFrmSupportRequest second(nullptr, std::string());
  second.show();
  second.Button2->click();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(types[0], static_cast<unsigned>(MB_ICONERROR));
  EXPECT_TRUE(shown[0].contains("keine Support-Adresse eingestellt")) << shown[0].toStdString();
  EXPECT_TRUE(second.isVisible());
  EXPECT_EQ(server.Messages().size(), 1u);
}

TEST_F(SupportRequest, DeadServerShowsTheErrorAndKeepsTheDialogOpen) {
  SetServer("127.0.0.1:" + std::to_string(test::FreePort()));
  TFrmSupportRequest dialog(nullptr, project.string());
  dialog.CBAnhang->setChecked(true);
  dialog.MBody->setPlainText("Bitte helfen");
  dialog.show();
  dialog.Button2->click();
  ASSERT_EQ(shown.size(), 1);  // the error only, no confirmation
  EXPECT_EQ(types[0], static_cast<unsigned>(MB_ICONERROR));
  EXPECT_TRUE(shown[0].startsWith("Fehler beim Versenden der EMail!")) << shown[0].toStdString();
  EXPECT_TRUE(shown[0].contains("nicht erreichbar")) << shown[0].toStdString();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_NE(dialog.result(), 1);
  EXPECT_EQ(dialog.MBody->toPlainText(), "Bitte helfen");  // nothing typed is lost
}

TEST_F(SupportRequest, NoProjectNoAttachmentAndAMissingProjectFileIsReported) {
  TFrmSupportRequest without(nullptr, "");
  EXPECT_FALSE(without.CBAnhang->isEnabled());

  SetServer("127.0.0.1:25");
  TFrmSupportRequest dialog(nullptr, (dir / "geloescht.zpf").string());
  dialog.CBAnhang->setChecked(true);
  dialog.show();
  dialog.Button2->click();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].startsWith("Der Anhang konnte nicht erstellt werden.")) << shown[0].toStdString();
  EXPECT_TRUE(dialog.isVisible());

  shown.clear();
  SetServer("");
  dialog.CBAnhang->setChecked(false);
  dialog.Button2->click();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].contains("Es ist kein Mailserver eingetragen.")) << shown[0].toStdString();
}

}  // namespace
}  // namespace zyn
