#include "logic/TemplatePage.h"

#include "compiler/interpreter/ToolExpansion.h"
#include "compiler/interpreter/ToolGeneration.h"
#include "compiler/interpreter/ToolReport.h"
#include "compiler/toollib/Ebene.h"
#include "compiler/toollib/FuncNode.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/SubFunction.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "frames/PageText.h"
#include "logic/FrmVerknwahl.h"
#include "logic/GlobalFuncs.h"
#include "logic/LogicDialogs.h"
#include "logic/SmallLogicDialogs.h"
#include "logic/core/TemplateProgram.h"
#include "model/BasisDaten.h"
#include "model/EAFunktionen.h"
#include "model/GlobalRoutines.h"
#include "model/Gruppe.h"
#include "model/Kanal.h"
#include "model/Merker.h"
#include "model/ModelText.h"
#include "model/Modul.h"
#include "model/ModulClass.h"
#include "model/Uhr.h"
#include "model/UniqueNames.h"
#include "model/Verbindung.h"
#include "model/VerbindungsListe.h"
#include "model/base/Cp1252.h"
#include "model/base/TextUtils.h"
#include "model/base/Translator.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "platform/WaitCursor.h"
#include "project/Global.h"
#include "project/Projekt.h"
#include "project/Steuermodul.h"
#include "shell/FormLgkonflikt.h"
#include "shell/MessageHandler.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zyn {

namespace {

const char* const kBasisFrameName = "FrBasis";
const char* const kSheets[] = {"Vorlagen", "Eigene Vorlagen", "Eingänge", "Ausgänge",  "Rückmeldungen",
                               "Uhren",    "Merker",          "Gruppen",  "Funktionen"};

std::string T(const char* utf8) { return TranslateText(Utf8ToAnsi(utf8)); }

// A tree whose nodes are dragged within the page; the page decides what a drop means.
class TDragTree : public QTreeWidget {
 public:
  TDragTree(TFrBasis* page, QWidget* parent) : QTreeWidget(parent), fPage(page) {
    setHeaderHidden(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
  }
  static TDragTree* Dragging;
  static QTreeWidgetItem* DraggedItem;

 protected:
  void startDrag(Qt::DropActions) override {
    QTreeWidgetItem* item = currentItem();
    if (!item || std::holds_alternative<std::monostate>(fPage->Data(item))) return;
    Dragging = this;
    DraggedItem = item;
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/x-zyn-node"), QByteArray());
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction | Qt::CopyAction);
    Dragging = nullptr;
    DraggedItem = nullptr;
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (Dragging)
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    QTreeWidgetItem* target = itemAt(e->position().toPoint());
    if (Dragging && fPage->CanDrop(Dragging, DraggedItem, target) && this == fPage->PTV)
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dropEvent(QDropEvent* e) override {
    QTreeWidgetItem* target = itemAt(e->position().toPoint());
    if (Dragging && this == fPage->PTV && fPage->CanDrop(Dragging, DraggedItem, target)) {
      e->setDropAction(Qt::IgnoreAction);  // the page moves the nodes itself
      e->accept();
      fPage->Drop(Dragging, DraggedItem, target);
    } else {
      e->ignore();
    }
  }

 private:
  TFrBasis* fPage;
};
TDragTree* TDragTree::Dragging = nullptr;
QTreeWidgetItem* TDragTree::DraggedItem = nullptr;

// The pictures of the program tree, drawn here: a coloured square with the node kind's letter.
QIcon ToolPicture(int index) {
  static const struct {
    QColor Color;
    char Letter;
  } kPictures[11] = {{QColor(0, 0, 160), 'E'},     {QColor(0, 128, 0), 'F'},   {QColor(0, 128, 128), 'I'},
                     {QColor(160, 80, 0), 'O'},    {QColor(128, 0, 128), 'M'}, {QColor(0, 96, 192), 'U'},
                     {QColor(96, 96, 0), 'P'},     {QColor(96, 96, 96), 'X'},  {QColor(64, 64, 160), 'W'},
                     {QColor(128, 128, 128), '?'}, {QColor(200, 0, 0), '!'}};
  static QIcon icons[11];
  const int i = std::clamp(index, 0, 10);
  if (icons[i].isNull()) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPictures[i].Color);
    painter.drawRoundedRect(1, 1, 14, 14, 3, 3);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(QChar::fromLatin1(kPictures[i].Letter)));
    painter.end();
    icons[i] = QIcon(pixmap);
  }
  return icons[i];
}

// The main window's menus and bars locked while a long operation runs, unlocked on every way out.
class TLockedUserInterface {
 public:
  TLockedUserInterface() : fHandler(GetMessageHandler()) {
    if (fHandler) fHandler->LockUserInterface();
  }
  ~TLockedUserInterface() {
    if (fHandler) fHandler->UnlockUserInterface();
  }
  TLockedUserInterface(const TLockedUserInterface&) = delete;
  TLockedUserInterface& operator=(const TLockedUserInterface&) = delete;

 private:
  IMessageHandler* fHandler;
};

// The progress window "Verbindungen erzeugen" as the interpreter reports into it: the current
// item in "Bearbeite: ", the tool's progress on the bar.
class TToolProgressReport : public IToolReport {
 public:
  explicit TToolProgressReport(TFrmCreateVerbindungen& window) : fWindow(window) {}
  void SetToolProgress(int position) override { fWindow.PB->setValue(position); }
  void SetCaption(const std::string& text) override {
    fWindow.Label3->setText(PageText("Bearbeite: ") + ToQString(text));
  }
  void ProcessMessages() override { QApplication::processEvents(); }

 private:
  TFrmCreateVerbindungen& fWindow;
};

// "Zustand abfragen": "Ein" or "Aus"; the list's current item when the dialog is closed.
std::string AskStateDialog(QWidget* parent) {
  TFrmGetLogic dialog(parent);
  if (RunLogicDialog(dialog) != 1 || !dialog.List->currentItem()) return {};
  return FromQString(dialog.List->currentItem()->text());
}

}  // namespace

