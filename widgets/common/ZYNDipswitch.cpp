#include "widgets/common/ZYNDipswitch.h"

#include "platform/Canvas.h"
#include "platform/MessageDlg.h"
#include "widgets/common/WidgetText.h"

#include <QFontMetrics>
#include <QMouseEvent>

namespace zyn {

TZYNDipswitch::TZYNDipswitch(QWidget* parent) : QWidget(parent) {
  resize(110, 50);
  setAttribute(Qt::WA_OpaquePaintEvent);
  QFont f = font();
  f.setPointSize(8);
  f.setBold(true);
  setFont(f);
}

bool TZYNDipswitch::SetValue(int value) {
  const long long limit = 1LL << fDipCount;
  if (value >= 0 && value < limit) {
    fLastError.clear();
    if (value != fValue) {
      fValue = value;
      update();
    }
    return true;
  }
  fLastError =
      TranslatedText("Die Eingabe %1 ist nicht zulässig. Erlaubt sind Werte von 0 bis %2.").arg(value).arg(limit - 1);
  if (OnInvalidValue)
    OnInvalidValue(this, fLastError);
  else
    MessageDlg(this, fLastError, TranslatedText("Fehler"), MB_OK | MB_ICONERROR);
  return false;
}

void TZYNDipswitch::SetDipCount(int count) {
  if (count == fDipCount || count < 1 || count > 30) return;
  fDipCount = count;
  resize(count * 15 + 35, height());
  update();
}

void TZYNDipswitch::SetStyle(TOrientation style) {
  fStyle = style;
  fCounterStart = style == dsozyn ? 1 : 0;
  update();
}

void TZYNDipswitch::SetCounterStart(int start) {
  if (start == fCounterStart) return;
  fCounterStart = start;
  update();
}

void TZYNDipswitch::SetONText(const QString& text) {
  if (text == fOnText) return;
  fOnText = text;
  update();
}

void TZYNDipswitch::SetOFFText(const QString& text) {
  if (text == fOffText) return;
  fOffText = text;
  update();
}

#define ZYN_COLOR_SETTER(Name, field)           \
  void TZYNDipswitch::Set##Name(TColor color) { \
    if (color == field) return;                 \
    field = color;                              \
    update();                                   \
  }
ZYN_COLOR_SETTER(BGColor, fBGColor)
ZYN_COLOR_SETTER(DipBGColor, fDipBGColor)
ZYN_COLOR_SETTER(DipColor, fDipColor)
ZYN_COLOR_SETTER(TextColor, fTextColor)
#undef ZYN_COLOR_SETTER

void TZYNDipswitch::SetBorderStyle(TDspBorderStyle style) {
  if (style == fBorderStyle) return;
  fBorderStyle = style;
  update();
}

void TZYNDipswitch::SetBorderWidth(int width) {
  if (width == fBorderWidth) return;
  fBorderWidth = width;
  update();
}

TZYNDipswitch::Metrics TZYNDipswitch::Measure() const {
  const QFontMetrics fm(font());
  Metrics m{};
  m.b = fBorderWidth;
  m.n = fDipCount;
  m.L = std::max(fm.horizontalAdvance(fOnText), fm.horizontalAdvance(fOffText));
  m.t = fm.height();
  m.d = (width() + m.b - m.L - 12) / m.n;
  m.H = height() - m.t - 2 * m.b;
  m.q = m.H / 3;
  return m;
}

int TZYNDipswitch::SlotOfBit(int bit) const { return fStyle == dsozyn ? bit : fDipCount - 1 - bit; }

QRect TZYNDipswitch::LeverRect(int bit) const {
  const Metrics m = Measure();
  const int x = m.b + SlotOfBit(bit) * m.d + 3;
  const bool set = (fValue >> bit) & 1;
  const TRect r = set ? Rect(x + 3, 6, x + m.d - 3, m.q + 5) : Rect(x + 3, m.H - m.q, x + m.d - 3, m.H - 1);
  return ToQRect(r);
}

int TZYNDipswitch::NumberUnderSlot(int slot) const {
  return fStyle == dsozyn ? slot + fCounterStart : (fDipCount - 1 - slot) + fCounterStart;
}

void TZYNDipswitch::paintEvent(QPaintEvent*) {
  TCanvas c(this);
  c.Font.Font = font();
  const Metrics m = Measure();
  c.Brush.Style = bsSolid;
  c.Brush.Color = fBGColor;
  c.FillRect(Rect(0, 0, width(), height()));
  c.Brush.Color = fDipBGColor;
  for (int k = 0; k < m.n; ++k) c.FillRect(Rect(m.b + k * m.d + 5, 5, m.b + k * m.d + m.d + 1, m.H));
  c.Brush.Color = fDipColor;
  for (int bit = 0; bit < m.n; ++bit) c.FillRect(FromQRect(LeverRect(bit)));
  TRect edge = Rect(0, 0, width(), height());
  if (fBorderStyle == bsBevelLowered)
    c.DrawEdge(edge, BDR_SUNKENOUTER, BF_RECT);
  else if (fBorderStyle == bsBevelRaised)
    c.DrawEdge(edge, BDR_RAISEDOUTER, BF_RECT);
  c.Font.Color = fTextColor;
  c.Brush.Color = fBGColor;
  const int y = height() - (m.t + m.b);
  for (int k = 0; k < m.n; ++k) {
    const int slot = fStyle == dsozyn ? k : m.n - 1 - k;
    const QString number = QString::number(k + fCounterStart);
    const int tw = c.TextWidth(QString::number(k + 1));
    const int left = m.b + slot * m.d + 5;
    c.TextOut(left + (m.d - 4 - tw) / 2, y, number);
  }
  const int x = m.b + m.n * m.d + 5;
  c.TextOut(x, 5, fOnText);
  c.TextOut(x, m.H - (m.t + m.b), fOffText);
}

void TZYNDipswitch::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (OnMouseDown) OnMouseDown(this, event);
}

void TZYNDipswitch::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (OnMouseUp) OnMouseUp(this, event);
}

}  // namespace zyn
