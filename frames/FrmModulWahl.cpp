#include "frames/FrmModulWahl.h"

#include "frames/PageText.h"
#include "model/ModelText.h"
#include "model/ModulClass.h"
#include "model/ModulClassList.h"
#include "platform/QtText.h"
#include "shell/GlobalGui.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace zyn {

TFrmModulWahl::TFrmModulWahl(const TModulClassList& catalogue, int& classIndex, int& groupIndex, QWidget* parent)
    : QDialog(parent), fCatalogue(catalogue), fClassIndex(classIndex), fGroupIndex(groupIndex) {
  setObjectName(QStringLiteral("FrmModulWahl"));
  setWindowTitle(PageText("ZORV ZYN Systemsoftware V2.0 - Neues Modul anlegen"));
  auto* grid = new QGridLayout(this);
  auto* hint = new QLabel(PageText("Auswahl welches Modul angelegt werden soll. Die Module sind auf der linken Seite "
                                   "nach Basisklassen sortiert. Wählen Sie eine Basisklasse aus, um im rechten "
                                   "Bereich die verfügbaren Module anzuzeigen. Nach Auswahl eines Moduls kann es "
                                   "durch Betätigen der Taste OK angelegt werden."),
                          this);
  hint->setWordWrap(true);
  hint->setAutoFillBackground(true);
  hint->setStyleSheet(
      QStringLiteral("QLabel { background: palette(tool-tip-base); border: 1px solid palette(mid); "
                     "padding: 6px; }"));
  grid->addWidget(hint, 0, 0, 1, 2);
  grid->addWidget(new QLabel(PageText("Modulklasse"), this), 1, 0);
  grid->addWidget(new QLabel(PageText("Modulart"), this), 1, 1);
  MT = new QTreeWidget(this);
  MT->setObjectName(QStringLiteral("MT"));
  MT->setHeaderHidden(true);
  MB = new QListWidget(this);
  MB->setObjectName(QStringLiteral("MB"));
  grid->addWidget(MT, 2, 0);
  grid->addWidget(MB, 2, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  BtnOK = new QPushButton(PageText("&OK"), this);
  BtnCancel = new QPushButton(PageText("&Abbruch"), this);
  row->addWidget(BtnOK);
  row->addWidget(BtnCancel);
  grid->addLayout(row, 3, 0, 1, 2);
  resize(560, 380);
  connect(MT, &QTreeWidget::currentItemChanged, this, [this] { GroupChanged(); });
  connect(MB, &QListWidget::itemDoubleClicked, this, [this] { Choose(); });
  connect(BtnOK, &QPushButton::clicked, this, [this] { Choose(); });
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  Fill();
  if (parent) CenterFormOnControl(this, parent);
}

void TFrmModulWahl::Fill() {
  fFilling = true;
  MT->clear();
  for (int i = 0; i < fCatalogue.Count(); ++i) {
    const TModulClass* c = fCatalogue.GetClass(i);
    if (c->Hidden) continue;
    const QString text = ToQString(GetBasisKlassenName(c->BaseClass));
    if (MT->findItems(text, Qt::MatchExactly).isEmpty()) MT->addTopLevelItem(new QTreeWidgetItem(QStringList{text}));
  }
  if (MT->topLevelItemCount() > 0)
    MT->setCurrentItem(MT->topLevelItem(std::clamp(fGroupIndex, 0, MT->topLevelItemCount() - 1)));
  GroupChanged();
  fFilling = false;
}

void TFrmModulWahl::GroupChanged() {
  QTreeWidgetItem* node = MT->currentItem();
  MB->clear();
  if (!node) return;
  for (int i = 0; i < fCatalogue.Count(); ++i) {
    const TModulClass* c = fCatalogue.GetClass(i);
    if (c->Hidden || ToQString(GetBasisKlassenName(c->BaseClass)) != node->text(0)) continue;
    auto* item = new QListWidgetItem(ToQString(c->DisplayName), MB);
    item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(const_cast<TModulClass*>(c))));
  }
  if (MB->count() > 0) MB->setCurrentRow(fFilling ? std::clamp(fClassIndex, 0, MB->count() - 1) : 0);
  if (!fFilling) fGroupIndex = MT->indexOfTopLevelItem(node);
}

void TFrmModulWahl::Choose() {
  QListWidgetItem* item = MB->currentItem();
  if (!item) return;  // nothing chosen: the dialog stays open
  fClassIndex = MB->currentRow();
  fGroupIndex = MT->indexOfTopLevelItem(MT->currentItem());
  fChosen = static_cast<const TModulClass*>(item->data(Qt::UserRole).value<void*>());
  accept();
}

}  // namespace zyn