// The program tree as the interpreter's tree filling sees it.
class TTemplateTree : public IToolTreeSink {
 public:
  TTemplateTree(TFrBasis& page, QTreeWidgetItem* root = nullptr) : fPage(page) {
    if (root) fItems.push_back(root);
  }
  void Clear() override {}
  int AddLevel(const std::string& text, std::unique_ptr<TZYNEbene> level) override {
    QTreeWidgetItem* item = fPage.AddItem(fPage.PTV, nullptr, text, level.get());
    fPage.fLevels.push_back(std::move(level));
    fItems.push_back(item);
    return static_cast<int>(fItems.size()) - 1;
  }
  int AddNode(int parent, const std::string& text, const TToolTreeData& data) override {
    TFrBasis::TNodeData d;
    std::visit([&d](auto&& v) { d = v; }, data);
    QTreeWidgetItem* item =
        fPage.AddItem(fPage.PTV, parent == kRoot ? nullptr : fItems[static_cast<size_t>(parent)], text, d);
    fItems.push_back(item);
    return static_cast<int>(fItems.size()) - 1;
  }

 private:
  TFrBasis& fPage;
  std::vector<QTreeWidgetItem*> fItems;
};

TFrBasis::TFrBasis(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(kBasisFrameName));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  TC = new QTabBar(this);
  TC->setObjectName(QStringLiteral("TC"));
  TC->setStyleSheet(QStringLiteral("QTabBar::tab:selected { font-weight: bold; color: blue; }"));
  layout->addWidget(TC);
  connect(TC, &QTabBar::currentChanged, this, [this](int index) {
    if (!fClearing && index >= 0) ShowTab(index);
  });

  auto* split = new QSplitter(Qt::Horizontal, this);
  auto* left = new QWidget(split);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  HPanel = new QLabel(left);
  HPanel->setObjectName(QStringLiteral("HPanel"));
  QFont bold = HPanel->font();
  bold.setBold(true);
  HPanel->setFont(bold);
  leftLayout->addWidget(HPanel);
  FPage = new QTabWidget(left);
  FPage->setObjectName(QStringLiteral("FPage"));
  FPage->setDocumentMode(true);
  leftLayout->addWidget(FPage, 1);
  VTV = MakeTree("VTV", kSheets[0]);
  UVTV = MakeTree("UVTV", kSheets[1]);
  ETV = MakeTree("ETV", kSheets[2]);
  ATV = MakeTree("ATV", kSheets[3]);
  RTV = MakeTree("RTV", kSheets[4]);
  UTV = MakeTree("UTV", kSheets[5]);
  MTV = MakeTree("MTV", kSheets[6]);
  GTV = MakeTree("GTV", kSheets[7]);
  FTV = MakeTree("FTV", kSheets[8]);
  connect(FPage, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= 0 && index < 9) HPanel->setText(PageText(kSheets[index]));
  });
  Multiline1 = new QAction(PageText("Mehrzeilig"), FPage);
  Buttons1 = new QAction(PageText("Buttons"), FPage);
  for (QAction* a : {Multiline1, Buttons1}) {
    a->setCheckable(true);
    FPage->tabBar()->addAction(a);
  }
  FPage->tabBar()->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(Multiline1, &QAction::triggered, this, [this](bool on) {
    SetSheetStyle(on, Buttons1->isChecked());
    SetFrameOption(kBasisFrameName, 1, on);
  });
  connect(Buttons1, &QAction::triggered, this, [this](bool on) {
    SetSheetStyle(Multiline1->isChecked(), on);
    SetFrameOption(kBasisFrameName, 2, on);
  });
  SetSheetStyle(GetFrameOption(kBasisFrameName, 1), GetFrameOption(kBasisFrameName, 2));
  FStyle = new QCheckBox(PageText("Outlookbar automatisch ausblenden"), left);
  FStyle->setObjectName(QStringLiteral("FStyle"));
  leftLayout->addWidget(FStyle);

  auto* right = new QWidget(split);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  auto* buttons = new QHBoxLayout;
  SpeedButton2 = new QToolButton(right);
  SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
  SpeedButton2->setText(PageText("Neue Root- Ebene"));
  SpeedButton2->setToolTip(PageText("Neue Root- Ebene"));
  connect(SpeedButton2, &QToolButton::clicked, this, [this] { NewLevel(); });
  BtnCheck = new QToolButton(right);
  BtnCheck->setObjectName(QStringLiteral("BtnCheck"));
  BtnCheck->setText(PageText("Plausibilitätstest der Logiken"));
  BtnCheck->setToolTip(PageText("Plausibilitätstest der Logiken"));
  BtnCheck->setEnabled(false);
  connect(BtnCheck, &QToolButton::clicked, this, [this] { CheckLogic(); });
  ImgTrash = new QLabel(PageText("Objekte löschen"), right);
  ImgTrash->setObjectName(QStringLiteral("ImgTrash"));
  ImgTrash->setToolTip(PageText("Objekte löschen"));
  ImgTrash->setFrameShape(QFrame::StyledPanel);
  ImgTrash->setAcceptDrops(true);
  ImgTrash->installEventFilter(this);
  buttons->addWidget(SpeedButton2);
  buttons->addWidget(BtnCheck);
  buttons->addStretch(1);
  buttons->addWidget(ImgTrash);
  rightLayout->addLayout(buttons);
  PTV = new TDragTree(this, right);
  PTV->setObjectName(QStringLiteral("PTV"));
  PTV->installEventFilter(this);
  rightLayout->addWidget(PTV, 1);
  HintPanel = new QLabel(right);
  HintPanel->setObjectName(QStringLiteral("HintPanel"));
  HintPanel->setWordWrap(true);
  rightLayout->addWidget(HintPanel);
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);

  connect(PTV, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { ShowHint(item); });
  connect(PTV, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { DoubleClick(item); });
  for (QTreeWidget* templates : {VTV, UVTV})
    connect(templates, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { ShowHint(item); });
  PTV->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(PTV, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (QTreeWidgetItem* under = PTV->itemAt(at)) PTV->setCurrentItem(under);
    QTreeWidgetItem* item = PTV->currentItem();
    const TNodeData d = item ? Data(item) : TNodeData{};
    const bool toolOrLevel = std::holds_alternative<TZYNFunction*>(d) || std::holds_alternative<TZYNEbene*>(d);
    QMenu menu(this);
    menu.addAction(PageText("Umbenennen"), this, [this, item] { Rename(item); })->setEnabled(toolOrLevel);
    menu.addAction(PageText("Verbindungen"), this, [this, item] { ShowLinks(item); })->setEnabled(toolOrLevel);
    const bool any = PTV->topLevelItemCount() > 0 && item;
    menu.addAction(PageText("Aufklappen"), this,
                   [item] {
                     item->setExpanded(true);
                     for (int i = 0; i < item->childCount(); ++i) item->child(i)->setExpanded(true);
                   })
        ->setEnabled(any);
    menu.addAction(PageText("Alles aufklappen"), PTV, &QTreeWidget::expandAll)->setEnabled(any);
    menu.addAction(PageText("Alle zuklappen"), PTV, &QTreeWidget::collapseAll)->setEnabled(any);
    menu.exec(PTV->viewport()->mapToGlobal(at));
  });

  OnAskLevelName = [](std::string& text) {
    return InputText(T("Ebenenbezeichnung eingeben"), T("Name der Ebene"), text);
  };
  OnAskRename = [this](const std::string& old, std::string& text) {
    TFrmRename dialog(this);
    dialog.Edit1->setText(ToQString(old));
    dialog.Edit2->setText(ToQString(old));
    dialog.Edit2->selectAll();
    if (RunLogicDialog(dialog) != 1) return false;
    text = FromQString(dialog.Edit2->text());
    return true;
  };
  OnAskState = [this] { return AskStateDialog(this); };

  FillTemplates(VTV, GSystemTools.get());
  FillTemplates(UVTV, GUserTools.get());
  UpdateSheets();
}

