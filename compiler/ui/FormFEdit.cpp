#include "compiler/ui/FormFEdit.h"

#include "compiler/interpreter/ScriptCheck.h"
#include "compiler/toollib/FunktionsListe.h"
#include "compiler/toollib/MacroText.h"
#include "compiler/toollib/ToolEdit.h"
#include "compiler/toollib/ZYNFunction.h"
#include "compiler/ui/FormFEditDialogs.h"
#include "model/EAFunktionen.h"
#include "model/base/Cp1252.h"
#include "model/base/Errors.h"
#include "model/base/Streams.h"
#include "platform/QtText.h"
#include "shell/Translation.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {

const char* const kLibraryFilter = "ZYN Funktionen (*.zyb);;Alle Dateien (*)";
const char* const kMacroFilter = "Makrotext (*.zyf);;Alle Dateien (*)";

// The command tree hands the command's internal name to the memo.
class TCommandTree : public QTreeWidget {
 protected:
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override {
    auto* data = new QMimeData;
    if (!items.isEmpty()) data->setText(items.first()->data(0, Qt::UserRole).toString());
    return data;
  }
};

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& caption, const std::string& value) {
  return new QTreeWidgetItem(parent, {caption + ": " + ToQString(value)});
}

int TopIndex(const QTreeWidget* tree) {
  QTreeWidgetItem* item = tree->currentItem();
  while (item && item->parent()) item = item->parent();
  return item ? tree->indexOfTopLevelItem(item) : -1;
}

}  // namespace

TFrmFEdit::TFrmFEdit(const std::string& fileName, const TEAFunktionsContainer* commands, QWidget* parent)
    : QDialog(parent), fFileName(fileName), fCommands(commands), fLibrary(std::make_unique<TZYNFunktionsListe>()) {
  setObjectName(QStringLiteral("FrmFEdit"));
  setWindowTitle(EdText("Funktionseditor"));
  ChooseFile = DefaultFileChooser(this);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  BtnNew = EditorToolButton(this, "BtnNew", QStyle::SP_FileIcon, "Neue Funktion");
  BtnDelete = EditorToolButton(this, "BtnDelete", QStyle::SP_TrashIcon, "Funktion löschen");
  BtnSave = EditorToolButton(this, "BtnSave", QStyle::SP_DialogSaveButton, "Änderungen speichern");
  BtnClose = EditorToolButton(this, "BtnClose", QStyle::SP_DialogCloseButton, "Beenden");
  for (QToolButton* b : {BtnNew, BtnDelete, BtnSave, BtnClose}) bar->addWidget(b);
  bar->addStretch();
  layout->addLayout(bar);
  connect(BtnNew, &QToolButton::clicked, this, [this] { NewTool(); });
  connect(BtnDelete, &QToolButton::clicked, this, [this] { DeleteTool(); });
  connect(BtnSave, &QToolButton::clicked, this, [this] { SaveChanges(); });
  connect(BtnClose, &QToolButton::clicked, this, [this] { close(); });

  auto* split = new QSplitter;
  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(new QLabel(EdText("Funktionen")));
  LB = new QListWidget;
  LB->setObjectName(QStringLiteral("LB"));
  LB->setContextMenuPolicy(Qt::CustomContextMenu);
  leftLayout->addWidget(LB);
  split->addWidget(left);
  connect(LB, &QListWidget::currentRowChanged, this, [this](int row) {
    // The tool left takes its edited script along; a script that fails its check keeps the
    // former tool selected with the memo as typed.
    TZYNFunction* left = fShownTool && fLibrary->IndexOf(fShownTool) >= 0 ? fShownTool : nullptr;
    if (left && !TakeScript(*left, {})) {
      const QSignalBlocker block(LB);
      LB->setCurrentRow(fLibrary->IndexOf(left));
      return;
    }
    (void)row;
    LoadTool();
  });
  connect(LB, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu;
    menu.addAction(EdText("Funktion exportieren"), this, [this] { ExportTool(); })->setEnabled(Selected());
    menu.addAction(EdText("Funktion importieren"), this, [this] { ImportTool(); });
    menu.addAction(EdText("Makrotext speichern"), this, [this] { SaveMacroText(); })->setEnabled(Selected());
    menu.exec(LB->viewport()->mapToGlobal(at));
  });

  PC = new QTabWidget;
  PC->setObjectName(QStringLiteral("PC"));
  split->addWidget(PC);
  split->setStretchFactor(1, 3);
  layout->addWidget(split);
  BuildInfoPage();
  BuildListPage("Var", VarTree, "Neue Variable", "Variable bearbeiten", "Variable löschen", &TFrmFEdit::NewVariable,
                &TFrmFEdit::EditVariable, &TFrmFEdit::DeleteVariable);
  BuildListPage("Dlg", DlgTree, "Neuer Dialog", "Dialog bearbeiten", "Dialog löschen", &TFrmFEdit::NewDialog,
                &TFrmFEdit::EditDialog, &TFrmFEdit::DeleteDialogAt);
  BuildListPage("Node", NodeTree, "Neue Node", "Node bearbeiten", "Node löschen", &TFrmFEdit::NewNode,
                &TFrmFEdit::EditNode, &TFrmFEdit::DeleteNodeAt);
  static_cast<TMoveTree*>(NodeTree)->OnMove = [this](int from, int to) { MoveNode(from, to); };
  BuildScriptPage();
  ListMemo = new QPlainTextEdit;
  ListMemo->setObjectName(QStringLiteral("ListMemo"));
  ListMemo->setReadOnly(true);
  ListMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  PC->addTab(ListMemo, EdText("List"));
  connect(PC, &QTabWidget::currentChanged, this, [this] {
    if (PC->currentWidget() == ListMemo) FillMacroText();
  });
  SetEditorBounds(this, 640, 440);

  try {
    if (FileExists(fFileName)) fLibrary->LoadFromFile(fFileName);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Funktionsbibliothek \"") + FileText(fFileName) + Ansi("\" konnte nicht gelesen werden.") +
                    "\r" + e.what());
  }
  FillTools();
  if (LB->count() > 0)
    LB->setCurrentRow(0);
  else
    LoadTool();
}

