// Log-in frames, the key pad, the menu frame's buttons by level, the connector frame and the user
// administration frame, with the user file of the run time.

#include "tests/visu/ui/VisuUiFixture.h"
#include "visu/ui/UserAdminFrame.h"
#include "visu/ui/VisuFrames.h"
#include "visu/ui/VisuLogin.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class TManager : public IUserManager {
 public:
  int32_t GetCurrentUserLevel() override { return level; }
  void SetCurrentUser(const std::string& name, int32_t l) override {
    user = name;
    level = l;
    ++calls;
  }
  std::string user;
  int32_t level = -1;
  int calls = 0;
};

class LoginTest : public VisuUiTest {
 protected:
  // The user file: the administrator (password 5827) and "Hausmeister" of level 3 (password 42).
  void WriteUserFile() {
    TUserDataList users;
    users.AddDefaultUser();
    auto u = std::make_unique<TVisuUserData>();
    u->SetNameAndPassword("Hausmeister", "42");
    u->UserLevel = 3;
    users.Add(std::move(u));
    users.SaveUsersToFile(folder.File("VisuUserData.udf"));
  }
  void Choose(TVisuUserLogin2& login, const char* name) {
    login.UserBoxEntered();
    login.CBUser->setCurrentIndex(login.CBUser->findText(QString::fromUtf8(name)));
  }
  void Type(TNumberBlk& pad, const std::vector<std::string>& keys) {
    for (const auto& k : keys) QTest::mouseClick(pad.Key(k), Qt::LeftButton);
  }
  TManager manager;
};

TEST_F(LoginTest, KeyPadBuildsTheCode) {
  TNumberBlk pad;
  std::string shown;
  int ok = 0;
  pad.OnUpdateEdit = [&](QObject*, std::string& pwd) { shown = pwd; };
  pad.OnPwdInserted = [&](QObject*, std::string&) { ++ok; };
  Type(pad, {"1", "2", "CE", "3"});
  EXPECT_EQ(pad.PassString, "13");
  EXPECT_EQ(shown, "13");
  Type(pad, {"C", "OK"});
  EXPECT_EQ(shown, "");
  EXPECT_EQ(ok, 1);
}

TEST_F(LoginTest, RightCodeOpensWrongIsRefusedAndUsersAreNotDoubled) {
  WriteUserFile();
  TVisuUserLogin2 login;
  login.SetUserManager(&manager);
  login.SetUserManager(&manager);  // a second hand-over reads the file again, not twice
  EXPECT_EQ(login.Users().Count(), 2);
  login.UserBoxEntered();
  EXPECT_EQ(login.CBUser->count(), 2);

  // OK with no user chosen: not found, with an empty name.
  login.PasswordInserted();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("Der Benutzer \"\" konnte nicht gefunden werden"), std::string::npos);

  Choose(login, "Hausmeister");
  Type(*login.NumberBlk1, {"4", "3", "OK"});
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_NE(Messages()[1].find("Die Passworteingabe für den Benutzer \"Hausmeister\" ist nicht korrekt"),
            std::string::npos);
  EXPECT_EQ(manager.calls, 0);
  EXPECT_FALSE(login.BtnStart->isEnabled());

  Type(*login.NumberBlk1, {"CE", "2", "OK"});
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(manager.user, "Hausmeister");
  EXPECT_EQ(manager.level, 3);
  EXPECT_TRUE(login.BtnStart->isEnabled());  // level 3: the start page only
  EXPECT_FALSE(login.BtnMenu->isEnabled());

  // Another user disables both again; the administrator gets both.
  Choose(login, "Administrator");
  EXPECT_FALSE(login.BtnStart->isEnabled());
  EXPECT_EQ(login.EDPwd->text(), QString());
  Type(*login.NumberBlk1, {"5", "8", "2", "7", "OK"});
  EXPECT_TRUE(login.BtnStart->isEnabled());
  EXPECT_TRUE(login.BtnMenu->isEnabled());
  std::vector<std::string> targets;
  login.BtnMenu->Target = "Menue";
  login.SetEvent([&](QObject*, const std::string& t) { targets.push_back(t); });
  QTest::mouseClick(login.BtnMenu, Qt::LeftButton);
  EXPECT_EQ(targets, (std::vector<std::string>{"Menue"}));
}

