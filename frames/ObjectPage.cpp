#include "frames/ObjectPage.h"

#include "frames/PageText.h"
#include "frames/ProjectPage.h"
#include "model/BaseObject.h"
#include "model/GlobalRoutines.h"
#include "model/ModelText.h"
#include "model/base/Errors.h"
#include "model/base/ZYNOptionen.h"
#include "platform/QtText.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/GlobalGui.h"
#include "shell/MessageHandler.h"
#include "shell/Translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace zyn {

// --- tab bar ---

// --- object tree ---

TObjectTree::TObjectTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  // Long names scroll instead of being cut.
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  setTextElideMode(Qt::ElideNone);
}

bool TObjectTree::AcceptsDrop(QTreeWidgetItem* moved, QTreeWidgetItem* target) const {
  return moved && target && moved != target && NodeData(moved) && NodeData(target) &&
         moved->parent() == target->parent();
}

void TObjectTree::dragMoveEvent(QDragMoveEvent* event) {
  QTreeWidgetItem* target = itemAt(event->position().toPoint());
  if (event->source() == this && AcceptsDrop(currentItem(), target))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TObjectTree::dropEvent(QDropEvent* event) {
  QTreeWidgetItem* target = itemAt(event->position().toPoint());
  QTreeWidgetItem* moved = currentItem();
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  if (event->source() == this && AcceptsDrop(moved, target) && OnMoveNode) OnMoveNode(moved, target);
}

// --- page ---

TObjectPage::TObjectPage(const char* componentName, const TObjectPageTexts& texts, QWidget* parent)
    : QWidget(parent), fTexts(texts), fName(componentName) {
  setObjectName(QString::fromLatin1(componentName));
  BuildForm();
}

TObjectPage::~TObjectPage() = default;

void TObjectPage::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(4, 4, 4, 4);
  fToolRow = new QHBoxLayout;
  BtnAdd = AddToolButton("BtnAdd", QStyle::SP_FileDialogNewFolder, "Neues Objekt anlegen");
  BtnDelete = AddToolButton("BtnDelete", QStyle::SP_TrashIcon, "Markiertes Objekt löschen");
  BtnOK = AddToolButton("BtnOK", QStyle::SP_DialogApplyButton, "Änderungen übernehmen");
  BtnCancel = AddToolButton("BtnCancel", QStyle::SP_DialogCancelButton, "Änderungen verwerfen");
  fToolRow->addStretch(1);
  FStyle = new QCheckBox(PageText("Outlookbar automatisch ausblenden"), this);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  fToolRow->addWidget(FStyle);
  outer->addLayout(fToolRow);

  TC = new TPageTabBar(this);
  outer->addWidget(TC);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName(QStringLiteral("Splitter"));
  splitter->setChildrenCollapsible(false);
  Panel1 = new QWidget(splitter);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setMinimumWidth(kDefaultListWidth);
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  GList = new QGroupBox(Panel1);
  GList->setObjectName(QStringLiteral("GList"));
  auto* listLayout = new QVBoxLayout(GList);
  MTV = new TObjectTree(GList);
  MTV->setObjectName(QStringLiteral("MTV"));
  if (fTexts.DragReorder) {
    MTV->setDragEnabled(true);
    MTV->setAcceptDrops(true);
    MTV->setDragDropMode(QAbstractItemView::InternalMove);
  }
  listLayout->addWidget(MTV);
  panelLayout->addWidget(GList);

  Details = new QGroupBox(PageText(" Daten "), splitter);
  Details->setObjectName(QStringLiteral("Details"));
  fDetailsForm = new QFormLayout(Details);
  EName = new QLineEdit(Details);
  EName->setObjectName(QStringLiteral("EName"));
  EName->setMaxLength(255);
  CAdresse = new QComboBox(Details);
  CAdresse->setObjectName(QStringLiteral("CAdresse"));
  MRemarks = new QPlainTextEdit(Details);
  MRemarks->setObjectName(QStringLiteral("MRemarks"));
  fDetailsForm->addRow(PageText("Bezeichnung:"), EName);
  fDetailsForm->addRow(PageText("Adresse:"), CAdresse);
  fDetailsForm->addRow(PageText("Notizen:"), MRemarks);
  splitter->addWidget(Panel1);
  splitter->addWidget(Details);
  splitter->setStretchFactor(1, 1);
  outer->addWidget(splitter, 1);

  connect(BtnAdd, &QToolButton::clicked, this, [this] { AddObject(); });
  connect(BtnDelete, &QToolButton::clicked, this, [this] { DeleteObject(); });
  connect(BtnOK, &QToolButton::clicked, this, [this] { OKClick(); });
  connect(BtnCancel, &QToolButton::clicked, this, [this] { CancelClick(); });
  connect(FStyle, &QCheckBox::clicked, this, [this](bool on) { StyleClicked(on); });
  connect(TC, &QTabBar::currentChanged, this, [this](int i) { TabChanged(i); });
  connect(MTV, &QTreeWidget::currentItemChanged, this, [this] { ShowObject(); });
  connect(MTV, &QTreeWidget::itemClicked, this, [this] { UpdatePage(); });
  connect(MTV, &QTreeWidget::itemChanged, this,
          [this](QTreeWidgetItem* item, int column) { NodeRenamed(item, column); });
  MTV->OnMoveNode = [this](QTreeWidgetItem* moved, QTreeWidgetItem* target) { return MoveNode(moved, target); };
  MTV->installEventFilter(this);
  connect(EName, &QLineEdit::textEdited, this, [this](const QString& t) { NameEdited(t); });
  connect(EName, &QLineEdit::editingFinished, this, [this] { NameFinished(); });
  connect(CAdresse, &QComboBox::currentTextChanged, this, [this](const QString& t) { ChangeAddress(t); });
  connect(MRemarks, &QPlainTextEdit::textChanged, this, [this] {
    TZYNBaseObject* object = SelectedObject();
    if (fUpdating || !object) return;
    SetItemRemarks(object, FromQString(MRemarks->toPlainText()));
    Changed();
  });
  ClearPage();
  for (QToolButton* b : {BtnAdd, BtnDelete, BtnOK, BtnCancel}) b->setEnabled(false);
}

