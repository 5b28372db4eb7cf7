#pragma once
// "Funktionslisten": the maintenance editor of command-list files. The lists and their commands
// in a tree, every field on two pages, new and deleted entries, the single-list export and
// import, the name list of the commands; the rules are in logic/core/CommandListEdit.h.

#include "logic/core/CommandListEdit.h"
#include "shell/FrameManager.h"

#include <QWidget>

#include <functional>
#include <string>

class QAction;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TZCLSpinEdit;

class TFrFunctionEdit : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  explicit TFrFunctionEdit(QWidget* parent = nullptr);

  void FrameActivate() override {}
  void FrameDeactivate() override {}
  int AskApplyChanges() override { return 6; }

  // The commands of the tool bar and the tree's menu.
  void OpenClick();
  void SaveClick();
  void NewListClick();
  void NewFuncClick();
  void DeleteClick();
  void ExportNamesClick();
  void ExportListClick();
  void ImportListClick();

  // The file dialogs (replaced by the tests): the chosen file name, empty when cancelled.
  // `preset` is the folder or file the dialog starts with.
  std::function<std::string(const std::string&preset)> OnChooseOpenFile, OnChooseSaveFile, OnChooseListExport,
      OnChooseListImport, OnChooseNameList;

  TCommandListDocument& Document() { return fDoc; }

  QAction *TBtnOpen = nullptr, *TBtnSave = nullptr, *TBtnNewList = nullptr, *TBtnNewFunc = nullptr,
          *TBtnDelete = nullptr, *ToolButton2 = nullptr, *ExportList1 = nullptr, *ImportList1 = nullptr;
  QTreeWidget* TreeView1 = nullptr;
  QTabWidget* PG = nullptr;
  TZCLSpinEdit *EListNumber = nullptr, *ECommand = nullptr, *EDialog = nullptr;
  QLineEdit *EListInternalName = nullptr, *EListName = nullptr, *EInternalName = nullptr, *EAlterName = nullptr,
            *EDisplayName = nullptr, *EGerman = nullptr, *EParaText = nullptr;
  QPlainTextEdit *EListMemo = nullptr, *EMemo = nullptr;

 private:
  void FillTree();
  QTreeWidgetItem* AddListNode(TEAFunctionList* list);
  QTreeWidgetItem* AddCommandNode(QTreeWidgetItem* listNode, TEABaseFunction* command);
  TEAFunctionList* SelectedList() const;
  TEABaseFunction* SelectedCommand() const;
  void ShowSelected();
  void FillListPage(TEAFunctionList& list);
  void FillCommandPage(TEABaseFunction& command);
  void ListFieldChanged(QObject* from);
  void CommandFieldChanged(QObject* from);
  void ShowError(const std::string& ansi);
  std::string StartFolder() const;

  TCommandListDocument fDoc;
  bool fFilling = false;
};

}  // namespace zyn