TEST_F(LoginTest, WithoutUserFileEveryLoginFails) {
  TVisuUserLogin1 built;  // built on a page: no box yet
  EXPECT_TRUE(Messages().empty());
  built.SetUserManager(&manager);
  ASSERT_EQ(Messages().size(), 1u);
  built.EDUser->setText("Administrator");
  built.LoginClick();
  EXPECT_NE(Messages().back().find("konnte nicht gefunden werden"), std::string::npos);
  const size_t before = Messages().size();

  TVisuUserLogin2 login;
  login.SetUserManager(&manager);
  ASSERT_EQ(Messages().size(), before + 1);
  EXPECT_EQ(Messages().back(), "Die Benutzerdaten konnten nicht geladen werden!");
  Choose(login, "Administrator");
  login.PasswordInserted();
  EXPECT_NE(Messages().back().find("konnte nicht gefunden werden"), std::string::npos);
  // A damaged file is reported the same way and leaves no users.
  WriteWholeFile(folder.File("VisuUserData.udf"), "kaputt");
  login.SetUserManager(&manager);
  EXPECT_EQ(Messages().back(), "Die Benutzerdaten konnten nicht geladen werden!");
  EXPECT_EQ(login.Users().Count(), 0);
}

TEST_F(LoginTest, NameAndPasswordLoginAndTheAdministrationTool) {
  WriteUserFile();
  TVisuUserLogin1 login;
  login.SetUserManager(&manager);
  EXPECT_EQ(login.Users().Count(), 2);  // read by the constructor and again, not doubled
  std::vector<std::string> targets;
  login.SetEvent([&](QObject*, const std::string& t) { targets.push_back(t); });
  login.VNBtnLogin->Target = "Start";
  login.EDUser->setText("administrator");  // names are compared exactly
  login.LoginClick();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].substr(0, 26), "Fehler bei der Anmeldung:\r");
  login.EDUser->setText("Hausmeister");
  login.EDPwd->setText("42");
  login.LoginClick();
  EXPECT_EQ(manager.level, 3);
  EXPECT_EQ(targets, (std::vector<std::string>{"Start"}));

  // Stand-alone: only administrators pass.
  QDialog dialog;
  auto* tool = new TVisuUserLogin1(&dialog);
  tool->StandAlone = true;
  tool->EDUser->setText("Hausmeister");
  tool->EDPwd->setText("42");
  tool->LoginClick();
  EXPECT_NE(Messages().back().find("nicht über Administratorrechte"), std::string::npos);
  EXPECT_EQ(dialog.result(), 0);
  tool->EDUser->setText("Administrator");
  tool->EDPwd->setText("5827");
  tool->LoginClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(LoginTest, MenuButtonsFollowTheUserLevel) {
  TVisuMenuFrame menu;
  TComponentRecord rec = menu.MakeRecord();
  rec.SetProperty("StartZiel", TFilerValue::String("Start"));
  TVisuMenuFrame read;
  read.ReadRecord(rec);
  EXPECT_TRUE(read.BtnStart->isEnabled());
  for (QWidget* b : {static_cast<QWidget*>(read.BtnLogin), static_cast<QWidget*>(read.BtnAdmin),
                     static_cast<QWidget*>(read.BtnConnect), static_cast<QWidget*>(read.BtnOption)})
    EXPECT_FALSE(b->isEnabled());

  manager.level = 3;
  menu.SetUserManager(&manager);
  std::vector<bool> enabled;
  for (QWidget* b : std::initializer_list<QWidget*>{menu.BtnLogin, menu.BtnLogout, menu.BtnAdmin, menu.BtnConnect,
                                                    menu.BtnConnectAll, menu.BtnDisConnectAll, menu.BtnOption,
                                                    menu.BtnStart, menu.BtnClose})
    enabled.push_back(b->isEnabled());
  EXPECT_EQ(enabled, (std::vector<bool>{false, true, false, false, false, false, false, true, false}));
  manager.level = 0;
  menu.SetButtonsByLevel();
  EXPECT_TRUE(menu.BtnAdmin->isEnabled());
  EXPECT_FALSE(menu.BtnLogin->isEnabled());
  // Logging out: the manager reports -1 and the buttons keep the state of the last level.
  QTest::mouseClick(menu.BtnLogout, Qt::LeftButton);
  EXPECT_EQ(manager.level, -1);
  EXPECT_TRUE(menu.BtnAdmin->isEnabled());

  // A navigation button with an empty target does not navigate.
  int navigations = 0;
  menu.SetEvent([&](QObject*, const std::string&) { ++navigations; });
  QTest::mouseClick(menu.BtnAdmin, Qt::LeftButton);
  EXPECT_EQ(navigations, 0);
  menu.BtnAdmin->Target = "Admin";
  QTest::mouseClick(menu.BtnAdmin, Qt::LeftButton);
  EXPECT_EQ(navigations, 1);
}

