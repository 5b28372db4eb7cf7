#include "frames/FrPOR.h"

#include "frames/ObjectPage.h"
#include "frames/PageText.h"
#include "model/GlobalRoutines.h"
#include "model/Kanal.h"
#include "model/ModelText.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/GlobalGui.h"
#include "shell/MessageHandler.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

TFrPOR::TFrPOR(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrPOR"));
  auto* outer = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addStretch(1);
  FStyle = new QCheckBox(PageText("Outlookbar automatisch ausblenden"), this);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  top->addWidget(FStyle);
  outer->addLayout(top);
  TC = new TPageTabBar(this);
  outer->addWidget(TC);
  auto* sheets = new QTabWidget(this);
  auto* sheet = new QSplitter(Qt::Horizontal);
  MTV = new QTreeWidget(sheet);
  MTV->setObjectName(QStringLiteral("MTV"));
  MTV->setHeaderHidden(true);
  MTV->setSortingEnabled(true);
  MTV->sortByColumn(0, Qt::AscendingOrder);
  PAView = new QTreeWidget(sheet);
  PAView->setObjectName(QStringLiteral("PAView"));
  PAView->setColumnCount(2);
  PAView->setHeaderLabels({PageText("Kanal"), PageText("Status")});
  PAView->setRootIsDecorated(false);
  PAView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  PAView->setSelectionBehavior(QAbstractItemView::SelectRows);
  PAView->setContextMenuPolicy(Qt::CustomContextMenu);
  PAView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  PAView->header()->setStretchLastSection(false);
  PAView->header()->resizeSection(1, 80);
  sheet->addWidget(MTV);
  sheet->addWidget(PAView);
  sheet->setSizes({220, 500});
  sheets->addTab(sheet, PageText("Ausgänge"));
  outer->addWidget(sheets, 1);
  Popup = new QMenu(this);
  for (int state = 0; state < 3; ++state)
    Popup->addAction(ToQString(GPORStateNames[static_cast<size_t>(state)]), this, [this, state] { SetState(state); });
  connect(PAView, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { Popup->exec(PAView->viewport()->mapToGlobal(p)); });
  connect(PAView, &QTreeWidget::itemDoubleClicked, this, [this] { AdvanceState(); });
  connect(MTV, &QTreeWidget::currentItemChanged, this, [this] { ShowModule(); });
  connect(TC, &QTabBar::currentChanged, this, [this] {
    if (!fUpdating) LoadControlModule(CurrentStm());
  });
  connect(FStyle, &QCheckBox::clicked, this, [this](bool on) {
    SetFrameOption("FrPOR", 0, on);
    if (IMessageHandler* h = GetMessageHandler()) on ? h->CollapseSideBar() : h->ExpandSideBar();
  });
}

TSteuermodul* TFrPOR::CurrentStm() const {
  if (!GProjekt || TC->currentIndex() < 0) return nullptr;
  return GProjekt->Steuermodule.FindByName(FromQString(TC->tabData(TC->currentIndex()).toString()));
}

void TFrPOR::FrameActivate() {
  const bool stored = GetFrameOption("FrPOR", 0);
  if (FStyle->isChecked() != stored) {
    FStyle->setChecked(stored);
    if (IMessageHandler* h = GetMessageHandler()) stored ? h->CollapseSideBar() : h->ExpandSideBar();
  }
  fUpdating = true;
  while (TC->count() > 0) TC->removeTab(0);
  if (GProjekt)
    for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
      TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(i);
      TC->setTabData(TC->addTab(ToQString(stm->DisplayName())), ToQString(stm->InternalName()));
    }
  fUpdating = false;
  LoadControlModule(CurrentStm());
}

void TFrPOR::FrameDeactivate() {
  fUpdating = true;
  PAView->clear();
  MTV->clear();
  fUpdating = false;
}

void TFrPOR::LoadControlModule(TSteuermodul* stm) {
  fUpdating = true;
  PAView->clear();
  MTV->clear();
  if (stm) {
    for (int i = 0; i < stm->Module.Count(); ++i) {
      TModul* m = stm->Module.GetModul(i);
      if (UpperCase(m->ModulKlasse) == "INPUT PIR") continue;
      auto* node = new QTreeWidgetItem(
          QStringList{ToQString(m->ModulKennung + "." + ZeroPad(m->Adresse(), 2) + "-" + m->DisplayName())});
      SetNodeData(node, m);
      MTV->addTopLevelItem(node);
    }
  }
  fUpdating = false;
  if (MTV->topLevelItemCount() > 0) {
    MTV->setCurrentItem(MTV->topLevelItem(0));
    ShowModule();
  }
}

void TFrPOR::ShowRow(QTreeWidgetItem* row) {
  auto* output = static_cast<TAusgang*>(const_cast<void*>(row->data(0, Qt::UserRole).value<void*>()));
  const int s = output->PORStatus;
  row->setText(1, output->Reserviert() || s < 0 || s > 2 ? PageText("reserviert")
                                                         : ToQString(GPORStateNames[static_cast<size_t>(s)]));
}

void TFrPOR::ShowModule() {
  QTreeWidgetItem* node = MTV->currentItem();
  TSteuermodul* stm = CurrentStm();
  if (fUpdating || !node || !stm) return;
  auto* modul = static_cast<TModul*>(const_cast<void*>(NodeData(node)));
  if (!modul) return;
  PAView->clear();
  for (int i = 0; i < modul->Ausgaenge().Count(); ++i) {
    TAusgang* output = modul->Ausgaenge().GetItem(i);
    auto* row = new QTreeWidgetItem(QStringList{ToQString(FormatStmChannelName(
        stm->Adresse(), modul->ModulKennung, modul->Adresse(), output->DisplayName(), 2, output->Adresse()))});
    row->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(output)));
    ShowRow(row);
    PAView->addTopLevelItem(row);
  }
}

void TFrPOR::SetState(int state) {
  bool changed = false;
  for (QTreeWidgetItem* row : PAView->selectedItems()) {
    auto* output = static_cast<TAusgang*>(row->data(0, Qt::UserRole).value<void*>());
    if (output->Reserviert()) continue;  // a tool owns it
    output->PORStatus = state;
    ShowRow(row);
    changed = true;
  }
  if (changed && GProjekt) GProjekt->Modified = true;
}

void TFrPOR::AdvanceState() {
  bool changed = false;
  for (QTreeWidgetItem* row : PAView->selectedItems()) {
    auto* output = static_cast<TAusgang*>(row->data(0, Qt::UserRole).value<void*>());
    if (output->Reserviert()) continue;
    output->PORStatus = (std::clamp(output->PORStatus, 0, 2) + 1) % 3;
    ShowRow(row);
    changed = true;
  }
  if (changed && GProjekt) GProjekt->Modified = true;
}

}  // namespace zyn
