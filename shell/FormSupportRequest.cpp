#include "shell/FormSupportRequest.h"

#include "mail/SupportArchive.h"
#include "mail/SupportMail.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "shell/Branding.h"
#include "shell/FormCompressFile.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zyn {

TFrmSupportRequest::TFrmSupportRequest(QWidget* parent, std::string projectFile)
    : QDialog(parent), fProjectFile(std::move(projectFile)) {
  setObjectName(QStringLiteral("FrmSupportRequest"));
  setWindowTitle(QStringLiteral("Supportanfrage senden"));
  resize(600, 445);
  auto* layout = new QGridLayout(this);
  FourthHintPanel1 = new TFourthHintPanel(this);
  FourthHintPanel1->setObjectName(QStringLiteral("FourthHintPanel1"));
  FourthHintPanel1->Options().SetPanelImage(piInformation);
  FourthHintPanel1->Options().SetBackgroundColor(clInfoBk);
  FourthHintPanel1->Options().SetWordWrap(true);
  FourthHintPanel1->SetCaption(TranslatedText(
      "Sie können hiermit eine Support- Anfrage an ZORV senden. Je ausführlicher Sie Ihr Problem beschreiben, je "
      "schneller und sicherer kann Ihre Anfrage bearbeitet werden."));
  FourthHintPanel1->setMinimumHeight(48);
  layout->addWidget(FourthHintPanel1, 0, 0, 1, 3);
  MBody = new QPlainTextEdit(this);
  MBody->setObjectName(QStringLiteral("MBody"));
  layout->addWidget(MBody, 1, 0, 1, 3);
  CBAnhang = new QCheckBox(QStringLiteral("Das aktuelle Projekt als Anhang einfügen"), this);
  CBAnhang->setObjectName(QStringLiteral("CBAnhang"));
  layout->addWidget(CBAnhang, 2, 0);
  Button2 = new QPushButton(QStringLiteral("Senden"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button1 = new QPushButton(QStringLiteral("Abbrechen"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  layout->setColumnStretch(0, 1);
  layout->addWidget(Button2, 2, 1);
  layout->addWidget(Button1, 2, 2);
  connect(Button2, &QPushButton::clicked, this, [this] { Send(); });
  connect(Button1, &QPushButton::clicked, this, [this] { done(2); });
  TranslateForm(this);
  CBAnhang->setEnabled(!fProjectFile.empty());
  FillBody();
}

void TFrmSupportRequest::FillBody() {
  if (!GOptionFile) return;
  const TUserBasisDaten& b = GOptionFile->Optionen().BasisDaten->First();
  const std::vector<std::string> lines = {"Firma: " + b.Firma1,
                                          "       " + b.Firma2,
                                          "Ansprechpartner: " + b.Bearbeiter,
                                          "Plz/Ort: " + b.PLZ + " " + b.Ort,
                                          "Strasse:" + b.Strasse,
                                          "Telefon:" + b.Telefon,
                                          "Fax....:" + b.Fax};
  QStringList text;
  for (const std::string& line : lines) text << ToQString(line);
  MBody->setPlainText(text.join(QLatin1Char('\n')));
}

void TFrmSupportRequest::ShowError(const std::string& headline, const std::string& detail) {
  TranslatedMessageDlg(TranslateText(headline) + "\n\n" + detail, mtError, mbOK);
}

bool TFrmSupportRequest::Send() {
  std::string setting, sender;
  GetMailSetting(1, setting);
  GetMailSetting(0, sender);
  TMailServer server;
  try {
    server = ParseMailServer(setting);
  } catch (const ESupportMailError& e) {
    ShowError(Ansi("Fehler beim Versenden der EMail!"), e.what());
    return false;
  }
  // The request goes only to an address that is set; the user may have cleared it.
  const std::string recipient =
      GOptionFile ? Trim(GOptionFile->Optionen().Internet->First().SupportAddress) : GetSupportAddress();
  if (recipient.empty()) {
    ShowError(Ansi("Fehler beim Versenden der EMail!"),
              TranslateText(Ansi("Es ist keine Support-Adresse eingestellt. Bitte tragen Sie sie unter "
                                 "\"Einstellungen\" > \"Allgemein...\" > \"Internet\" ein.")));
    return false;
  }
  TMailMessage message;
  message.Sender = sender;
  message.Recipient = recipient;
  message.Subject = "Supportanfrage";
  message.Agent = "ZYN Systemsoftware V2.4";
  for (const QString& line : MBody->toPlainText().split(QLatin1Char('\n'))) message.Body.push_back(FromQString(line));

  // The archive lives in a temporary folder of its own, removed when this function ends.
  TSupportArchive archive;
  if (CBAnhang->isChecked() && CBAnhang->isEnabled()) {
    TFrmCompressFile progress(this);
    progress.show();
    progress.SetProgress(0);
    try {
      message.Attachment = archive.Pack(fProjectFile);
    } catch (const ESupportMailError& e) {
      progress.hide();
      ShowError(Ansi("Der Anhang konnte nicht erstellt werden."), e.what());
      return false;
    }
    progress.SetProgress(100);
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    SendMail(server, message);
  } catch (const ESupportMailError& e) {
    QApplication::restoreOverrideCursor();
    ShowError(Ansi("Fehler beim Versenden der EMail!"), e.what());
    return false;
  }
  QApplication::restoreOverrideCursor();
  // The user learns that the request is on its way and to whom it went.
  TranslatedMessageDlg(TranslateText(Ansi("Die Supportanfrage wurde gesendet an:")) + "\n" + message.Recipient,
                       mtInformation, mbOK);
  done(1);
  return true;
}

}  // namespace zyn