TEST_F(LoginTest, ConnectorListsReachableAndConnectedControlModules) {
  TVisuConnectorFrame frame;
  frame.ListClick();  // no handlers: an empty list, both buttons off
  EXPECT_FALSE(frame.BtnConn->isEnabled());
  EXPECT_FALSE(frame.BtnDis->isEnabled());

  std::vector<int32_t> used{0, 1, 2}, available{0}, connected{2};
  auto answer = [](std::vector<int32_t>& from) {
    return [&from](QObject*, int& count, std::vector<int32_t>& numbers) {
      numbers = from;
      count = int(from.size());
    };
  };
  std::vector<int32_t> connects;
  frame.SetSTMConnectEvents({}, {},
                            [&](QObject*, int32_t n) {
                              connects.push_back(n);
                              connected.push_back(n);
                            },
                            {});
  frame.SetSTMInfoEvents(answer(available), answer(connected), answer(used));
  const auto items = frame.Items();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(frame.CLBSTMs->item(1)->text(), "Steuermodul Adresse: 1");
  EXPECT_TRUE(items[0].Reachable);
  EXPECT_FALSE(items[1].Reachable);
  EXPECT_TRUE(items[2].Reachable && items[2].Connected);  // connected without being reported reachable
  EXPECT_EQ(frame.CLBSTMs->item(2)->checkState(), Qt::Checked);
  EXPECT_TRUE(frame.CLBSTMs->item(2)->flags() & Qt::ItemIsEnabled);
  // The first item is selected: reachable, not connected.
  EXPECT_TRUE(frame.BtnConn->isEnabled());
  EXPECT_FALSE(frame.BtnDis->isEnabled());
  QTest::mouseClick(frame.BtnConn, Qt::LeftButton);
  EXPECT_EQ(connects, (std::vector<int32_t>{0}));
  EXPECT_TRUE(frame.Items()[0].Connected);
  EXPECT_TRUE(frame.BtnDis->isEnabled());
  // Ticking an item connects it, also when it was connected already.
  frame.CLBSTMs->item(2)->setCheckState(Qt::Unchecked);
  frame.CLBSTMs->item(2)->setCheckState(Qt::Checked);
  EXPECT_EQ(connects.back(), 2);

  // The home button navigates at run time only.
  std::vector<std::string> targets;
  frame.SetEvent([&](QObject*, const std::string& t) { targets.push_back(t); });
  frame.SetHomeZiel("Menue");
  QTest::mouseClick(frame.BtnHome, Qt::LeftButton);
  frame.SetDesigning(true);
  QTest::mouseClick(frame.BtnHome, Qt::LeftButton);
  EXPECT_EQ(targets, (std::vector<std::string>{"Menue"}));
}