TFrmFEdit::~TFrmFEdit() = default;

void TFrmFEdit::BuildInfoPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  auto edit = [&](QLineEdit*& e, const char* name, const char* caption, int max) {
    e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(max);
    form->addRow(EdText(caption), e);
    connect(e, &QLineEdit::textEdited, this, [this] { InfoChanged(); });
  };
  edit(EdGroup, "EdGroup", "Funktionsgruppe", 50);
  edit(EdName, "EdName", "Funktionsname", 50);
  edit(EdHelp, "EdHelp", "Hilfetext", 255);
  EdHelp->setReadOnly(true);
  EdHelp->installEventFilter(this);
  edit(EdVer, "EdVer", "Version", 7);
  edit(EdCreator, "EdCreator", "Bearbeitet von", 50);
  edit(EdCompany, "EdCompany", "Firma", 50);
  edit(EdCreated, "EdCreated", "Erstellt am", 10);
  edit(EdModified, "EdModified", "Letzte Änderung", 10);
  edit(EdClass, "EdClass", "Funktionsklasse", 30);
  EdHelpContext = new QSpinBox;
  EdHelpContext->setObjectName(QStringLiteral("EdHelpContext"));
  EdHelpContext->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  form->addRow(EdText("Hilfe- Context ID"), EdHelpContext);
  connect(EdHelpContext, &QSpinBox::valueChanged, this, [this] { InfoChanged(); });
  CBSubFunc = new QCheckBox(EdText("Kann in andere Funktionen übernommen werden"));
  CBSubFunc->setObjectName(QStringLiteral("CBSubFunc"));
  form->addRow(CBSubFunc);
  connect(CBSubFunc, &QCheckBox::toggled, this, [this] { InfoChanged(); });
  auto* oem = new QGroupBox(EdText(" OEMFlags "));
  auto* oemLayout = new QHBoxLayout(oem);
  const std::pair<QCheckBox**, const char*> boxes[] = {
      {&CBZORV, "ZORV"}, {&CBTervik, "Tervik"}, {&CBQLM, "QLM"}, {&CBMorva, "Morva"}, {&CBYXA, "YXA"}};
  for (const auto& [box, caption] : boxes) {
    *box = new QCheckBox(QString::fromLatin1(caption));
    (*box)->setObjectName(QStringLiteral("CB") + QString::fromLatin1(caption));
    oemLayout->addWidget(*box);
    connect(*box, &QCheckBox::toggled, this, [this] { InfoChanged(); });
  }
  form->addRow(oem);
  PC->addTab(page, EdText("Info"));
}

