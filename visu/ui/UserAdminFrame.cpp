#include "visu/ui/UserAdminFrame.h"

#include "widgets/common/WidgetText.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "shell/Translation.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>

namespace zyn {

namespace {
const char* const kVanished =
    "Der bearbeitete Eintrag konnte nicht in der Datenbasis\r\ngefunden werden!\r\nBitte erstellen Sie diesen "
    "gegebenenfalls neu!";
constexpr int kIdentColumn = 4;  // the ident rides in a fifth column that is never shown
}  // namespace

TVisuUserAdminFrame::TVisuUserAdminFrame(QWidget* parent) : QWidget(parent), TVisuComponent(this) {
  resize(746, 563);
  auto label = [this](const char* name, const char* text, int x, int y, bool bold = false, int px = 0) {
    auto* l = new QLabel(TranslatedText(text), this);
    l->setObjectName(name);
    QFont f = VisuQFont(TVisuFont{});
    f.setBold(bold);
    if (px) f.setPixelSize(px);
    l->setFont(f);
    l->move(x, y);
    l->adjustSize();
    return l;
  };
  auto button = [this](const char* name, const char* text, int x, int y, int w = 140) {
    auto* b = new QPushButton(TranslatedText(text), this);
    b->setObjectName(name);
    b->setGeometry(x, y, w, 28);
    return b;
  };
  auto edit = [this](const char* name, int x, int y, bool password) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setGeometry(x, y, 200, 24);
    e->setMaxLength(int(TVisuUserData::kKeyLength));
    if (password) {
      e->setEchoMode(QLineEdit::Password);
      e->installEventFilter(this);
    }
    return e;
  };
  label("Label1", "Benutzerkonten verwalten", 16, 12, true, 16);
  UserList = new QTreeWidget(this);
  UserList->setObjectName("UserList");
  UserList->setColumnCount(5);
  UserList->setHeaderLabels(
      {TranslatedText("Benutzername"), TranslatedText("Zugangsberechtigung"), TranslatedText("Passwort1"), TranslatedText("Passwort2"), QString()});
  UserList->setColumnWidth(0, 127);
  UserList->setColumnWidth(1, 145);
  UserList->setColumnWidth(2, 122);
  UserList->setColumnWidth(3, 122);
  UserList->setColumnHidden(kIdentColumn, true);
  UserList->setRootIsDecorated(false);
  UserList->setSelectionBehavior(QAbstractItemView::SelectRows);
  UserList->setGeometry(16, 48, 540, 250);
  VNMainMenue = new TVNButton(this);
  VNMainMenue->SetName("VNMainMenue");
  VNMainMenue->setText(TranslatedText("Hauptmenue"));
  VNMainMenue->setGeometry(590, 520, 140, 28);
  BtnEdit = button("BtnEdit", "Bearbeiten", 572, 48);
  BtnNew = button("BtnNew", "Neuer Benutzer", 572, 84);
  BtnDelete = button("BtnDelete", "Benutzer löschen", 572, 120);
  label("Label2", "Datensatz bearbeiten:", 16, 316, true);
  label("Label3", "Benutzername:", 16, 348);
  EDUser = edit("EDUser", 160, 344, false);
  label("Label4", "Passwort:", 16, 380);
  EDPwd1 = edit("EDPwd1", 160, 376, true);
  auto* again = label("Label5", "Passwort\r\nwiederholen:", 16, 408);
  again->setText(again->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  again->adjustSize();
  EDPwd2 = edit("EDPwd2", 160, 412, true);
  label("Label6", "Zugangsberechtigung:", 16, 452);
  CBLevel = new QComboBox(this);
  CBLevel->setObjectName("CBLevel");
  for (int i = 0; i <= 9; ++i) CBLevel->addItem(QString::number(i));
  CBLevel->setCurrentIndex(0);
  CBLevel->setGeometry(160, 448, 80, 24);
  EDIdent = new QLineEdit(this);
  EDIdent->setObjectName("EDIdent");
  EDIdent->hide();
  CBNumeric = new QCheckBox(TranslatedText("nur numerische Passworte zulassen"), this);
  CBNumeric->setObjectName("CBNumeric");
  CBNumeric->setChecked(true);
  CBNumeric->setGeometry(380, 376, 300, 24);
  BtnCancel = button("BtnCancel", "Bearbeiten abbrechen", 380, 444, 160);
  BtnCommit = button("BtnCommit", "Übernehmen", 552, 444, 160);
  QObject::connect(BtnEdit, &QPushButton::clicked, this, [this] { BtnEditClick(); });
  QObject::connect(BtnNew, &QPushButton::clicked, this, [this] { BtnNewClick(); });
  QObject::connect(BtnDelete, &QPushButton::clicked, this, [this] { BtnDeleteClick(); });
  QObject::connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
  QObject::connect(BtnCommit, &QPushButton::clicked, this, [this] { BtnCommitClick(); });
  TranslateFrame(this);
}

TVisuUserAdminFrame::~TVisuUserAdminFrame() {
  if (!Designing) delete fList;
}

void TVisuUserAdminFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), VisuColor(TVisuColors::clBtnFace));
}

bool TVisuUserAdminFrame::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == EDPwd1 || watched == EDPwd2) && event->type() == QEvent::KeyPress && CBNumeric->isChecked()) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // A typed character that is no digit is dropped; backspace and control keys (paste) pass.
    if (key->key() != Qt::Key_Backspace && text.size() == 1 && text[0].isPrint() && !text[0].isDigit()) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TVisuUserAdminFrame::SetUserList(TUserDataList* list) {
  fList = list;
  if (fList) RefreshUserList();
}

