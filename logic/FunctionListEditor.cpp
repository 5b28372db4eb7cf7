#include "logic/FunctionListEditor.h"

#include "frames/PageText.h"
#include "model/base/ProgramPaths.h"
#include "model/base/ZYNOptionen.h"
#include "platform/MessageDlg.h"
#include "platform/QtText.h"
#include "widgets/controls/ZCLSpinEdit.h"

#include <QAction>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zyn {

namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
enum { kList = 1, kCommand = 2 };

const QString kFilter = QStringLiteral("ZORV Funktionslisten (*.zfl *.xml);;Alle Dateien (*)");

}  // namespace

TFrFunctionEdit::TFrFunctionEdit(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrFunctionEdit"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QToolBar(this);
  const auto action = [this, bar](const char* hint, const QString& name, void (TFrFunctionEdit::*slot)()) {
    QAction* a = bar->addAction(PageText(hint));
    a->setObjectName(name);
    a->setToolTip(PageText(hint));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  TBtnOpen = action("Datei öffnen...", "TBtnOpen", &TFrFunctionEdit::OpenClick);
  TBtnSave = action("Datei speichern unter...", "TBtnSave", &TFrFunctionEdit::SaveClick);
  bar->addSeparator();
  TBtnNewList = action("Neue Liste", "TBtnNewList", &TFrFunctionEdit::NewListClick);
  TBtnNewFunc = action("Neue Funktion", "TBtnNewFunc", &TFrFunctionEdit::NewFuncClick);
  bar->addSeparator();
  TBtnDelete = action("Eintrag löschen", "TBtnDelete", &TFrFunctionEdit::DeleteClick);
  bar->addSeparator();
  ToolButton2 = action("Exportiere Namensliste", "ToolButton2", &TFrFunctionEdit::ExportNamesClick);
  layout->addWidget(bar);

  auto* split = new QSplitter(Qt::Horizontal, this);
  TreeView1 = new QTreeWidget(split);
  TreeView1->setObjectName(QStringLiteral("TreeView1"));
  TreeView1->setHeaderHidden(true);
  TreeView1->setMinimumWidth(155);
  TreeView1->setContextMenuPolicy(Qt::ActionsContextMenu);
  ExportList1 = new QAction(PageText("Funktionsliste exportieren"), TreeView1);
  ImportList1 = new QAction(PageText("Funktionsliste importieren"), TreeView1);
  TreeView1->addAction(ExportList1);
  TreeView1->addAction(ImportList1);
  connect(ExportList1, &QAction::triggered, this, &TFrFunctionEdit::ExportListClick);
  connect(ImportList1, &QAction::triggered, this, &TFrFunctionEdit::ImportListClick);
  connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] { ShowSelected(); });

  PG = new QTabWidget(split);
  PG->setObjectName(QStringLiteral("PG"));
  PG->setEnabled(false);
  const auto line = [this](QFormLayout* form, const char* label, const char* name, bool list) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(255);
    form->addRow(PageText(label), e);
    connect(e, &QLineEdit::textEdited, this, [this, list, e] { list ? ListFieldChanged(e) : CommandFieldChanged(e); });
    return e;
  };
  const auto spin = [this](QFormLayout* form, const char* label, const char* name, int max, bool list) {
    auto* s = new TZCLSpinEdit;
    s->setObjectName(QString::fromLatin1(name));
    s->SetMinValue(-1);
    s->SetMaxValue(max);
    s->setFixedSize(90, 22);
    s->OnChange = [this, list, s](QObject*) { list ? ListFieldChanged(s) : CommandFieldChanged(s); };
    form->addRow(PageText(label), s);
    return s;
  };
  const auto memo = [this](QFormLayout* form, const char* label, const char* name, bool list) {
    auto* m = new QPlainTextEdit;
    m->setObjectName(QString::fromLatin1(name));
    form->addRow(PageText(label), m);
    connect(m, &QPlainTextEdit::textChanged, this,
            [this, list, m] { list ? ListFieldChanged(m) : CommandFieldChanged(m); });
    return m;
  };
  auto* listPage = new QWidget;
  auto* listForm = new QFormLayout(listPage);
  EListNumber = spin(listForm, "Listennummer:", "EListNumber", 65535, true);
  EListInternalName = line(listForm, "Interner Name:", "EListInternalName", true);
  EListName = line(listForm, "Listenbezeichnung:", "EListName", true);
  EListMemo = memo(listForm, "Beschreibung der Funktionsliste:", "EListMemo", true);
  PG->addTab(listPage, PageText("Listenbeschreibung"));
  auto* commandPage = new QWidget;
  auto* commandForm = new QFormLayout(commandPage);
  EInternalName = line(commandForm, "Interner Name:", "EInternalName", false);
  EAlterName = line(commandForm, "Alte Bezeichnung:", "EAlterName", false);
  EDisplayName = line(commandForm, "Anzuzeigender Name:", "EDisplayName", false);
  EGerman = line(commandForm, "Deutsche Bezeichnung:", "EGerman", false);
  ECommand = spin(commandForm, "Funktionsnummer", "ECommand", 30, false);
  EDialog = spin(commandForm, "Parameterdialog:", "EDialog", 100, false);
  EParaText = line(commandForm, "Parametertext:", "EParaText", false);
  EParaText->setMaxLength(32767);
  EMemo = memo(commandForm, "Beschreibung der Funktion:", "EMemo", false);
  PG->addTab(commandPage, PageText("Funktionsbeschreibung"));
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);

  const auto dialog = [this](bool save, const QString& caption, const QString& filter) {
    return [this, save, caption, filter](const std::string& preset) {
      const QString start = QString::fromStdString(preset);
      const QString file = save ? QFileDialog::getSaveFileName(this, caption, start, filter)
                                : QFileDialog::getOpenFileName(this, caption, start, filter);
      return file.toStdString();
    };
  };
  OnChooseOpenFile = dialog(false, PageText("Funktionslisten öffnen"), kFilter);
  OnChooseSaveFile = dialog(true, PageText("Funktionslisten speichern unter"), kFilter);
  OnChooseListExport = dialog(true, PageText("Funktionsliste exportieren"), {});
  OnChooseListImport = dialog(false, PageText("Funktionsliste importieren"), {});
  OnChooseNameList =
      dialog(true, PageText("Exportiere Namensliste"), QStringLiteral("Ini-Dateien (*.ini);;Alle Dateien (*)"));
}

