#pragma once
// The tool editor "Funktionseditor": the tools of one library on the left, their header,
// variables, parameter dialogs, nodes, link script and macro text on the pages. The editor works
// on its own copy of the library file; nothing is written except by its save and export commands.
// Every edit is checked before it is stored, the script is checked before the library is saved,
// and closing with unsaved changes asks first.

#include "compiler/ui/EditorCommon.h"

#include <QDialog>

#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TEAFunktionsContainer;
class TZYNFunction;
class TZYNFunktionsListe;

class TFrmFEdit : public QDialog {
  Q_OBJECT
 public:
  // fileName: the library file (UTF-8), loaded when it exists. commands: the command lists shown
  // as drag source (nullptr for the user library).
  TFrmFEdit(const std::string& fileName, const TEAFunktionsContainer* commands, QWidget* parent = nullptr);
  ~TFrmFEdit() override;

  // --- components ---
  QListWidget* LB = nullptr;  // "Funktionen"
  QToolButton *BtnNew = nullptr, *BtnDelete = nullptr, *BtnSave = nullptr, *BtnClose = nullptr;
  QTabWidget* PC = nullptr;
  // page "Info"
  QLineEdit *EdGroup = nullptr, *EdName = nullptr, *EdHelp = nullptr, *EdVer = nullptr, *EdCreator = nullptr,
            *EdCompany = nullptr, *EdCreated = nullptr, *EdModified = nullptr, *EdClass = nullptr;
  QSpinBox* EdHelpContext = nullptr;
  QCheckBox* CBSubFunc = nullptr;
  QCheckBox *CBZORV = nullptr, *CBTervik = nullptr, *CBQLM = nullptr, *CBMorva = nullptr, *CBYXA = nullptr;
  // pages "Var", "Dlg", "Node"
  QTreeWidget *VarTree = nullptr, *DlgTree = nullptr, *NodeTree = nullptr;
  // page "Verb"
  QPlainTextEdit* Memo = nullptr;
  QTreeWidget* CommandTree = nullptr;
  QComboBox *CBWenn = nullptr, *CBDann = nullptr, *CBSonst = nullptr;
  QListWidget* LBUnd = nullptr;
  // page "List"
  QPlainTextEdit* ListMemo = nullptr;

  TFileChooser ChooseFile;

  TZYNFunktionsListe& Library() { return *fLibrary; }
  const std::string& FileName() const { return fFileName; }
  TZYNFunction* Selected() const;
  void SelectTool(int index);
  bool Modified() const { return fModified; }
  // Whether the library was written to its own file during this session.
  bool SavedOwnFile() const { return fSavedOwnFile; }

  // --- commands ---
  void NewTool();
  void DeleteTool();
  // "Änderungen speichern": the file chosen (suggested: the library's file); the script of the
  // selected tool is taken from the memo when it was edited, every script is checked first.
  // True when the library was written.
  bool SaveChanges();
  // Saves under the given name without asking for one (the check and the memo rule included).
  bool SaveTo(const std::string& fileName);
  void ExportTool();
  void ImportTool();
  void SaveMacroText();
  void NewVariable();
  void EditVariable(int index);
  void DeleteVariable(int index);
  void NewDialog();
  void EditDialog(int index);
  void DeleteDialogAt(int index);
  void NewNode();
  void EditNode(int index);
  void DeleteNodeAt(int index);
  void MoveNode(int from, int to);
  void EditHelpText();
  void AddCondition();

  // Rebuilds the pages from the selected tool.
  void LoadTool();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildInfoPage();
  void BuildListPage(const char* caption, QTreeWidget*& tree, const char* newText, const char* editText,
                     const char* deleteText, void (TFrmFEdit::*onNew)(), void (TFrmFEdit::*onEdit)(int),
                     void (TFrmFEdit::*onDelete)(int));
  void BuildScriptPage();
  void FillTools();
  void FillVariables();
  void FillDialogs();
  void FillNodes();
  void FillScript();
  void FillMacroText();
  void InfoChanged();
  void Changed();
  bool TakeScript(TZYNFunction& tool, const std::string& consequence);

  std::string fFileName;
  const TEAFunktionsContainer* fCommands;
  std::unique_ptr<TZYNFunktionsListe> fLibrary;
  bool fModified = false;
  bool fSavedOwnFile = false;
  bool fLoading = false;
  bool fScriptEdited = false;
  TZYNFunction* fShownTool = nullptr;  // the tool the pages show
};

}  // namespace zyn
