#include "bus/ui/FrmSTMTimeCheck.h"

#include "bus/ClockService.h"
#include "bus/ZYNComm.h"
#include "bus/ui/ClockPagesCommon.h"
#include "shell/Translation.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>

namespace zyn {

namespace {

QLineEdit* ReadOnlyField(QWidget* parent, const char* name, bool module) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setReadOnly(true);
  if (module) e->setStyleSheet(QStringLiteral("QLineEdit { color: blue; font-weight: bold; background: #ffffe1; }"));
  return e;
}

}  // namespace

TFrmSTMTimeCheck::TFrmSTMTimeCheck(QWidget* parent) : QDialog(parent), PC(std::make_unique<TZYNComm>()) {
  setObjectName(QStringLiteral("FrmSTMTimeCheck"));
  setWindowTitle(ClockText("Datum und Uhrzeit eines Steuermoduls anzeigen"));
  auto* outer = new QVBoxLayout(this);
  auto* choose = new QGroupBox(ClockText(" Steuermodul auswählen "), this);
  auto* chooseLayout = new QHBoxLayout(choose);
  STMGroup = new QButtonGroup(this);
  for (int a = 0; a < 4; ++a) {
    auto* b = new QRadioButton(QStringLiteral("STM %1").arg(a), choose);
    STMGroup->addButton(b, a);
    chooseLayout->addWidget(b);
  }
  STMGroup->button(0)->setChecked(true);
  outer->addWidget(choose);
  auto* fields = new QHBoxLayout;
  auto* stm = new QGroupBox(ClockText(" Datum und Uhrzeit im STM "), this);
  auto* stmLayout = new QVBoxLayout(stm);
  STMDate = ReadOnlyField(stm, "STMDate", true);
  STMTime = ReadOnlyField(stm, "STMTime", true);
  stmLayout->addWidget(STMDate);
  stmLayout->addWidget(STMTime);
  auto* pc = new QGroupBox(ClockText("  PC Datum und Uhrzeit "), this);
  auto* pcLayout = new QVBoxLayout(pc);
  PCDate = ReadOnlyField(pc, "PCDate", false);
  PCTime = ReadOnlyField(pc, "PCTime", false);
  pcLayout->addWidget(PCDate);
  pcLayout->addWidget(PCTime);
  fields->addWidget(stm);
  fields->addWidget(pc);
  outer->addLayout(fields);
  StatusText = new QLabel(this);
  StatusText->setObjectName(QStringLiteral("StatusText"));
  StatusText->setWordWrap(true);
  outer->addWidget(StatusText);
  auto* close = new QPushButton(ClockText("Schließen"), this);
  outer->addWidget(close, 0, Qt::AlignRight);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Refresh(); });
  connect(STMGroup, &QButtonGroup::idClicked, this, [this](int id) { ChooseModule(id); });
  // A short time-out: the dialog asks every second.
  ConfigureServiceLink(*PC, false);
  PC->SetP_RecTimeout(100);
  PC->SetP_SendRepeat(1);
  PC->V_UseComponents = true;
  TranslateForm(this);
}

TFrmSTMTimeCheck::~TFrmSTMTimeCheck() { PC->CloseLink(); }

void TFrmSTMTimeCheck::Refresh() {
  const std::string date = PC->ReadModuleDate();
  const std::string time = date.empty() ? std::string() : PC->ReadModuleTime();
  if (date.empty() || time.empty()) {
    ShowSilent();
  } else {
    STMDate->setText(ModelText(date));
    STMTime->setText(ModelText(time));
    STMDate->setToolTip({});
    StatusText->clear();
  }
  const TZYNDateTime now = LocalDateTime(std::chrono::system_clock::now());
  PCDate->setText(QString::fromLatin1(FormatClockDate(now)));
  PCTime->setText(QString::fromLatin1(FormatClockTime(now)));
}

void TFrmSTMTimeCheck::ChooseModule(int address) {
  PC->SetA_Steuermodul(static_cast<uint8_t>(address));
  if (PC->GetModuleStatus())
    Refresh();
  else
    ShowSilent();
}

void TFrmSTMTimeCheck::ShowSilent() {
  // Not empty fields: the module is named, or why the port is not there.
  const std::string problem = !PC->OpenErrorText().empty() ? PC->OpenErrorText()
                              : PC->Exchange().Lost()     ? PC->Exchange().LostText()
                                                          : FillIn("STM %s antwortet nicht", std::to_string(PC->A_Steuermodul()));
  STMDate->setText(ClockText("keine Antwort"));
  STMTime->clear();
  STMDate->setToolTip(ModelText(problem));
  StatusText->setText(ModelText(problem));
}

void TFrmSTMTimeCheck::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (PC->Active()) return;
  PC->SetA_Steuermodul(0);
  PC->OpenLink();
  Refresh();
  Timer1->start();
}

void TFrmSTMTimeCheck::done(int result) {
  Timer1->stop();
  PC->CloseLink();
  QDialog::done(result);
}

}  // namespace zyn
