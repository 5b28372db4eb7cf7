#include "mail/SupportMail.h"

#include "SmtpServer.h"
#include "mail/SupportArchive.h"
#include "model/base/Cp1252.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zyn {
namespace {

namespace fs = std::filesystem;

using test::ReadWholeFile;

class MailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
    ASSERT_TRUE(test::WriteWholeFile(project, bytes));
  }
  const test::TempFolder folder{"mail"};
  const fs::path dir = folder.Dir();
  const fs::path project = dir / "Anlage Müller.zpf";
};

TEST(MailServerSetting, HostAndOptionalPort) {
  struct Case {
    const char* setting;
    const char* host;
    int port;
  } good[] = {{"mail.example.com", "mail.example.com", 25},
              {" mail.example.com:2525 ", "mail.example.com", 2525},
              {"smtp://127.0.0.1:587/", "127.0.0.1", 587},
              {"SMTP://relay", "relay", 25}};
  for (const Case& c : good) {
    const TMailServer s = ParseMailServer(c.setting);
    EXPECT_EQ(s.Host, c.host) << c.setting;
    EXPECT_EQ(s.Port, c.port) << c.setting;
  }
  for (const char* bad : {"", "   ", "host:", "host:0", "host:65536", "host:25x", ":25", "mail server"}) {
    try {
      ParseMailServer(bad);
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const ESupportMailError& e) {
      EXPECT_FALSE(std::string(e.what()).empty());
    }
  }
  try {
    ParseMailServer("host:99999");
    ADD_FAILURE() << "accepted: host:99999";
  } catch (const ESupportMailError& e) {
    EXPECT_EQ(std::string(e.what()), Ansi("Die Portnummer des Mailservers \"host:99999\" ist ungültig."));
  }
}

TEST_F(MailTest, ArchiveIsFreshEveryTimeAndHoldsTheProjectUnderItsBareName) {
  std::string first, second;
  {
    TSupportArchive a;
    first = a.Pack(project.string());
    EXPECT_EQ(fs::path(first).filename(), "Support.zip");
    const std::string test = test::RunCapture("unzip -t '" + first + "' 2>&1");
    EXPECT_NE(test.find("No errors detected"), std::string::npos) << test;
    const std::string list = test::RunCapture("unzip -Z1 '" + first + "'");
    EXPECT_EQ(list, "Anlage Müller.zpf\n");
    EXPECT_EQ(test::RunCapture("unzip -p '" + first + "'"), ReadWholeFile(project));
    second = a.Pack(project.string());  // a second attempt starts from scratch
    EXPECT_NE(fs::path(first).parent_path(), fs::path(second).parent_path());
    EXPECT_FALSE(fs::exists(fs::path(first).parent_path()));
    EXPECT_EQ(test::RunCapture("unzip -Z1 '" + second + "'"), "Anlage Müller.zpf\n");
  }
  EXPECT_FALSE(fs::exists(fs::path(second).parent_path()));  // nothing is left behind
}

TEST_F(MailTest, UnreadableProjectIsReportedInGermanAndLeavesNothing) {
  TSupportArchive a;
  for (const fs::path& p : {dir / "fehlt.zpf", dir}) {
    try {
      a.Pack(p.string());
      ADD_FAILURE() << p;
    } catch (const ESupportMailError& e) {
      EXPECT_NE(std::string(e.what()).find("konnte nicht gelesen werden"), std::string::npos) << e.what();
    }
    EXPECT_EQ(a.ZipPath(), "");
  }
}

TEST_F(MailTest, MailReachesTheServerWithBodyAndAttachment) {
  test::SmtpServer server(dir / "maildir");
  TSupportArchive archive;
  TMailMessage m;
  m.Sender = "installateur@example.com";
  m.Recipient = "support@example.com";
  m.Subject = "Supportanfrage";
  m.Body = {Ansi("Firma: Elektro Müller"), Ansi("Straße: Hauptstraße 1"), ".", "Ende"};
  m.Agent = "ZYN Systemsoftware V2.4";
  m.Attachment = archive.Pack(project.string());
  SendMail(ParseMailServer("127.0.0.1:" + std::to_string(server.Port)), m);
  const auto mails = server.Messages();
  ASSERT_EQ(mails.size(), 1u);
  const fs::path out = dir / "out";
  fs::create_directories(out);
  const std::string d = test::DescribeMail(mails[0], out);
  EXPECT_NE(d.find("subject: Supportanfrage\n"), std::string::npos) << d;
  EXPECT_NE(d.find("from: installateur@example.com\n"), std::string::npos) << d;
  EXPECT_NE(d.find("body: Firma: Elektro Müller|Straße: Hauptstraße 1|.|Ende|\n"), std::string::npos) << d;
  EXPECT_NE(d.find("attachment: Support.zip application/zip\n"), std::string::npos) << d;
  EXPECT_EQ(test::RunCapture("unzip -p '" + (out / "Support.zip").string() + "'"), ReadWholeFile(project));
}

TEST_F(MailTest, DeadServerAndMissingSenderAreReported) {
  TMailMessage m;
  m.Sender = "a@example.com";
  m.Recipient = "support@example.com";
  m.Subject = "Supportanfrage";
  const int port = test::FreePort();
  try {
    SendMail(ParseMailServer("127.0.0.1:" + std::to_string(port)), m);
    ADD_FAILURE();
  } catch (const ESupportMailError& e) {
    EXPECT_EQ(std::string(e.what()),
              Ansi("Der Mailserver \"127.0.0.1:") + std::to_string(port) + Ansi("\" ist nicht erreichbar."));
  }
  // addresses that are empty or would break the envelope or the header are refused before connecting
  for (const char* sender : {"  ", "a@example.com\r\nBcc: x@example.com", "<a@example.com>", "ohne-at", "a@b@c"}) {
    m.Sender = sender;
    try {
      SendMail(ParseMailServer("127.0.0.1:" + std::to_string(port)), m);
      ADD_FAILURE() << sender;
    } catch (const ESupportMailError& e) {
      EXPECT_EQ(std::string(e.what()).find("nicht erreichbar"), std::string::npos) << sender;
    }
  }
  m.Sender = "a@example.com";
  m.Attachment = (dir / "weg.zip").string();
  EXPECT_THROW(ComposeMimeMessage(m, "b", 0), ESupportMailError);
}

}  // namespace
}  // namespace zyn
