#pragma once
// What the properties dialogs of state variables and texts share: the page that shows the
// object's channel link and the lists by which a command is dragged onto a free key. A key made
// by a drop is the object's at once; Cancel only leaves the dialog's other fields unapplied.

#include <QDialog>
#include <QListWidget>

#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class QTabWidget;

namespace zyn {

class TBasis;
class TBildschirm;
class TDisplayObjekt;
class TFunktButton;
class TKanal;

// A list that takes commands dragged from another list: the drop names the command's row and
// the row of the key it was dropped on.
class TKeyDropList : public QListWidget {
  Q_OBJECT
 public:
  explicit TKeyDropList(QWidget* parent = nullptr);
  QListWidget* Source = nullptr;
  std::function<void(int commandRow, int keyRow)> OnAssign;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

class TObjectDialog : public QDialog {
  Q_OBJECT
 public:
  TObjectDialog(TDisplayObjekt& display, TBildschirm& screen, TBasis& object, QWidget* parent);
  ~TObjectDialog() override;

  QTabWidget* Tabs = nullptr;
  QLineEdit* EStm = nullptr;
  QLineEdit* EModul = nullptr;
  QLineEdit* EArt = nullptr;
  QLineEdit* EKanalTyp = nullptr;
  QLineEdit* EKanal = nullptr;
  QLineEdit* EBeschreibung = nullptr;
  QListWidget* LCommands = nullptr;
  TKeyDropList* LFree = nullptr;
  QListWidget* LDefined = nullptr;
  QPushButton* BDeleteFunction = nullptr;

  // Assigns the command of that row to the free key of that row (what a drop does).
  virtual void AssignCommand(int commandRow, int keyRow) = 0;

 protected:
  // Builds the link page and the three key lists on a page with the given captions.
  QWidget* MakeLinkPage();
  QWidget* MakeFunctionLists(const char* commands, const char* free, const char* defined, const char* deleteCaption);
  // The linked channel of the project (input or output by the link's kind), or nothing.
  TKanal* LinkedChannel() const;
  // The command list of the linked channel.
  void FillCommands(bool input);
  // The text of a free key: TranslateText("Taste F1") .. ("Taste F4"); the key name back from it.
  static QString FreeKeyText(int k);
  static std::string KeyNameOf(const QString& freeKeyText);
  // The free keys (F1 to F4 held neither by the screen nor by the object) and the defined
  // functions: the object's keys that `defined` accepts.
  void FillKeyLists(const std::function<bool(const TFunktButton&)>& defined);
  // Asks for the label of a new key, prefilled; the free key's text when left empty.
  std::string AskLabel(const QString& preset);

  TDisplayObjekt& fDisplay;
  TBildschirm& fScreen;
  TBasis& fObject;
};

}  // namespace zyn