void TFrmFEdit::BuildListPage(const char* caption, QTreeWidget*& tree, const char* newText, const char* editText,
                              const char* deleteText, void (TFrmFEdit::*onNew)(), void (TFrmFEdit::*onEdit)(int),
                              void (TFrmFEdit::*onDelete)(int)) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* bar = new QHBoxLayout;
  auto* bNew = new QPushButton(EdText(newText));
  auto* bEdit = new QPushButton(EdText(editText));
  auto* bDelete = new QPushButton(EdText(deleteText));
  for (QPushButton* b : {bNew, bEdit, bDelete}) bar->addWidget(b);
  bar->addStretch();
  tree = std::string(caption) == "Node" ? new TMoveTree : new QTreeWidget;
  tree->setObjectName(QString::fromLatin1(caption) + QStringLiteral("Tree"));
  tree->setHeaderHidden(true);
  layout->addLayout(bar);
  layout->addWidget(tree);
  QTreeWidget* t = tree;
  connect(bNew, &QPushButton::clicked, this, [this, onNew] { (this->*onNew)(); });
  connect(bEdit, &QPushButton::clicked, this, [this, t, onEdit] { (this->*onEdit)(TopIndex(t)); });
  connect(bDelete, &QPushButton::clicked, this, [this, t, onDelete] { (this->*onDelete)(TopIndex(t)); });
  connect(tree, &QTreeWidget::itemDoubleClicked, this, [this, t, onEdit] { (this->*onEdit)(TopIndex(t)); });
  PC->addTab(page, QString::fromLatin1(caption));
}

void TFrmFEdit::BuildScriptPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  Memo = new QPlainTextEdit;
  Memo->setObjectName(QStringLiteral("Memo"));
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo->setTabStopDistance(24);
  left->addWidget(Memo, 3);
  auto* helpers = new QFormLayout;
  CBWenn = new QComboBox;
  CBDann = new QComboBox;
  CBSonst = new QComboBox;
  helpers->addRow(EdText("Wenn"), CBWenn);
  helpers->addRow(EdText("Dann"), CBDann);
  helpers->addRow(EdText("Sonst"), CBSonst);
  LBUnd = new QListWidget;
  LBUnd->setObjectName(QStringLiteral("LBUnd"));
  LBUnd->setContextMenuPolicy(Qt::CustomContextMenu);
  helpers->addRow(EdText("Und"), LBUnd);
  connect(LBUnd, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu;
    menu.addAction(EdText("Bedingung hinzufügen"), this, [this] { AddCondition(); })->setEnabled(LBUnd->count() < 20);
    menu.exec(LBUnd->viewport()->mapToGlobal(at));
  });
  left->addLayout(helpers, 1);
  layout->addLayout(left, 3);
  CommandTree = new TCommandTree;
  CommandTree->setObjectName(QStringLiteral("CommandTree"));
  CommandTree->setHeaderHidden(true);
  CommandTree->setDragEnabled(true);
  CommandTree->setDragDropMode(QAbstractItemView::DragOnly);
  layout->addWidget(CommandTree, 2);
  if (fCommands)
    for (int l = 0; l < fCommands->Count(); ++l) {
      const TEAFunctionList* list = fCommands->GetList(l);
      auto* node = new QTreeWidgetItem(CommandTree, {ToQString(list->ListName)});
      for (int c = 0; c < list->Count(); ++c) {
        const TEABaseFunction* f = list->GetFunction(c);
        auto* item = new QTreeWidgetItem(node, {ToQString(f->InternalName + " : " + f->DisplayName)});
        item->setData(0, Qt::UserRole, ToQString(f->InternalName));
      }
    }
  connect(Memo, &QPlainTextEdit::textChanged, this, [this] {
    if (fLoading) return;
    fScriptEdited = true;
    Changed();
  });
  PC->addTab(page, EdText("Verb"));
}

TZYNFunction* TFrmFEdit::Selected() const { return fLibrary->GetFunction(LB->currentRow()); }

void TFrmFEdit::SelectTool(int index) { LB->setCurrentRow(index); }

void TFrmFEdit::FillTools() {
  const int row = LB->currentRow();
  const QSignalBlocker block(LB);
  LB->clear();
  for (int i = 0; i < fLibrary->Count(); ++i) LB->addItem(ToQString(fLibrary->GetFunction(i)->Info.FunctionName));
  if (row >= 0 && row < LB->count()) LB->setCurrentRow(row);
}

