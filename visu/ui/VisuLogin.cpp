#include "visu/ui/VisuLogin.h"

#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "shell/Translation.h"
#include "visu/ui/VisuLogger.h"

#include <QDialog>
#include <QEvent>

#include <filesystem>

namespace zyn {

std::string FormatS(const std::string& text, const std::string& arg) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's') {
      out += arg;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

namespace {
const char* const kNotFound = "Der Benutzer \"%s\" konnte nicht gefunden werden. Bitte überprüfen sie Ihre Eingabe.";
const char* const kWrongPwd =
    "Die Passworteingabe für den Benutzer \"%s\" ist nicht korrekt. Bitte überprüfen Sie Ihre Eingabe!";
void Error(const std::string& text) { TranslatedMessageDlg(text, mtError, mbOK); }
}  // namespace

// ---- key pad ------------------------------------------------------------------------------------

TNumberBlk::TNumberBlk(QWidget* parent) : QWidget(parent), TVisuComponent(this) {
  resize(222, 220);
  setFocusPolicy(Qt::StrongFocus);
  static const char* const kKeys[12] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "CE", "C"};
  for (int i = 0; i < 12; ++i) {
    auto* b = new QPushButton(QString::fromLatin1(kKeys[i]), this);
    b->setObjectName(QStringLiteral("Key") + QString::fromLatin1(kKeys[i]));
    b->setGeometry(4 + (i % 3) * 54, 4 + (i / 3) * 54, 50, 50);
    b->setFocusPolicy(Qt::NoFocus);
    const std::string key = kKeys[i];
    QObject::connect(b, &QPushButton::clicked, this, [this, key] { PressKey(key); });
  }
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("KeyOK"));
  ok->setGeometry(166, 4, 50, 212);
  ok->setFocusPolicy(Qt::NoFocus);
  QObject::connect(ok, &QPushButton::clicked, this, [this] { PressKey("OK"); });
}

QPushButton* TNumberBlk::Key(const std::string& caption) const {
  return findChild<QPushButton*>(QStringLiteral("Key") + QString::fromLatin1(caption.c_str()));
}

void TNumberBlk::PressKey(const std::string& key) {
  if (key == "OK") {
    if (OnPwdInserted) OnPwdInserted(this, PassString);
  } else {
    if (key == "CE") {
      if (!PassString.empty()) PassString.pop_back();
    } else if (key == "C") {
      PassString.clear();
    } else if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') {
      PassString += key;
    } else {
      return;
    }
    if (OnUpdateEdit) OnUpdateEdit(this, PassString);
  }
  setFocus();
}

bool TNumberBlk::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "PassString")
    PassString = v.AsString();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TNumberBlk::WriteProperties(std::vector<TPropertyRecord>& out) const { PutText(out, "PassString", PassString); }

// ---- log-in base --------------------------------------------------------------------------------

TVisuLoginBase::TVisuLoginBase(QWidget* parent, int width, int height) : TVisuFrameBase(parent, width, height, true) {}

void TVisuLoginBase::LoadUsers(bool report) {
  fUserFile = VisuProgramFolder() + "VisuUserData.udf";
  std::error_code ec;
  bool loaded = false;
  if (std::filesystem::is_regular_file(std::filesystem::path(fUserFile), ec)) {
    TUserDataList fresh;
    try {
      loaded = fresh.LoadUsersFromFile(fUserFile);
    } catch (const EZYNError&) {
      loaded = false;
    }
    if (loaded) {
      fUsers.Clear();
      for (int32_t i = 0; i < fresh.Count(); ++i) {
        auto user = std::make_unique<TVisuUserData>();
        const TVisuUserData& u = fresh.User(i);
        user->Ident = u.Ident, user->UserEnabled = u.UserEnabled, user->UserLevel = u.UserLevel;
        user->UserName = u.UserName, user->UserPassword = u.UserPassword;
        fUsers.Add(std::move(user));
      }
    }
  }
  if (!loaded && report) Error("Die Benutzerdaten konnten nicht geladen werden!");
}

// ---- TVisuUserLogin2 ----------------------------------------------------------------------------

TVisuUserLogin2::TVisuUserLogin2(QWidget* parent) : TVisuLoginBase(parent, 505, 381) {
  setToolTip(QString());
  AddLabel("Label1", "Benutzer anmelden", 16, 12, true, 16);
  AddBevel(8, 42, 489, 2);
  AddLabel("Label2", "Benutzer auswählen:", 16, 60);
  CBUser = new QComboBox(this);
  CBUser->setObjectName("CBUser");
  CBUser->setEditable(false);
  CBUser->setGeometry(16, 80, 220, 24);
  CBUser->installEventFilter(this);
  AddLabel("Label3", "Zugangscode eingeben:", 16, 120);
  EDPwd = new QLineEdit(this);
  EDPwd->setObjectName("EDPwd");
  EDPwd->setEchoMode(QLineEdit::Password);
  EDPwd->setGeometry(16, 140, 220, 24);
  NumberBlk1 = new TNumberBlk(this);
  NumberBlk1->SetName("NumberBlk1");
  NumberBlk1->move(268, 60);
  BtnStart = AddNavButton("BtnStart", "Startseite", 16, 330);
  BtnMenu = AddNavButton("BtnMenu", "Hauptmenue", 152, 330);
  NumberBlk1->OnUpdateEdit = [this](QObject*, std::string& pwd) {
    if (Designing()) return;
    EDPwd->setText(ToQString(pwd));
    DisableButtons();
  };
  NumberBlk1->OnPwdInserted = [this](QObject*, std::string&) {
    if (!Designing()) PasswordInserted();
  };
  QObject::connect(CBUser, &QComboBox::currentIndexChanged, this, [this] {
    EDPwd->clear();
    NumberBlk1->PassString.clear();
    DisableButtons();
  });
  QObject::connect(BtnStart, &QPushButton::clicked, this, [this] { NavigateFrom(BtnStart, false); });
  QObject::connect(BtnMenu, &QPushButton::clicked, this, [this] { NavigateFrom(BtnMenu, false); });
  TranslateFrame(this);
  DisableButtons();
}