std::string TFrFunctionEdit::StartFolder() const {
  if (!fDoc.FileName().empty()) return fDoc.FileName();
  return GetSystemPathByIndex();
}

void TFrFunctionEdit::ShowError(const std::string& ansi) {
  MessageDlg(this, ToQString(ansi), PageText("Funktionslisten"), MB_OK | MB_ICONERROR);
}

void TFrFunctionEdit::OpenClick() {
  const std::string name = OnChooseOpenFile ? OnChooseOpenFile(StartFolder()) : std::string();
  if (name.empty()) return;
  std::string error;
  if (!fDoc.Open(name, error)) {
    ShowError(error);
    return;
  }
  FillTree();
}

void TFrFunctionEdit::SaveClick() {
  if (!fDoc.IsOpen()) return;
  const std::string name = OnChooseSaveFile ? OnChooseSaveFile(fDoc.FileName()) : std::string();
  if (name.empty()) return;
  std::string error;
  if (!fDoc.SaveAs(name, error)) ShowError(error);
}

void TFrFunctionEdit::FillTree() {
  TreeView1->clear();  // a second file replaces the first one's lists
  PG->setEnabled(false);
  TEAFunktionsContainer* c = fDoc.Container();
  for (int l = 0; c && l < c->Count(); ++l) {
    TEAFunctionList* list = c->GetList(l);
    QTreeWidgetItem* node = AddListNode(list);
    for (int f = 0; f < list->Count(); ++f) AddCommandNode(node, list->GetFunction(f));
  }
}