// Leaving a tool takes its edited script along; a script that does not pass its check keeps the
// tool's former script and stays in the memo for correction.
void TFrmFEdit::LoadTool() {
  fLoading = true;
  fScriptEdited = false;
  fShownTool = Selected();
  const TZYNFunction* tool = fShownTool;
  const TFunctionInfo info = tool ? tool->Info : TFunctionInfo();
  for (QWidget* w : {static_cast<QWidget*>(PC)}) w->setEnabled(tool != nullptr);
  BtnDelete->setEnabled(tool != nullptr);
  EdGroup->setText(ToQString(info.FunctionGroup));
  EdName->setText(ToQString(info.FunctionName));
  EdHelp->setText(ToQString(info.FunctionHelp));
  EdVer->setText(ToQString(info.FunctionVer));
  EdCreator->setText(ToQString(info.Creator));
  EdCompany->setText(ToQString(info.Company));
  EdCreated->setText(ToQString(info.CreationDate));
  EdModified->setText(ToQString(info.LastModified));
  EdClass->setText(ToQString(info.FunctionClass));
  EdHelpContext->setValue(info.HelpContext);
  CBSubFunc->setChecked(info.CanBeSubFunc != 0);
  const uint16_t oem = info.OEMFlag();
  const QCheckBox* boxes[] = {CBZORV, CBTervik, CBQLM, CBMorva, CBYXA};
  for (int bit = 0; bit < 5; ++bit) const_cast<QCheckBox*>(boxes[bit])->setChecked((oem >> bit) & 1);
  FillVariables();
  FillDialogs();
  FillNodes();
  FillScript();
  FillMacroText();
  fLoading = false;
}

void TFrmFEdit::InfoChanged() {
  TZYNFunction* tool = Selected();
  if (fLoading || !tool) return;
  TFunctionInfo& i = tool->Info;
  i.FunctionGroup = FromQString(EdGroup->text()).substr(0, 50);
  i.FunctionName = FromQString(EdName->text()).substr(0, 50);
  i.FunctionVer = FromQString(EdVer->text()).substr(0, 7);
  i.Creator = FromQString(EdCreator->text()).substr(0, 50);
  i.Company = FromQString(EdCompany->text()).substr(0, 50);
  i.CreationDate = FromQString(EdCreated->text()).substr(0, 10);
  i.LastModified = FromQString(EdModified->text()).substr(0, 10);
  i.FunctionClass = FromQString(EdClass->text()).substr(0, 30);
  i.HelpContext = EdHelpContext->value();
  i.CanBeSubFunc = CBSubFunc->isChecked() ? 1 : 0;
  uint16_t oem = i.OEMFlag();
  const QCheckBox* boxes[] = {CBZORV, CBTervik, CBQLM, CBMorva, CBYXA};
  for (int bit = 0; bit < 5; ++bit)
    oem =
        boxes[bit]->isChecked() ? static_cast<uint16_t>(oem | (1u << bit)) : static_cast<uint16_t>(oem & ~(1u << bit));
  if (oem != i.OEMFlag()) i.SetOEMFlag(oem);
  if (QListWidgetItem* row = LB->currentItem()) row->setText(ToQString(i.FunctionName));
  Changed();
}

void TFrmFEdit::FillVariables() {
  VarTree->clear();
  const TZYNFunction* tool = Selected();
  if (!tool) return;
  for (int n = 0; n < tool->Variables.Count(); ++n) {
    const TVariable& v = *tool->Variables.Get(n);
    auto* item = new QTreeWidgetItem(VarTree, {ToQString(v.VarName)});
    Child(item, EdText("Typ"), v.GetTypeName());
    if (!v.GetValueText().empty()) Child(item, EdText("Wert"), v.GetValueText());
    if (!v.Einheit.Empty()) Child(item, EdText("Einheit"), v.GetEinheit());
    Child(item, EdText("Mindestwert"), RealText(v.GetMinValue()));
    Child(item, EdText("Maximalwert"), RealText(v.GetMaxValue()));
    Child(item, EdText("Multiplikator"), RealText(v.GetMultiplier()));
  }
}

