#pragma once
// "Verbindungsdetails": one link with its source, target and ELSE target; the functions and
// parameters may be changed and the conditions reopened in the logical-link builder. Changes go
// straight into the link; the caller re-files it after the dialog closes.

#include "logic/CenteredDialog.h"

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace zyn {

class TVerbindung;
class TEABaseFunction;

class TFrmVerbDetail : public TCenteredDialog {
  Q_OBJECT
 public:
  explicit TFrmVerbDetail(QWidget* parent = nullptr);

  TVerbindung* Link = nullptr;
  bool SourceEditable = false;
  bool TargetEditable = false;
  bool ElseEditable = false;
  bool ConditionsChangeable = false;

  // Fills the controls and shows the dialog; always 1.
  int Execute();

  QStackedWidget* Notebook1 = nullptr;
  // page 0 "Verbindung"
  QLineEdit *Edit10 = nullptr, *Edit11 = nullptr, *Edit13 = nullptr;
  QComboBox *ComboBox3 = nullptr, *ComboBox5 = nullptr;
  QLabel *Label14 = nullptr, *Label15 = nullptr;
  QPushButton *Button1 = nullptr, *BitBtn2 = nullptr;
  // page 1 "Verknüpfung"
  QLineEdit *Edit1 = nullptr, *Edit3 = nullptr, *Edit5 = nullptr, *Edit6 = nullptr, *Edit8 = nullptr;
  QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox4 = nullptr, *ComboBox6 = nullptr;
  QLabel *Label6 = nullptr, *Label7 = nullptr, *Label10 = nullptr, *Label16 = nullptr, *Label17 = nullptr;
  QLabel *LabelSonst = nullptr, *LabelElseFunction = nullptr;
  QPushButton *Button2 = nullptr, *Button3 = nullptr, *BitBtn1 = nullptr;
  QToolButton* SpeedButton1 = nullptr;

  // The actions of the controls, also for the tests.
  void ChangeCondition();  // "Ändern"
  // Validates the parameter edit as when it is left; false (warning shown, focus back) on a fault.
  bool ValidateParamEdit(QLineEdit* edit);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Fill(bool reload);
  void ShowPage(int index, int height);
  void FillFunctions(QComboBox* box, int side, bool reload);
  void FunctionChanged(QComboBox* box, int side);
  void ShowParam(bool elseSide, QPushButton* button, QLineEdit* edit, QLabel* unit, QLabel* caption, bool editable);
  void ParamEdited(QLineEdit* edit);
  void CloseClicked();
  void SetModified();
  bool fUpdating = false;
};

}  // namespace zyn