TFrBasis::~TFrBasis() { SetFrameOption(kBasisFrameName, 1, Multiline1->isChecked()); }

QTreeWidget* TFrBasis::MakeTree(const char* name, const char* caption) {
  auto* tree = new TDragTree(this, FPage);
  tree->setObjectName(QString::fromLatin1(name));
  tree->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree, &QTreeWidget::customContextMenuRequested, this, [this, tree](const QPoint& at) {
    QMenu menu(this);
    const bool selected = tree->currentItem() != nullptr;
    menu.addAction(PageText("Alle aufklappen"), tree, &QTreeWidget::expandAll)->setEnabled(selected);
    menu.addAction(PageText("Alle zuklappen"), tree, &QTreeWidget::collapseAll)->setEnabled(selected);
    menu.exec(tree->viewport()->mapToGlobal(at));
  });
  FPage->addTab(tree, PageText(caption));
  return tree;
}

QTreeWidgetItem* TFrBasis::AddItem(QTreeWidget* tree, QTreeWidgetItem* parent, const std::string& ansiText,
                                   const TNodeData& data) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
  item->setText(0, ToQString(ansiText));
  fData[item] = data;
  const bool none = std::holds_alternative<std::monostate>(data);
  QFont font = item->font(0);
  if (tree == PTV) {
    if (GetBoolOption(boGfxPrgTree)) item->setIcon(0, ToolPicture(PictureIndex(data)));
    font.setBold(std::holds_alternative<TZYNFunction*>(data) || std::holds_alternative<TZYNEbene*>(data));
    if (std::holds_alternative<TZYNEbene*>(data)) item->setForeground(0, Qt::blue);
  } else {
    const bool stm = std::holds_alternative<TSteuermodul*>(data);
    font.setBold(none || stm);
    if (stm ||
        ObjectAs<TModul>(std::holds_alternative<TToolObject>(data) ? std::get<TToolObject>(data) : TToolObject{}))
      item->setForeground(0, Qt::blue);
  }
  item->setFont(0, font);
  return item;
}

int TFrBasis::PictureIndex(const TNodeData& data) {
  if (std::holds_alternative<TZYNEbene*>(data)) return 0;
  if (const auto* tool = std::get_if<TZYNFunction*>(&data))
    return GetBoolOption(boLogicTest) && (*tool)->HasLgConflict ? 10 : 1;
  if (std::holds_alternative<TVariable*>(data)) return 8;
  if (const auto* slot = std::get_if<TFuncNode*>(&data)) {
    switch ((*slot)->NodeType) {
      case 1:
      case 8:
        return 2;
      case 2:
        return 3;
      case 3:
        return 4;
      case 4:
        return 5;
      case 5:
        return 6;
      case 7:
        return 7;
      default:
        return 9;
    }
  }
  return 7;
}

void TFrBasis::UpdatePictures() {
  const bool show = GetBoolOption(boGfxPrgTree);
  for (const auto& [item, data] : fData)
    if (item->treeWidget() == PTV) item->setIcon(0, show ? ToolPicture(PictureIndex(data)) : QIcon());
}

TFrBasis::TNodeData TFrBasis::Data(QTreeWidgetItem* item) const {
  const auto found = fData.find(item);
  return found == fData.end() ? TNodeData{} : found->second;
}

void TFrBasis::ForgetItems(QTreeWidget* tree) {
  for (auto it = fData.begin(); it != fData.end();) {
    if (it->first->treeWidget() == tree)
      it = fData.erase(it);
    else
      ++it;
  }
  tree->clear();
}

void TFrBasis::FillTemplates(QTreeWidget* tree, const TZYNFunktionsListe* library) {
  ForgetItems(tree);
  for (int i = 0; library && i < library->Count(); ++i) {
    TZYNFunction* tool = library->GetFunction(i);
    const QString group = ToQString(tool->Info.FunctionGroup);
    QTreeWidgetItem* category = nullptr;
    for (int c = 0; c < tree->topLevelItemCount() && !category; ++c)
      if (tree->topLevelItem(c)->text(0) == group &&
          std::holds_alternative<std::monostate>(Data(tree->topLevelItem(c))))
        category = tree->topLevelItem(c);
    if (!category) category = AddItem(tree, nullptr, tool->Info.FunctionGroup, {});
    AddItem(tree, category, tool->GetFunctionName(), tool);
  }
}

void TFrBasis::SetSheetStyle(bool multiLine, bool buttons) {
  Multiline1->setChecked(multiLine);
  Buttons1->setChecked(buttons);
  // Rows of tabs do not exist here: "Mehrzeilig" shows every tab at full width without scrolling.
  FPage->setUsesScrollButtons(!multiLine);
  FPage->tabBar()->setExpanding(multiLine);
  FPage->setStyleSheet(buttons ? QStringLiteral("QTabBar::tab { border: 1px outset gray; border-radius: 3px; "
                                                "padding: 3px 6px; margin: 1px; }"
                                                "QTabBar::tab:selected { border-style: inset; }")
                               : QString());
}

