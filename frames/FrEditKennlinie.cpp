#include "frames/FrEditKennlinie.h"

#include "frames/KennlinienEditor.h"
#include "frames/PageText.h"
#include "frames/core/CurveRules.h"
#include "model/Kennlinien.h"
#include "model/UniqueNames.h"
#include "model/base/Cp1252.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/Translation.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

TFrEditKennlinie::TFrEditKennlinie(QWidget* parent) : TProjectPage("FrEditKennlinie", parent) {
  auto* layout = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  BtnAdd = MakePageButton(this, "BtnAdd", QStyle::SP_FileIcon, "Neue Kennlinie anlegen");
  BtnDelete = MakePageButton(this, "BtnDelete", QStyle::SP_TrashIcon, "Markierte Kennlinie löschen");
  BtnOK = MakePageButton(this, "BtnOK", QStyle::SP_DialogSaveButton, "Änderungen übernehmen");
  BtnCancel = MakePageButton(this, "BtnCancel", QStyle::SP_DialogDiscardButton, "Änderungen verwerfen");
  BtnCancel->setVisible(false);
  BtnDelete->setEnabled(false);
  for (QToolButton* b : {BtnAdd, BtnDelete}) tools->addWidget(b);
  tools->addSpacing(12);
  for (QToolButton* b : {BtnOK, BtnCancel}) tools->addWidget(b);
  tools->addWidget(MakeStyleBox(this));
  tools->addStretch();
  layout->addLayout(tools);

  auto* body = new QHBoxLayout;
  GroupBox1 = new QGroupBox(PageText(" Kennlinien "), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  auto* groupLayout = new QVBoxLayout(GroupBox1);
  KTV = new QTreeWidget(GroupBox1);
  KTV->setObjectName(QStringLiteral("KTV"));
  KTV->setHeaderHidden(true);
  KTV->setRootIsDecorated(false);
  KTV->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  groupLayout->addWidget(KTV);
  GroupBox1->setFixedWidth(200);
  body->addWidget(GroupBox1);
  auto* right = new QVBoxLayout;
  PP = new QLabel(PageText("XPos = 0    YPos = 0"), this);
  PP->setObjectName(QStringLiteral("PP"));
  QFont bold = PP->font();
  bold.setBold(true);
  PP->setFont(bold);
  right->addWidget(PP);
  KE = new TKennlinienEditor(this);
  KE->Margins.SetLeftMargin(40);
  KE->Margins.SetRightMargin(10);
  KE->Margins.SetTopMargin(25);
  KE->Margins.SetBottomMargin(35);
  KE->Margins.SetCaptionMargin(5);
  KE->Margins.SetCaption(PageText("Kennlinie: [ohne Namen]"));
  KE->XAxis.SetMax(255);
  KE->XAxis.SetStep(25);
  KE->XAxis.SetCaption(PageText("Kennlinienposition"));
  KE->YAxis.SetMax(255);
  KE->YAxis.SetStep(25);
  KE->YAxis.SetCaption(PageText("Dimmwert"));
  KE->SetCrossHair(true);
  KE->setFrameShadow(QFrame::Sunken);
  KE->setFrameShape(QFrame::Panel);
  KE->setMinimumSize(320, 300);
  right->addWidget(KE, 1);
  auto* bottom = new QHBoxLayout;
  BtnDel2 = new QPushButton(PageText("Löschen"), this);
  BtnDel2->setObjectName(QStringLiteral("BtnDel2"));
  BtnCalc = new QPushButton(PageText("Berechnen"), this);
  BtnCalc->setObjectName(QStringLiteral("BtnCalc"));
  BtnCalc->setVisible(false);
  bottom->addWidget(BtnDel2);
  bottom->addWidget(BtnCalc);
  bottom->addStretch();
  right->addLayout(bottom);
  body->addLayout(right, 1);
  layout->addLayout(body, 1);

  connect(BtnAdd, &QToolButton::clicked, this, [this] { AddCurve(); });
  connect(BtnDelete, &QToolButton::clicked, this, [this] { DeleteCurve(); });
  connect(BtnOK, &QToolButton::clicked, this, [this] { SaveCurves(); });
  connect(BtnDel2, &QPushButton::clicked, this, [this] {
    KE->Clear();
    UpdateButtons();
  });
  connect(BtnCalc, &QPushButton::clicked, this, [this] { KE->Interpolate(); });
  connect(KTV, &QTreeWidget::currentItemChanged, this, [this] { SelectionChanged(); });
  connect(KTV, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node) { NodeRenamed(node); });
  KE->OnCoordinates = [this](TKennlinienEditor*, Qt::KeyboardModifiers, int x, int y) {
    char text[64];
    std::snprintf(text, sizeof text, TranslateText(Ansi("XPos = %3.3d     YPos = %3.3d")).c_str(), x, y);
    PP->setText(ToQString(text));
  };
  KE->OnSetPoint = [this](TKennlinienEditor*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    fModified = true;
    UpdateButtons();
  };
  UpdateButtons();
}

