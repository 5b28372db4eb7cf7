#include "bus/ui/FormDeleteMemory.h"

#include "bus/MemoryErase.h"
#include "bus/ui/BusPage.h"
#include "platform/QtText.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

TFourthHintPanel* WarningPanel(QWidget* parent, const char* text) {
  auto* hint = new TFourthHintPanel(parent);
  hint->Options().SetPanelImage(piWarning);
  hint->SetCaption(BusText(text));
  hint->setMinimumSize(420, 96);
  return hint;
}

}  // namespace

TFrmDeleteSTMMemory::TFrmDeleteSTMMemory(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmDeleteSTMMemory"));
  setWindowTitle(BusText("Speicher eines Steuermodul löschen"));
  auto* outer = new QVBoxLayout(this);
  Hint = WarningPanel(this,
                      "Wählen Sie die Steuermodule, deren Speicher gelöscht werden soll. Die Programme der "
                      "Steuermodule können nur durch erneutes Übertragen des Projekts wiederhergestellt werden. "
                      "Wenn Sie unsicher sind, verlassen Sie den Dialog mit \"Schließen\".");
  outer->addWidget(Hint);
  GB = new QGroupBox(BusText(" Ausgewählte Steuermodule "), this);
  GB->setObjectName(QStringLiteral("GB"));
  auto* boxes = new QHBoxLayout(GB);
  for (int i = 0; i < 4; ++i) {
    CSTM[static_cast<size_t>(i)] = new QCheckBox(QStringLiteral("STM%1").arg(i), GB);
    CSTM[static_cast<size_t>(i)]->setObjectName(QStringLiteral("CSTM%1").arg(i));
    boxes->addWidget(CSTM[static_cast<size_t>(i)]);
  }
  outer->addWidget(GB);
  LA = new QLabel(this);
  LA->setObjectName(QStringLiteral("LA"));
  outer->addWidget(LA);
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setRange(0, 4);
  PB->setValue(0);
  PB->setTextVisible(false);
  outer->addWidget(PB);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BL = new QPushButton(BusText("Speicher löschen"), this);
  BL->setObjectName(QStringLiteral("BL"));
  BS = new QPushButton(BusText("Schließen"), this);
  BS->setObjectName(QStringLiteral("BS"));
  BS->setDefault(true);
  buttons->addWidget(BL);
  buttons->addWidget(BS);
  outer->addLayout(buttons);
  WireLink(ZYNCom);
  ZYNCom.SetCloseDelay(0);
  connect(BS, &QPushButton::clicked, this, &QDialog::reject);
  connect(BL, &QPushButton::clicked, this, [this] { ShowingErrors([this] { DeleteClick(); }); });
}

void TFrmDeleteSTMMemory::DeleteClick() {
  TInterfaceLock lock;
  GB->setEnabled(false);
  BL->setEnabled(false);
  BS->setEnabled(false);
  const TAtEnd end([this] {
    PB->setValue(0);
    for (QWidget* w : {static_cast<QWidget*>(GB), static_cast<QWidget*>(BL), static_cast<QWidget*>(BS)})
      w->setEnabled(true);
  });
  std::array<bool, 4> selected{};
  for (size_t i = 0; i < 4; ++i) selected[i] = CSTM[i]->isChecked();
  const TEraseResult result =
      EraseControlModules(ZYNCom, PageSerialSettings(), selected, [this](const std::string& step, int position) {
        if (!step.empty()) LA->setText(ToQString(step));
        PB->setValue(position);
      });
  if (!result.PortProblem.empty()) {
    LA->setText(ToQString(result.PortProblem));
    return;
  }
  // A module that did not answer is unchecked and named; one that did not confirm the erase too.
  QStringList silent, failed;
  auto name = [](size_t i) { return QStringLiteral("STM.%1").arg(i, 2, 10, QLatin1Char('0')); };
  for (size_t i = 0; i < 4; ++i) {
    if (selected[i] && !result.Present[i]) {
      CSTM[i]->setChecked(false);
      silent << name(i);
    }
    if (selected[i] && result.Present[i] && !result.Erased[i]) failed << name(i);
  }
  QStringList lines;
  if (!silent.isEmpty())
    lines << BusText("Nicht gefunden und nicht gelöscht: ") + silent.join(QStringLiteral(", "));
  if (!failed.isEmpty()) lines << BusText("Der Speicher wurde nicht gelöscht: ") + failed.join(QStringLiteral(", "));
  if (lines.isEmpty()) {
    if (std::find(result.Erased.begin(), result.Erased.end(), true) != result.Erased.end())
      lines << BusText("Der Speicher der gewählten Steuermodule wurde gelöscht.");
    else
      lines << BusText("Es wurde kein Speicher gelöscht.");
  }
  LA->setText(lines.join(QLatin1Char('\n')));
}

TFrmDelDisplay::TFrmDelDisplay(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmDelDisplay"));
  setWindowTitle(BusText("Displayspeicher löschen"));
  auto* outer = new QVBoxLayout(this);
  Hint = WarningPanel(this,
                      "Mit der Schaltfläche wird der Speicher des Displays und das Programm darin gelöscht. "
                      "Wenn Sie unsicher sind, verlassen Sie den Dialog mit \"Schließen\".");
  outer->addWidget(Hint);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  outer->addWidget(Memo1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  DelButton = new QPushButton(BusText("Displayspeicher löschen"), this);
  DelButton->setObjectName(QStringLiteral("DelButton"));
  CloseButton = new QPushButton(BusText("Schließen"), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  buttons->addWidget(DelButton);
  buttons->addWidget(CloseButton);
  outer->addLayout(buttons);
  // The port stays open while the dialog lives; the main window is not held by it.
  WireLink(PC, false);
  PC.SetCloseDelay(0);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(DelButton, &QPushButton::clicked, this, [this] { ShowingErrors([this] { DeleteDispClick(); }); });
}

void TFrmDelDisplay::DeleteDispClick() {
  TInterfaceLock lock;
  DelButton->setEnabled(false);
  CloseButton->setEnabled(false);
  const TAtEnd end([this] {
    DelButton->setEnabled(true);
    CloseButton->setEnabled(true);
  });
  Memo1->clear();
  Memo1->appendPlainText(BusText("Kontaktiere Display..."));
  if (EraseDisplayMemory(PC, PageSerialSettings(), EraseTimeout)) {
    Memo1->appendPlainText(BusText("Displayspeicher zurücksetzen"));
    Memo1->appendPlainText(BusText("Displayspeicher wurde erfolgreich gelöscht"));
  } else {
    Memo1->appendPlainText(BusText("Fehler beim kontaktieren des Displays!"));
    if (!PC.OpenErrorText().empty()) Memo1->appendPlainText(ToQString(PC.OpenErrorText()));
  }
}

}  // namespace zyn
