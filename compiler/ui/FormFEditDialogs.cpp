#include "compiler/ui/FormFEditDialogs.h"

#include "compiler/toollib/ParamDlg.h"
#include "compiler/toollib/Variable.h"
#include "compiler/toollib/ZYNFunction.h"
#include "compiler/ui/EditorCommon.h"
#include "logic/LogicDialogs.h"
#include "logic/core/LinkParameters.h"
#include "model/base/Cp1252.h"
#include "platform/QtText.h"
#include "shell/Translation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace zyn {

namespace {

QComboBox* ChoiceCombo(const std::vector<TCodeName>& choices) {
  auto* combo = new QComboBox;
  for (const TCodeName& c : choices) combo->addItem(QString::fromLatin1(c.Name), c.Code);
  return combo;
}

int ChoiceCode(const QComboBox* combo) { return combo->currentData().toInt(); }

void SelectCode(QComboBox* combo, const std::vector<TCodeName>& choices, int code) {
  combo->setCurrentIndex(std::max(0, ChoiceIndex(choices, code)));
}

// The tool's variables, the first entry "keine Variable" standing for none.
QComboBox* VariableCombo(const TZYNFunction& tool) {
  auto* combo = new QComboBox;
  combo->addItem(EdText("keine Variable"), QString());
  for (int i = 0; i < tool.Variables.Count(); ++i) {
    const QString name = ToQString(tool.Variables.Get(i)->VarName);
    combo->addItem(name, name);
  }
  return combo;
}

void SelectName(QComboBox* combo, const std::string& name) {
  const int index = combo->findData(ToQString(name));
  combo->setCurrentIndex(index < 0 ? 0 : index);
}

std::string ChosenName(const QComboBox* combo) { return FromQString(combo->currentData().toString()); }

QLineEdit* LineEdit(int maxLength) {
  auto* edit = new QLineEdit;
  if (maxLength > 0) edit->setMaxLength(maxLength);
  return edit;
}

// OK and cancel under the form, German.
void AddButtons(QDialog* dialog, QVBoxLayout* layout, QPushButton* extra = nullptr) {
  auto* box = new QDialogButtonBox;
  box->addButton(EdText("OK"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("BtnOK"));
  box->addButton(EdText("Abbruch"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("BtnCancel"));
  if (extra) box->addButton(extra, QDialogButtonBox::ActionRole);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(box);
}

// Shows the reason and answers false when the check failed.
bool Passed(const std::string& problem) {
  if (problem.empty()) return true;
  ShowEditorError(problem);
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TEditVar::TEditVar(const TZYNFunction& tool, const TVariable* self, QWidget* parent)
    : QDialog(parent), fTool(tool), fSelf(self) {
  setObjectName(QStringLiteral("EditVar"));
  setWindowTitle(EdText("Variable bearbeiten"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EdName = LineEdit(255);
  CBType = ChoiceCombo(VarTypeChoices());
  EdRepeats = LineEdit(6);
  EdUnit = LineEdit(30);
  EdMultiplier = LineEdit(24);
  EdMin = LineEdit(24);
  EdMax = LineEdit(24);
  EdClasses = LineEdit(0);
  LblClasses = new QLabel(EdText("Zulässige Klassen"));
  form->addRow(EdText("Name der Variable"), EdName);
  form->addRow(EdText("Variablentyp"), CBType);
  form->addRow(EdText("Anzahl Wiederholungen"), EdRepeats);
  form->addRow(EdText("Parametereinheit"), EdUnit);
  form->addRow(EdText("Multiplikator Parameter"), EdMultiplier);
  form->addRow(EdText("Mindestwert"), EdMin);
  form->addRow(EdText("Maximalwert"), EdMax);
  form->addRow(LblClasses, EdClasses);
  layout->addLayout(form);
  GBChannels = new QGroupBox(EdText(" Zulässige Kanäle "));
  auto* grid = new QGridLayout(GBChannels);
  for (int c = 0; c < 16; ++c) {
    CBChannel[static_cast<size_t>(c)] = new QCheckBox(QString::number(c));
    grid->addWidget(CBChannel[static_cast<size_t>(c)], c / 8, c % 8);
  }
  layout->addWidget(GBChannels);
  AddButtons(this, layout);
  connect(CBType, &QComboBox::currentIndexChanged, this, [this] { TypeChanged(); });
}

void TEditVar::Load(const TVarEdit& edit) {
  EdName->setText(ToQString(edit.Name));
  SelectCode(CBType, VarTypeChoices(), edit.Type);
  EdRepeats->setText(ToQString(edit.Repeats));
  EdUnit->setText(ToQString(edit.Unit));
  EdMultiplier->setText(ToQString(edit.Multiplier));
  EdMin->setText(ToQString(edit.Min));
  EdMax->setText(ToQString(edit.Max));
  EdClasses->setText(ToQString(edit.Classes));
  for (int c = 0; c < 16; ++c) CBChannel[static_cast<size_t>(c)]->setChecked(edit.Channels[static_cast<size_t>(c)]);
  TypeChanged();
}

TVarEdit TEditVar::Edit() const {
  TVarEdit e;
  e.Name = FromQString(EdName->text());
  e.Type = static_cast<int16_t>(ChoiceCode(CBType));
  e.Repeats = FromQString(EdRepeats->text());
  e.Unit = FromQString(EdUnit->text());
  e.Multiplier = FromQString(EdMultiplier->text());
  e.Min = FromQString(EdMin->text());
  e.Max = FromQString(EdMax->text());
  e.Classes = FromQString(EdClasses->text());
  for (int c = 0; c < 16; ++c) e.Channels[static_cast<size_t>(c)] = CBChannel[static_cast<size_t>(c)]->isChecked();
  return e;
}

// The fields the type uses are enabled, the others disabled.
void TEditVar::TypeChanged() {
  const int16_t type = static_cast<int16_t>(ChoiceCode(CBType));
  const TVarFields f = VarFieldsFor(type);
  EdRepeats->setEnabled(f.Repeats);
  EdUnit->setEnabled(f.Unit);
  EdMultiplier->setEnabled(f.Factor);
  EdMin->setEnabled(f.Limits);
  EdMax->setEnabled(f.Limits);
  EdClasses->setEnabled(f.Classes);
  GBChannels->setEnabled(f.Classes && type == vtClassList);
  LblClasses->setText(VarClassFieldIsValue(type) ? EdText("Standardwert") : EdText("Zulässige Klassen"));
}

void TEditVar::accept() {
  if (Passed(CheckVarEdit(fTool, fSelf, Edit()))) QDialog::accept();
}

// ---------------------------------------------------------------------------------------------

TEdDialog::TEdDialog(const TZYNFunction& tool, const TParamDlg* self, QWidget* parent)
    : QDialog(parent), fTool(tool), fSelf(self) {
  setObjectName(QStringLiteral("EdDialog"));
  setWindowTitle(EdText("Parameterdialog bearbeiten"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EdName = LineEdit(50);
  CBType = ChoiceCombo(DlgTypeChoices());
  EdTitle = LineEdit(50);
  EdInfo = LineEdit(255);
  EdMask = LineEdit(50);
  EdUnit = LineEdit(50);
  EdMultiplier = new QSpinBox;
  EdMultiplier->setRange(-32768, 32767);
  CBVar = VariableCombo(tool);
  CBDefault = VariableCombo(tool);
  form->addRow(EdText("Dialogname"), EdName);
  form->addRow(EdText("Dialogtyp"), CBType);
  form->addRow(EdText("Dialogtitel"), EdTitle);
  form->addRow(EdText("Infotext"), EdInfo);
  form->addRow(EdText("Eingabemaske"), EdMask);
  form->addRow(EdText("Parametereinheit"), EdUnit);
  form->addRow(EdText("Multiplikator"), EdMultiplier);
  form->addRow(EdText("Variable für Parameter"), CBVar);
  form->addRow(EdText("Variable mit Defaultwert"), CBDefault);
  layout->addLayout(form);
  auto* show = new QPushButton(EdText("&Zeigen"));
  show->setObjectName(QStringLiteral("BtnShow"));
  connect(show, &QPushButton::clicked, this, [this] { Preview(); });
  AddButtons(this, layout, show);
}

void TEdDialog::Load(const TDlgEdit& edit) {
  EdName->setText(ToQString(edit.Name));
  SelectCode(CBType, DlgTypeChoices(), static_cast<uint16_t>(edit.Type));
  EdTitle->setText(ToQString(edit.Title));
  EdInfo->setText(ToQString(edit.Text));
  EdMask->setText(ToQString(edit.Mask));
  EdUnit->setText(ToQString(edit.Unit));
  EdMultiplier->setValue(std::atoi(edit.Multiplier.c_str()));
  SelectName(CBVar, edit.Var);
  SelectName(CBDefault, edit.Default);
}

TDlgEdit TEdDialog::Edit() const {
  TDlgEdit e;
  e.Name = FromQString(EdName->text());
  e.Type = static_cast<int16_t>(ChoiceCode(CBType));
  e.Title = FromQString(EdTitle->text());
  e.Text = FromQString(EdInfo->text());
  e.Mask = FromQString(EdMask->text());
  e.Unit = FromQString(EdUnit->text());
  e.Multiplier = std::to_string(EdMultiplier->value());
  e.Var = ChosenName(CBVar);
  e.Default = ChosenName(CBDefault);
  return e;
}

void TEdDialog::accept() {
  if (Passed(CheckDlgEdit(fTool, fSelf, Edit()))) QDialog::accept();
}

void TEdDialog::Preview() {
  const TDlgEdit e = Edit();
  TParameterForm form;
  form.Page = 0;
  form.Label1 = e.Text;
  form.Label2 = e.Mask;
  form.Label3 = e.Unit;
  if (const TVariable* v = e.Var.empty() ? nullptr : fTool.Variables.Find(e.Var)) {
    TParamSpin& spin = form.Spin[1];
    spin.Min = static_cast<int>(std::lround(static_cast<double>(v->GetMinValue())));
    spin.Max = static_cast<int>(std::lround(static_cast<double>(v->GetMaxValue())));
    spin.Value = v->Value;
  }
  TFrmParameter dialog(this);
  dialog.setWindowTitle(ToQString(e.Title));
  dialog.Load(form);
  dialog.exec();
}

// ---------------------------------------------------------------------------------------------

TFrmEditNode::TFrmEditNode(const TZYNFunction& tool, const TFuncNode* self, QWidget* parent)
    : QDialog(parent), fTool(tool), fSelf(self) {
  setObjectName(QStringLiteral("FrmEditNode"));
  setWindowTitle(EdText("Funktionsnode bearbeiten"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  CBType = ChoiceCombo(NodeTypeChoices());
  CBEdit = ChoiceCombo(NodeEditChoices());
  EdNodeText = LineEdit(255);
  CBVar = VariableCombo(tool);
  CBAccept = VariableCombo(tool);
  CBDialog = new QComboBox;
  CBDialog->addItem(EdText("kein Dialog"), QString());
  for (int i = 0; i < tool.Dialogs.Count(); ++i) {
    const QString name = ToQString(tool.Dialogs.Get(i)->DlgName);
    CBDialog->addItem(name, name);
  }
  CBFlags = ChoiceCombo(NodeFlagChoices());
  CBParamType = ChoiceCombo(NodeParamChoices());
  CBDefault = VariableCombo(tool);
  form->addRow(EdText("Nodetyp"), CBType);
  form->addRow(EdText("Bearbeitungsart"), CBEdit);
  form->addRow(EdText("Nodetext"), EdNodeText);
  form->addRow(EdText("Variable für Objekte"), CBVar);
  form->addRow(EdText("Akzeptierte Klassen"), CBAccept);
  form->addRow(EdText("Parameterdialog"), CBDialog);
  form->addRow(EdText("Node- Flags"), CBFlags);
  form->addRow(EdText("Parametertyp"), CBParamType);
  form->addRow(EdText("Variable Defaultwert"), CBDefault);
  layout->addLayout(form);
  AddButtons(this, layout);
}

void TFrmEditNode::Load(const TNodeEdit& edit) {
  SelectCode(CBType, NodeTypeChoices(), edit.Type);
  SelectCode(CBEdit, NodeEditChoices(), edit.Edit);
  EdNodeText->setText(ToQString(edit.Text));
  SelectName(CBVar, edit.Var);
  SelectName(CBAccept, edit.Accept);
  SelectName(CBDialog, edit.Dialog);
  SelectCode(CBFlags, NodeFlagChoices(), edit.Flags);
  SelectCode(CBParamType, NodeParamChoices(), edit.ParamType);
  SelectName(CBDefault, edit.Default);
}

TNodeEdit TFrmEditNode::Edit() const {
  TNodeEdit e;
  e.Type = static_cast<int16_t>(ChoiceCode(CBType));
  e.Edit = static_cast<int16_t>(ChoiceCode(CBEdit));
  e.Text = FromQString(EdNodeText->text());
  e.Var = ChosenName(CBVar);
  e.Accept = ChosenName(CBAccept);
  e.Dialog = ChosenName(CBDialog);
  e.Flags = ChoiceCode(CBFlags);
  e.ParamType = static_cast<int16_t>(ChoiceCode(CBParamType));
  e.Default = ChosenName(CBDefault);
  return e;
}

void TFrmEditNode::accept() {
  if (Passed(CheckNodeEdit(fTool, fSelf, Edit()))) QDialog::accept();
}

// ---------------------------------------------------------------------------------------------

TTextEditor::TTextEditor(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TextEditor"));
  setWindowTitle(EdText("Beschreibung bearbeiten"));
  auto* layout = new QVBoxLayout(this);
  Memo = new QPlainTextEdit;
  layout->addWidget(Memo);
  AddButtons(this, layout);
  resize(420, 260);
}

void TTextEditor::SetText(const std::string& ansi) { Memo->setPlainText(ToQString(ansi)); }

std::string TTextEditor::Text() const {
  std::string text = FromQString(Memo->toPlainText());
  for (char& c : text)
    if (c == '\n') c = ' ';
  return text;
}

void TTextEditor::accept() {
  if (Text().size() > 255) {
    ShowEditorError(Ansi("Der Hilfetext darf höchstens 255 Zeichen lang sein."));
    return;
  }
  QDialog::accept();
}

}  // namespace zyn