void TFrmFEdit::FillDialogs() {
  DlgTree->clear();
  const TZYNFunction* tool = Selected();
  if (!tool) return;
  auto varName = [](const TVariable* v) { return v ? v->VarName : FromQString(EdText("keine Variable")); };
  for (int n = 0; n < tool->Dialogs.Count(); ++n) {
    const TParamDlg& d = *tool->Dialogs.Get(n);
    auto* item = new QTreeWidgetItem(DlgTree, {ToQString(d.DlgName)});
    Child(item, EdText("Dialogtyp"), d.GetDataTypeName());
    Child(item, EdText("Dialogtitel"), d.DlgTitle);
    Child(item, EdText("Dialogtext"), d.DlgText);
    Child(item, EdText("Eingabeformat des Parameters"), d.DlgMask);
    Child(item, EdText("Einheit des Parameters"), d.DlgEinheit);
    Child(item, EdText("Multiplikator des Parameters"), std::to_string(d.DlgMultiplier));
    Child(item, EdText("Variable für den Parameter"), varName(d.DlgVar));
    Child(item, EdText("Defaultvariable"), varName(d.DlgDefault));
  }
}

void TFrmFEdit::FillNodes() {
  NodeTree->clear();
  const TZYNFunction* tool = Selected();
  if (!tool) return;
  for (int n = 0; n < tool->Nodes.Count(); ++n) {
    const TFuncNode& node = *tool->Nodes.Get(n);
    auto* item = new QTreeWidgetItem(NodeTree, {ToQString(node.NodeText)});
    Child(item, EdText("Nodetyp"), node.GetTypeName());
    Child(item, EdText("Variable"), VarNameOf(node.NodeVar));
    Child(item, EdText("Akzeptierte Klassen"), VarNameOf(node.NodeAccept));
    Child(item, EdText("Parameterdialog"), node.NodeDlg ? node.NodeDlg->DlgName : std::string());
  }
}

void TFrmFEdit::FillScript() {
  const bool loading = fLoading;
  fLoading = true;
  Memo->clear();
  CBWenn->clear();
  CBDann->clear();
  CBSonst->clear();
  LBUnd->clear();
  if (const TZYNFunction* tool = Selected()) {
    QStringList lines;
    for (const std::string& line : ScriptToMemo(tool->Script)) lines << ToQString(line);
    Memo->setPlainText(lines.join('\n'));
    for (int n = 0; n < tool->Variables.Count(); ++n) {
      const TVariable& v = *tool->Variables.Get(n);
      const QString name = ToQString(v.VarName);
      if (v.VarType() == vtEingang || v.VarType() == vtUhr) CBWenn->addItem(name);
      if (v.VarType() == vtAusgang || v.VarType() == vtMerker) {
        CBDann->addItem(name);
        CBSonst->addItem(name);
      }
    }
  }
  fLoading = loading;
  fScriptEdited = false;
}

void TFrmFEdit::FillMacroText() {
  const TZYNFunction* tool = Selected();
  QStringList lines;
  if (tool)
    for (const std::string& line : MacroTextLines(*tool)) lines << ToQString(line);
  ListMemo->setPlainText(lines.join('\n'));
}

void TFrmFEdit::Changed() {
  if (!fLoading) fModified = true;
}

void TFrmFEdit::AddCondition() {
  if (LBUnd->count() >= 20 || CBWenn->currentText().isEmpty()) return;
  LBUnd->addItem(CBWenn->currentText());
}

// ---- commands

void TFrmFEdit::NewTool() {
  auto tool = zyn::NewTool(TodayText());
  const std::string key = tool->Info.FunctionName;
  fLibrary->Add(key, std::move(tool));
  Changed();
  FillTools();
  LB->setCurrentRow(fLibrary->Count() - 1);
}

void TFrmFEdit::DeleteTool() {
  const int row = LB->currentRow();
  if (!fLibrary->GetFunction(row)) return;
  fShownTool = nullptr;  // its edits go with it
  fLibrary->Delete(row);
  Changed();
  {
    const QSignalBlocker block(LB);
    FillTools();
    LB->setCurrentRow(std::min(row, LB->count() - 1));
  }
  LoadTool();
}

