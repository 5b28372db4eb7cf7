#include "widgets/bars/BarSpinEdit.h"

#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarPainter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTimerEvent>

#include <cmath>
#include <cstring>

namespace zyn {

namespace {

QLocale NumberLocale() {
  QLocale l;
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  return l;
}

// The bar window's mouse and the edit window's key releases while a button is held or pressed by a
// key, and the repeat timers.
class TSpinWatcher : public QObject {
 public:
  explicit TSpinWatcher(TzbBarSpinEditControl& control) : fControl(control) {}
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseMove:
        if (fControl.PressedButton() != sbNone) {
          const QPoint p = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
          fControl.MouseMoved(Point(p.x(), p.y()));
        }
        return false;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) fControl.StopPressing();
        return false;
      case QEvent::KeyRelease:
        fControl.KeyReleased(static_cast<QKeyEvent*>(event)->key());
        return false;
      default:
        return false;
    }
  }

 protected:
  void timerEvent(QTimerEvent* e) override { fControl.TimerTick(e->timerId()); }

 private:
  TzbBarSpinEditControl& fControl;
};

}  // namespace

// ---------------------------------------------------------------- item

TzbBarSpinEdit::TzbBarSpinEdit(TzbBarManager& manager) : TzbBarEdit(manager) { fText = "0"; }

bool TzbBarSpinEdit::InheritsFrom(const char* c) const {
  return std::strcmp(c, kClassName) == 0 || TzbBarEdit::InheritsFrom(c);
}

double TzbBarSpinEdit::Normalized(double x) const { return fValueType == svtInteger ? std::trunc(x) : x; }

std::string TzbBarSpinEdit::WithoutPrefix(const std::string& s) const {
  if (fPrefix.empty()) return s;
  std::string rest = s;
  if (const size_t at = rest.find(fPrefix); at != std::string::npos) rest.erase(at, fPrefix.size());
  return rest;
}

bool TzbBarSpinEdit::Converts(const std::string& s) const {
  const QString text = ToQString(WithoutPrefix(s)).trimmed();
  bool ok = false;
  if (fValueType == svtFloat)
    NumberLocale().toDouble(text, &ok);
  else
    text.toLongLong(&ok, 10);
  return ok;
}

std::string TzbBarSpinEdit::FormatValue(double x) const {
  const QString number = fValueType == svtFloat ? NumberLocale().toString(x, 'g', 15)
                                                : QString::number(static_cast<long long>(std::trunc(x)));
  const std::string text = FromQString(number);
  return fPrefixPlace == ppEnd ? text + fPrefix : fPrefix + text;
}

double TzbBarSpinEdit::ParseValue(const std::string& s) const {
  const QString text = ToQString(WithoutPrefix(s)).trimmed();
  bool ok = false;
  const double value =
      fValueType == svtFloat ? NumberLocale().toDouble(text, &ok) : static_cast<double>(text.toLongLong(&ok, 10));
  return ok ? value : fMinValue;
}

double TzbBarSpinEdit::ClampValue(double x) const {
  x = Normalized(x);
  if (HasBounds()) {
    if (x < fMinValue) x = fMinValue;
    if (x > fMaxValue) x = fMaxValue;
  }
  return x;
}

void TzbBarSpinEdit::SetValue(double value) {
  const double v = ClampValue(value);
  if (v != Value()) TzbBarEdit::SetText(FormatValue(v));
}

void TzbBarSpinEdit::SetText(const std::string& value) {
  if (!Converts(value)) return;
  TzbBarEdit::SetText(FormatValue(ClampValue(ParseValue(value))));
}

void TzbBarSpinEdit::SetIncrement(double value) {
  value = Normalized(value);
  if (fValueType == svtInteger ? value < 1 : value <= 0) value = 1;
  fIncrement = value;
}

void TzbBarSpinEdit::SetMaxValue(double value) {
  value = Normalized(value);
  if (value == fMaxValue) return;
  fMaxValue = value;
  if (fMinValue > fMaxValue) fMinValue = fMaxValue;
  SetValue(Value());
  const std::string cur = GetCurText();
  if (Converts(cur)) SetCurText(FormatValue(ClampValue(ParseValue(cur))));
}

