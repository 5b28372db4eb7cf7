#include "bus/ui/FrJRMPrio.h"

#include "bus/JRMPrio.h"
#include "bus/ServiceModules.h"
#include "bus/ui/BusPage.h"
#include "bus/ui/ServiceLists.h"
#include "model/Kanal.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Steuermodul.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"
#include "widgets/common/WidgetText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

QLabel* InfoLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setStyleSheet(QStringLiteral("color: blue; font-weight: bold; background: #ffffe1"));
  return l;
}

}  // namespace

TFrJRMPrio::TFrJRMPrio(QWidget* parent) : TServicePage("FrJRMPrio", true, parent) {
  ZYNCom.SetP_TIFDelay(0);
  FourthHintPanel1 = new TFourthHintPanel(this);
  FourthHintPanel1->setObjectName(QStringLiteral("FourthHintPanel1"));
  FourthHintPanel1->Options().SetPanelImage(piWarning);
  FourthHintPanel1->setMinimumHeight(64);
  FourthHintPanel1->SetCaption(
      TranslatedText("Achtung: Die Prioritäten aller Jalousien und Rolladen der JRM-Module werden auf den Standardwert "
                     "zurückgesetzt. Damit werden auch alle Sperren (z. B. Wind oder Wartungsschalter) aufgehoben. Nur "
                     "verwenden, wenn die Jalousien nicht mehr richtig arbeiten."));
  Body()->addWidget(FourthHintPanel1);
  Body()->addWidget(new QLabel(TranslatedText("Vorhanden JRM- Module"), this));
  MB = new QListWidget(this);
  MB->setObjectName(QStringLiteral("MB"));
  Body()->addWidget(MB, 1);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(TranslatedText("Bearbeite Modul:"), this), 0, 0);
  ML = InfoLabel(this, "ML");
  grid->addWidget(ML, 0, 1);
  grid->addWidget(new QLabel(TranslatedText("Bearbeite Jalousie/Rollade:"), this), 1, 0);
  KL = InfoLabel(this, "KL");
  grid->addWidget(KL, 1, 1);
  grid->addWidget(new QLabel(TranslatedText("Fortschritt:"), this), 2, 0);
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  grid->addWidget(PB, 2, 1);
  Body()->addLayout(grid);
  auto* row = new QHBoxLayout;
  Result = new QLabel(this);
  Result->setObjectName(QStringLiteral("Result"));
  row->addWidget(Result, 1);
  TB = new QPushButton(TranslatedText("Übertragen"), this);
  TB->setObjectName(QStringLiteral("TB"));
  TB->setEnabled(false);
  row->addWidget(TB);
  Body()->addLayout(row);
  connect(TB, &QPushButton::clicked, this, [this] { TBClick(); });
}

void TFrJRMPrio::FrameDeactivate() { MB->clear(); }

void TFrJRMPrio::ShowBlindModules(TSteuermodul* stm) {
  MB->clear();
  if (stm)
    for (TModul* m : BlindModules(*stm))
      AddObjectItem(MB,
                    ToQString(FormatText(TranslateText("STM.%2.2d.%s.%2.2d-%s").c_str(), stm->Adresse(),
                                         m->ModulKennung.c_str(), m->Adresse(), m->DisplayName().c_str())),
                    m);
  MB->setCurrentRow(MB->count() > 0 ? 0 : -1);
  TB->setEnabled(MB->count() > 0);
}

void TFrJRMPrio::TBClick() {
  if (MB->count() == 0) return;
  Result->clear();
  // The release lifts the locks that protect the blinds: only after the user agreed.
  if (TranslatedMessageDlg(TranslateText(Ansi("Die Prioritäten werden aufgehoben: Wind- und Wartungssperren der "
                                              "Jalousien sind danach aus. Fortfahren?")),
                           mtWarning, mbYes | mbNo) != 6)
    return;
  TB->setEnabled(false);
  TC->setEnabled(false);
  TPriorityResult r;
  {
    TBusWork work;
    std::vector<TModul*> modules;
    for (int i = 0; i < MB->count(); ++i) modules.push_back(ItemObject<TModul>(MB->item(i)));
    PB->setMaximum(4 * static_cast<int>(modules.size()));
    PB->setValue(0);
    MB->setCurrentRow(0);
    TLinkSession link(ZYNCom);
    r = ReleasePriorities(ZYNCom, modules, PauseMs, [&](const TModul& m, int j) {
      for (int i = 0; i < MB->count(); ++i)
        if (ItemObject<TModul>(MB->item(i)) == &m) {
          MB->setCurrentRow(i);
          ML->setText(MB->item(i)->text());
        }
      KL->setText(ToQString(m.Ausgaenge().GetItem(j)->DisplayName()));
      PB->setValue(PB->value() + 1);
    });
  }
  PB->setValue(0);
  MB->setCurrentRow(0);
  ML->clear();
  KL->clear();
  TB->setEnabled(true);
  TC->setEnabled(true);
  if (!r.Answered) {
    Result->setText(TranslatedText("Das Steuermodul konnte nicht angesprochen werden!"));
    TranslatedMessageDlg(Ansi("Das Steuermodul konnte nicht angesprochen werden!"), mtError, mbCancel);
    return;
  }
  if (!r.Silent.empty()) {
    std::string names;
    for (const TModul* m : r.Silent) names += "\r" + ModuleListText(*m);
    Result->setText(TranslatedText("Die Prioritäten wurden nicht bei allen Modulen aufgehoben."));
    TranslatedMessageDlg(TranslateText(Ansi("Folgende Module haben die Freigabe nicht bestätigt:")) + names, mtError,
                         mbCancel);
    return;
  }
  Result->setText(ToQString(FormatText(TranslateText(Ansi("Die Prioritäten von %d Ausgangspaaren wurden aufgehoben.")).c_str(), r.Sent)));
}

}  // namespace zyn