void TFrBasis::FrameActivate() {
  FStyle->setChecked(GetFrameOption(kBasisFrameName, 0));
  SetSheetStyle(Multiline1->isChecked(), GetFrameOption(kBasisFrameName, 2));
  UpdatePictures();
  if (!GProjekt) return;
  fClearing = true;
  while (TC->count() > 0) TC->removeTab(0);
  std::vector<TSteuermodul*> tabs;
  bool anyInputs = false;
  for (int s = 0; s < GProjekt->Steuermodule.Count(); ++s) {
    TSteuermodul* stm = GProjekt->Steuermodule.GetSteuermodul(s);
    if (stm->EingangsCount() > 0) anyInputs = true;
    if (stm->EingangsCount() > 0 && stm->AusgangsCount() > 0) {
      const int tab = TC->addTab(ToQString(stm->DisplayName()));
      TC->setTabData(tab, QVariant::fromValue(reinterpret_cast<quintptr>(stm)));
    }
  }
  if (GProjekt->Steuermodule.Count() > 1 && anyInputs) {
    const int tab = TC->addTab(ToQString(T("Übergreifend")));
    TC->setTabData(tab, QVariant::fromValue(quintptr{0}));
  }
  TC->setCurrentIndex(0);
  fClearing = false;
  ShowTab(0);
}

void TFrBasis::FrameDeactivate() {
  ClearTrees();
  SetFrameOption(kBasisFrameName, 0, FStyle->isChecked());
  SetFrameOption(kBasisFrameName, 2, Buttons1->isChecked());
}

TSteuermodul* TFrBasis::CurrentStm() const {
  if (TC->currentIndex() < 0) return nullptr;
  return reinterpret_cast<TSteuermodul*>(TC->tabData(TC->currentIndex()).value<quintptr>());
}

TZYNFunktionsListe* TFrBasis::CurrentTools() const {
  if (!GProjekt) return nullptr;
  if (TSteuermodul* stm = CurrentStm()) return &stm->Tools;
  return &GProjekt->Tools;
}

void TFrBasis::ClearTrees() {
  fClearing = true;
  for (QTreeWidget* tree : {ETV, ATV, RTV, UTV, MTV, GTV, FTV, PTV}) ForgetItems(tree);
  fLevels.clear();
  fReferences.clear();
  fClearing = false;
}

void TFrBasis::ShowTab(int index) {
  if (!GProjekt) return;
  TWaitCursor wait;
  TLockedUserInterface locked;
  if (index != TC->currentIndex() && index < TC->count()) {
    fClearing = true;
    TC->setCurrentIndex(index);
    fClearing = false;
  }
  ClearTrees();
  TSteuermodul* stm = CurrentStm();
  fCrossModule = stm == nullptr;
  if (stm) {
    FillObjects(*stm, false);
    FillProgramTree(stm->Tools);
    FillFunctionTree(stm->Tools, nullptr);
  } else {
    for (int s = 0; s < GProjekt->Steuermodule.Count(); ++s)
      FillObjects(*GProjekt->Steuermodule.GetSteuermodul(s), true);
    QTreeWidgetItem* across = AddItem(FTV, nullptr, T("Übergreifend"), {});
    FillFunctionTree(GProjekt->Tools, across);
    FillProgramTree(GProjekt->Tools);
    for (int s = 0; s < GProjekt->Steuermodule.Count(); ++s) {
      TSteuermodul* m = GProjekt->Steuermodule.GetSteuermodul(s);
      FillFunctionTree(m->Tools, AddItem(FTV, nullptr, m->DisplayName(), m));
    }
  }
  FPage->setCurrentIndex(0);
  HPanel->setText(PageText(kSheets[0]));
  UpdateSheets();
  UpdateCheckButton();
  HintPanel->clear();
}

void TFrBasis::FillObjects(TSteuermodul& stm, bool withStmNode) {
  // Below the control module's node (project-wide view) or at the root.
  std::unordered_map<QTreeWidget*, QTreeWidgetItem*> stmNodes;
  const auto root = [&](QTreeWidget* tree) -> QTreeWidgetItem* {
    if (!withStmNode) return nullptr;
    auto& node = stmNodes[tree];
    if (!node) node = AddItem(tree, nullptr, stm.DisplayName(), &stm);
    return node;
  };
  const auto group = [&](QTreeWidget* tree, const std::string& text, const TNodeData& data = {}) {
    QTreeWidgetItem* parent = root(tree);
    const QString q = ToQString(text);
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
      QTreeWidgetItem* c = parent ? parent->child(i) : tree->topLevelItem(i);
      if (c->text(0) == q) return c;
    }
    return AddItem(tree, parent, text, data);
  };
  for (int m = 0; m < stm.Module.Count(); ++m) {
    TModul* modul = stm.Module.GetModul(m);
    modul->SetSteuermodul(&stm);
    const bool pir = UpperCase(modul->ModulKlasse) == "INPUT PIR";
    const TModulClass* cls = GBasisDaten ? GBasisDaten->Katalog.FindClass(modul->ModulKlasse) : nullptr;
    const std::string className = cls ? cls->DisplayName : modul->ModulKlasse;
    const auto listChannels = [&](QTreeWidget* tree, auto& channels, bool outputs, bool listModule) {
      bool used = false;
      for (int c = 0; c < channels.Count(); ++c) used = used || channels.GetItem(c)->Used();
      if (!used && !listModule) return;
      const std::string text = modul->ModulKennung + "." + (modul->Adresse() < 10 ? "0" : "") +
                               std::to_string(modul->Adresse()) + "-" + modul->DisplayName();
      QTreeWidgetItem* moduleNode = AddItem(tree, group(tree, className), text, TToolObject(modul));
      if (pir) return;
      for (int c = 0; c < channels.Count(); ++c) {
        auto* k = channels.GetItem(c);
        k->Steuermodul = &stm;
        k->Modul = modul;
        if (k->DisplayName().empty() || (outputs && k->Reserviert())) continue;
        AddItem(tree, moduleNode,
                FormatChannelName(modul->ModulKennung, modul->Adresse(), k->Adresse(), k->DisplayName(), 2),
                TToolObject(k));
      }
    };
    listChannels(ETV, modul->Eingaenge(), false, pir);
    listChannels(ATV, modul->Ausgaenge(), true, false);
    listChannels(RTV, modul->Rueckmeldungen(), false, false);
  }
  for (int u = 0; u < stm.Uhren.Count(); ++u) {
    TUhr* uhr = stm.Uhren.GetUhr(u);
    uhr->Steuermodul = &stm;
    AddItem(UTV, group(UTV, T(GetUhrenTypName(static_cast<int>(uhr->UhrenTyp)).c_str())),
            FormatChannelName(T("UHR"), 0, uhr->Adresse(), uhr->DisplayName(), 3), TToolObject(uhr));
  }
  QTreeWidgetItem* flags = nullptr;
  for (int f = 0; f < stm.Merker.Count(); ++f) {
    TMerker* merker = stm.Merker.GetMerker(f);
    merker->Steuermodul = &stm;
    if (merker->Reserviert()) continue;
    if (!flags) flags = group(MTV, T("Merker"), &stm);
    AddItem(MTV, flags, FormatChannelName(T("MRK"), 0, merker->Adresse(), merker->DisplayName(), 3),
            TToolObject(merker));
  }
  for (int g = 0; g < stm.Gruppen.Count(); ++g) {
    TGruppe* gruppe = stm.Gruppen.GetGruppe(g);
    AddItem(GTV, group(GTV, T("Gruppen")), FormatChannelName(T("GRP"), 0, gruppe->Adresse(), gruppe->DisplayName(), 3),
            TToolObject(gruppe));
  }
  for (QTreeWidget* tree : {ATV, MTV}) tree->sortItems(0, Qt::AscendingOrder);
}

