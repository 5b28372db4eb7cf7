#pragma once
// The small dialogs of the display designer: new screen with navigation keys, function keys,
// key label, rename screen, delete objects, state-text pairs, new pair, line coordinates and
// special characters. They change the display at once; their Cancel and Close only close.

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zyn {

class TBasis;
class TBildschirm;
class TButtonListe;
class TDisplayObjekt;
class TFunktButton;
class TLine;
class TText;
class TVerwaltung;
class TView;

// "Text3 ( Zeile: 2, Spalte: 5 )": an object of a screen as the key and delete dialogs list it.
QString ObjectCaption(const TBildschirm& screen, size_t index);
// The special-character routine of the designer; the code, or -1 when nothing was chosen.
// Tests may replace it.
extern std::function<int(QWidget* parent)> ChooseSpecialCharacter;
// The key-label prompt ("Buttonbeschriftung eingeben"); false when closed without OK. Tests may
// replace it.
extern std::function<bool(QWidget* parent, QString& label)> PromptKeyLabel;
// Before an object with menu pages goes: "Der Text hat Untermenüs. Sollen der Text und seine N
// Bildschirme gelöscht werden?". True for Yes, and for an object without pages (nothing asked).
bool ConfirmMenuDeletion(QWidget* parent, const TBasis& object);
// Makes a dialog wide enough for its title at the default font, beside the title bar's buttons:
// a dialog's size follows its fields, and a short form would cut its caption.
void FitTitle(QDialog* dialog);
// The width that title needs.
int TitleWidth(const QString& title);
// Appends a special character to an edit (Ctrl+S in label and text edits).
void AppendSpecialChar(QLineEdit* edit);
// Installs Ctrl+S on the edit: it appends a special character.
void InstallSpecialCharKey(QLineEdit* edit);

// ------------------------------------------------------------------------------------------------

class TBName : public QDialog {
  Q_OBJECT
 public:
  explicit TBName(QWidget* parent = nullptr);
  QLineEdit* Edit = nullptr;
};

class TFrmRenameScreen : public QDialog {
  Q_OBJECT
 public:
  TFrmRenameScreen(const QString& oldName, QWidget* parent = nullptr);
  QLineEdit* EOld = nullptr;
  QLineEdit* ENew = nullptr;
  void done(int result) override;
};

class TDelObjects : public QDialog {
  Q_OBJECT
 public:
  explicit TDelObjects(TView& view, QWidget* parent = nullptr);
  QListWidget* LObjects = nullptr;
  QPushButton* BDelete = nullptr;
  void DeleteSelected();

 private:
  void Fill();
  TView& fView;
};

class TNewScreenOptions : public QDialog {
  Q_OBJECT
 public:
  // text: the text node the screen goes below, or nothing for the display node.
  TNewScreenOptions(TVerwaltung& manager, TDisplayObjekt& display, TText* text, QWidget* parent = nullptr);
  ~TNewScreenOptions() override;

  QLineEdit* EName = nullptr;
  QCheckBox* CBJump = nullptr;
  QComboBox* CBSource = nullptr;
  QComboBox* CBJumpKey = nullptr;
  QLineEdit* EJumpLabel = nullptr;
  QCheckBox* CBReturn = nullptr;
  QComboBox* CBTarget = nullptr;
  QComboBox* CBReturnKey = nullptr;
  QLineEdit* EReturnLabel = nullptr;
  QCheckBox* CBSwitch = nullptr;

  TBildschirm* Created() const { return fCreated; }
  void accept() override;

 private:
  void FillJumpKeys();
  TButtonListe* SourceKeys() const;
  TVerwaltung& fManager;
  TDisplayObjekt& fDisplay;
  TText* fText;
  TBildschirm* fTextScreen = nullptr;
  std::vector<TBildschirm*> fSiblings;
  TBildschirm* fCreated = nullptr;
};

class TEditButtons : public QDialog {
  Q_OBJECT
 public:
  TEditButtons(TDisplayObjekt& display, TBildschirm& screen, QWidget* parent = nullptr);
  ~TEditButtons() override;

  QTabWidget* Tabs = nullptr;
  QLineEdit* EObject = nullptr;     // the selected entry
  QListWidget* LEntries = nullptr;  // screen, then its objects
  QCheckBox* CBKey[4] = {};
  QLineEdit* EKey[4] = {};
  QPushButton* BLabels = nullptr;
  QListWidget* LKeys = nullptr;
  QLabel* LKind = nullptr;
  QLabel* LTarget = nullptr;
  QLabel* LLabel = nullptr;
  QPushButton* BAdd = nullptr;
  QPushButton* BDelete = nullptr;
  QListWidget* LFree = nullptr;
  QComboBox* CBFunction = nullptr;
  QTreeWidget* TTargets = nullptr;
  QLineEdit* ENewLabel = nullptr;
  QLabel* LChosen = nullptr;
  QPushButton* BTake = nullptr;

  // The key list of the selected entry (nothing while none is selected).
  TButtonListe* SelectedKeys() const;
  void SelectEntry(int row);
  void ToggleLabelEditing();
  void StartNewKey();
  void TakeNewKey();
  void DeleteKey();

 private:
  void ShowEntry();
  void FillKeyList();
  void ShowKey();
  void FillFree();
  void AddTargets(QTreeWidgetItem* parent, const TBildschirm& screen);
  TDisplayObjekt& fDisplay;
  TBildschirm& fScreen;
  bool fEditing = false;
  std::string fTarget;
};

class TZustNeu : public QDialog {
  Q_OBJECT
 public:
  explicit TZustNeu(QWidget* parent = nullptr);
  QLineEdit* EOn = nullptr;
  QLineEdit* EOff = nullptr;
};

class TPEinstellungen : public QDialog {
  Q_OBJECT
 public:
  explicit TPEinstellungen(TDisplayObjekt& display, QWidget* parent = nullptr);
  ~TPEinstellungen() override;

  QListWidget* LPairs = nullptr;
  QComboBox* CBDefault = nullptr;
  QPushButton* BAdd = nullptr;
  QPushButton* BDelete = nullptr;
  // The new pair's texts; tests may replace it. False when cancelled.
  std::function<bool(std::string& on, std::string& off)> AskNewPair;

  void AddPair();
  void DeleteSelected();
  void accept() override;

 private:
  void Fill();
  void UpdateDelete();
  TDisplayObjekt& fDisplay;
};

class TDlgNewLine : public QDialog {
  Q_OBJECT
 public:
  explicit TDlgNewLine(TLine& line, QWidget* parent = nullptr);
  QLineEdit* EXs = nullptr;
  QLineEdit* EYs = nullptr;
  QLineEdit* EXe = nullptr;
  QLineEdit* EYe = nullptr;
  QRadioButton* RBVertical = nullptr;
  QRadioButton* RBHorizontal = nullptr;
  void accept() override;

 private:
  void Edited(QLineEdit* edit);
  TLine& fLine;
  bool fCoupling = false;
};

class TSZeichen : public QDialog {
  Q_OBJECT
 public:
  explicit TSZeichen(QWidget* parent = nullptr);
  std::vector<QToolButton*> Buttons;  // 40, the last eight disabled
  // The code of the pressed button, or -1.
  int Choice() const;
};

}  // namespace zyn
