#include "frames/FrGruppen.h"

#include "frames/PageText.h"
#include "model/ModelText.h"
#include "model/UniqueNames.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "shell/FrameManager.h"
#include "shell/GlobalGui.h"
#include "shell/Translation.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

namespace {

const TObjectPageTexts kGruppenTexts{"GRP", "Gruppe %3.3d", 128, "Gruppen (%3.3d/%3.3d)", "Die Gruppen wurden geändert.",
                              "",    true,           true};

std::string ChannelText(const TModul& m, const TAusgang& o) {
  return m.ModulKennung + "." + ZeroPad(m.Adresse(), 2) + "." + ZeroPad(o.Adresse(), 2);
}

void* ItemData(const QTreeWidgetItem* node) { return node->data(0, Qt::UserRole).value<void*>(); }

// "Befehlsliste des Kanals: ..., Befehlsliste der Gruppe: ..." for a refused channel.
std::string CommandListMismatch(const std::string& channelList, const std::string& groupList) {
  return ModelTranslate("Befehlsliste des Kanals: \"") + channelList + "\"\r" +
         ModelTranslate("Befehlsliste der Gruppe: \"") + groupList + "\"";
}

}  // namespace

// --- member list ---

TMemberList::TMemberList(QWidget* parent) : TzsExtListView(parent) {
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DropOnly);
}

void TMemberList::dragEnterEvent(QDragEnterEvent* event) {
  if (event->source() && event->source() != this) event->acceptProposedAction();
}

void TMemberList::dragMoveEvent(QDragMoveEvent* event) {
  auto* tree = qobject_cast<QTreeWidget*>(event->source());
  if (tree && tree != this && OnAccepts && OnAccepts(tree->currentItem()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TMemberList::dropEvent(QDropEvent* event) {
  auto* tree = qobject_cast<QTreeWidget*>(event->source());
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  if (tree && tree != this && OnAccepts && OnAccepts(tree->currentItem()) && OnDropNode) {
    QTreeWidgetItem* node = tree->currentItem();
    // The drop ends the drag before the group's answer, which may be a message box.
    QTimer::singleShot(0, this, [this, node] { OnDropNode(node); });
  }
}

// --- channel sub-page ---

TFrGruppenKanal::TFrGruppenKanal(TFrGruppen* owner) : fOwner(owner) {
  setObjectName(QStringLiteral("FrGruppenKanal"));
  auto* layout = new QHBoxLayout(this);
  auto* available = new QGroupBox(PageText(" Verfügbare Kanäle "), this);
  auto* a = new QVBoxLayout(available);
  MTV = new QTreeWidget(available);
  MTV->setObjectName(QStringLiteral("MTV"));
  MTV->setHeaderHidden(true);
  MTV->setDragEnabled(true);
  MTV->setDragDropMode(QAbstractItemView::DragOnly);
  a->addWidget(MTV);
  auto* chosen = new QGroupBox(PageText(" Ausgewählte Kanäle "), this);
  auto* c = new QVBoxLayout(chosen);
  KLV = new TMemberList(chosen);
  KLV->setObjectName(QStringLiteral("KLV"));
  KLV->setColumnCount(2);
  KLV->setHeaderLabels({PageText("Adresse"), PageText("Bezeichnung")});
  KLV->setRootIsDecorated(false);
  KLV->SetExtendedStyles(Lvx(lvxGridLines) | Lvx(lvxFullRowSelect) | Lvx(lvxInfoTip));
  KLV->setColumnWidth(0, 180);
  KLV->setColumnWidth(1, 90);
  KLV->setEditTriggers(QAbstractItemView::NoEditTriggers);
  KLV->setSelectionMode(QAbstractItemView::ExtendedSelection);
  KLV->setContextMenuPolicy(Qt::CustomContextMenu);
  KLV->header()->setStretchLastSection(true);
  c->addWidget(KLV);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  BtnTake = new QPushButton(PageText("Übernehmen"), chosen);
  BtnBack = new QPushButton(PageText("Abbrechen"), chosen);
  buttons->addWidget(BtnTake);
  buttons->addWidget(BtnBack);
  c->addLayout(buttons);
  layout->addWidget(available);
  layout->addWidget(chosen);
  // Every output may be let go over the list; the drop says why the group does not take it.
  KLV->OnAccepts = [](QTreeWidgetItem* node) { return node != nullptr && node->data(0, Qt::UserRole).isValid(); };
  KLV->OnDropNode = [this](QTreeWidgetItem* node) { AddNode(node); };
  KLV->installEventFilter(this);
  connect(KLV, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
    QMenu menu(this);
    QAction* remove = menu.addAction(PageText("Ausgewählte löschen"), this, [this] { RemoveSelected(); });
    remove->setEnabled(!KLV->selectedItems().isEmpty());
    menu.exec(KLV->viewport()->mapToGlobal(p));
  });
  connect(MTV, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) { AddNode(node); });
  connect(BtnTake, &QPushButton::clicked, this, [this] { TakeClick(); });
  connect(BtnBack, &QPushButton::clicked, this, [this] { BackClick(); });
}

void TFrGruppenKanal::SetGroupContext(TSteuermodul* stm, TGruppe* group) {
  fStm = stm;
  fSourceGroup = group;
}

void TFrGruppenKanal::FrameActivate() {
  fModified = false;
  MTV->clear();
  KLV->clear();
  fWorkGroup.ClearMembers();
  if (!fSourceGroup || !fStm) return;
  fWorkGroup.CopyFrom(*fSourceGroup);
  for (int i = 0; i < fWorkGroup.Members().Count(); ++i) {
    TGruppenObjekt* m = fWorkGroup.GetGruppenObjekt(i);
    auto* row = new QTreeWidgetItem(QStringList{ToQString(m->AdressString), ToQString(m->DisplayName())});
    row->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(m)));
    KLV->addTopLevelItem(row);
  }
  for (int i = 0; i < fStm->Module.Count(); ++i) {
    TModul* modul = fStm->Module.GetModul(i);
    bool named = false;
    for (int k = 0; k < modul->Ausgaenge().Count(); ++k)
      if (!Trim(modul->Ausgaenge().GetItem(k)->DisplayName()).empty()) named = true;
    if (!named) continue;
    const std::string prefix = modul->ModulKennung + "." + ZeroPad(modul->Adresse(), 2) + "-";
    auto* node = new QTreeWidgetItem(QStringList{ToQString(prefix + modul->DisplayName())});
    node->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(modul)));
    node->setData(0, Qt::UserRole + 1, true);  // a module node
    for (int k = 0; k < modul->Ausgaenge().Count(); ++k) {
      TAusgang* output = modul->Ausgaenge().GetItem(k);
      // Each output by its channel address: unnamed outputs of one module stay apart.
      auto* child = new QTreeWidgetItem(QStringList{ToQString(ChannelText(*modul, *output) + "-" + output->DisplayName())});
      child->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(output)));
      node->addChild(child);
    }
    MTV->addTopLevelItem(node);
    node->setExpanded(true);
  }
}

