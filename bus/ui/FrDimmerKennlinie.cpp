#include "bus/ui/FrDimmerKennlinie.h"

#include "bus/DimmerCurveTransfer.h"
#include "bus/ServiceModules.h"
#include "model/Kennlinien.h"
#include "model/Modul.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Steuermodul.h"
#include "widgets/common/WidgetText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

TFrDimmerKennlinie::TFrDimmerKennlinie(QWidget* parent) : TServicePage("FrDimmerKennlinie", true, parent) {
  ZYNCom.SetP_TIFDelay(0);
  ZYNCom.V_UseComponents = true;
  auto* title =
      new QLabel(TranslatedText("Kennlinien an Dimmer und") + "\n" + TranslatedText("Analogmodule übertragen"), this);
  QFont f = title->font();
  f.setBold(true);
  title->setFont(f);
  Body()->addWidget(title);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(TranslatedText("Übertrage an:"), this), 0, 0, Qt::AlignTop);
  Label4 = new QLabel(this);
  Label4->setObjectName(QStringLiteral("Label4"));
  grid->addWidget(Label4, 0, 1);
  grid->addWidget(new QLabel(TranslatedText("Fortschritt gesamt:"), this), 1, 0);
  GPB = new QProgressBar(this);
  GPB->setObjectName(QStringLiteral("GPB"));
  grid->addWidget(GPB, 1, 1);
  grid->addWidget(new QLabel(TranslatedText("Fortschritt Dimmer:"), this), 2, 0);
  DPB = new QProgressBar(this);
  DPB->setObjectName(QStringLiteral("DPB"));
  DPB->setMaximum(17);
  grid->addWidget(DPB, 2, 1);
  Body()->addLayout(grid);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  BtnStart = new QPushButton(TranslatedText("Starten"), this);
  BtnStart->setObjectName(QStringLiteral("BtnStart"));
  BtnStart->setEnabled(false);
  row->addWidget(BtnStart);
  Body()->addLayout(row);
  LB = new QListWidget(this);
  LB->setObjectName(QStringLiteral("LB"));
  Body()->addWidget(LB, 1);
  connect(BtnStart, &QPushButton::clicked, this, [this] { BtnStartClick(); });
  // The link drives the bar of the 17 telegrams of one output.
  ZYNCom.OnProgress = [this](const TZYNCommProgress& p) {
    DPB->setMaximum(p.Max > 0 ? p.Max : 17);
    DPB->setValue(p.Position);
  };
}

void TFrDimmerKennlinie::FrameActivate() {
  Label4->clear();
  GPB->setValue(0);
  DPB->setValue(0);
  TServicePage::FrameActivate();
}

void TFrDimmerKennlinie::StmChanged(TSteuermodul* stm) {
  const int n = stm ? CurveOutputCount(*stm) : 0;
  LB->clear();
  GPB->setMaximum(n > 0 ? n : 1);
  GPB->setValue(0);
  BtnStart->setEnabled(n > 0 && !fRunning);
}

void TFrDimmerKennlinie::BtnStartClick() {
  TSteuermodul* stm = CurrentStm();
  if (fRunning || !stm || !GKennlinien) return;
  GPB->setValue(0);
  LB->clear();
  fRunning = true;
  BtnStart->setEnabled(false);
  TC->setEnabled(false);
  {
    TBusWork work;
    TLinkSession link(ZYNCom);
    TCurveTransferEvents events;
    int step = 0;
    events.OnOutput = [&](const TModul& modul, int output) {
      Label4->setText(ToQString(modul.DisplayName()) + "\n" + TranslatedText("Ausgang") + " " +
                      QString::number(output));
      GPB->setValue(++step);
      DPB->setValue(0);
    };
    events.OnLine = [&](const std::string& line) {
      LB->addItem(ToQString(line));
      LB->scrollToBottom();
    };
    TransferDimmerCurves(ZYNCom, *stm, *GKennlinien, events);
    DPB->setValue(0);
  }
  TC->setEnabled(true);
  fRunning = false;
  BtnStart->setEnabled(true);
}

}  // namespace zyn
