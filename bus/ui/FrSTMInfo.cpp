#include "bus/ui/FrSTMInfo.h"

#include "bus/StmInfo.h"
#include "bus/ui/BusPage.h"
#include "model/base/Cp1252.h"
#include "frames/ObjectPage.h"
#include "platform/QtText.h"
#include "shell/Translation.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

constexpr const char* kName = "FrSTMInfo";
const char* const kCaptions[] = {
    "Projektname:",      "Programmiert am:",         "Programmiert um:", "Programmiert von:", "Projektplanung:",
    "Software Version:", "Prüfsumme über Programm:", "Programmgröße:",   "ProjektID"};

}  // namespace

TFrSTMInfo::TFrSTMInfo(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(kName));
  auto* outer = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  BtnOK = new QToolButton(this);
  BtnOK->setObjectName(QStringLiteral("BtnOK"));
  BtnOK->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  BtnOK->setToolTip(BusText("Informationen auslesen"));
  FStyle = MakeSideBarCheck(this, kName);
  tools->addWidget(BtnOK);
  tools->addStretch();
  tools->addWidget(new TBusDeviceLabel(this));
  tools->addWidget(FStyle);
  outer->addLayout(tools);
  TC = new TPageTabBar(this);
  outer->addWidget(TC);
  auto* group = new QGroupBox(BusText(" Projektinformationen "), this);
  auto* form = new QFormLayout(group);
  for (size_t i = 0; i < Values.size(); ++i) {
    Values[i] = new QLabel(group);
    Values[i]->setObjectName(QStringLiteral("Value%1").arg(i + 1));
    Values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(BusText(kCaptions[i]), Values[i]);
  }
  outer->addWidget(group);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  outer->addWidget(Memo1, 1);

  WireLink(ZYNCom);
  ZYNCom.SetCloseDelay(0);
  connect(BtnOK, &QToolButton::clicked, this, [this] { OKClick(); });
  connect(TC, &QTabBar::currentChanged, this, [this] { ShowingErrors([this] { ReadProjectInfo(); }); });
  UpdateReadButton();
}

void TFrSTMInfo::FrameActivate() {
  ShowSideBarCheck(FStyle, kName);
  FillModuleTabs(TC);
}

void TFrSTMInfo::FrameDeactivate() {
  ClearValues();
  const QSignalBlocker block(TC);
  while (TC->count() > 0) TC->removeTab(0);
}

void TFrSTMInfo::UpdateReadButton() { BtnOK->setEnabled(TC->count() > 0); }

void TFrSTMInfo::ClearValues() {
  for (QLabel* label : Values) label->clear();
  Memo1->clear();
}

void TFrSTMInfo::ReadProjectInfo() {
  ClearValues();
  const int adresse = TabModule(TC, TC->currentIndex());
  if (adresse < 0) return;
  TStmInfoValues values;
  const TStmInfoResult result = ReadStmInfo(ZYNCom, PageSerialSettings(), adresse, values);
  if (result == TStmInfoResult::NoModule) {
    // The log names the silent module and the device; a port that could not be opened says why.
    const std::string why = ZYNCom.OpenErrorText().empty()
                                ? BusAnsi("Das Steuermodul %d antwortet nicht an") + " " + Utf8ToAnsi(ZYNCom.DeviceText())
                                : ZYNCom.OpenErrorText();
    Memo1->appendPlainText(ToQString(why).replace(QStringLiteral("%d"), QString::number(adresse)));
    TranslatedMessageDlg(BusAnsi("Das Steuermodul konnte nicht angesprochen werden!"), mtError, mbCancel);
    return;
  }
  Memo1->appendPlainText(
      BusText("Lese Projektinformationen aus Steuermodul %d.").replace(QStringLiteral("%d"), QString::number(adresse)));
  if (result == TStmInfoResult::ReadFailed) {
    Memo1->appendPlainText(BusText("Fehler beim Auslesen der Projektinformationen."));
    return;
  }
  if (result == TStmInfoResult::Empty) {
    // Erased memory: no project, not a project of 0xFF characters.
    Values[0]->setText(BusText("leer"));
    Memo1->appendPlainText(BusText("Das Steuermodul ist leer: es enthält kein Projekt."));
    return;
  }
  for (size_t i = 0; i < Values.size(); ++i) Values[i]->setText(ToQString(values.Values[i]));
  Memo1->appendPlainText(BusText("Die Projektinformationen wurden erfolgreich ausgelesen."));
}

void TFrSTMInfo::OKClick() {
  TInterfaceLock lock;
  TC->setEnabled(false);
  BtnOK->setEnabled(false);
  const TAtEnd end([this] {
    UpdateReadButton();
    TC->setEnabled(true);
  });
  ShowingErrors([this] { ReadProjectInfo(); });
}

}  // namespace zyn