void TFrGruppenKanal::FrameDeactivate() {
  MTV->clear();
  KLV->clear();
}

bool TFrGruppenKanal::Listed(const std::string& adressString) const {
  for (int i = 0; i < KLV->topLevelItemCount(); ++i)
    if (KLV->topLevelItem(i)->text(0) == ToQString(adressString)) return true;
  return false;
}

bool TFrGruppenKanal::Accepts(QTreeWidgetItem* node) const {
  if (!node || !GProjekt) return false;
  if (node->data(0, Qt::UserRole + 1).toBool()) return true;
  auto* output = static_cast<TAusgang*>(ItemData(node));
  auto* modul = node->parent() ? static_cast<TModul*>(ItemData(node->parent())) : nullptr;
  return output && modul && !Listed(ChannelText(*modul, *output)) && fWorkGroup.AcceptsKanal(*GProjekt, *output);
}

std::string TFrGruppenKanal::Refusal(QTreeWidgetItem* node) const {
  if (!node || !GProjekt || node->data(0, Qt::UserRole + 1).toBool() || !node->parent()) return {};
  auto* output = static_cast<TAusgang*>(ItemData(node));
  auto* modul = static_cast<TModul*>(ItemData(node->parent()));
  if (!output || !modul) return {};
  const std::string channel =
      ChannelText(*modul, *output) + (output->DisplayName().empty() ? "" : " \"" + output->DisplayName() + "\"");
  if (Listed(ChannelText(*modul, *output)))
    return ModelTranslate("Der Kanal ") + channel + ModelTranslate(" gehört bereits zur Gruppe.");
  if (fWorkGroup.AcceptsKanal(*GProjekt, *output)) return {};
  return ModelTranslate("Der Kanal ") + channel + ModelTranslate(" kann nicht in diese Gruppe aufgenommen werden.") +
         "\r" + CommandListMismatch(output->BefehlsListe, fWorkGroup.GetCommonBefehlsListe(*GProjekt));
}

