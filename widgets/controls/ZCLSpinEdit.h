#pragma once
// The spin edits: a mask edit with a spin button inside its right edge that steps the value up
// and down, by buttons, keys and wheel; limits apply on assignment, steps and focus loss.

#include "widgets/controls/ZCLCustomMaskEdit.h"
#include "widgets/controls/ZCLSpinButton.h"

namespace zyn {

enum TZCLSpinValueType { svtInteger, svtFloat, svtFixed, svtNumber, svtCurrency };

class TZCLCustomExtSpinEdit : public TZCLCustomMaskEdit {
  Q_OBJECT
 public:
  explicit TZCLCustomExtSpinEdit(QWidget* parent = nullptr);

  TZCLNotifyEvent OnSpinBtnUpClick;
  TZCLNotifyEvent OnSpinBtnDownClick;

  // which: 1 minimum, 2 maximum. Minimum <= maximum always holds afterwards.
  void SetLimit(int which, double value);
  // Assigns the stored value (clamped) and writes it into the text; the stored value again
  // changes nothing unless the text shows another number.
  void SetStoredValue(double value);
  double StoredValue() const { return FValue; }
  double MinLimit() const { return FMinValue; }
  double MaxLimit() const { return FMaxValue; }
  void StepUp(double amount);
  void StepDown(double amount);
  QString FormatValue(double value) const;
  virtual void SpinUpClick();
  virtual void SpinDownClick();

  TZCLSpinButton& SpinButton() { return *FSpinButton; }
  int SpinBtnWidth() const { return FSpinBtnWidth; }
  void SetSpinBtnWidth(int value);
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool value) { FEditorEnabled = value; }
  double Step() const { return FStep; }
  void SetStep(double value) { FStep = value; }
  double PageSizeValue() const { return FPageSize; }
  void SetPageSizeValue(double value) { FPageSize = value; }
  TZCLSpinValueType ValueType() const { return FValueType; }
  void SetValueType(TZCLSpinValueType value);
  TColor SpinBtnColor() const { return FSpinButton->Color(); }
  void SetSpinBtnColor(TColor value) { FSpinButton->SetColor(value); }
  TColor SpinBtnHotColor() const { return FSpinButton->HotColor(); }
  void SetSpinBtnHotColor(TColor value) { FSpinButton->SetHotColor(value); }
  bool SpinBtnDiag() const { return FSpinButton->Diagonal(); }
  void SetSpinBtnDiag(bool value) { FSpinButton->SetDiagonal(value); }
  int Interval() const { return FSpinButton->Interval(); }
  void SetInterval(int value) { FSpinButton->SetInterval(value); }

 protected:
  void ApplyValueType();
  bool MayEdit() const override;
  bool KeyCommand(int key, Qt::KeyboardModifiers modifiers) override;
  void ShrinkTextArea(TRect& area) override;
  void DoLayout() override;
  void Loaded() override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Passes the edit's themed-look flag to the spin button.
  void Change() override;

  TZCLSpinButton* FSpinButton = nullptr;  // a child widget, owned through the widget tree
  int FSpinBtnWidth = -1;
  bool FNoUpperLimit = false;
  bool FNoLowerLimit = false;
  bool FEditorEnabled = true;
  TZCLSpinValueType FValueType = svtInteger;
  double FValue = 0;
  double FFractionStep = 0.1;
  double FPageSize = 10.0;
  double FStep = 1.0;

 private:
  double ReadValue();
  void Step(double amount, bool up);
};

class TZCLCustomSpinEdit : public TZCLCustomExtSpinEdit {
  Q_OBJECT
 public:
  explicit TZCLCustomSpinEdit(QWidget* parent = nullptr);

  // The integer views: 0 LineSize, 1 PageSize, 2 MinValue, 3 MaxValue, 4 Value.
  void SetIndexedValue(int index, int value);
  int GetIndexedValue(int index);

  int LineSize() { return GetIndexedValue(0); }
  void SetLineSize(int value) { SetIndexedValue(0, value); }
  int PageSize() { return GetIndexedValue(1); }
  void SetPageSize(int value) { SetIndexedValue(1, value); }
  int MinValue() { return GetIndexedValue(2); }
  void SetMinValue(int value) { SetIndexedValue(2, value); }
  int MaxValue() { return GetIndexedValue(3); }
  void SetMaxValue(int value) { SetIndexedValue(3, value); }
  // The number in the text (typed numbers count before the focus leaves).
  int Value() { return GetIndexedValue(4); }
  void SetValue(int value) { SetIndexedValue(4, value); }

  // The obsolete "BorderStyle" of stored forms: "bsSingle" gives the window border, others none.
  void ReadBorderStyle(const QString& identifier);
};

class TZCLSpinEdit : public TZCLCustomSpinEdit {
  Q_OBJECT
 public:
  explicit TZCLSpinEdit(QWidget* parent = nullptr) : TZCLCustomSpinEdit(parent) {}
};

}  // namespace zyn
