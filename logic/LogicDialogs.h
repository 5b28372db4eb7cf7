#pragma once
// The three small dialogs of the logic pages: the command chooser, the one-line text input and
// the parameter form with one page per kind of command parameter. They only present and return
// values; the routines in GlobalFuncs.h decide what is shown and where the results go.

#include "logic/core/LinkParameters.h"

#include <QDialog>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace zyn {

class TEAFunctionList;
class TEABaseFunction;
class TZCLSpinEdit;

// While set, the routines of the logic pages hand each dialog to the hook instead of running it
// modally, and take its answer (1 OK, 2 Cancel) as the dialog's result. The tests drive the
// dialogs' controls through it.
using TDialogHook = std::function<int(QDialog& dialog)>;
TDialogHook SetLogicDialogHook(TDialogHook hook);
// Runs the dialog (modally, or through the hook); 1 OK, 2 Cancel.
int RunLogicDialog(QDialog& dialog);

// "Ausgangsfunktion wählen".
class TFrmGetFunction : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmGetFunction(QWidget* parent = nullptr);

  QListWidget* FC = nullptr;
  QPushButton* OB = nullptr;
  QPushButton* BtnCancel = nullptr;

  // The list shown, and the chosen command (set by the caller to preselect one).
  TEAFunctionList* List = nullptr;
  TEABaseFunction* Chosen = nullptr;
  // Fills the list box and selects the chosen command or the first one.
  void Fill();

 protected:
  void showEvent(QShowEvent* event) override;
};

// The one-line text input.
class TFrmInput : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmInput(QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* BtnOK = nullptr;
  QPushButton* BtnCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// "Parameter für Ausgangsbefehl": nine pages, one per kind of parameter.
class TFrmParameter : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmParameter(QWidget* parent = nullptr);
  ~TFrmParameter() override;

  QStackedWidget* Notebook1 = nullptr;
  std::array<TZCLSpinEdit*, 15> SpinEdit{};   // [1]..[14]
  std::array<QButtonGroup*, 5> RadioGroup{};  // [1]..[4]
  std::array<QCheckBox*, 4> CheckBox{};       // [1]..[3]
  std::array<QCheckBox*, 6> LevelBox{};       // the boxes "0".."5"
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label10 = nullptr, *Label11 = nullptr, *Label24 = nullptr;

  // Shows the form's page, texts, ranges and values.
  void Load(const TParameterForm& form);
  // The values shown, each clamped into its range.
  TParameterForm Store() const;
  QPushButton* OKButton(int page) const { return fOK[static_cast<size_t>(page)]; }
  // "Abbrechen" of the page: closes without a value (Escape does the same).
  QPushButton* CancelButton(int page) const { return fCancel[static_cast<size_t>(page)]; }
  // Closes with OK when every value of the shown page lies in its range; otherwise names the
  // range of the first value outside it, puts that value into its range and keeps the dialog open.
  void TryAccept();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildPages();
  TParameterForm fForm;
  // The first spin edit of the shown page whose value lies outside its range (0 for none), and
  // that value.
  int OutOfRange(int& typed) const;
  std::array<QPushButton*, 9> fOK{};
  std::array<QPushButton*, 9> fCancel{};
  int fHintTime = -1;
  // A value outside its range that the spin edit put into its range when it lost the focus.
  int fRefusedSpin = 0;
  int fRefusedValue = 0;
};

}  // namespace zyn