void TVisuUserAdminFrame::RefreshUserList() {
  UserList->clear();
  if (!fList) return;
  for (int32_t i = 0; i < fList->Count(); ++i) {
    const TVisuUserData& u = fList->User(i);
    std::string name, pwd;
    u.GetNameAndPassword(name, pwd);
    const QString stars(int(pwd.size()), QLatin1Char('*'));
    auto* row = new QTreeWidgetItem(UserList,
                                    {ToQString(name), QString::number(u.UserLevel), stars, stars, ToQString(u.Ident)});
    (void)row;
  }
}

void TVisuUserAdminFrame::ClearUserFields() {
  EDUser->clear();
  EDPwd1->clear();
  EDPwd2->clear();
  EDIdent->clear();
  CBLevel->setCurrentIndex(0);
}

void TVisuUserAdminFrame::EnableEditButtons(bool on) {
  BtnCancel->setEnabled(on);
  BtnCommit->setEnabled(on);
}

void TVisuUserAdminFrame::EnableListButtons(bool on) {
  BtnEdit->setEnabled(on);
  BtnNew->setEnabled(on);
  BtnDelete->setEnabled(on);
}

void TVisuUserAdminFrame::BtnEditClick() {
  QTreeWidgetItem* row = UserList->currentItem();
  if (!row || !fList) return;
  EDUser->setText(row->text(0));
  CBLevel->setCurrentIndex(CBLevel->findText(row->text(1)));
  EDIdent->setText(row->text(kIdentColumn));
  TVisuUserData* user = fList->FindByIdent(FromQString(EDIdent->text()));
  if (!user) {
    TranslatedMessageDlg(Ansi("Der ausgewählte Eintrag konnte nicht in der Datenbasis\r\ngefunden werden!"), mtError,
                         mbOK);
    ClearUserFields();
    return;
  }
  std::string name, pwd;
  user->GetNameAndPassword(name, pwd);
  EDPwd1->setText(ToQString(pwd));
  EDPwd2->setText(ToQString(pwd));
  EnableEditButtons(true);
  EnableListButtons(false);
}

void TVisuUserAdminFrame::BtnNewClick() {
  new QTreeWidgetItem(UserList);
  ClearUserFields();
  EnableEditButtons(true);
  EnableListButtons(false);
}

void TVisuUserAdminFrame::BtnCancelClick() {
  RefreshUserList();
  ClearUserFields();
  EnableEditButtons(false);
  EnableListButtons(true);
}

void TVisuUserAdminFrame::Changed() {
  if (OnModified) OnModified();
  if (Designing || UserFileName.empty() || !fList) return;
  try {
    fList->SaveUsersToFile(UserFileName);
  } catch (const EZYNError&) {
    TranslatedMessageDlg(Ansi("Die Benutzerdaten konnten nicht gespeichert werden:\r\n") + UserFileName, mtError, mbOK);
  }
}

void TVisuUserAdminFrame::BtnCommitClick() {
  const std::string name = FromQString(EDUser->text()), pwd1 = FromQString(EDPwd1->text()),
                    pwd2 = FromQString(EDPwd2->text());
  if (pwd1 != pwd2) {
    TranslatedMessageDlg(Ansi("Passwort und Passwortwiederholung stimmen nicht überein!\r\nBitte Passwort erneut "
                              "eingeben und unter Passwort wiederholen\r\nbestätigen!"),
                         mtInformation, mbOK);
    return;
  }
  if (name.empty() || pwd1.empty()) {
    TranslatedMessageDlg(TranslateText(Ansi("Die Benutzerdaten sind nicht vollständig! Bitte ergänzen sie die")) +
                             "\r\n" + TranslateText(Ansi("fehlenden Angaben!")),
                         mtInformation, mbOK);
    return;
  }
  if (!fList) return;
  const int32_t level = CBLevel->currentIndex() < 0 ? 0 : CBLevel->currentText().toInt();
  const std::string ident = FromQString(EDIdent->text());
  if (!ident.empty()) {
    if (TVisuUserData* user = fList->FindByIdent(ident)) {
      user->SetNameAndPassword(name, pwd1);
      user->UserLevel = level;
    } else {
      TranslatedMessageDlg(Ansi(kVanished), mtError, mbOK);
    }
  } else {
    auto user = std::make_unique<TVisuUserData>();
    user->SetNameAndPassword(name, pwd1);
    user->UserLevel = level;
    user->Ident = TUserDataList::MakeIdent(user->UserName);
    const std::string entry = user->Ident;
    fList->Add(std::move(user), entry);
  }
  EnableEditButtons(false);
  EnableListButtons(true);
  Changed();
  ClearUserFields();
  RefreshUserList();
}

void TVisuUserAdminFrame::BtnDeleteClick() {
  QTreeWidgetItem* row = UserList->currentItem();
  if (!row || !fList) return;
  const std::string question =
      FormatS(TranslateText(Ansi("Ausgewählten Benutzer %s wirklich löschen?")), FromQString(row->text(0)));
  if (TranslatedMessageDlg(question, mtConfirmation, mbYes | mbNo) != 6) return;
  const std::string ident = FromQString(row->text(kIdentColumn));
  for (int32_t i = 0; i < fList->Count(); ++i) {
    if (fList->User(i).Ident == ident) {
      fList->Delete(i);
      Changed();
      RefreshUserList();
      return;
    }
  }
  TranslatedMessageDlg(Ansi(kVanished), mtError, mbOK);
}

bool TVisuUserAdminFrame::ReadProperty(std::string_view name, const TFilerValue& v) {
  if (name == "Designing")
    Designing = v.AsBoolean();
  else
    return TVisuComponent::ReadProperty(name, v);
  return true;
}

void TVisuUserAdminFrame::WriteProperties(std::vector<TPropertyRecord>& out) const {
  PutBool(out, "Designing", Designing);
}

}  // namespace zyn
