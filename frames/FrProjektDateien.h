#pragma once
// The pages that create a project ("FrNeu"), open a project file ("FrOpen") and save the open
// project under a new name ("FrSaveAs").

#include "frames/ProjectPage.h"

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace zyn {

class TDbfNavigator;
class TDbfTable;
class TZYNProjekt;

// The folder list, the file list and the file type of the open and save-as pages. Type 0 is the
// plain project file "*.zpf", type 1 the compressed one "*.zcf".
class TProjectFileChooser : public QWidget {
  Q_OBJECT
 public:
  explicit TProjectFileChooser(QWidget* parent = nullptr);
  QLabel* PathLabel = nullptr;
  QListWidget* DLB = nullptr;  // folders
  QListWidget* FLB = nullptr;  // files of the type
  QComboBox* FCB = nullptr;    // the type

  // The folder shown (UTF-8, trailing "/"); "" releases it.
  void SetFolder(const std::string& folder);
  const std::string& Folder() const { return fFolder; }
  // The file selected in the file list with its folder; "" for none.
  std::string SelectedFile() const;
  void SelectFile(const std::string& name);
  int TypeIndex() const;
  void SetTypeIndex(int index);
  std::function<void()> OnFileChanged;
  std::function<void()> OnFileActivated;

 private:
  void FillFiles();
  std::string fFolder;
};

class TFrOpen : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrOpen(QWidget* parent = nullptr);
  void FrameActivate() override;
  void FrameDeactivate() override;

  TProjectFileChooser* Chooser = nullptr;
  QPushButton* BtnCancel = nullptr;
  QPushButton* BtnWeiter = nullptr;
  QLabel* Hint = nullptr;

  // Opens the selected file with the reader of the chosen type; false (the message shown, the
  // previous project kept) when it is no project or cannot be read.
  bool OpenSelected();
};

class TFrSaveAs : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrSaveAs(QWidget* parent = nullptr);
  void FrameActivate() override;
  void FrameDeactivate() override;

  TProjectFileChooser* Chooser = nullptr;
  QLineEdit* FN = nullptr;
  QPushButton* Button1 = nullptr;  // "Weiter >"
  QPushButton* Button2 = nullptr;  // "Abbrechen"
  QLabel* Hint = nullptr;

  // The full name the page would save under: the folder, the name edit's text with the type's
  // extension in place of its own.
  std::string TargetFile() const;
  // Saves; false when nothing was saved (declined or failed, the project keeps its old name).
  bool SaveProject();
  // The project table's record follows the project number the new file name gave (a warning when
  // the table cannot be written; the project stays saved).
  void RenumberTableRecord(const std::string& oldNumber);

 private:
  std::unique_ptr<TDbfTable> fProjekte;
};

class TFrNeu : public TProjectPage {
  Q_OBJECT
 public:
  explicit TFrNeu(QWidget* parent = nullptr);
  ~TFrNeu() override;
  void FrameActivate() override;
  void FrameDeactivate() override;

  QTabWidget* PageControl1 = nullptr;
  // tab "Projektdaten"
  QLineEdit* PEdit_NR = nullptr;
  QLineEdit* PEdit_PN = nullptr;
  QLineEdit* PEAuftrag = nullptr;
  QLineEdit* PETermin = nullptr;
  QLineEdit* PEdit_LEITER = nullptr;
  QLineEdit* PEdit_AUSF = nullptr;
  QPlainTextEdit* PMemo_REM = nullptr;
  QComboBox* DBLookupComboBox1 = nullptr;
  // tab "Kundendaten"
  QLineEdit* KEdit_KN = nullptr;
  QLineEdit* KEdit_Datum = nullptr;
  QLineEdit* KEdit_N = nullptr;
  QLineEdit* KEdit_FN = nullptr;
  QLineEdit* KEdit_STR = nullptr;
  QLineEdit* KEdit_PLZ = nullptr;
  QLineEdit* KEdit_ORT = nullptr;
  QLineEdit* KEdit_TEL = nullptr;
  QLineEdit* KEdit_FAX = nullptr;
  QLineEdit* KEdit_EMAIL = nullptr;
  QPlainTextEdit* KEdit_MEMO = nullptr;
  TDbfNavigator* DBNavigator1 = nullptr;
  QPushButton* BtnOK = nullptr;    // "Weiter >>"
  QPushButton* Button2 = nullptr;  // "Abbrechen"

  // Starts a new project record: empty fields, customer "0", order date and deadline today.
  void NewProjectRecord();
  // Creates, saves and opens the project; false when it was not created (the page stays).
  bool CreateProject();
  void CancelClick();
  TDbfTable* Kunden() const { return fKunden.get(); }

 private:
  void NumberChanged();
  void DateEdited(QLineEdit* edit);
  void FillCustomerList();
  void CustomerChosen(int index);
  std::unique_ptr<TZYNProjekt> BuildProject(const std::string& fileName) const;
  std::vector<std::string> ProjectRecord() const;

  std::unique_ptr<TDbfTable> fKunden;
  std::unique_ptr<TDbfTable> fProjekte;
  std::string fKundenNr = "0";
};

// The customer-numbering and name rules of the customer table on a navigator. errorBox: the
// name message as an error box with the single button Cancel (else an information box with OK).
void InstallCustomerRules(TDbfNavigator& navigator, bool errorBox);

}  // namespace zyn