void TzbBarSpinEdit::SetMinValue(double value) {
  value = Normalized(value);
  if (value == fMinValue) return;
  fMinValue = value;
  if (fMaxValue < fMinValue) fMaxValue = fMinValue;
  SetValue(Value());
  const std::string cur = GetCurText();
  if (Converts(cur)) SetCurText(FormatValue(ClampValue(ParseValue(cur))));
}

void TzbBarSpinEdit::SetPrefix(const std::string& value) {
  if (value == fPrefix) return;
  const double v = Value();
  fPrefix = value;
  TzbBarEdit::SetText(FormatValue(v));
}

void TzbBarSpinEdit::SetPrefixPlace(TzbBarSpinEditPrefixPlace value) {
  if (value == fPrefixPlace) return;
  const double v = Value();
  fPrefixPlace = value;
  TzbBarEdit::SetText(FormatValue(v));
}

void TzbBarSpinEdit::SetValueType(TzbBarSpinEditValueType value) {
  if (value == fValueType) return;
  const double v = Value();
  const std::string cur = GetCurText();
  const double curValue = ParseValue(cur);
  fValueType = value;
  if (value != svtInteger) return;
  SetIncrement(fIncrement);
  fMinValue = std::trunc(fMinValue);
  fMaxValue = std::trunc(fMaxValue);
  TzbBarEdit::SetText(FormatValue(ClampValue(v)));
  SetCurText(FormatValue(ClampValue(curValue)));
}

std::string TzbBarSpinEdit::GetCurText() const {
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarEditControl*>(GetLink(i)->Control()); c && c->Focused()) return c->GetText();
  return Text();
}

void TzbBarSpinEdit::SetCurText(const std::string& text) {
  for (int i = 0; i < LinkCount(); ++i)
    if (auto* c = dynamic_cast<TzbBarEditControl*>(GetLink(i)->Control()); c && c->Focused()) {
      if (c->GetText() != text) {
        c->SetText(text);
        CurChange();
      }
      return;
    }
  SetText(text);
}

void TzbBarSpinEdit::Spin(TzbBarSpinEditButton button) {
  const std::string cur = GetCurText();
  double v = ParseValue(cur);
  if (button == sbUp) v += fIncrement;
  if (button == sbDown) v -= fIncrement;
  const std::string text = FormatValue(ClampValue(v));
  if (text != cur) SetCurText(text);
  if (OnButtonClick) OnButtonClick(*this, button);
}

bool TzbBarSpinEdit::AcceptsChar(QChar c) const {
  if (c.isDigit() || c == QChar(8)) return true;
  if (c == QLatin1Char('-')) return fMinValue < 0;
  if (fValueType == svtFloat) return QString(c) == NumberLocale().decimalPoint();
  return false;
}

// ---------------------------------------------------------------- control

TzbBarSpinEditControl::TzbBarSpinEditControl(TzbBarItemLink& link, TzbBarWindow& parent)
    : TzbBarEditControl(link, parent), fFilter(std::make_unique<TSpinWatcher>(*this)) {}

// The watcher goes with the control; Qt drops deleted event filters by itself.
TzbBarSpinEditControl::~TzbBarSpinEditControl() {
  fDelay.stop();
  fRepeat.stop();
}

TzbBarSpinEdit& TzbBarSpinEditControl::Spin() const { return static_cast<TzbBarSpinEdit&>(Item()); }

int TzbBarSpinEditControl::ButtonsWidth(int height) {
  const int c = height / 2;
  const int d = (c - 2) / 2;
  return 4 * d + 3;
}

void TzbBarSpinEditControl::Paint(const TRect& r, int view) {
  TRect edit = r;
  fButtons = TRect{};
  const int h = r.Height(), c = h / 2, d = (c - 2) / 2;
  const int width = ButtonsWidth(h);
  if (width < r.Width() / 2) {
    edit.Right -= width;
    TRect strip = Rect(edit.Right, r.Top, r.Right, r.Bottom);
    TCanvas& dc = Parent().Canvas();
    const TzbBarItemControlPainter& p = Parent().Manager().PainterClass();
    p.DrawSpinEditSides(*this, dc, strip);
    fButtons = strip;
    const bool selected = IsSelected() && !Parent().Manager().IsCustomizing();
    for (int button : {1, 2})
      p.DrawSpinButton(*this, dc, strip, 2 * d - 1, d, c, selected, button, static_cast<int>(fPressed), fPressedLook);
  }
  TzbBarEditControl::Paint(edit, view);
}