void TFrBasis::FillFunctionTree(const TZYNFunktionsListe& list, QTreeWidgetItem* under) {
  for (int i = 0; i < list.Count(); ++i)
    if (list.GetFunction(i)->GetUsableAsSubFunction()) AddFunctionReference(*list.GetFunction(i), under);
}

void TFrBasis::AddFunctionReference(TZYNFunction& tool, QTreeWidgetItem* under) {
  auto ref = std::make_unique<TZYNSubFunction>();
  ref->SetFunction(&tool);
  ref->Name.SetText(tool.GetFunctionName());
  ref->InternalName = tool.InternalName;
  ref->FunctionKey = tool.InternalName;
  const QString group = ToQString(tool.Info.FunctionGroup);
  QTreeWidgetItem* category = nullptr;
  const int count = under ? under->childCount() : FTV->topLevelItemCount();
  for (int c = 0; c < count && !category; ++c) {
    QTreeWidgetItem* node = under ? under->child(c) : FTV->topLevelItem(c);
    if (node->text(0) == group && std::holds_alternative<std::monostate>(Data(node))) category = node;
  }
  if (!category) category = AddItem(FTV, under, tool.Info.FunctionGroup, {});
  AddItem(FTV, category, tool.GetFunctionName(), TToolObject(ref.get()));
  fReferences.push_back(std::move(ref));
}

void TFrBasis::FillProgramTree(const TZYNFunktionsListe& list) {
  TTemplateTree sink(*this);
  FillTree(list, sink, GProjekt.get(), GUniqueNames.get());
  // Every tool node added is tested, so that a conflict shows as soon as the tree is shown.
  if (!GetBoolOption(boLogicTest) || !GProjekt || !GBasisDaten) return;
  for (int i = 0; i < list.Count(); ++i) {
    try {
      CheckToolLogic(*list.GetFunction(i), *GProjekt, *GBasisDaten);
    } catch (const std::exception&) {
    }
  }
  UpdatePictures();
}

void TFrBasis::UpdateSheets() {
  for (int i = 0; i < FPage->count(); ++i) {
    auto* tree = static_cast<QTreeWidget*>(FPage->widget(i));
    bool visible = tree->topLevelItemCount() > 0;
    if (i == 0) visible = true;
    if (i == 1) visible = GUserTools && GUserTools->Count() > 0;
    FPage->setTabVisible(i, visible);
  }
}

void TFrBasis::UpdateCheckButton() { BtnCheck->setEnabled(fCrossModule && PTV->topLevelItemCount() > 0); }

void TFrBasis::Modified() {
  if (GProjekt) GProjekt->Modified = true;
}

QTreeWidgetItem* TFrBasis::ToolItem(QTreeWidgetItem* item) const {
  for (; item; item = item->parent())
    if (std::holds_alternative<TZYNFunction*>(Data(item))) return item;
  return nullptr;
}

QTreeWidgetItem* TFrBasis::SlotItem(QTreeWidgetItem* item) const {
  for (; item; item = item->parent())
    if (std::holds_alternative<TFuncNode*>(Data(item))) return item;
  return nullptr;
}

void TFrBasis::RefreshTool(QTreeWidgetItem* toolItem) {
  if (!toolItem) return;
  // Keep which slots were open.
  std::vector<bool> open;
  for (int i = 0; i < toolItem->childCount(); ++i) open.push_back(toolItem->child(i)->isExpanded());
  const std::function<void(QTreeWidgetItem*)> forget = [&](QTreeWidgetItem* n) {
    for (int i = 0; i < n->childCount(); ++i) forget(n->child(i));
    fData.erase(n);
  };
  while (toolItem->childCount() > 0) {
    QTreeWidgetItem* child = toolItem->child(0);
    forget(child);
    delete child;
  }
  TTemplateTree sink(*this, toolItem);
  FillTreeNode(*std::get<TZYNFunction*>(Data(toolItem)), sink, 0, GProjekt.get());
  for (int i = 0; i < toolItem->childCount() && i < static_cast<int>(open.size()); ++i)
    toolItem->child(i)->setExpanded(open[static_cast<size_t>(i)]);
}

void TFrBasis::RefreshAllTools() {
  std::vector<QTreeWidgetItem*> tools;
  for (const auto& [item, data] : fData)
    if (item->treeWidget() == PTV && std::holds_alternative<TZYNFunction*>(data)) tools.push_back(item);
  for (QTreeWidgetItem* t : tools) RefreshTool(t);
}

void TFrBasis::RefillObjectTrees() {
  for (QTreeWidget* tree : {ETV, ATV, RTV, UTV, MTV, GTV}) ForgetItems(tree);
  if (TSteuermodul* stm = CurrentStm())
    FillObjects(*stm, false);
  else if (GProjekt)
    for (int s = 0; s < GProjekt->Steuermodule.Count(); ++s)
      FillObjects(*GProjekt->Steuermodule.GetSteuermodul(s), true);
  UpdateSheets();
}

void TFrBasis::ShowHint(QTreeWidgetItem* item) {
  if (fClearing) return;
  if (!item) {
    HintPanel->clear();
    return;
  }
  const TNodeData d = Data(item);
  if (item->treeWidget() == VTV || item->treeWidget() == UVTV) {
    const auto* tool = std::get_if<TZYNFunction*>(&d);
    HintPanel->setText(tool ? ToQString(StripLineBreaks((*tool)->Info.FunctionHelp)) : QString());
    return;
  }
  if (const auto* level = std::get_if<TZYNEbene*>(&d)) {
    HintPanel->setText(ToQString(T("Funktionsebene:") + " " + (*level)->Name));
    return;
  }
  if (QTreeWidgetItem* tool = ToolItem(item))
    HintPanel->setText(ToQString(StripLineBreaks(std::get<TZYNFunction*>(Data(tool))->Info.FunctionHelp)));
}