QTreeWidgetItem* TFrFunctionEdit::AddListNode(TEAFunctionList* list) {
  auto* node = new QTreeWidgetItem(TreeView1, QStringList{ToQString(list->ListName)});
  node->setData(0, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(list)));
  node->setData(0, kKindRole, kList);
  return node;
}

QTreeWidgetItem* TFrFunctionEdit::AddCommandNode(QTreeWidgetItem* listNode, TEABaseFunction* command) {
  auto* node = new QTreeWidgetItem(listNode, QStringList{ToQString(command->DisplayName)});
  node->setData(0, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(command)));
  node->setData(0, kKindRole, kCommand);
  return node;
}

TEAFunctionList* TFrFunctionEdit::SelectedList() const {
  QTreeWidgetItem* n = TreeView1->currentItem();
  if (!n || n->data(0, kKindRole).toInt() != kList) return nullptr;
  return reinterpret_cast<TEAFunctionList*>(n->data(0, kDataRole).value<quintptr>());
}

TEABaseFunction* TFrFunctionEdit::SelectedCommand() const {
  QTreeWidgetItem* n = TreeView1->currentItem();
  if (!n || n->data(0, kKindRole).toInt() != kCommand) return nullptr;
  return reinterpret_cast<TEABaseFunction*>(n->data(0, kDataRole).value<quintptr>());
}

void TFrFunctionEdit::ShowSelected() {
  PG->setEnabled(TreeView1->currentItem() != nullptr);
  if (TEAFunctionList* list = SelectedList()) FillListPage(*list);
  if (TEABaseFunction* command = SelectedCommand()) FillCommandPage(*command);
}

void TFrFunctionEdit::FillListPage(TEAFunctionList& list) {
  fFilling = true;
  EListNumber->SetValue(SpinShown(list.ListNumber, -1, 65535));
  EListInternalName->setText(ToQString(FieldText(list.ListInternalName)));
  EListName->setText(ToQString(FieldText(list.ListName)));
  EListMemo->setPlainText(ToQString(list.Remarks));
  if (QTreeWidgetItem* n = TreeView1->currentItem()) n->setText(0, ToQString(list.ListName));
  PG->setCurrentIndex(0);
  fFilling = false;
}

void TFrFunctionEdit::FillCommandPage(TEABaseFunction& command) {
  fFilling = true;
  EInternalName->setText(ToQString(FieldText(command.InternalName)));
  EAlterName->setText(ToQString(FieldText(command.OldName)));
  EDisplayName->setText(ToQString(FieldText(command.DisplayName)));
  EGerman->setText(ToQString(FieldText(command.GermanFunc)));
  ECommand->SetValue(SpinShown(command.Command, -1, 30));
  EDialog->SetValue(SpinShown(command.Dialog, -1, 100));
  EParaText->setText(ToQString(command.ParaText));
  EMemo->setPlainText(ToQString(command.FunctionHint));
  if (QTreeWidgetItem* n = TreeView1->currentItem()) n->setText(0, ToQString(command.DisplayName));
  PG->setCurrentIndex(1);
  fFilling = false;
}

// Only the field that changed is written, so a value the spin field cannot show stays as it is
// until the installer changes that very field.
void TFrFunctionEdit::ListFieldChanged(QObject* from) {
  TEAFunctionList* list = SelectedList();
  if (fFilling || !list) return;
  const auto text = [](const QLineEdit* e) { return FromQString(e->text()); };
  if (from == EListInternalName) list->ListInternalName = text(EListInternalName);
  if (from == EListName) {
    list->ListName = text(EListName);
    TreeView1->currentItem()->setText(0, EListName->text());
  }
  if (from == EListMemo) list->Remarks = FromQString(EListMemo->toPlainText());
  if (from == EListNumber) list->ListNumber = EListNumber->Value();
}