TzbBarSpinEditButton TzbBarSpinEditControl::HitTest(const TPoint& p) const {
  if (Spin().ReadOnly || !PtInRect(fButtons, p)) return sbNone;
  return p.Y < fButtons.Top + fButtons.Height() / 2 ? sbUp : sbDown;
}

void TzbBarSpinEditControl::BeforeClick(bool byMouse) {
  TzbBarSpinEditButton button = sbNone;
  TCustomzbBarControl* w = Window();
  if (byMouse && w) button = HitTest(w->ScreenToClient(BarCursorPos()));
  TzbBarEditControl::BeforeClick(byMouse);
  if (button == sbNone || !Focused() || fPressed != sbNone) return;
  if (w->Widget()) w->Widget()->installEventFilter(fFilter.get());
  Press(button);
  Spin().Spin(button);
  fDelay.start(std::max(100, QApplication::styleHints()->mouseDoubleClickInterval() - 100), fFilter.get());
}

void TzbBarSpinEditControl::Press(TzbBarSpinEditButton button) {
  fPressed = button;
  fPressedLook = true;
  Parent().RepaintControl(*this);
}

void TzbBarSpinEditControl::TimerTick(int timerId) {
  if (timerId == fDelay.timerId()) {
    fDelay.stop();
    fRepeat.start(100, fFilter.get());
  } else if (timerId == fRepeat.timerId()) {
    ++fRepeatTicks;
    if (fPressedLook && fPressed != sbNone) Spin().Spin(fPressed);
  }
}

void TzbBarSpinEditControl::MouseMoved(const TPoint& screen) {
  TCustomzbBarControl* w = Window();
  if (fKeyPressed || !w) return;
  const bool over = HitTest(w->ScreenToClient(screen)) == fPressed;
  if (over == fPressedLook) return;
  fPressedLook = over;
  Parent().RepaintControl(*this);
}

void TzbBarSpinEditControl::StopPressing() {
  fDelay.stop();
  fRepeat.stop();
  if (TCustomzbBarControl* w = Window(); w && w->Widget()) w->Widget()->removeEventFilter(fFilter.get());
  if (fPressed == sbNone || fKeyPressed) return;
  fPressed = sbNone;
  fPressedLook = false;
  Parent().RepaintControl(*this);
}

void TzbBarSpinEditControl::KeyReleased(int key) {
  if (!fKeyPressed || (key != Qt::Key_Up && key != Qt::Key_Down)) return;
  fKeyPressed = false;
  fPressed = sbNone;
  fPressedLook = false;
  Parent().RepaintControl(*this);
}

void TzbBarSpinEditControl::SetFocused(bool value, bool byEscape) {
  if (!value) {
    fKeyPressed = false;
    StopPressing();
  }
  TzbBarEditControl::SetFocused(value, byEscape);
  if (value && Editor() && !Editor()->property("zbSpinWatched").toBool()) {
    Editor()->setProperty("zbSpinWatched", true);
    Editor()->installEventFilter(fFilter.get());
  }
}

bool TzbBarSpinEditControl::EditKeyDown(QKeyEvent& e) {
  TzbBarSpinEdit& spin = Spin();
  if (!spin.ReadOnly && (e.key() == Qt::Key_Up || e.key() == Qt::Key_Down)) {
    if (fPressed == sbNone || fKeyPressed) {
      fKeyPressed = true;
      const TzbBarSpinEditButton button = e.key() == Qt::Key_Up ? sbUp : sbDown;
      Press(button);
      spin.Spin(button);
    }
    return true;
  }
  if (!spin.ReadOnly && !e.text().isEmpty() && !(e.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    const QChar c = e.text().at(0);
    if ((c.isPrint() || c == QChar(8)) && !spin.AcceptsChar(c)) return true;
  }
  return TzbBarEditControl::EditKeyDown(e);
}

bool TzbBarSpinEditControl::EditWheel(int lines) {
  if (Spin().ReadOnly) return true;
  Spin().Spin(lines < 0 ? sbUp : sbDown);
  return true;
}

}  // namespace zyn
