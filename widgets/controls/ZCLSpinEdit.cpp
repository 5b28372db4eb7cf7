#include "widgets/controls/ZCLSpinEdit.h"

#include <QFocusEvent>
#include <QWheelEvent>

#include <cmath>

namespace zyn {

TZCLCustomExtSpinEdit::TZCLCustomExtSpinEdit(QWidget* parent) : TZCLCustomMaskEdit(parent) {
  FSpinButton = new TZCLSpinButton(this);
  FSpinButton->SetColor(clBtnFace);
  FSpinButton->SetParts(spUp | spDown);
  FSpinButton->OnUpClick = [this] { SpinUpClick(); };
  FSpinButton->OnLeftClick = [this] { SpinUpClick(); };
  FSpinButton->OnDownClick = [this] { SpinDownClick(); };
  FSpinButton->OnRightClick = [this] { SpinDownClick(); };
  FSpinButton->setCursor(Qt::ArrowCursor);
  SetLimit(1, 0);
  SetLimit(2, 100);
  // The integer type from construction on, so that the value is readable at any time.
  BeginUpdate();
  ApplyValueType();
  EndUpdate(false);
  DoLayout();
}

void TZCLCustomExtSpinEdit::ApplyValueType() {
  static const TZCLMaskDataType types[] = {mdInteger, mdFloat, mdFixed, mdNumber, mdCurrency};
  SetDataType(types[FValueType]);
}

void TZCLCustomExtSpinEdit::SetValueType(TZCLSpinValueType value) {
  if (value == FValueType) return;
  FValueType = value;
  if (!IsLoading()) {
    ApplyValueType();
    SetText(FormatValue(FValue));
  }
}

void TZCLCustomExtSpinEdit::SetLimit(int which, double value) {
  if (which == 1) {
    if (value == FMinValue) return;
    FMinValue = value;
    if (FMinValue > FMaxValue) FMaxValue = FMinValue;
  } else if (which == 2) {
    if (value == FMaxValue) return;
    FMaxValue = value;
    if (FMaxValue < FMinValue) FMinValue = FMaxValue;
  }
}

void TZCLCustomExtSpinEdit::SetStoredValue(double value) {
  // The stored value again: nothing, unless steps left another number in the text. Value reads the
  // text, so keeping a stepped text would let an assignment read back (and show) another number.
  if (value == FValue && FText == FormatValue(FValue)) return;
  FValue = value;
  if (!FNoUpperLimit && FValue > FMaxValue) FValue = FMaxValue;
  if (!FNoLowerLimit && FValue < FMinValue) FValue = FMinValue;
  SetText(FormatValue(FValue));
}

QString TZCLCustomExtSpinEdit::FormatValue(double value) const {
  QString text;
  switch (FValueType) {
    case svtInteger:
      text = QString::number(static_cast<qint64>(std::trunc(value)));
      break;
    case svtFloat: {
      text = QString::number(value, 'g', 15);
      text.replace(QLatin1Char('.'), DecimalSeparator());
      break;
    }
    default:
      text = FormatNumber(value);
      break;
  }
  return text + FSuffix;
}

double TZCLCustomExtSpinEdit::ReadValue() {
  if (FValueType == svtInteger) return static_cast<double>(static_cast<qint32>(AsInteger()));
  if (FValueType == svtCurrency) return static_cast<double>(AsCurrency()) / 10000.0;
  return AsFloat();
}

void TZCLCustomExtSpinEdit::Step(double amount, bool up) {
  if (FReadOnly) return;
  const int rememberedStart = FSelStart;
  double result = 0;
  if (FValueType == svtInteger) {
    const double v = ReadValue();
    const double a = std::nearbyint(amount);
    if (up) {
      const double max = std::trunc(FMaxValue);
      result = (!FNoUpperLimit && v + a >= max) ? max : v + a;
    } else {
      const double min = std::trunc(FMinValue);
      result = (!FNoLowerLimit && v - amount <= min) ? min : v - a;
    }
  } else {
    double v = ReadValue();
    if (FValueType != svtCurrency) {
      if (up && !FNoLowerLimit && v < FMinValue) v = FMinValue;
      if (!up && !FNoUpperLimit && v > FMaxValue) v = FMaxValue;
    }
    const QString body = TextWithoutSuffix();
    const int sep = static_cast<int>(body.indexOf(DecimalSeparator()));
    const double step = (sep >= 0 && sep + 1 < FCaretPos) ? FFractionStep : amount;
    if (up) {
      result = v + step;
      if (!FNoUpperLimit && result >= FMaxValue) result = FMaxValue;
    } else {
      result = v - step;
      if (!FNoLowerLimit && !(result > FMinValue)) result = FMinValue;
    }
  }
  WriteValue(result);
  if (FText.size() + 1 >= rememberedStart) {
    FCaretPos = rememberedStart;
    FSelStart = rememberedStart;
    FSelLength = 0;
    UpdateCaret();
    update();
  }
}

void TZCLCustomExtSpinEdit::StepUp(double amount) { Step(amount, true); }

void TZCLCustomExtSpinEdit::StepDown(double amount) { Step(amount, false); }

void TZCLCustomExtSpinEdit::SpinUpClick() {
  if (isVisible() && !hasFocus()) setFocus(Qt::MouseFocusReason);
  StepUp(FStep);
  if (OnSpinBtnUpClick) OnSpinBtnUpClick(this);
}

void TZCLCustomExtSpinEdit::SpinDownClick() {
  if (isVisible() && !hasFocus()) setFocus(Qt::MouseFocusReason);
  StepDown(FStep);
  if (OnSpinBtnDownClick) OnSpinBtnDownClick(this);
}

void TZCLCustomExtSpinEdit::SetSpinBtnWidth(int value) {
  if (value == FSpinBtnWidth) return;
  FSpinBtnWidth = value;
  DoLayout();
  update();
}

bool TZCLCustomExtSpinEdit::MayEdit() const { return FEditorEnabled && TZCLCustomMaskEdit::MayEdit(); }

bool TZCLCustomExtSpinEdit::KeyCommand(int key, Qt::KeyboardModifiers modifiers) {
  switch (key) {
    case Qt::Key_Up:
      StepUp(FStep);
      return true;
    case Qt::Key_Down:
      StepDown(FStep);
      return true;
    case Qt::Key_PageUp:
      StepUp(FPageSize);
      return true;
    case Qt::Key_PageDown:
      StepDown(FPageSize);
      return true;
    default:
      return TZCLCustomMaskEdit::KeyCommand(key, modifiers);
  }
}

void TZCLCustomExtSpinEdit::ShrinkTextArea(TRect& area) {
  TZCLCustomMaskEdit::ShrinkTextArea(area);
  const int inset = (FOptions & eoNarrowHeight) ? 0 : 1;
  const int innerTop = area.Top + inset;
  const int innerHeight = std::max(0, area.Height() - 2 * inset);
  const int w = FSpinBtnWidth == -1 ? innerHeight : FSpinBtnWidth;
  const int innerRight = area.Right - 1 - w;
  area.Right -= w;
  if (FSpinButton) FSpinButton->setGeometry(innerRight + 1, innerTop, w, innerHeight);
}

void TZCLCustomExtSpinEdit::DoLayout() { TZCLCustomMaskEdit::DoLayout(); }

void TZCLCustomExtSpinEdit::Loaded() {
  TZCLCustomMaskEdit::Loaded();
  ApplyValueType();
  if (FValueType == svtInteger) SetLimit(1, std::trunc(FMinValue));
  // The streamed value is shown once loading has ended, with one change event.
  if (FText != FormatValue(FValue))
    SetText(FormatValue(FValue));
  else
    ChangeNotification();
}

void TZCLCustomExtSpinEdit::focusOutEvent(QFocusEvent* event) {
  TZCLCustomMaskEdit::focusOutEvent(event);
  const double v = ReadValue();
  SetStoredValue(v);
  if (FValueType == svtCurrency) {
    const QString text = FormatValue(FValue);
    if (text != FText) SetText(text);
  }
}

void TZCLCustomExtSpinEdit::wheelEvent(QWheelEvent* event) {
  const int dy = event->angleDelta().y();
  if (dy > 0)
    StepUp(FStep);
  else if (dy < 0)
    StepDown(FStep);
  event->accept();
}

void TZCLCustomExtSpinEdit::mouseMoveEvent(QMouseEvent* event) {
  TZCLCustomMaskEdit::mouseMoveEvent(event);
  FSpinButton->ResetHover();
}

void TZCLCustomExtSpinEdit::leaveEvent(QEvent* event) {
  TZCLCustomMaskEdit::leaveEvent(event);
  FSpinButton->ResetHover();
}

void TZCLCustomExtSpinEdit::changeEvent(QEvent* event) {
  TZCLCustomMaskEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) FSpinButton->setEnabled(isEnabled());
}

