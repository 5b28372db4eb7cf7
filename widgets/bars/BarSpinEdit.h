#pragma once
// The spin edit of the bar library: an edit item that holds a number (whole or with decimals) with
// an optional prefix or suffix text, limits and a step; up and down buttons at its right end, the
// Up and Down keys and the mouse wheel change the number by the step.

#include "widgets/bars/BarEditItems.h"

#include <QBasicTimer>

#include <functional>
#include <memory>
#include <string>

namespace zyn {

enum TzbBarSpinEditValueType { svtInteger, svtFloat };
enum TzbBarSpinEditPrefixPlace { ppStart, ppEnd };
enum TzbBarSpinEditButton { sbNone, sbUp, sbDown };

class TzbBarSpinEdit : public TzbBarEdit {
 public:
  static constexpr const char* kClassName = "TzbBarSpinEdit";
  explicit TzbBarSpinEdit(TzbBarManager& manager);
  const char* ClassName() const override { return kClassName; }
  bool InheritsFrom(const char* className) const override;

  TzbBarSpinEditValueType ValueType() const { return fValueType; }
  void SetValueType(TzbBarSpinEditValueType value);
  double Increment() const { return fIncrement; }
  void SetIncrement(double value);  // whole numbers in integer mode; not above 0 (below 1): 1
  double MaxValue() const { return fMaxValue; }
  void SetMaxValue(double value);  // pulls MinValue down to it
  double MinValue() const { return fMinValue; }
  void SetMinValue(double value);  // pushes MaxValue up to it
  // Both limits 0: no limits.
  bool HasBounds() const { return fMinValue != 0 || fMaxValue != 0; }
  const std::string& Prefix() const { return fPrefix; }
  void SetPrefix(const std::string& value);
  TzbBarSpinEditPrefixPlace PrefixPlace() const { return fPrefixPlace; }
  void SetPrefixPlace(TzbBarSpinEditPrefixPlace value);
  double Value() const { return ParseValue(Text()); }
  void SetValue(double value);
  // A text that is no number (after the prefix is taken off) is not taken; a number is clamped.
  void SetText(const std::string& value) override;
  // Stored only when they differ from their defaults.
  bool StoresIncrement() const { return fIncrement != 1; }
  bool StoresValue() const { return Value() != 0; }
  std::function<void(TzbBarSpinEdit&, TzbBarSpinEditButton)> OnButtonClick;

  std::string FormatValue(double x) const;
  double ParseValue(const std::string& s) const;  // no number: MinValue
  double ClampValue(double x) const;
  // The text of the edit window while a link is being edited, else Text.
  std::string GetCurText() const;
  void SetCurText(const std::string& text);
  // One step up or down from the current text, then OnButtonClick.
  void Spin(TzbBarSpinEditButton button);
  // Whether a typed character is taken: digits, Backspace, the minus sign with a negative lower
  // limit, the decimal separator in float mode.
  bool AcceptsChar(QChar c) const;

 private:
  double Normalized(double x) const;
  bool Converts(const std::string& s) const;
  std::string WithoutPrefix(const std::string& s) const;
  TzbBarSpinEditValueType fValueType = svtInteger;
  double fIncrement = 1, fMaxValue = 0, fMinValue = 0;
  std::string fPrefix;
  TzbBarSpinEditPrefixPlace fPrefixPlace = ppEnd;
};

class TzbBarSpinEditControl : public TzbBarEditControl {
 public:
  TzbBarSpinEditControl(TzbBarItemLink& link, TzbBarWindow& parent);
  ~TzbBarSpinEditControl() override;
  TzbBarSpinEdit& Spin() const;
  void Paint(const TRect& r, int view) override;
  void BeforeClick(bool byMouse) override;
  void SetFocused(bool value, bool byEscape = false) override;
  bool EditKeyDown(QKeyEvent& e) override;
  bool EditWheel(int lines) override;

  // The buttons' rectangle (empty when the control is too narrow for buttons).
  TRect ButtonsRect() const { return fButtons; }
  // Width of the buttons for a control height.
  static int ButtonsWidth(int height);
  TzbBarSpinEditButton HitTest(const TPoint& p) const;
  TzbBarSpinEditButton PressedButton() const { return fPressed; }
  bool PressedLook() const { return fPressedLook; }
  // Whether the held button's delay or repeat runs, and how often the repeat has come so far
  // (also while the pointer is away from the button and the steps pause).
  bool Repeating() const { return fDelay.isActive() || fRepeat.isActive(); }
  int RepeatTicks() const { return fRepeatTicks; }
  // The mouse at a screen point while a button is held.
  void MouseMoved(const TPoint& screen);
  void StopPressing();
  void KeyReleased(int key);
  void TimerTick(int timerId);

 private:
  void Press(TzbBarSpinEditButton button);
  TzbBarSpinEditButton fPressed = sbNone;
  bool fPressedLook = false;
  bool fKeyPressed = false;
  int fRepeatTicks = 0;
  TRect fButtons;
  QBasicTimer fDelay, fRepeat;
  std::unique_ptr<QObject> fFilter;
};

}  // namespace zyn