int TObjectPage::ListWidthForNames() const {
  // "STM.00-" and a name of 20 characters, one level down in the tree, beside a scroll bar.
  const QFontMetrics metrics(MTV->font());
  const int text = metrics.horizontalAdvance(QStringLiteral("STM.00-")) + 20 * metrics.averageCharWidth();
  const int frame = 2 * MTV->frameWidth() + 2 * GList->contentsMargins().left() + 16;
  return text + 2 * MTV->indentation() + MTV->verticalScrollBar()->sizeHint().width() + frame;
}

QToolButton* TObjectPage::AddToolButton(const char* name, int standardPixmap, const char* hint, int position,
                                        bool checkable) {
  auto* b = new QToolButton(this);
  b->setObjectName(QString::fromLatin1(name));
  b->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(standardPixmap)));
  b->setAutoRaise(true);
  b->setIconSize(QSize(24, 24));
  b->setToolTip(PageText(hint));
  b->setCheckable(checkable);
  fToolRow->insertWidget(position < 0 ? fToolRow->count() : position, b);
  return b;
}

void TObjectPage::AddDetailRow(const QString& label, QWidget* field) {
  field->setParent(Details);
  fDetailsForm->insertRow(fDetailInsertRow++, label, field);
}

void TObjectPage::AddDetailWidget(QWidget* widget) {
  widget->setParent(Details);
  fDetailsForm->insertRow(fDetailInsertRow++, widget);
}

TSteuermodul* TObjectPage::CurrentStm() const {
  if (!GProjekt || fTabIndex < 0 || fTabIndex >= TC->count()) return nullptr;
  return GProjekt->Steuermodule.FindByName(FromQString(TC->tabData(fTabIndex).toString()));
}

TZYNBaseObject* TObjectPage::SelectedObject() const {
  QTreeWidgetItem* node = MTV->currentItem();
  return node ? static_cast<TZYNBaseObject*>(const_cast<void*>(NodeData(node))) : nullptr;
}

QTreeWidgetItem* TObjectPage::NodeOf(const TZYNBaseObject* object) const { return FindNodeByData(MTV, object); }