void TFrGruppenKanal::AddOutput(TModul* modul, TAusgang* output) {
  auto member = std::make_unique<TGruppenObjekt>();
  if (GUniqueNames) member->AssignNewName(*GUniqueNames);
  member->Steuermodul = fStm->InternalName();
  member->Modul = modul->InternalName();
  member->Kanal = output->InternalName();
  member->SetDisplayName(output->DisplayName());
  member->AdressString = ChannelText(*modul, *output);
  TGruppenObjekt* added = fWorkGroup.Members().Add(std::move(member));
  auto* row = new QTreeWidgetItem(QStringList{ToQString(added->AdressString), ToQString(added->DisplayName())});
  row->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(added)));
  KLV->addTopLevelItem(row);
  fModified = true;
}

void TFrGruppenKanal::AddNode(QTreeWidgetItem* node) {
  if (!node || !GProjekt) return;
  if (node->data(0, Qt::UserRole + 1).toBool()) {
    auto* modul = static_cast<TModul*>(ItemData(node));
    int added = 0, refused = 0;
    std::string list;
    for (int k = 0; k < node->childCount(); ++k) {
      auto* output = static_cast<TAusgang*>(ItemData(node->child(k)));
      if (Listed(ChannelText(*modul, *output))) continue;
      if (fWorkGroup.AcceptsKanal(*GProjekt, *output)) {
        AddOutput(modul, output);
        ++added;
      } else {
        ++refused;
        list = output->BefehlsListe;
      }
    }
    if (added == 0 && refused > 0)
      TranslatedMessageDlg(ModelTranslate("Kein Kanal des Moduls ") + FromQString(node->text(0)) +
                               ModelTranslate(" kann in diese Gruppe aufgenommen werden.") + "\r" +
                               CommandListMismatch(list, fWorkGroup.GetCommonBefehlsListe(*GProjekt)),
                           mtWarning, mbOK);
  } else if (Accepts(node)) {
    AddOutput(static_cast<TModul*>(ItemData(node->parent())), static_cast<TAusgang*>(ItemData(node)));
  } else if (const std::string why = Refusal(node); !why.empty()) {
    TranslatedMessageDlg(why, mtWarning, mbOK);
  }
}

void TFrGruppenKanal::RemoveSelected() {
  for (QTreeWidgetItem* row : KLV->selectedItems()) {
    fWorkGroup.Members().Remove(static_cast<TGruppenObjekt*>(ItemData(row)));
    delete row;
    fModified = true;
  }
}