void TFrBasis::TestTool(QTreeWidgetItem* item) {
  if (!GetBoolOption(boLogicTest) || !GProjekt || !GBasisDaten) return;
  QTreeWidgetItem* toolItem = ToolItem(item);
  if (!toolItem) return;
  try {
    CheckToolLogic(*std::get<TZYNFunction*>(Data(toolItem)), *GProjekt, *GBasisDaten);
  } catch (const std::exception&) {
  }
  UpdatePictures();
}

// ---- dropping

bool TFrBasis::CanDrop(QTreeWidget* source, QTreeWidgetItem* item, QTreeWidgetItem* target) const {
  if (!GProjekt || !item) return false;
  const TNodeData d = Data(item);
  const TNodeData t = target ? Data(target) : TNodeData{};
  if (source == VTV || source == UVTV) {
    const auto* tool = std::get_if<TZYNFunction*>(&d);
    if (!tool || TC->count() == 0) return false;
    return !(fCrossModule && IsPresenceSimulation(**tool));
  }
  if (source == PTV) {
    if (!target || item == target) return false;
    if (std::holds_alternative<TZYNEbene*>(t))
      return std::holds_alternative<TZYNEbene*>(d) || std::holds_alternative<TZYNFunction*>(d);
    return std::holds_alternative<TZYNFunction*>(t) && std::holds_alternative<TZYNFunction*>(d);
  }
  // An object or a tool reference on a slot.
  const auto* slot = std::get_if<TFuncNode*>(&t);
  const auto* object = std::get_if<TToolObject>(&d);
  if (!slot || !object) return false;
  if (((*slot)->NodeFlags & flSingle) != 0 && target->childCount() > 0) return false;
  return SlotAccepts(**slot, *object, *GProjekt);
}

std::string TFrBasis::ChooseSuffix(TFuncNode& slot, const TToolObject& object, bool& bind) {
  bind = true;
  std::string suffix;
  if (slot.NodeEdit == edGetLogicState && !ObjectAs<TModul>(object)) {
    const std::string state = OnAskState ? OnAskState() : std::string();
    if (state.empty()) {
      bind = false;  // no state chosen: nothing bound
      return {};
    }
    suffix = ":" + state;
  }
  const bool choose = slot.NodeEdit == edGetFunctionCode;
  std::string chosen;
  if ((ObjectAs<TEingang>(object) || ObjectAs<TRueckmeldung>(object)) && choose && slot.NodeType == ntEingang) {
    ChooseOutputFunction(*ChannelOf(object), "", chosen);
    suffix += chosen;
  } else if (TAusgang* a = ObjectAs<TAusgang>(object); a && choose) {
    if (slot.NodeParamType == 9) {
      const std::string range = InputRange();
      if (!range.empty()) suffix = "#" + range;
    } else if (TEABaseFunction* command = ChooseOutputFunction(*a, "", chosen)) {
      suffix += chosen;
      uint8_t bytes[2] = {0, 0};
      if (command->Dialog >= 1 && command->Dialog <= 4 && EditCommandParameter(*command, bytes))
        suffix += "#" + std::to_string(bytes[0] | (bytes[1] << 8));
    } else {
      suffix += chosen;
    }
  } else if (TMerker* m = ObjectAs<TMerker>(object)) {
    m->BefehlsListe = "Ausgangsfunktionen Merker";
    if (slot.NodeType == ntMerker && choose) {
      ChooseOutputFunction(*m, "", chosen);
      suffix += chosen;
    }
  } else if (TUhr* u = ObjectAs<TUhr>(object)) {
    u->BefehlsListe = "Eingangsfunktionen Uhren";
    if (slot.NodeType == ntUhr && choose) {
      ChooseOutputFunction(*u, "", chosen);
      suffix += chosen;
    }
  } else if (ObjectAs<TModul>(object)) {
    suffix.clear();
  }
  return suffix;
}

void TFrBasis::Drop(QTreeWidget* source, QTreeWidgetItem* item, QTreeWidgetItem* target) {
  if (!CanDrop(source, item, target)) return;
  const TNodeData d = Data(item);
  const TNodeData t = target ? Data(target) : TNodeData{};
  if (source == VTV || source == UVTV) {
    TZYNFunktionsListe* list = CurrentTools();
    const auto* level = std::get_if<TZYNEbene*>(&t);
    TZYNFunction& tool = PlaceTool(*std::get<TZYNFunction*>(d), *list, *GUniqueNames, level ? (*level)->Name : "");
    if (tool.GetUsableAsSubFunction()) AddFunctionReference(tool, nullptr);
    QTreeWidgetItem* node = AddItem(PTV, level ? target : nullptr, tool.GetFunctionName(), &tool);
    RefreshTool(node);
    PTV->setCurrentItem(node);
    node->setExpanded(true);
    Modified();
    TestTool(node);
    UpdateSheets();
    UpdateCheckButton();
    if (GetBoolOption(boDirectRename)) Rename(node);
    return;
  }
  if (source == PTV) {
    if (!std::holds_alternative<TZYNEbene*>(t)) return;  // a tool on a tool changes nothing
    TZYNEbene* level = std::get<TZYNEbene*>(t);
    QTreeWidgetItem* parent = item->parent();
    if (std::holds_alternative<TZYNFunction*>(d)) {
      (parent ? parent : PTV->invisibleRootItem())->removeChild(item);
      target->addChild(item);
      SetToolLevel(*std::get<TZYNFunction*>(d), level->Name);
    } else {
      PTV->invisibleRootItem()->removeChild(item);
      PTV->insertTopLevelItem(PTV->indexOfTopLevelItem(target), item);
    }
    Modified();
    return;
  }
  // Binding an object or a tool reference to the slot.
  TFuncNode& slot = *std::get<TFuncNode*>(t);
  const TToolObject object = std::get<TToolObject>(d);
  if (TZYNSubFunction* ref = ObjectAs<TZYNSubFunction>(object)) {
    BindSubFunction(slot, *ref->FunctionPtr(), *GUniqueNames);
  } else {
    bool bind = true;
    const std::string suffix = ChooseSuffix(slot, object, bind);
    if (!bind) return;
    BindObject(slot, object, suffix);
    if ((slot.NodeFlags & flReserve) != 0 && (ObjectAs<TAusgang>(object) || ObjectAs<TMerker>(object))) {
      (item->parent() ? item->parent() : item->treeWidget()->invisibleRootItem())->removeChild(item);
      fData.erase(item);
      delete item;
    }
  }
  QTreeWidgetItem* toolItem = ToolItem(target);
  const int slotIndex = toolItem->indexOfChild(target);
  RefreshTool(toolItem);
  if (QTreeWidgetItem* s = toolItem->child(slotIndex)) s->setExpanded(true);
  Modified();
  TestTool(toolItem);
}