void TVisuUserLogin2::DisableButtons() {
  if (Designing()) return;
  BtnStart->setEnabled(false);
  BtnMenu->setEnabled(false);
}

bool TVisuUserLogin2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CBUser && event->type() == QEvent::FocusIn) UserBoxEntered();
  return TVisuLoginBase::eventFilter(watched, event);
}

void TVisuUserLogin2::UserBoxEntered() {
  if (Designing() || CBUser->count() > 0) return;
  QSignalBlocker block(CBUser);
  for (int32_t i = 0; i < Users().Count(); ++i) {
    std::string name, pwd;
    Users().User(i).GetNameAndPassword(name, pwd);
    CBUser->addItem(ToQString(name));
  }
  CBUser->setCurrentIndex(-1);
}

void TVisuUserLogin2::SetUserManager(IUserManager* manager) {
  fManager = manager;
  LoadUsers();
  CBUser->clear();
}

void TVisuUserLogin2::PasswordInserted() {
  const std::string name = CBUser->currentIndex() >= 0 ? FromQString(CBUser->currentText()) : std::string();
  TVisuUserData* user = Users().FindByName(name);
  if (!user) {
    Error(FormatS(Ansi("Fehler bei der Anmeldung:\r\n") + Ansi(kNotFound), name));
    DisableButtons();
    return;
  }
  std::string userName, password;
  user->GetNameAndPassword(userName, password);
  if (FromQString(EDPwd->text()) != password) {
    Error(FormatS(Ansi("Fehler bei der Anmeldung:\r\n") + Ansi(kWrongPwd), name));
    DisableButtons();
    return;
  }
  if (fManager) fManager->SetCurrentUser(name, user->UserLevel);
  if (user->UserLevel == 0) {
    BtnStart->setEnabled(true);
    BtnMenu->setEnabled(true);
  } else if (user->UserLevel > 0) {
    BtnStart->setEnabled(true);
  }
}

bool TVisuUserLogin2::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "MenuZiel")
    BtnMenu->Target = v.AsString();
  else if (name == "Startziel")
    BtnStart->Target = v.AsString();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuUserLogin2::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutText(out, "MenuZiel", BtnMenu->Target);
  PutText(out, "Startziel", BtnStart->Target);
}

// ---- TVisuUserLogin1 ----------------------------------------------------------------------------

TVisuUserLogin1::TVisuUserLogin1(QWidget* parent) : TVisuLoginBase(parent, 380, 288) {
  AddLabel("Label1", "Benutzer anmelden", 16, 12, true, 16);
  AddBevel(8, 42, 364, 2);
  AddLabel("Label2", "Benutzer", 16, 72);
  EDUser = new QLineEdit(this);
  EDUser->setObjectName("EDUser");
  EDUser->setGeometry(120, 68, 220, 24);
  AddLabel("Label3", "Passwort:", 16, 112);
  EDPwd = new QLineEdit(this);
  EDPwd->setObjectName("EDPwd");
  EDPwd->setEchoMode(QLineEdit::Password);
  EDPwd->setGeometry(120, 108, 220, 24);
  VNBtnLogin = AddNavButton("VNBtnLogin", "Anmelden", 220, 230);
  QObject::connect(VNBtnLogin, &QPushButton::clicked, this, [this] {
    if (!Designing()) LoginClick();
  });
  TranslateFrame(this);
  LoadUsers(false);
}

void TVisuUserLogin1::SetUserManager(IUserManager* manager) {
  fManager = manager;
  LoadUsers();
}

void TVisuUserLogin1::LoginClick() {
  const std::string name = FromQString(EDUser->text());
  TVisuUserData* user = Users().FindByName(name);
  const std::string head = TranslateText(Ansi("Fehler bei der Anmeldung:")) + "\r\n";
  if (!user) {
    Error(FormatS(head + TranslateText(Ansi(kNotFound)), name));
    return;
  }
  std::string userName, password;
  user->GetNameAndPassword(userName, password);
  if (FromQString(EDPwd->text()) != password) {
    Error(FormatS(head + TranslateText(Ansi(kWrongPwd)), name));
    return;
  }
  if (StandAlone) {
    if (user->UserLevel != 0) {
      TranslatedMessageDlg(Ansi("Dieses Benutzerkonto verfügt nicht über Administratorrechte. \r\nEin Ausführen "
                                "des Administrationstools ist nicht möglich."),
                           mtInformation, mbOK);
    } else if (auto* dialog = qobject_cast<QDialog*>(window())) {
      dialog->done(QDialog::Accepted);
    }
    return;
  }
  if (fManager) fManager->SetCurrentUser(name, user->UserLevel);
  if (fNavigate) fNavigate(this, VNBtnLogin->Target);
}

void TVisuUserLogin1::BtnCloseAppClick() { QMetaObject::invokeMethod(window(), "close", Qt::QueuedConnection); }

bool TVisuUserLogin1::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "StandAlone")
    StandAlone = v.AsBoolean();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuUserLogin1::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutBool(out, "StandAlone", StandAlone);
}

}  // namespace zyn