TZCLCustomSpinEdit::TZCLCustomSpinEdit(QWidget* parent) : TZCLCustomExtSpinEdit(parent) {
  BeginUpdate();
  SetAutoSize(true);
  SetAutoSelect(true);
  EndUpdate(false);
}

void TZCLCustomSpinEdit::SetIndexedValue(int index, int value) {
  switch (index) {
    case 0:
      FStep = value;
      break;
    case 1:
      FPageSize = value;
      break;
    case 2:
      SetLimit(1, value);
      break;
    case 3:
      SetLimit(2, value);
      break;
    case 4:
      SetStoredValue(value);
      break;
    default:
      break;
  }
}

int TZCLCustomSpinEdit::GetIndexedValue(int index) {
  switch (index) {
    case 0:
      return static_cast<int>(std::trunc(FStep));
    case 1:
      return static_cast<int>(std::trunc(FPageSize));
    case 2:
      return static_cast<int>(std::trunc(FMinValue));
    case 3:
      return static_cast<int>(std::trunc(FMaxValue));
    case 4:
      return static_cast<qint32>(AsInteger());
    default:
      return 0;
  }
}

void TZCLCustomSpinEdit::ReadBorderStyle(const QString& identifier) {
  Bevel().BeginUpdate();
  if (identifier == QLatin1String("bsSingle")) {
    Bevel().SetMode(bmWindows);
  } else {
    Bevel().SetStandardStyle(lsNone);
    Bevel().SetMode(bmStandard);
  }
  Bevel().EndUpdate();
}

void TZCLCustomExtSpinEdit::Change() {
  TZCLCustomMaskEdit::Change();
  if (FSpinButton && FSpinButton->CtlXP() != CtlXP()) {
    FSpinButton->SetCtlXP(CtlXP());
    FSpinButton->update();
  }
}

}  // namespace zyn