bool TFrGruppenKanal::eventFilter(QObject* watched, QEvent* event) {
  if (watched == KLV && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    if (QTreeWidgetItem* row = KLV->currentItem()) {
      fWorkGroup.Members().Remove(static_cast<TGruppenObjekt*>(ItemData(row)));
      delete row;
      fModified = true;
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFrGruppenKanal::TakeClick() {
  if (fModified && fSourceGroup) {
    // The members are merged by their internal names: the group takes the edited list as it is.
    fSourceGroup->UpdateFrom(fWorkGroup);
    if (GProjekt) GProjekt->Modified = true;
    fOwner->MembersChanged();
    fModified = false;
  }
  fOwner->FM->SetCurrentFrame(QStringLiteral("FrGruppenDaten"));
}

void TFrGruppenKanal::BackClick() {
  if (fModified) {
    const int answer = TranslatedMessageDlg(ModelTranslate("Die Gruppenkanäle wurden geändert.") + "\r" +
                                                ModelTranslate("Sollen die Änderungen übernommen werden?"),
                                            mtConfirmation, mbYes | mbNo | mbCancel);
    if (answer == 2) return;
    if (answer == 6) {
      TakeClick();
      return;
    }
    fModified = false;
  }
  fOwner->FM->SetCurrentFrame(QStringLiteral("FrGruppenDaten"));
}

// --- outer page ---

TFrGruppen::TFrGruppen(QWidget* parent)
    : TListPage(
          "FrGruppen", kGruppenTexts, &TSteuermodul::Gruppen, [] { return GGruppenObserver.get(); }, parent) {
  GList->setObjectName(QStringLiteral("GGruppen"));
  MTV->setObjectName(QStringLiteral("GTV"));
  Details->setObjectName(QStringLiteral("TGDaten"));
  Details->setTitle(PageText(" Gruppendaten "));
  EName->setObjectName(QStringLiteral("GName"));
  MRemarks->setObjectName(QStringLiteral("Memo1"));
  MRemarks->setMaximumHeight(90);
  BtnOK->setToolTip(PageText("Änderungen übernehmen"));
  BtnCancel->setToolTip(PageText("Änderungen verwerfen"));
  KGKL = new TzsExtListView;
  KGKL->setObjectName(QStringLiteral("KGKL"));
  KGKL->setColumnCount(2);
  KGKL->setHeaderLabels({PageText("Adresse"), PageText("Bezeichnung")});
  KGKL->setRootIsDecorated(false);
  KGKL->SetExtendedStyles(Lvx(lvxGridLines) | Lvx(lvxFullRowSelect) | Lvx(lvxInfoTip));
  KGKL->setColumnWidth(0, 80);
  KGKL->setColumnWidth(1, 180);
  KGKL->setEditTriggers(QAbstractItemView::NoEditTriggers);
  KGKL->header()->setStretchLastSection(true);
  AddDetailRow(PageText("Gruppenkanäle"), KGKL);
  AddBtn = new QPushButton(PageText("Kanäle bearbeiten"));
  AddBtn->setObjectName(QStringLiteral("AddBtn"));
  AddDetailWidget(AddBtn);
  connect(AddBtn, &QPushButton::clicked, this, [this] { EditMembers(); });
  MTV->removeEventFilter(this);  // the group tree has no Insert and Delete keys

  // The list and details become the first sub-page of a frame manager of the page's own.
  auto* splitter = findChild<QSplitter*>(QStringLiteral("Splitter"));
  auto* outer = static_cast<QVBoxLayout*>(layout());
  FM = new TFrameManager(this);
  FM->setObjectName(QStringLiteral("FM"));
  auto* data = new QWidget;
  data->setObjectName(QStringLiteral("FrGruppenDaten"));
  auto* dataLayout = new QVBoxLayout(data);
  dataLayout->setContentsMargins(0, 0, 0, 0);
  outer->removeWidget(splitter);
  dataLayout->addWidget(splitter);
  Kanal = new TFrGruppenKanal(this);
  FM->AddFrame(data, PageText("Gruppendaten"), faClient);
  FM->AddFrame(Kanal, PageText("Kanäle hinzufügen"), faClient);
  outer->addWidget(FM, 1);
  FM->SetCurrentFrame(QStringLiteral("FrGruppenDaten"));
  FM->FOnFrameChanged = [this](QObject*, TFrame*, const QString&) { UpdatePage(); };
}

void TFrGruppen::EditMembers() {
  TGruppe* group = SelectedItem();
  if (!group) return;
  Kanal->SetGroupContext(CurrentStm(), group);
  FM->SetCurrentFrame(QStringLiteral("FrGruppenKanal"));
}

void TFrGruppen::MembersChanged() {
  ShowObject();
  Changed();
}

void TFrGruppen::ShowDetails(TZYNBaseObject* object) {
  TGruppe* group = Item(object);
  KGKL->clear();
  for (int i = 0; i < group->Members().Count(); ++i) {
    const TGruppenObjekt* m = group->GetGruppenObjekt(i);
    KGKL->addTopLevelItem(new QTreeWidgetItem(QStringList{ToQString(m->AdressString), ToQString(m->DisplayName())}));
  }
}

void TFrGruppen::ClearDetails() {
  if (KGKL) KGKL->clear();
}

void TFrGruppen::AddObject() {
  if (fWorkList.Count() >= 128) {
    TranslatedMessageDlg(ModelTranslate("Es können keine weiteren Gruppen angelegt werden"), mtInformation, mbOK);
    return;
  }
  TListPage::AddObject();
}

void TFrGruppen::DeleteObject() {
  // Groups are deleted without a question.
  TGruppe* group = SelectedItem();
  if (!group) return;
  QTreeWidgetItem* node = NodeOf(group);
  WhileUpdating([&] {
    KGKL->clear();
    delete node;
    fWorkList.Remove(group);
  });
  if (MTV->topLevelItemCount() == 0)
    ClearPage();
  else
    ShowObject();
  Changed();
}

void TFrGruppen::FrameDeactivate() {
  FM->SetCurrentFrame(QStringLiteral("FrGruppenDaten"));
  TListPage::FrameDeactivate();
}

void TFrGruppen::UpdatePage() {
  TObjectPage::UpdatePage();
  if (!FM) return;
  if (FM->CurrentFrame() == QLatin1String("FrGruppenKanal"))
    for (QToolButton* b : {BtnAdd, BtnDelete, BtnOK, BtnCancel}) b->setEnabled(false);
  TC->setEnabled(FM->CurrentFrame() != QLatin1String("FrGruppenKanal"));
  AddBtn->setEnabled(SelectedItem() != nullptr);
}

}  // namespace zyn