// The memo's script replaces the tool's script when it was edited and passes the check.
bool TFrmFEdit::TakeScript(TZYNFunction& tool, const std::string& consequence) {
  if (!fScriptEdited) return true;
  std::vector<std::string> memo;
  for (QTextBlock b = Memo->document()->begin(); b.isValid(); b = b.next()) memo.push_back(FromQString(b.text()));
  const std::vector<std::string> script = MemoToScript(memo);
  const std::vector<TScriptProblem> problems = CheckScript(tool, script);
  if (!problems.empty()) {
    PC->setCurrentWidget(Memo->parentWidget());
    const QTextBlock line = Memo->document()->findBlockByNumber(problems.front().Line - 1);
    if (line.isValid()) {
      QTextCursor cursor(line);
      Memo->setTextCursor(cursor);
    }
    std::string text = Ansi("Das Skript der Funktion \"") + tool.Info.FunctionName + Ansi("\" enthält Fehler:");
    for (const TScriptProblem& p : problems) text += "\r" + ScriptProblemText(p);
    if (!consequence.empty()) text += "\r" + consequence;
    ShowEditorError(text);
    return false;
  }
  tool.Script = script;
  tool.Info.LastModified = TodayText();
  return true;
}

bool TFrmFEdit::SaveChanges() {
  const std::string name =
      ChooseFile(true, EdText("Änderungen speichern"), QString::fromUtf8(kLibraryFilter), fFileName);
  if (name.empty()) return false;
  return SaveTo(WithDefaultExtension(name, "zyb"));
}

bool TFrmFEdit::SaveTo(const std::string& fileName) {
  TZYNFunction* tool = Selected();
  if (tool && !TakeScript(*tool, Ansi("Die Funktionsbibliothek wurde nicht gespeichert."))) return false;
  for (int i = 0; i < fLibrary->Count(); ++i) {
    const TZYNFunction& t = *fLibrary->GetFunction(i);
    const std::vector<TScriptProblem> problems = CheckScript(t, t.Script);
    if (problems.empty()) continue;
    ShowEditorError(Ansi("Das Skript der Funktion \"") + t.Info.FunctionName + Ansi("\" enthält Fehler:") + "\r" +
                    ScriptProblemText(problems.front()) + "\r" +
                    Ansi("Die Funktionsbibliothek wurde nicht gespeichert."));
    LB->setCurrentRow(i);
    return false;
  }
  try {
    fLibrary->SaveToFile(fileName);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Funktionsbibliothek konnte nicht unter \"") + FileText(fileName) +
                    Ansi("\" gespeichert werden; die Datei blieb unverändert.") + "\r" + e.what());
    return false;
  }
  if (fileName == fFileName) {
    fModified = false;
    fSavedOwnFile = true;
  }
  LoadTool();
  return true;
}

void TFrmFEdit::ExportTool() {
  const TZYNFunction* tool = Selected();
  if (!tool) return;
  const std::string name = ChooseFile(true, EdText("Funktion exportieren"), QString::fromUtf8(kMacroFilter), {});
  if (name.empty()) return;
  const std::string file = WithDefaultExtension(name, "zyf");
  try {
    tool->SaveToFile(file);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Funktion konnte nicht nach \"") + FileText(file) + Ansi("\" exportiert werden.") + "\r" +
                    e.what());
  }
}

void TFrmFEdit::ImportTool() {
  const std::string name = ChooseFile(false, EdText("Funktion importieren"), QString::fromUtf8(kMacroFilter), {});
  if (name.empty()) return;
  auto tool = std::make_unique<TZYNFunction>();
  try {
    tool->LoadFromFile(name);
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Die Funktion aus \"") + FileText(name) + Ansi("\" konnte nicht gelesen werden.") + "\r" +
                    e.what());
    return;
  }
  const std::string key = tool->Info.FunctionName;
  fLibrary->Add(key, std::move(tool));
  Changed();
  FillTools();
  LB->setCurrentRow(fLibrary->Count() - 1);
}

void TFrmFEdit::SaveMacroText() {
  const TZYNFunction* tool = Selected();
  if (!tool) return;
  std::string name = ChooseFile(true, EdText("Makrotext speichern"), QString::fromUtf8(kMacroFilter), {});
  if (name.empty()) return;
  const size_t dot = name.find_last_of('.');
  const size_t slash = name.find_last_of('/');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.resize(dot);
  name += ".ZYF";
  try {
    WriteFileAtomic(name, MacroText(*tool));
  } catch (const std::exception& e) {
    ShowEditorError(Ansi("Der Makrotext konnte nicht nach \"") + FileText(name) + Ansi("\" geschrieben werden.") +
                    "\r" + e.what());
  }
}