void TFrFunctionEdit::CommandFieldChanged(QObject* from) {
  TEABaseFunction* c = SelectedCommand();
  if (fFilling || !c) return;
  const auto text = [](const QLineEdit* e) { return FromQString(e->text()); };
  if (from == EInternalName) c->InternalName = text(EInternalName);
  if (from == EAlterName) c->OldName = text(EAlterName);
  if (from == EDisplayName) {
    c->DisplayName = text(EDisplayName);
    TreeView1->currentItem()->setText(0, EDisplayName->text());
  }
  if (from == EGerman) c->GermanFunc = text(EGerman);
  if (from == EParaText) c->ParaText = text(EParaText);
  if (from == EMemo) c->FunctionHint = FromQString(EMemo->toPlainText());
  if (from == ECommand) c->Command = ECommand->Value();
  if (from == EDialog) c->Dialog = EDialog->Value();
}

void TFrFunctionEdit::NewListClick() {
  TEAFunctionList* list = fDoc.NewList();
  if (!list) return;
  QTreeWidgetItem* node = AddListNode(list);
  TreeView1->setCurrentItem(node);
}

void TFrFunctionEdit::NewFuncClick() {
  QTreeWidgetItem* n = TreeView1->currentItem();
  if (!n) return;
  QTreeWidgetItem* listNode = n->data(0, kKindRole).toInt() == kList ? n : n->parent();
  TEAFunctionList* list =
      listNode ? reinterpret_cast<TEAFunctionList*>(listNode->data(0, kDataRole).value<quintptr>()) : nullptr;
  if (!list) return;
  QTreeWidgetItem* node = AddCommandNode(listNode, TCommandListDocument::NewCommand(*list));
  listNode->setExpanded(true);
  TreeView1->setCurrentItem(node);
}

void TFrFunctionEdit::DeleteClick() {
  QTreeWidgetItem* n = TreeView1->currentItem();
  if (!n) return;
  const bool isList = n->data(0, kKindRole).toInt() == kList;
  const QString question = isList ? PageText("Soll die Funktionsliste \"%1\" mit allen Funktionen gelöscht werden?")
                                  : PageText("Soll die Funktion \"%1\" gelöscht werden?");
  if (MessageDlg(this, question.arg(n->text(0)), PageText("Eintrag löschen"), MB_YESNO | MB_ICONQUESTION) != 6) return;
  const bool done = isList ? fDoc.DeleteList(SelectedList()) : fDoc.DeleteCommand(SelectedCommand());
  if (done) delete n;
  ShowSelected();
}

void TFrFunctionEdit::ExportNamesClick() {
  if (!fDoc.IsOpen()) return;
  const std::string name =
      OnChooseNameList ? OnChooseNameList(ExtractFilePath(fDoc.FileName()) + "Functions.ini") : std::string();
  if (name.empty()) return;
  std::string error;
  if (!fDoc.ExportNameList(name, error)) ShowError(error);
}

void TFrFunctionEdit::ExportListClick() {
  TEAFunctionList* list = SelectedList();
  if (!list) return;
  const std::string name = OnChooseListExport ? OnChooseListExport(ExtractFilePath(fDoc.FileName())) : std::string();
  if (name.empty()) return;
  std::string error;
  if (!TCommandListDocument::ExportList(*list, name, error)) ShowError(error);
}

void TFrFunctionEdit::ImportListClick() {
  if (!fDoc.IsOpen()) return;
  const std::string name = OnChooseListImport ? OnChooseListImport(ExtractFilePath(fDoc.FileName())) : std::string();
  if (name.empty()) return;
  std::string error;
  TEAFunctionList* list = fDoc.ImportList(name, error);
  if (!list) {
    ShowError(error);
    return;
  }
  QTreeWidgetItem* node = AddListNode(list);
  for (int f = 0; f < list->Count(); ++f) AddCommandNode(node, list->GetFunction(f));
  TreeView1->setCurrentItem(node);
}

}  // namespace zyn