QString TObjectPage::NodeText(const TZYNBaseObject* object) const {
  return ToQString(FormatObjectName(ModelTranslate(fTexts.Prefix), ItemAddress(object), fTexts.NodeDigits) + "-" +
                   object->DisplayName());
}

QString TObjectPage::CounterCaption() const {
  return ToQString(" " + FormatNumbers(ModelTranslate(fTexts.Counter) + " ", {CountedObjects(), fTexts.Limit}));
}

QTreeWidgetItem* TObjectPage::AppendNode(TZYNBaseObject* object) {
  auto* node = new QTreeWidgetItem(QStringList{NodeText(object)});
  node->setFlags(node->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
  SetNodeData(node, object);
  MTV->addTopLevelItem(node);
  return node;
}

void TObjectPage::RebuildTabs() {
  WhileUpdating([this] {
    while (TC->count() > 0) TC->removeTab(0);
    fTabIndex = -1;
    if (!GProjekt || !UsesTabs()) return;
    for (int i = 0; i < GProjekt->Steuermodule.Count(); ++i) {
      TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(i);
      const int tab = TC->addTab(ToQString(stm->DisplayName()));
      TC->setTabData(tab, ToQString(stm->InternalName()));
    }
    if (TC->count() > 0) {
      TC->setCurrentIndex(0);
      fTabIndex = 0;
    }
  });
}

void TObjectPage::FrameActivate() {
  const bool stored = GetFrameOption(fName, 0);
  if (FStyle->isChecked() != stored) {
    FStyle->setChecked(stored);
    StyleClicked(stored);
  }
  if (auto* splitter = qobject_cast<QSplitter*>(Panel1->parentWidget())) {
    // A width the user chose is kept; otherwise the list shows a whole node text.
    const int stored = GetFrameTreeWidth(fName);
    const int width = stored > kDefaultListWidth ? stored : std::max(stored, ListWidthForNames());
    const int total = std::max(splitter->width(), width + 200);
    splitter->setSizes({width, total - width});
  }
  PrepareActivation();
  TC->setVisible(UsesTabs());
  RebuildTabs();
  if (!HasEditTarget()) {
    WhileUpdating([this] {
      ClearPage();
      ClearList();
    });
    fModified = false;
    UpdatePage();
    return;
  }
  LoadControlModule(CurrentStm());
  UpdatePage();
}

bool TObjectPage::HasEditTarget() const { return UsesTabs() ? CurrentStm() != nullptr : GProjekt != nullptr; }

void TObjectPage::FrameDeactivate() {
  if (AskApplyChanges() == 2) return;
  WhileUpdating([this] {
    ClearPage();
    ClearList();
  });
  SetFrameTreeWidth(fName, Panel1->width());
}

int TObjectPage::AskApplyChanges() {
  if (!fModified) return 6;
  const std::string text =
      ModelTranslate(fTexts.ChangedLine) + "\r" + ModelTranslate("Sollen die Änderungen übernommen werden?");
  const int answer = TranslatedMessageDlg(text, mtConfirmation, mbYes | mbNo | mbCancel);
  if (answer == 6) {
    ApplyChanges();
  } else if (answer == 7) {
    // The edits are dropped at once, so that they cannot come back with a later apply.
    fModified = false;
    WhileUpdating([this] {
      ClearPage();
      ClearList();
    });
    LoadControlModule(CurrentStm());
  }
  if (answer == 6 || answer == 7) fModified = false;
  UpdatePage();
  return answer == 6 || answer == 7 ? answer : 2;
}

void TObjectPage::ApplyChanges() {
  if (HasEditTarget()) {
    MergeList();
    GProjekt->Modified = true;
  }
  fModified = false;
  // What the project now holds decides which commands and pages can be used.
  NotifyProjectChanged();
}

void TObjectPage::OKClick() {
  if (fModified) ApplyChanges();
  UpdatePage();
}

void TObjectPage::CancelClick() {
  if (AskApplyChanges() == 2) return;
  WhileUpdating([this] {
    ClearPage();
    ClearList();
  });
  LoadControlModule(CurrentStm());
  UpdatePage();
  NotifyProjectChanged();
}

void TObjectPage::TabChanged(int index) {
  if (fUpdating || index == fTabIndex) return;
  if (fModified && AskApplyChanges() == 2) {
    // Cancel keeps the tab, the page and the edits.
    WhileUpdating([this] { TC->setCurrentIndex(fTabIndex); });
    return;
  }
  fTabIndex = index;
  LoadControlModule(CurrentStm());
  UpdatePage();
}

void TObjectPage::LoadControlModule(TSteuermodul* stm) {
  if (UsesTabs() ? !stm : !GProjekt) return;
  WhileUpdating([this] {
    ClearPage();
    ClearList();
    CopyList();
    for (int i = 0; i < ListCount(); ++i)
      if (TZYNBaseObject* object = ListItem(i); ShowsItem(object)) AppendNode(object);
  });
  fModified = false;
  if (QTreeWidgetItem* first = FirstObjectNode()) {
    MTV->setCurrentItem(first);
    ShowObject();
  }
  UpdatePage();
}

void TObjectPage::ShowObject() {
  if (fUpdating) return;
  TZYNBaseObject* object = SelectedObject();
  if (!object) {
    WhileUpdating([this] { ShowNoObject(); });
    UpdatePage();
    return;
  }
  WhileUpdating([this, object] {
    EName->setText(ToQString(object->DisplayName()));
    fNameBeforeEdit = object->DisplayName();
    int selected = -1;
    const std::vector<std::string> items = AddressItems(object, selected);
    CAdresse->clear();
    for (const std::string& item : items) CAdresse->addItem(ToQString(item));
    CAdresse->setCurrentIndex(selected);
    MRemarks->setPlainText(ToQString(ItemRemarks(object)));
    ShowDetails(object);
  });
  UpdatePage();
}

void TObjectPage::ClearPage() {
  WhileUpdating([this] {
    MTV->clear();
    EName->clear();
    CAdresse->clear();
    MRemarks->clear();
    ClearDetails();
    Details->setEnabled(false);
  });
}

bool TObjectPage::MayDelete() const { return ListCount() > 0 && SelectedObject() != nullptr; }

void TObjectPage::UpdatePage() {
  BtnAdd->setEnabled(HasEditTarget() && MayAdd());
  BtnDelete->setEnabled(MayDelete());
  BtnOK->setEnabled(fModified);
  BtnCancel->setEnabled(fModified);
  Details->setEnabled(MTV->topLevelItemCount() > 0);
  GList->setTitle(CounterCaption());
}

void TObjectPage::Changed() {
  fModified = HasEditTarget() && ListDiffers();
  UpdatePage();
}

bool TObjectPage::NameTaken(const std::string& name, const TZYNBaseObject* except) const {
  const std::string wanted = AnsiUpperCase(Trim(name));
  if (wanted.empty()) return false;
  for (int i = 0; i < ListCount(); ++i) {
    const TZYNBaseObject* other = ListItem(i);
    if (other != except && AnsiUpperCase(Trim(other->DisplayName())) == wanted) return true;
  }
  return false;
}

bool TObjectPage::RenameObject(TZYNBaseObject* object, const QString& name) {
  if (!object) return false;
  const std::string text = FromQString(name);
  if (NameTaken(text, object)) {
    TranslatedMessageDlg(FormatText(ModelTranslate("Der Name \"%s\" ist bereits vergeben. Bitte wählen Sie einen "
                                                   "anderen Namen."),
                                    {Trim(text)}),
                         mtError, mbOK);
    return false;
  }
  object->SetDisplayName(text);
  if (QTreeWidgetItem* node = NodeOf(object)) WhileUpdating([&] { node->setText(0, NodeText(object)); });
  Changed();
  return true;
}

void TObjectPage::NameEdited(const QString& text) {
  TZYNBaseObject* object = SelectedObject();
  if (fUpdating || !object) return;
  // A name another object has is not stored; leaving the edit then reports it.
  if (NameTaken(FromQString(text), object)) return;
  object->SetDisplayName(FromQString(text));
  if (QTreeWidgetItem* node = NodeOf(object)) WhileUpdating([&] { node->setText(0, NodeText(object)); });
  Changed();
}

void TObjectPage::NameFinished() {
  TZYNBaseObject* object = SelectedObject();
  if (fUpdating || fRefusing || !object) return;
  if (EName->text() == ToQString(object->DisplayName())) {
    fNameBeforeEdit = object->DisplayName();
    return;
  }
  // The typed name is taken: the name the object had before this edit comes back.
  fRefusing = true;
  const QString refused = EName->text();
  object->SetDisplayName(fNameBeforeEdit);
  WhileUpdating([&] {
    EName->setText(ToQString(object->DisplayName()));
    if (QTreeWidgetItem* node = NodeOf(object)) node->setText(0, NodeText(object));
  });
  Changed();
  RenameObject(object, refused);  // shows the message
  fRefusing = false;
}

void TObjectPage::NodeRenamed(QTreeWidgetItem* item, int) {
  if (fUpdating || !item) return;
  auto* object = static_cast<TZYNBaseObject*>(const_cast<void*>(NodeData(item)));
  if (!object || item->text(0) == NodeText(object)) return;
  const QString entered = item->text(0);
  WhileUpdating([&] { item->setText(0, NodeText(object)); });
  if (RenameObject(object, entered) && object == SelectedObject()) WhileUpdating([&] { EName->setText(entered); });
}

void TObjectPage::ChangeAddress(const QString& entry) {
  TZYNBaseObject* object = SelectedObject();
  if (fUpdating || !object || entry.isEmpty()) return;
  int address = -1;
  try {
    address = ParseNumberAfterDot(FromQString(entry));
  } catch (const std::exception&) {
    return;
  }
  if (address < 0 || address == ItemAddress(object)) return;
  ChangeItemAddress(object, address);
  if (QTreeWidgetItem* node = NodeOf(object)) WhileUpdating([&] { node->setText(0, NodeText(object)); });
  Changed();
}

void TObjectPage::AddObject() {
  if (!HasEditTarget() || !MayAdd()) return;
  const int address = FirstFree();
  std::string name = FormatNumbers(ModelTranslate(fTexts.DefaultName), {address});
  for (int k = 2; NameTaken(name, nullptr); ++k)
    name = FormatNumbers(ModelTranslate(fTexts.DefaultName), {address}) + " (" + std::to_string(k) + ")";
  TZYNBaseObject* object = CreateItem(address, name);
  QTreeWidgetItem* node = nullptr;
  WhileUpdating([&] { node = AppendNode(object); });
  MTV->setCurrentItem(node);
  ShowObject();
  Changed();
}

void TObjectPage::DeleteObject() {
  TZYNBaseObject* object = SelectedObject();
  if (!object) return;
  const std::string question = FormatText(ModelTranslate(fTexts.DeleteQuestion), {object->DisplayName()});
  if (!ConfirmDelete(question, 0)) return;
  QTreeWidgetItem* node = NodeOf(object);
  WhileUpdating([&] {
    delete node;
    RemoveItem(object);
  });
  if (MTV->topLevelItemCount() == 0) {
    ClearPage();
  } else {
    ShowObject();
  }
  Changed();
}

bool TObjectPage::MoveNode(QTreeWidgetItem* moved, QTreeWidgetItem* target) {
  auto* a = static_cast<const TZYNBaseObject*>(NodeData(moved));
  auto* b = static_cast<const TZYNBaseObject*>(NodeData(target));
  if (!a || !b) return false;
  MoveItem(a->InternalName(), b->InternalName());
  WhileUpdating([&] {
    QTreeWidgetItem* parent = moved->parent();
    const int from = parent ? parent->indexOfChild(moved) : MTV->indexOfTopLevelItem(moved);
    if (parent)
      parent->takeChild(from);
    else
      MTV->takeTopLevelItem(from);
    const int to = parent ? parent->indexOfChild(target) : MTV->indexOfTopLevelItem(target);
    if (parent)
      parent->insertChild(to, moved);
    else
      MTV->insertTopLevelItem(to, moved);
  });
  MTV->setCurrentItem(moved);
  Changed();
  return true;
}

void TObjectPage::StyleClicked(bool checked) { ApplySideBarStyle(fName, checked); }

bool TObjectPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == MTV && event->type() == QEvent::KeyRelease && !MTV->Editing()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Insert && CountedObjects() < fTexts.Limit && MayAdd()) {
      AddObject();
      return true;
    }
    if (key == Qt::Key_Delete && ListCount() > 0 && MayDelete()) {
      DeleteObject();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zyn