TZYNKennlinie* TFrEditKennlinie::CurveOf(QTreeWidgetItem* node) const {
  if (!node || !GKennlinien) return nullptr;
  auto* curve = static_cast<TZYNKennlinie*>(node->data(0, Qt::UserRole).value<void*>());
  return GKennlinien->IndexOf(curve) >= 0 ? curve : nullptr;
}

QTreeWidgetItem* TFrEditKennlinie::AddNode(TZYNKennlinie* curve) {
  auto* node = new QTreeWidgetItem(KTV, QStringList{ToQString(curve->DisplayName)});
  node->setData(0, Qt::UserRole, QVariant::fromValue<void*>(curve));
  // Only an editable curve may be renamed in place.
  node->setFlags(curve->CanEdit ? node->flags() | Qt::ItemIsEditable : node->flags() & ~Qt::ItemIsEditable);
  return node;
}

void TFrEditKennlinie::FrameActivate() {
  LoadStyle();
  fFilling = true;
  KTV->clear();
  if (GKennlinien)
    for (int i = 0; i < GKennlinien->Count(); ++i) AddNode(GKennlinien->Items(i));
  fFilling = false;
  KTV->setCurrentItem(KTV->topLevelItem(0));
  SelectionChanged();
}

void TFrEditKennlinie::FrameDeactivate() {
  fFilling = true;
  KTV->clear();
  fFilling = false;
  KE->SetKennlinie(nullptr);
}

void TFrEditKennlinie::SelectionChanged() {
  if (fFilling) return;
  KE->SetKennlinie(CurveOf(KTV->currentItem()));
  UpdateButtons();
}

void TFrEditKennlinie::UpdateButtons() {
  BtnAdd->setEnabled(GKennlinien != nullptr);
  BtnOK->setEnabled(fModified);
  BtnCancel->setEnabled(fModified);
  const TZYNKennlinie* curve = CurveOf(KTV->currentItem());
  const bool editable = curve && curve->CanEdit;
  BtnDelete->setEnabled(editable);
  BtnDel2->setEnabled(editable);
  BtnCalc->setEnabled(editable);
}

void TFrEditKennlinie::AddCurve() {
  if (!GKennlinien) return;
  TZYNKennlinie* curve = GKennlinien->Add();
  curve->DisplayName = TranslateText(Ansi("Neue Kennlinie"));
  curve->InternalName = GUniqueNames ? GUniqueNames->NewName() : std::string();
  curve->CanEdit = true;
  curve->Werte.fill(0);
  fFilling = true;
  QTreeWidgetItem* node = AddNode(curve);
  fFilling = false;
  KTV->setCurrentItem(node);
  fModified = true;
  UpdateButtons();
}

bool TFrEditKennlinie::DeleteCurve() {
  QTreeWidgetItem* node = KTV->currentItem();
  if (!node || !GKennlinien) return false;
  TZYNKennlinie* curve = CurveOf(node);
  const int index = GKennlinien->IndexOf(curve);
  if (curve && !curve->CanEdit) return false;
  // The dimmers refer to the curves by their place in the list.
  if (index >= 0 && GProjekt && CurveInUse(*GProjekt, index)) {
    TranslatedMessageDlg(TranslateText(Ansi("Die Kennlinie \"")) + curve->DisplayName +
                             TranslateText(Ansi("\" wird von einem Dimmer des Projekts verwendet und kann nicht "
                                                "gelöscht werden.")),
                         mtError, mbOK);
    return false;
  }
  const int nodeIndex = KTV->indexOfTopLevelItem(node);
  KE->SetKennlinie(nullptr);
  if (index >= 0) {
    GKennlinien->Delete(index);
    if (GProjekt) CurveRemoved(*GProjekt, index);
  }
  fFilling = true;
  delete node;
  fFilling = false;
  QTreeWidgetItem* next = KTV->topLevelItem(nodeIndex > 0 ? nodeIndex - 1 : 0);
  KTV->setCurrentItem(next);
  SelectionChanged();
  fModified = true;
  UpdateButtons();
  return true;
}

bool TFrEditKennlinie::SaveCurves() {
  if (!GKennlinien) return false;
  const std::string file = GetSystemPathByIndex() + "Kennlinien.xml";
  try {
    GKennlinien->SaveToFile(file);
  } catch (const std::exception& e) {
    // The changes stay in memory and the page stays modified, so they can be saved again.
    TranslatedMessageDlg(TranslateText(Ansi("Die Kennlinien konnten nicht in \"")) + Utf8ToAnsi(file) +
                             TranslateText(Ansi("\" gespeichert werden:")) + "\r" + e.what(),
                         mtError, mbOK);
    return false;
  }
  fModified = false;
  UpdateButtons();
  return true;
}

void TFrEditKennlinie::NodeRenamed(QTreeWidgetItem* node) {
  if (fFilling) return;
  TZYNKennlinie* curve = CurveOf(node);
  if (!curve) return;
  const std::string text = FromQString(node->text(0));
  if (curve->CanEdit) {
    if (text != curve->DisplayName) {
      curve->DisplayName = text;
      fModified = true;
    }
  } else {
    fFilling = true;
    node->setText(0, ToQString(curve->DisplayName));
    fFilling = false;
  }
  UpdateButtons();
}

}  // namespace zyn
