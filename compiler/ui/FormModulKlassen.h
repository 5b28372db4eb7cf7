#pragma once
// The module-class editor: the classes of a module catalogue in a tree, their data on the page
// "Moduldaten" and their channel descriptions on the pages "Eingänge", "Ausgänge" and
// "Rückmeldungen"; and the dialog of one channel description. The editor works on catalogue,
// base-class list and command lists of its own; the programme's base data stay untouched.
// Every edit is checked before it is stored; closing with unsaved changes asks first.

#include "compiler/ui/EditorCommon.h"
#include "model/ModulClassEdit.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace zyn {

class TBasisModulListe;
class TEABeschreibung;
class TEAFunktionsContainer;
class TModulClass;
class TModulClassList;

class TFrmEABeschreibung : public QDialog {
  Q_OBJECT
 public:
  // listNames: the names of all command lists; the description's list is preselected.
  TFrmEABeschreibung(const TEABeschreibung& description, const QStringList& listNames, QWidget* parent = nullptr);
  QSpinBox* EdKanal = nullptr;
  QLineEdit* EdDefault = nullptr;
  QComboBox* CBListe = nullptr;

  void accept() override;
  // Stores the three values into the description.
  void Store(TEABeschreibung& description) const;
};

class TFrmModulKlassen : public QDialog {
  Q_OBJECT
 public:
  // dataFolder: the system data folder with a trailing "/" (UTF-8): "BASIS.ZBC" and
  // "EAFuncs.xml" are read from it, catalogues are opened and saved there first.
  explicit TFrmModulKlassen(const std::string& dataFolder, QWidget* parent = nullptr);
  ~TFrmModulKlassen() override;

  QToolButton *BtnOpen = nullptr, *BtnSave = nullptr, *BtnNew = nullptr, *BtnDelete = nullptr, *BtnSaveClass = nullptr,
              *BtnLoadClass = nullptr;
  QTreeWidget* TV = nullptr;  // "Modulklassen"
  QTabWidget* PC = nullptr;
  // page "Moduldaten"
  QLineEdit *EdInternal = nullptr, *EdDisplay = nullptr, *EdIdent = nullptr;
  QComboBox* CBBasis = nullptr;
  QSpinBox *EdLimit = nullptr, *EdEin = nullptr, *EdAus = nullptr, *EdRME = nullptr;
  QLabel* LblProblem = nullptr;  // why the last edit was not stored
  // pages "Eingänge", "Ausgänge", "Rückmeldungen"
  std::array<QSpinBox*, 3> EdShift{};
  std::array<QTreeWidget*, 3> LV{};

  TFileChooser ChooseFile;

  TModulClassList& Catalogue() { return *fCatalogue; }
  const TEAFunktionsContainer& CommandLists() const { return *fCommands; }
  TModulClass* Selected() const;
  void SelectClass(int index);
  bool Modified() const { return fModified; }
  const std::string& LastListName() const { return fLastList; }

  // --- commands ---
  // Adds the classes of a catalogue file; true when it was read.
  bool OpenCatalogue(const std::string& fileName);
  bool SaveCatalogue(const std::string& fileName);
  void OpenCatalogueCommand();
  bool SaveCatalogueCommand();
  void NewClass();
  void DeleteClass();
  void SaveClassCommand();
  void LoadClassCommand();
  bool LoadClass(const std::string& fileName);
  void MoveClass(int from, int to);
  // The description dialog for row `row` of the page of that kind.
  void EditDescription(TChannelKind kind, int row);
  // Fills the description list of that kind (missing descriptions are made).
  void FillDescriptions(TChannelKind kind);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void BuildDataPage();
  void BuildChannelPage(TChannelKind kind, const char* caption);
  void FillTree();
  void LoadClassData();
  void DataChanged();
  void Changed() { fModified = true; }
  TEABeschreibung* DescriptionAt(TChannelKind kind, int row) const;

  std::string fDataFolder;
  std::unique_ptr<TModulClassList> fCatalogue;
  std::unique_ptr<TBasisModulListe> fBasis;
  std::unique_ptr<TEAFunktionsContainer> fCommands;
  std::string fLastList;
  bool fModified = false;
  bool fLoading = false;
};

}  // namespace zyn
