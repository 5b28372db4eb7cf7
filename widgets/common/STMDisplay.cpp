#include "widgets/common/STMDisplay.h"

#include "platform/Canvas.h"

#include <QFontMetrics>

#include <cmath>

namespace zyn {
namespace {
const QString kWidest = QStringLiteral("WWWWWWWWWWWWWWWW");
}

TSTMDisplay::TSTMDisplay(QWidget* parent) : QWidget(parent) {
  resize(154, 32);
  QFont f(QStringLiteral("Courier"), 10);
  f.setStyleHint(QFont::Monospace);
  f.setBold(true);
  setFont(f);
}

void TSTMDisplay::SetZeile1(const QString& text) {
  const QString cut = text.left(16);
  if (cut == fZeile1) return;
  fZeile1 = cut;
  update();
}

void TSTMDisplay::SetZeile2(const QString& text) {
  const QString cut = text.left(16);
  if (cut == fZeile2) return;
  fZeile2 = cut;
  update();
}

void TSTMDisplay::SetSkalierung(double scale) {
  if (scale < 1.0 || scale == fSkalierung) return;
  fSkalierung = scale;
  QFont f = font();
  f.setPointSize(static_cast<int>(std::lround(scale * 10)));
  setFont(f);
  const int w = QFontMetrics(f).horizontalAdvance(kWidest);
  resize(w + 10, static_cast<int>(std::lround(scale * 32)));
  update();
}

void TSTMDisplay::SetBorderStyle(TDspBorderStyle style) {
  if (style == fBorderStyle) return;
  fBorderStyle = style;
  update();
}

void TSTMDisplay::SetBorderWidth(int width) {
  if (width == fBorderWidth) return;
  fBorderWidth = width;
  update();
}

int TSTMDisplay::LineLeft() const { return (width() - QFontMetrics(font()).horizontalAdvance(kWidest)) / 2; }

int TSTMDisplay::LineTop(int line) const { return static_cast<int>(std::lround(fSkalierung * (line == 1 ? 2 : 17))); }

void TSTMDisplay::paintEvent(QPaintEvent*) {
  TCanvas c(this);
  TRect r = Rect(0, 0, width(), height());
  const int b = fBorderStyle == bsNone ? 0 : fBorderWidth;
  c.Brush.Style = bsSolid;
  c.Brush.Color = RGB(130, 160, 150);
  c.FillRect(Rect(b, b, width() - b, height() - b));
  if (fBorderStyle != bsNone) {
    const TColor topLeft = fBorderStyle == bsBevelLowered ? clBtnShadow : clWhite;
    const TColor bottomRight = fBorderStyle == bsBevelLowered ? clWhite : clBtnShadow;
    for (int i = 0; i < fBorderWidth; ++i) {
      c.Pen.Color = topLeft;
      c.MoveTo(r.Left + i, r.Bottom - 1 - i);
      c.LineTo(r.Left + i, r.Top + i);
      c.LineTo(r.Right - 1 - i, r.Top + i);
      c.Pen.Color = bottomRight;
      c.LineTo(r.Right - 1 - i, r.Bottom - 1 - i);
      c.LineTo(r.Left + i, r.Bottom - 1 - i);
    }
  }
  c.Font.Font = font();
  c.Font.Color = RGB(10, 50, 30);
  c.Brush.Style = bsClear;
  c.TextOut(LineLeft(), LineTop(1), fZeile1);
  c.TextOut(LineLeft(), LineTop(2), fZeile2);
}

}  // namespace zyn