TEST_F(LoginTest, AdministrationAddsEditsAndDeletesUsers) {
  auto* users = new TUserDataList;
  users->AddDefaultUser();
  TVisuUserAdminFrame admin;
  admin.UserFileName = folder.File("VisuUserData.udf");
  int modified = 0;
  admin.OnModified = [&] { ++modified; };
  admin.SetUserList(users);  // the frame (not designing) frees it
  ASSERT_EQ(admin.UserList->topLevelItemCount(), 1);
  EXPECT_EQ(admin.UserList->topLevelItem(0)->text(2), "****");

  // Letters do not get into the password fields while the box is ticked.
  QTest::keyClicks(admin.EDPwd1, "a1b2");
  EXPECT_EQ(admin.EDPwd1->text(), "12");

  admin.BtnNewClick();
  EXPECT_FALSE(admin.BtnNew->isEnabled());
  admin.EDUser->setText("Technik");
  admin.EDPwd1->setText("11");
  admin.EDPwd2->setText("12");
  admin.BtnCommitClick();
  EXPECT_NE(Messages().back().find("stimmen nicht überein"), std::string::npos);
  EXPECT_EQ(users->Count(), 1);
  admin.EDPwd2->setText("11");
  admin.CBLevel->setCurrentIndex(2);
  admin.BtnCommitClick();
  ASSERT_EQ(users->Count(), 2);
  EXPECT_EQ(users->User(1).UserLevel, 2);
  EXPECT_EQ(modified, 1);
  EXPECT_TRUE(admin.BtnNew->isEnabled());
  {
    TUserDataList saved;
    ASSERT_TRUE(saved.LoadUsersFromFile(admin.UserFileName));
    EXPECT_EQ(saved.Count(), 2);
  }

  // Editing keeps the ident and the order.
  const std::string ident = users->User(1).Ident;
  admin.UserList->setCurrentItem(admin.UserList->topLevelItem(1));
  admin.BtnEditClick();
  EXPECT_EQ(admin.EDPwd1->text(), "11");
  admin.EDUser->setText("Technik2");
  admin.BtnCommitClick();
  std::string name, pwd;
  users->User(1).GetNameAndPassword(name, pwd);
  EXPECT_EQ(name, "Technik2");
  EXPECT_EQ(users->User(1).Ident, ident);

  // Missing input is refused.
  admin.BtnNewClick();
  admin.BtnCommitClick();
  EXPECT_NE(Messages().back().find("nicht vollständig"), std::string::npos);
  admin.BtnCancelClick();

  // Deleting asks first; No keeps the user.
  admin.UserList->setCurrentItem(admin.UserList->topLevelItem(0));
  Answer(7);
  admin.BtnDeleteClick();
  EXPECT_EQ(users->Count(), 2);
  EXPECT_NE(Messages().back().find("Ausgewählten Benutzer Administrator wirklich löschen?"), std::string::npos);
  Answer(6);
  admin.BtnDeleteClick();
  EXPECT_EQ(users->Count(), 1);
  EXPECT_EQ(modified, 3);
}

TEST_F(LoginTest, AdministrationOnTheProjectPageNeitherSavesNorFreesTheList) {
  TUserDataList users;
  users.AddDefaultUser();
  {
    TVisuUserAdminFrame admin;
    admin.Designing = true;
    admin.UserFileName = folder.File("VisuUserData.udf");
    admin.SetUserList(&users);
    admin.BtnNewClick();
    admin.EDUser->setText("Administrator");
    admin.EDPwd1->setText("1");
    admin.EDPwd2->setText("1");
    admin.BtnCommitClick();
  }
  EXPECT_EQ(users.Count(), 2);  // two of that name are allowed
  EXPECT_FALSE(std::filesystem::exists(folder.File("VisuUserData.udf")));
}

}  // namespace
}  // namespace zyn::test
