#include "bus/ui/FrModulcheck.h"

#include "bus/ModuleScan.h"
#include "bus/ServiceModules.h"
#include "bus/ui/ServiceLists.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "platform/QtText.h"
#include "project/Steuermodul.h"
#include "shell/Translation.h"
#include "widgets/common/FthHint.h"
#include "widgets/common/WidgetText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zyn {

TFrModulcheck::TFrModulcheck(QWidget* parent) : TServicePage("FrModulcheck", true, parent) {
  ZYNCom.SetP_TIFDelay(0);
  FourthHintPanel1 = new TFourthHintPanel(this);
  FourthHintPanel1->setObjectName(QStringLiteral("FourthHintPanel1"));
  FourthHintPanel1->Options().SetPanelImage(piInformation);
  FourthHintPanel1->setMinimumHeight(64);
  FourthHintPanel1->SetCaption(TranslatedText(
      "Die Module des gewählten Steuermoduls werden nacheinander am Bus gesucht. Gefundene Module werden blau, "
      "fehlende rot angezeigt."));
  Body()->addWidget(FourthHintPanel1);
  MB = new QListWidget(this);
  MB->setObjectName(QStringLiteral("MB"));
  MB->setSortingEnabled(true);
  Body()->addWidget(MB, 1);
  LA = new QLabel(TranslatedText("Fortschritt:"), this);
  LA->setObjectName(QStringLiteral("LA"));
  Body()->addWidget(LA);
  PB = new QProgressBar(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setValue(0);
  Body()->addWidget(PB);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  BS = new QPushButton(TranslatedText("Scan starten"), this);
  BS->setObjectName(QStringLiteral("BS"));
  BA = new QPushButton(TranslatedText("Abbrechen"), this);
  BA->setObjectName(QStringLiteral("BA"));
  BS->setEnabled(false);
  BA->setEnabled(false);
  buttons->addWidget(BS);
  buttons->addWidget(BA);
  Body()->addLayout(buttons);
  connect(BS, &QPushButton::clicked, this, [this] { BSClick(); });
  connect(BA, &QPushButton::clicked, this, [this] { BAClick(); });
}

void TFrModulcheck::ShowModules(TSteuermodul* stm) {
  LA->setStyleSheet(QString());
  LA->setText(TranslatedText("Fortschritt:"));
  MB->clear();
  if (stm)
    for (int i = 0; i < stm->Module.Count(); ++i) {
      TModul* m = stm->Module.GetModul(i);
      m->Present = TModulState::msUndefined;
      AddObjectItem(
          MB, ToQString(FormatText("%s.%2.2d - %s", m->ModulKennung.c_str(), m->Adresse(), m->DisplayName().c_str())),
          m);
    }
  MB->setCurrentRow(MB->count() > 0 ? 0 : -1);
  Repaint();
  BS->setEnabled(MB->count() > 0);
}

void TFrModulcheck::Repaint() { ColourByPresence(MB); }

void TFrModulcheck::BSClick() {
  if (fBusy) return;  // an aborted scan may still wait for its last probe
  fBusy = fRunning = true;
  BA->setEnabled(true);
  BS->setEnabled(false);
  if (TC) TC->setEnabled(false);
  {
    TBusWork work;
    LA->setStyleSheet(QString());
    LA->setText(TranslatedText("Fortschritt:"));
    std::vector<TModul*> modules;
    for (int i = 0; i < MB->count(); ++i) modules.push_back(ItemObject<TModul>(MB->item(i)));
    TLinkSession link(ZYNCom);
    PB->setMaximum(static_cast<int>(modules.size()));
    PB->setValue(0);
    const TModuleCheckResult r = RunModuleCheck(
        ZYNCom, modules, PauseMs,
        [&](int i) {
          PB->setValue(i + 1);
          const TModul* m = modules[static_cast<size_t>(i)];
          LA->setText(ToQString(FormatText(TranslateText(Ansi("Fortschritt: Suche Modul %s.%2.2d - %s")).c_str(),
                                           m->ModulKennung.c_str(), m->Adresse(), m->DisplayName().c_str())));
          QCoreApplication::processEvents();
          return fRunning;
        },
        [&](int i) {
          MB->setCurrentRow(i);
          Repaint();
        });
    Repaint();
    PB->setValue(0);
    if (!r.Answered) {
      LA->setText(TranslatedText("Fortschritt:"));
      TranslatedMessageDlg(Ansi("Die Steuerung konnte nicht angesprochen werden"), mtError, mbCancel);
    } else {
      MB->setCurrentRow(MB->count() > 0 ? 0 : -1);
      LA->setStyleSheet(r.Missing == 0 ? QString() : QStringLiteral("color: red"));
      LA->setText(ToQString(ModuleCheckText(r, ZYNCom)));
    }
  }
  BA->setEnabled(false);
  BS->setEnabled(MB->count() > 0);
  if (TC) TC->setEnabled(true);
  fBusy = fRunning = false;
}

void TFrModulcheck::BAClick() {
  fRunning = false;
  BA->setEnabled(false);
  BS->setEnabled(MB->count() > 0);
}

}  // namespace zyn