// ---- deleting

bool TFrBasis::CanDelete(QTreeWidgetItem* item) const {
  if (!item || item->treeWidget() != PTV) return false;
  const TNodeData d = Data(item);
  if (std::holds_alternative<TZYNEbene*>(d)) return item->childCount() == 0;
  if (std::holds_alternative<TZYNFunction*>(d)) return true;
  const auto* o = std::get_if<TToolObject>(&d);
  return o && !IsNone(*o) && !ObjectAs<TGruppe>(*o);
}

void TFrBasis::Delete(QTreeWidgetItem* item) {
  if (!CanDelete(item) || !GProjekt) return;
  const TNodeData d = Data(item);
  std::string kind;
  if (const auto* level = std::get_if<TZYNEbene*>(&d))
    kind = ObjectKindText(*level);
  else if (const auto* tool = std::get_if<TZYNFunction*>(&d))
    kind = ObjectKindText(*tool);
  else if (TZYNSubFunction* ref = ObjectAs<TZYNSubFunction>(std::get<TToolObject>(d)))
    kind = ObjectKindText(ref);
  else if (TKanal* k = ChannelOf(std::get<TToolObject>(d)))
    kind = ObjectKindText(k);
  else if (TModul* m = ObjectAs<TModul>(std::get<TToolObject>(d)))
    kind = ObjectKindText(m);
  if (GetBoolOption(boConfirmDelete) || std::holds_alternative<TZYNEbene*>(d)) {
    const std::string question = FormatText(T("Wollen Sie %s wirklich löschen"), {kind});
    if (MessageDlg(this, ToQString(question), PageText("Bestätigung"), MB_YESNO | MB_ICONQUESTION) != 6) return;
  }
  if (std::holds_alternative<TZYNEbene*>(d)) {
    fData.erase(item);
    delete item;
  } else if (const auto* tool = std::get_if<TZYNFunction*>(&d)) {
    TZYNFunction* victim = *tool;
    // The reference nodes of the "Funktionen" tree go first.
    for (auto it = fData.begin(); it != fData.end();) {
      TZYNSubFunction* ref = it->first->treeWidget() == FTV && std::holds_alternative<TToolObject>(it->second)
                                 ? ObjectAs<TZYNSubFunction>(std::get<TToolObject>(it->second))
                                 : nullptr;
      if (ref && ref->FunctionPtr() == victim) {
        QTreeWidgetItem* node = it->first;
        QTreeWidgetItem* category = node->parent();
        it = fData.erase(it);
        delete node;
        if (category && category->childCount() == 0 && std::holds_alternative<std::monostate>(Data(category))) {
          fData.erase(category);
          delete category;
          it = fData.begin();
        }
      } else {
        ++it;
      }
    }
    const std::function<void(QTreeWidgetItem*)> forget = [&](QTreeWidgetItem* n) {
      for (int i = 0; i < n->childCount(); ++i) forget(n->child(i));
      fData.erase(n);
    };
    forget(item);
    delete item;
    TToolRemoval removal;
    DeleteTool(*GProjekt, victim, &removal);
    RefreshAllTools();
    if (!removal.Released.empty()) RefillObjectTrees();
  } else {
    QTreeWidgetItem* slotItem = SlotItem(item);
    QTreeWidgetItem* toolItem = ToolItem(item);
    if (!slotItem || !toolItem) return;
    TFuncNode& slot = *std::get<TFuncNode*>(Data(slotItem));
    const TToolObject object = std::get<TToolObject>(d);
    const bool reserved = (slot.NodeFlags & flReserve) != 0;
    if (!UnbindObject(*GProjekt, slot, object)) return;
    const int slotIndex = toolItem->indexOfChild(slotItem);
    RefreshTool(toolItem);
    if (QTreeWidgetItem* s = toolItem->child(slotIndex)) s->setExpanded(true);
    if (reserved) RefillObjectTrees();
    TestTool(toolItem);
  }
  Modified();
  UpdateCheckButton();
  UpdateSheets();
}

bool TFrBasis::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PTV && event->type() == QEvent::KeyRelease &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    Delete(PTV->currentItem());
    return true;
  }
  if (watched == ImgTrash) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* e = static_cast<QDragMoveEvent*>(event);
      if (TDragTree::Dragging == PTV && CanDelete(TDragTree::DraggedItem))
        e->acceptProposedAction();
      else
        e->ignore();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* e = static_cast<QDropEvent*>(event);
      e->setDropAction(Qt::IgnoreAction);
      e->accept();
      if (TDragTree::Dragging == PTV) Delete(TDragTree::DraggedItem);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// ---- double click: command, state or parameter chosen again

void TFrBasis::DoubleClick(QTreeWidgetItem* item) {
  if (!item || !GProjekt) return;
  const TNodeData d = Data(item);
  QTreeWidgetItem* slotItem = item->parent();
  auto* slotPtr = slotItem ? std::get_if<TFuncNode*>(&fData[slotItem]) : nullptr;
  if (!slotPtr) return;
  TFuncNode& slot = **slotPtr;
  if (const auto* var = std::get_if<TVariable*>(&d)) {
    if (!HasParameterDialog(slot)) return;
    TFrmParameter dialog(this);
    dialog.setWindowTitle(ToQString(slot.NodeDlg->DlgTitle));
    dialog.Load(PrepareToolParameter(*slot.NodeDlg, **var));
    if (RunLogicDialog(dialog) != 1) return;
    std::string text;
    if (StoreToolParameter(*slot.NodeDlg, **var, dialog.Store(), text)) item->setText(0, ToQString(text));
    Modified();
    return;
  }
  const auto* objectPtr = std::get_if<TToolObject>(&d);
  TKanal* channel = objectPtr ? ChannelOf(*objectPtr) : nullptr;
  if (!channel) return;
  const TToolObject object = *objectPtr;
  const std::string old = BindingSuffix(slot, object);
  std::string suffix;
  if (slot.NodeEdit == edGetFunctionCode) {
    if (slot.NodeType == ntAusgang && slot.NodeParamType == 9) {
      const std::string range = InputRange();
      if (range.empty()) return;
      suffix = "#" + range;
    } else {
      // The old command, named in the entry by its old or its shown name, is preselected.
      std::string current = old.size() > 1 && old[0] == ':' ? old.substr(1, old.find('#') - 1) : "";
      const std::string listName =
          ObjectAs<TMerker>(object) ? std::string("Ausgangsfunktionen Merker") : channel->BefehlsListe;
      if (const TEAFunctionList* list = FindCommandList(listName)) {
        const TEABaseFunction* c = list->FindByOldName(current);
        if (!c) c = list->FindByDisplayName(current);
        if (c) current = c->DisplayName;
      }
      if (current.empty()) current = " ";  // the chooser offers its cancel button
      std::string chosen;
      TEABaseFunction* command = ChooseOutputFunction(*channel, current, chosen);
      if (!command) return;
      suffix = chosen;
      uint8_t bytes[2] = {0, 0};
      if (ObjectAs<TAusgang>(object) && command->Dialog >= 1 && command->Dialog <= 4 &&
          EditCommandParameter(*command, bytes))
        suffix += "#" + std::to_string(bytes[0] | (bytes[1] << 8));
    }
  } else if (slot.NodeEdit == edGetLogicState) {
    const std::string state = OnAskState ? OnAskState() : std::string();
    if (state.empty()) return;
    suffix = ":" + state;
  } else {
    return;
  }
  RebindObject(slot, object, suffix);
  Modified();
  QTreeWidgetItem* toolItem = ToolItem(slotItem);
  const int slotIndex = toolItem->indexOfChild(slotItem);
  RefreshTool(toolItem);
  if (QTreeWidgetItem* s = toolItem->child(slotIndex)) s->setExpanded(true);
}