void TFrmFEdit::NewVariable() {
  TZYNFunction* tool = Selected();
  if (!tool) return;
  auto v = std::make_unique<TVariable>();
  v->VarName = FreeVariableName(*tool, "Neue Variable");
  tool->Variables.Add(std::move(v));
  Changed();
  FillVariables();
  FillScript();
}

void TFrmFEdit::EditVariable(int index) {
  TZYNFunction* tool = Selected();
  TVariable* v = tool ? tool->Variables.Get(index) : nullptr;
  if (!v) return;
  TEditVar dialog(*tool, v, this);
  dialog.Load(VarEditFrom(*v));
  if (dialog.exec() != QDialog::Accepted) return;
  ApplyVarEdit(*v, dialog.Edit());
  Changed();
  FillVariables();
  FillDialogs();
  FillNodes();
}

void TFrmFEdit::DeleteVariable(int index) {
  TZYNFunction* tool = Selected();
  if (!tool || !tool->Variables.Get(index)) return;
  tool->DeleteVariable(index);
  Changed();
  FillVariables();
  FillDialogs();
  FillNodes();
}

void TFrmFEdit::NewDialog() {
  TZYNFunction* tool = Selected();
  if (!tool) return;
  auto d = std::make_unique<TParamDlg>();
  d->DlgName = FreeDialogName(*tool, "Neuer Dialog");
  tool->Dialogs.Add(std::move(d));
  Changed();
  FillDialogs();
}

void TFrmFEdit::EditDialog(int index) {
  TZYNFunction* tool = Selected();
  TParamDlg* d = tool ? tool->Dialogs.Get(index) : nullptr;
  if (!d) return;
  TEdDialog dialog(*tool, d, this);
  dialog.Load(DlgEditFrom(*d));
  if (dialog.exec() != QDialog::Accepted) return;
  ApplyDlgEdit(*tool, *d, dialog.Edit());
  Changed();
  FillDialogs();
  FillNodes();
}

void TFrmFEdit::DeleteDialogAt(int index) {
  TZYNFunction* tool = Selected();
  if (!tool || !tool->Dialogs.Get(index)) return;
  DeleteDialog(*tool, index);
  Changed();
  FillDialogs();
  FillNodes();
}

void TFrmFEdit::NewNode() {
  TZYNFunction* tool = Selected();
  if (!tool) return;
  auto n = std::make_unique<TFuncNode>();
  n->NodeText = FreeNodeText(*tool, "Neue Node");
  tool->Nodes.Add(std::move(n));
  Changed();
  FillNodes();
}

void TFrmFEdit::EditNode(int index) {
  TZYNFunction* tool = Selected();
  TFuncNode* n = tool ? tool->Nodes.Get(index) : nullptr;
  if (!n) return;
  TFrmEditNode dialog(*tool, n, this);
  dialog.Load(NodeEditFrom(*n));
  if (dialog.exec() != QDialog::Accepted) return;
  ApplyNodeEdit(*tool, *n, dialog.Edit());
  Changed();
  FillNodes();
}

void TFrmFEdit::DeleteNodeAt(int index) {
  TZYNFunction* tool = Selected();
  if (!tool || !tool->Nodes.Get(index)) return;
  DeleteNode(*tool, index);
  Changed();
  FillNodes();
}

void TFrmFEdit::MoveNode(int from, int to) {
  TZYNFunction* tool = Selected();
  if (!tool || !tool->Nodes.Move(from, to)) return;
  Changed();
  FillNodes();
}

void TFrmFEdit::EditHelpText() {
  TZYNFunction* tool = Selected();
  if (!tool) return;
  TTextEditor editor(this);
  editor.SetText(tool->Info.FunctionHelp);
  if (editor.exec() != QDialog::Accepted) return;
  tool->SetHelpText(editor.Text());
  EdHelp->setText(ToQString(tool->Info.FunctionHelp));
  Changed();
}

bool TFrmFEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EdHelp &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
    EditHelpText();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFrmFEdit::closeEvent(QCloseEvent* event) {
  const bool may =
      MayCloseEditor(fModified || fScriptEdited,
                     Ansi("Die Funktionsbibliothek wurde geändert. Sollen die Änderungen gespeichert werden?"),
                     [this] { return SaveChanges(); });
  if (may) {
    event->accept();
    QDialog::reject();
  } else {
    event->ignore();
  }
}

void TFrmFEdit::reject() { close(); }

}  // namespace zyn
