#pragma once
// The dialogs of the tool editor: a variable ("Variable bearbeiten"), a parameter dialog
// ("Parameterdialog bearbeiten"), a node ("Funktionsnode bearbeiten") and the help text
// ("Beschreibung bearbeiten"). Each shows its object's fields; "OK" checks the edit and keeps the
// dialog open with the reason when the check fails. The caller stores a checked edit.

#include "compiler/toollib/ToolEdit.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace zyn {

class TZYNFunction;
class TVariable;
class TParamDlg;
class TFuncNode;

class TEditVar : public QDialog {
  Q_OBJECT
 public:
  TEditVar(const TZYNFunction& tool, const TVariable* self, QWidget* parent = nullptr);
  QLineEdit *EdName = nullptr, *EdRepeats = nullptr, *EdUnit = nullptr, *EdMultiplier = nullptr, *EdMin = nullptr,
            *EdMax = nullptr, *EdClasses = nullptr;
  QLabel* LblClasses = nullptr;
  QComboBox* CBType = nullptr;
  QGroupBox* GBChannels = nullptr;
  std::array<QCheckBox*, 16> CBChannel{};

  void Load(const TVarEdit& edit);
  TVarEdit Edit() const;
  void accept() override;

 private:
  void TypeChanged();
  const TZYNFunction& fTool;
  const TVariable* fSelf;
};

class TEdDialog : public QDialog {
  Q_OBJECT
 public:
  TEdDialog(const TZYNFunction& tool, const TParamDlg* self, QWidget* parent = nullptr);
  QLineEdit *EdName = nullptr, *EdTitle = nullptr, *EdInfo = nullptr, *EdMask = nullptr, *EdUnit = nullptr;
  QSpinBox* EdMultiplier = nullptr;
  QComboBox *CBType = nullptr, *CBVar = nullptr, *CBDefault = nullptr;

  void Load(const TDlgEdit& edit);
  TDlgEdit Edit() const;
  void accept() override;
  // "&Zeigen": the parameter form of the logic pages with this dialog's texts.
  void Preview();

 private:
  const TZYNFunction& fTool;
  const TParamDlg* fSelf;
};

class TFrmEditNode : public QDialog {
  Q_OBJECT
 public:
  TFrmEditNode(const TZYNFunction& tool, const TFuncNode* self, QWidget* parent = nullptr);
  QComboBox *CBType = nullptr, *CBEdit = nullptr, *CBVar = nullptr, *CBAccept = nullptr, *CBDialog = nullptr,
            *CBFlags = nullptr, *CBParamType = nullptr, *CBDefault = nullptr;
  QLineEdit* EdNodeText = nullptr;

  void Load(const TNodeEdit& edit);
  TNodeEdit Edit() const;
  void accept() override;

 private:
  const TZYNFunction& fTool;
  const TFuncNode* fSelf;
};

class TTextEditor : public QDialog {
  Q_OBJECT
 public:
  explicit TTextEditor(QWidget* parent = nullptr);
  QPlainTextEdit* Memo = nullptr;
  // At most 255 characters.
  void SetText(const std::string& ansi);
  std::string Text() const;
  void accept() override;
};

}  // namespace zyn