// ---- levels, names, links, logic check

void TFrBasis::NewLevel() {
  if (!GProjekt) return;
  std::string name;
  if (!OnAskLevelName || !OnAskLevelName(name)) return;
  std::unique_ptr<TZYNEbene> level = zyn::NewLevel(name, *GUniqueNames);
  if (!level) return;
  AddItem(PTV, nullptr, level->Name, level.get());
  fLevels.push_back(std::move(level));
  UpdateCheckButton();
}

void TFrBasis::Rename(QTreeWidgetItem* item) {
  if (!item) return;
  const TNodeData d = Data(item);
  std::string old;
  if (const auto* tool = std::get_if<TZYNFunction*>(&d))
    old = (*tool)->GetFunctionName();
  else if (const auto* level = std::get_if<TZYNEbene*>(&d))
    old = (*level)->Name;
  else
    return;
  std::string name = old;
  if (!OnAskRename || !OnAskRename(old, name) || Trim(name).empty() || name == old) return;
  if (const auto* tool = std::get_if<TZYNFunction*>(&d)) {
    (*tool)->SetName(name);
    item->setText(0, ToQString((*tool)->GetFunctionName()));
    for (auto& [node, data] : fData) {
      const auto* o = std::get_if<TToolObject>(&data);
      TZYNSubFunction* ref = o ? ObjectAs<TZYNSubFunction>(*o) : nullptr;
      if (ref && ref->FunctionPtr() == *tool) {
        ref->Name.SetText((*tool)->GetFunctionName());
        node->setText(0, ToQString((*tool)->GetFunctionName()));
      }
    }
  } else {
    TZYNEbene* level = std::get<TZYNEbene*>(d);
    for (int i = 0; i < item->childCount(); ++i)
      if (const auto* tool = std::get_if<TZYNFunction*>(&fData[item->child(i)])) SetToolLevel(**tool, name);
    level->Name = name;
    item->setText(0, ToQString(name));
    ShowHint(item);
  }
  Modified();
}

void TFrBasis::ShowLinks(QTreeWidgetItem* item) {
  if (!item || !GProjekt || !GBasisDaten) return;
  std::vector<TZYNFunction*> tools;
  const TNodeData d = Data(item);
  if (const auto* tool = std::get_if<TZYNFunction*>(&d))
    tools.push_back(*tool);
  else if (std::holds_alternative<TZYNEbene*>(d))
    for (int i = 0; i < item->childCount(); ++i)
      if (const auto* t = std::get_if<TZYNFunction*>(&fData[item->child(i)])) tools.push_back(*t);
  if (tools.empty()) return;
  TVerbindungsListe links;
  std::vector<std::string> log;
  std::string error;
  {
    TWaitCursor wait;
    TFrmCreateVerbindungen progress(this);
    progress.setModal(false);
    progress.show();
    TToolProgressReport report(progress);
    for (TZYNFunction* tool : tools) {
      if (!PreviewToolLinks(*tool, *GProjekt, *GBasisDaten, &report, links, log, error)) break;
    }
  }
  PTV->viewport()->update();
  if (!error.empty()) {
    MessageDlg(this, ToQString(error), PageText("Verbindungen"), MB_OK | MB_ICONERROR);
    return;
  }
  TFrmFuncVerb dialog(this);
  dialog.Label2->setText(ToQString(tools.back()->GetFunctionName()));
  int plain = 0, logical = 0;
  for (int i = 0; i < links.Count(); ++i) {
    TVerbindung* link = links.GetVerbindung(i);
    dialog.AddLink(link);
    if (link->Kind() == 0)
      ++plain;
    else if (link->Kind() == 1 || link->Kind() == 2)
      ++logical;
  }
  dialog.Label3->setText(QString::number(plain));
  dialog.Label6->setText(QString::number(logical));
  try {
    RunLogicDialog(dialog);
  } catch (const std::exception&) {
  }
}

void TFrBasis::CheckLogic() {
  if (!GProjekt || !GBasisDaten) return;
  TLockedUserInterface locked;
  TVerbindungsListe scratch;
  std::vector<std::string> conflicts;
  {
    TFrmLgPruefung progress;
    progress.setModal(false);
    progress.ProgressBar1->setMaximum(std::max(0, GProjekt->Tools.Count() - 1));
    progress.show();
    for (int i = 0; i < GProjekt->Tools.Count(); ++i) {
      TZYNFunction& tool = *GProjekt->Tools.GetFunction(i);
      progress.ProgressBar1->setValue(i);
      progress.Label2->setText(ToQString(tool.GetFunctionName()));
      QApplication::processEvents();
      TExpandContext context(*GProjekt, *GBasisDaten);
      context.LinkList = &scratch;
      context.Log = &conflicts;
      try {
        ExpandTool(tool, context);
      } catch (const std::exception&) {
      }
    }
  }
  PTV->viewport()->update();
  if (!conflicts.empty())
    ShowLogicConflicts(conflicts, 1);
  else
    MessageDlg(this, PageText("Es wurden keine Logik- Konflikte gefunden."), PageText("Information"),
               MB_OK | MB_ICONINFORMATION);
}

}  // namespace zyn
