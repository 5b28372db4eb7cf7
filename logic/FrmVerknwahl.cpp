#include "logic/FrmVerknwahl.h"

#include "logic/GlobalFuncs.h"
#include "logic/LogicDialogs.h"
#include "model/Anzeigetext.h"
#include "model/EAFunktionen.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/Uhr.h"
#include "model/Verbindung.h"
#include "platform/QtText.h"
#include "project/Steuermodul.h"
#include "shell/GlobalGui.h"
#include "shell/Translation.h"
#include "widgets/common/WidgetText.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

TZYNBaseObject* ObjectOf(const QTreeWidgetItem* node) {
  return node ? static_cast<TZYNBaseObject*>(const_cast<void*>(NodeData(node))) : nullptr;
}

// The node being dragged from the dialog's tree; nullptr for any other drag.
QTreeWidgetItem* DraggedNode(QDropEvent* event) {
  auto* tree = qobject_cast<QTreeWidget*>(event->source());
  if (tree == nullptr || tree->objectName() != QLatin1String("OTV")) return nullptr;
  return tree->currentItem();
}

QString StateText(bool on) { return ToQString(AnsiUpperCase(ModelTranslate(on ? "EIN" : "AUS"))); }

}  // namespace

// --- "Zustand abfragen" ---

TFrmGetLogic::TFrmGetLogic(QWidget* parent) : TCenteredDialog(parent) {
  setObjectName(QStringLiteral("FrmGetLogic"));
  setWindowTitle(TranslatedText("Zustand abfragen"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(TranslatedText("Welchen Zustand prüfen?"), this));
  List = new QListWidget(this);
  List->addItem(TranslatedText("Ein"));
  List->addItem(TranslatedText("Aus"));
  List->setCurrentRow(0);
  layout->addWidget(List);
  BtnOK = new QPushButton(TranslatedText("OK"), this);
  BtnOK->setDefault(true);
  layout->addWidget(BtnOK);
  connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(List, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

// --- drop targets ---

void TConditionList::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void TConditionList::dragMoveEvent(QDragMoveEvent* event) {
  QTreeWidgetItem* node = DraggedNode(event);
  if (node && Accepts && Accepts(ObjectOf(node))) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TConditionList::dropEvent(QDropEvent* event) {
  QTreeWidgetItem* node = DraggedNode(event);
  if (node && Dropped) Dropped(ObjectOf(node));
  event->acceptProposedAction();
}

void TElseEdit::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void TElseEdit::dragMoveEvent(QDragMoveEvent* event) {
  QTreeWidgetItem* node = DraggedNode(event);
  if (node && Accepts && Accepts(node)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TElseEdit::dropEvent(QDropEvent* event) {
  QTreeWidgetItem* node = DraggedNode(event);
  if (node && Dropped) Dropped(node);
  event->acceptProposedAction();
}

// --- "Verknüpfung erstellen" ---

TFrmVerknwahl::TFrmVerknwahl(QWidget* parent) : TCenteredDialog(parent ? parent : DialogParent()) {
  setObjectName(QStringLiteral("FrmVerknwahl"));
  setWindowTitle(TranslatedText("Verknüpfung erstellen"));
  resize(760, 520);
  auto* main = new QHBoxLayout(this);

  auto* treeBox = new QGroupBox(TranslatedText("Verfügbare Objekte"), this);
  auto* treeLayout = new QVBoxLayout(treeBox);
  OTV = new QTreeWidget(treeBox);
  OTV->setObjectName(QStringLiteral("OTV"));
  OTV->setHeaderHidden(true);
  OTV->setDragEnabled(true);
  OTV->setDragDropMode(QAbstractItemView::DragOnly);
  treeLayout->addWidget(OTV);
  main->addWidget(treeBox, 2);

  auto* right = new QVBoxLayout;
  main->addLayout(right, 3);
  auto* grid = new QGridLayout;
  right->addLayout(grid);
  auto readOnly = [this](QLineEdit* e, const char* name) {
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    return e;
  };
  WennEdit = readOnly(new QLineEdit(this), "WennEdit");
  DannEdit = readOnly(new QLineEdit(this), "DannEdit");
  SonstEdit = new TElseEdit(this);
  readOnly(SonstEdit, "SonstEdit");
  SonstEdit->setAcceptDrops(true);
  LVBedingungen = new TConditionList(this);
  LVBedingungen->setObjectName(QStringLiteral("LVBedingungen"));
  LVBedingungen->setColumnCount(2);
  LVBedingungen->setHeaderLabels({TranslatedText("Bezeichnung"), TranslatedText("Status")});
  LVBedingungen->setRootIsDecorated(false);
  LVBedingungen->SetExtendedStyles(Lvx(lvxGridLines) | Lvx(lvxFullRowSelect) | Lvx(lvxInfoTip));
  LVBedingungen->setColumnWidth(0, 250);
  LVBedingungen->setColumnWidth(1, 55);
  LVBedingungen->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LVBedingungen->setAcceptDrops(true);
  LVBedingungen->setDragDropMode(QAbstractItemView::DropOnly);
  LVBedingungen->header()->setStretchLastSection(false);
  LVBedingungen->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  LVBedingungen->setContextMenuPolicy(Qt::CustomContextMenu);
  SonstEdit->setContextMenuPolicy(Qt::CustomContextMenu);

  grid->addWidget(new QLabel(TranslatedText("WENN"), this), 0, 0);
  grid->addWidget(WennEdit, 0, 1);
  grid->addWidget(LVBedingungen, 1, 1);
  RGType = new QGroupBox(TranslatedText(" Einträge mit "), this);
  auto* rg = new QHBoxLayout(RGType);
  RbUnd = new QRadioButton(TranslatedText("UND verknüpfen"), RGType);
  RbOder = new QRadioButton(TranslatedText("ODER verknüpfen"), RGType);
  rg->addWidget(RbUnd);
  rg->addWidget(RbOder);
  RbUnd->setChecked(true);
  grid->addWidget(RGType, 2, 1);
  grid->addWidget(new QLabel(TranslatedText("DANN"), this), 3, 0);
  grid->addWidget(DannEdit, 3, 1);
  grid->addWidget(new QLabel(TranslatedText("SONST"), this), 4, 0);
  auto* elseRow = new QHBoxLayout;
  elseRow->addWidget(SonstEdit);
  ElseDelete = new QPushButton(TranslatedText("Löschen"), this);
  ElseDelete->setObjectName(QStringLiteral("ElseDelete"));
  elseRow->addWidget(ElseDelete);
  grid->addLayout(elseRow, 4, 1);

  auto* buttons = new QHBoxLayout;
  right->addLayout(buttons);
  BtnConvert = new QPushButton(TranslatedText("Zur Verbindung konvertieren"), this);
  BtnCancel = new QPushButton(TranslatedText("Abbrechen"), this);
  BtnOK = new QPushButton(TranslatedText("OK"), this);
  buttons->addWidget(BtnConvert);
  buttons->addStretch(1);
  buttons->addWidget(BtnCancel);
  buttons->addWidget(BtnOK);
  BtnOK->setEnabled(false);
  BtnConvert->setEnabled(false);

  connect(BtnOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { done(2); });
  connect(BtnConvert, &QPushButton::clicked, this, [this] { done(3); });
  connect(RbOder, &QRadioButton::toggled, this, [this](bool on) {
    if (fWork) fWork->SetLogicOr(on);
  });
  connect(ElseDelete, &QPushButton::clicked, this, [this] {
    SonstEdit->clear();
    UpdateControls();
  });
  connect(LVBedingungen, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { ToggleCondition(LVBedingungen->indexOfTopLevelItem(item)); });
  connect(LVBedingungen, &QWidget::customContextMenuRequested, this, &TFrmVerknwahl::ShowConditionMenu);
  connect(SonstEdit, &QWidget::customContextMenuRequested, this, &TFrmVerknwahl::ShowElseMenu);
  // A full list still takes the drop, which then says why the condition is not added.
  LVBedingungen->Accepts = [this](TZYNBaseObject* o) { return Stm && AcceptsAsCondition(o) && !Listed(o); };
  LVBedingungen->Dropped = [this](TZYNBaseObject* o) { DropCondition(o); };
  SonstEdit->Accepts = [](QTreeWidgetItem* node) {
    TZYNBaseObject* o = ObjectOf(node);
    return dynamic_cast<TEingang*>(o) == nullptr && dynamic_cast<TUhr*>(o) == nullptr &&
           dynamic_cast<TRueckmeldung*>(o) == nullptr;
  };
  SonstEdit->Dropped = [this](QTreeWidgetItem* node) { DropElse(ObjectOf(node)); };
}

TFrmVerknwahl::~TFrmVerknwahl() = default;

int TFrmVerknwahl::Execute() {
  fClosedWith = 0;
  fWork = std::make_unique<TVerbindung>();
  if (Link) fWork->CopyRecordFrom(*Link);
  Rebuild();
  const int answer = RunLogicDialog(*this);
  if (fClosedWith == 0) done(answer == 1 ? 1 : 2);
  const int result = fClosedWith;
  fWork.reset();
  return result;
}

void TFrmVerknwahl::done(int result) {
  if (fClosedWith != 0) {
    QDialog::done(result);
    return;
  }
  fClosedWith = result == 1 || result == 3 ? result : 2;
  if (Link && fWork && Stm && LVBedingungen->topLevelItemCount() > 0) {
    if (fClosedWith == 3) {
      MakePlainLink(*fWork);
      Link->CopyRecordFrom(*fWork);
    } else if (fClosedWith == 1) {
      if (WriteConditions(*fWork, *Stm, Conditions(), !Trim(FromQString(SonstEdit->text())).empty())) {
        Link->CopyRecordFrom(*fWork);
      }
    }
  } else if (fClosedWith != 2) {
    fClosedWith = 2;  // no condition: nothing to write
  }
  QDialog::done(fClosedWith == 1 ? QDialog::Accepted : QDialog::Rejected);
}

void TFrmVerknwahl::Rebuild() {
  BtnConvert->setEnabled(ConvertAllowed);
  OTV->clear();
  LVBedingungen->clear();
  if (Stm != nullptr) {
    auto root = [this](const char* text) {
      const QString caption = TranslatedText(text);
      if (QTreeWidgetItem* existing = FindGroupNodeByText(OTV, caption)) return existing;
      auto* node = new QTreeWidgetItem(OTV, {caption});
      node->setFlags(node->flags() & ~Qt::ItemIsDragEnabled);
      return node;
    };
    auto add = [this](QTreeWidgetItem* parent, TZYNBaseObject* object, const std::string& caption) {
      auto* node = new QTreeWidgetItem(parent, {ToQString(caption)});
      SetNodeData(node, object);
    };
    for (int i = 0; i < Stm->Module.Count(); ++i) {
      TModul* m = Stm->Module.GetModul(i);
      if (m->Eingaenge().UsedCount() > 0) {
        auto* node = new QTreeWidgetItem(root("Eingänge"), {ToQString(m->DisplayName())});
        node->setFlags(node->flags() & ~Qt::ItemIsDragEnabled);
        for (int k = 0; k < m->Eingaenge().Count(); ++k) {
          TEingang* in = m->Eingaenge().GetItem(k);
          in->Modul = m;
          add(node, in, ConditionCaption(*Stm, *in));
        }
      }
      if (m->Ausgaenge().UsedCount() > 0) {
        auto* node = new QTreeWidgetItem(root("Ausgänge"), {ToQString(m->DisplayName())});
        node->setFlags(node->flags() & ~Qt::ItemIsDragEnabled);
        for (int k = 0; k < m->Ausgaenge().Count(); ++k) {
          TAusgang* out = m->Ausgaenge().GetItem(k);
          out->Modul = m;
          add(node, out, ConditionCaption(*Stm, *out));
        }
      }
    }
    if (Stm->Uhren.Count() > 0) {
      QTreeWidgetItem* r = root("Uhren");
      for (int i = 0; i < Stm->Uhren.Count(); ++i)
        add(r, Stm->Uhren.GetItem(i), ConditionCaption(*Stm, *Stm->Uhren.GetItem(i)));
    }
    if (Stm->Merker.Count() > 0) {
      QTreeWidgetItem* r = root("Merker");
      for (int i = 0; i < Stm->Merker.Count(); ++i)
        add(r, Stm->Merker.GetItem(i), ConditionCaption(*Stm, *Stm->Merker.GetItem(i)));
    }
    if (Stm->Texte.Count() > 0) {
      QTreeWidgetItem* r = root("Anzeigetexte");
      for (int i = 0; i < Stm->Texte.Count(); ++i) {
        TAnzeigetext* t = Stm->Texte.GetItem(i);
        add(r, t, ModelTranslate("TXT") + ".00." + ZeroPad(t->Adresse(), 2) + "-" + t->DisplayName());
      }
    }
    OTV->expandToDepth(0);
    for (const TLinkCondition& c : LoadConditions(*fWork, *Stm)) AddConditionItem(c.Object, c.On);
  }
  WennEdit->setText(ToQString(fWork->GetSourceText()));
  DannEdit->setText(ToQString(fWork->GetTargetText()));
  SonstEdit->setText(
      ToQString(fWork->Kind() == 2 || fWork->ElseTarget().Present() ? fWork->GetElseTargetText() : std::string()));
  const bool orFlag = fWork->LogicOr() != 0;
  (orFlag ? RbOder : RbUnd)->setChecked(true);
  UpdateControls();
}

void TFrmVerknwahl::AddConditionItem(TZYNBaseObject* object, bool on) {
  auto* item = new QTreeWidgetItem(LVBedingungen, {ToQString(ConditionCaption(*Stm, *object)), StateText(on)});
  item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(object)));
  LVBedingungen->setCurrentItem(item);
}

std::vector<TLinkCondition> TFrmVerknwahl::Conditions() const {
  std::vector<TLinkCondition> out;
  for (int i = 0; i < LVBedingungen->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = LVBedingungen->topLevelItem(i);
    auto* object = static_cast<TZYNBaseObject*>(item->data(0, Qt::UserRole).value<void*>());
    out.push_back({object, item->text(1) == StateText(true)});
  }
  return out;
}

QTreeWidgetItem* TFrmVerknwahl::NodeOf(const TZYNBaseObject* object) const { return FindNodeByData(OTV, object); }

bool TFrmVerknwahl::Listed(const TZYNBaseObject* object) const {
  const QString caption = ToQString(ConditionCaption(*Stm, *object));
  for (int i = 0; i < LVBedingungen->topLevelItemCount(); ++i)
    if (LVBedingungen->topLevelItem(i)->text(0) == caption) return true;
  return false;
}

bool TFrmVerknwahl::AcceptsCondition(const TZYNBaseObject* object) const {
  if (Stm == nullptr || !AcceptsAsCondition(object) || Listed(object)) return false;
  return LVBedingungen->topLevelItemCount() < kMaxConditions;
}

bool TFrmVerknwahl::DropCondition(TZYNBaseObject* object) {
  if (Stm == nullptr || !AcceptsAsCondition(object) || Listed(object)) return false;
  if (LVBedingungen->topLevelItemCount() >= kMaxConditions) {
    TranslatedMessageDlg(ModelTranslate("Eine Verknüpfung kann höchstens ") + std::to_string(kMaxConditions) +
                             ModelTranslate(" Bedingungen enthalten. \"") + ConditionCaption(*Stm, *object) +
                             ModelTranslate("\" wurde nicht hinzugefügt."),
                         mtWarning, mbOK);
    return false;
  }
  TFrmGetLogic ask(this);
  if (RunLogicDialog(ask) != 1) return false;
  AddConditionItem(object, ask.List->currentRow() != 1);
  UpdateControls();
  return true;
}

void TFrmVerknwahl::SetConditionState(int row, bool on) {
  QTreeWidgetItem* item = LVBedingungen->topLevelItem(row);
  if (item) item->setText(1, StateText(on));
}

void TFrmVerknwahl::ToggleCondition(int row) {
  QTreeWidgetItem* item = LVBedingungen->topLevelItem(row);
  if (item) item->setText(1, StateText(item->text(1) != StateText(true)));
}

void TFrmVerknwahl::DeleteCondition(int row) {
  delete LVBedingungen->takeTopLevelItem(row);
  UpdateControls();
}

void TFrmVerknwahl::ShowConditionMenu(const QPoint& at) {
  QTreeWidgetItem* item = LVBedingungen->currentItem();
  const int row = item ? LVBedingungen->indexOfTopLevelItem(item) : -1;
  QMenu menu(this);
  QAction* on = menu.addAction(TranslatedText("Status: EIN"));
  QAction* off = menu.addAction(TranslatedText("Status: AUS"));
  QAction* del = menu.addAction(TranslatedText("Eintrag löschen"));
  for (QAction* a : {on, off, del}) a->setEnabled(row >= 0);
  QAction* chosen = menu.exec(LVBedingungen->viewport()->mapToGlobal(at));
  if (chosen == on) SetConditionState(row, true);
  if (chosen == off) SetConditionState(row, false);
  if (chosen == del) DeleteCondition(row);
}

void TFrmVerknwahl::ShowElseMenu(const QPoint& at) {
  QMenu menu(this);
  QAction* del = menu.addAction(TranslatedText("Löschen"));
  del->setEnabled(!SonstEdit->text().isEmpty());
  if (menu.exec(SonstEdit->mapToGlobal(at)) == del) ClearElse();
}

void TFrmVerknwahl::ClearElse() {
  SonstEdit->clear();
  ClearElseEndpointFields(*fWork);
  UpdateControls();
}

void TFrmVerknwahl::DropElse(TZYNBaseObject* object) {
  if (!fWork || Stm == nullptr) return;
  TVerbindung trial;
  trial.CopyRecordFrom(*fWork);
  trial.ClearElseTarget();
  const TLinkObjectKind kind = LinkObjectKind(object);
  const bool output = dynamic_cast<TAusgang*>(object) != nullptr;
  if (output || kind == TLinkObjectKind::Merker || kind == TLinkObjectKind::Anzeigetext) {
    std::string listName = output                            ? static_cast<TKanal*>(object)->BefehlsListe
                           : kind == TLinkObjectKind::Merker ? std::string("Ausgangsfunktionen Merker")
                                                             : std::string("Ausgangsfunktionen Anzeigetexte");
    TEAFunctionList* list = FindCommandList(listName);
    if (list == nullptr) {
      TranslatedMessageDlg(
          ModelTranslate("Die Befehlsliste \"") + listName + ModelTranslate("\" wurde nicht gefunden."), mtError, mbOK);
      return;
    }
    TFrmGetFunction choose(this);
    choose.List = list;
    choose.Fill();
    if (RunLogicDialog(choose) != 1 || choose.Chosen == nullptr) return;  // nothing changes
    SetElseEndpoint(trial, *Stm, *object, *choose.Chosen);
    if (output && !EditLinkParameters(*static_cast<TKanal*>(object), trial, lsElse)) return;  // nothing changes
  }
  fWork->CopyRecordFrom(trial);
  SonstEdit->setText(ToQString(fWork->ElseTarget().Present() ? fWork->GetElseTargetText() : std::string()));
  UpdateControls();
}

void TFrmVerknwahl::UpdateControls() {
  const int count = LVBedingungen->topLevelItemCount();
  if (count < 2) {
    RbUnd->setChecked(true);
    if (fWork) fWork->SetLogicOr(false);
  }
  RGType->setEnabled(count >= 2);
  BtnOK->setEnabled(count > 0);
  ElseDelete->setEnabled(!SonstEdit->text().trimmed().isEmpty());
}

}  // namespace zyn
