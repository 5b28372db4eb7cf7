#include "widgets/common/GPanel.h"

#include <QFontMetrics>

#include <cstdlib>

namespace zyn {

std::vector<TGradientBand> GradientBands(TColor a, TColor b, int length) {
  std::vector<TGradientBand> bands;
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  if (length <= 0 || a == b) return bands;
  const int ca[3] = {GetRValue(a), GetGValue(a), GetBValue(a)};
  const int d[3] = {(GetRValue(b) - ca[0]) * 100, (GetGValue(b) - ca[1]) * 100, (GetBValue(b) - ca[2]) * 100};
  const int s = std::max({std::abs(d[0]), std::abs(d[1]), std::abs(d[2])});
  const int q = s >= 100 * length ? 1 : ((s / 100) + length - 1) * 100 / s;
  const int n = std::max(length / q, 1);
  for (int l = 0; l <= n; ++l) {
    const int start = l * q;
    const int len = std::min(q, length - start);
    int c[3];
    for (int k = 0; k < 3; ++k) c[k] = (ca[k] * 100 + (d[k] / n) * l) / 100;
    bands.push_back({start, std::max(len, 0), RGB(c[0], c[1], c[2])});
  }
  return bands;
}

TGPanel::TGPanel(QWidget* parent) : TPaneles(parent) {}

void TGPanel::SetActive(bool active) {
  fActive = active;
  update();
}

void TGPanel::SetColor_1(TColor c) {
  fColor1 = c;
  update();
}

void TGPanel::SetColor_2(TColor c) {
  fColor2 = c;
  update();
}

void TGPanel::SetColor_3(TColor c) {
  fColor3 = c;
  update();
}

void TGPanel::SetHorizontal(bool horizontal) {
  fHorizontal = horizontal;
  update();
}

void TGPanel::SetPercent(int percent) {
  fPercent = std::clamp(percent, 1, 100);
  update();
}

int TGPanel::CaptionLeft() const {
  const int tw = QFontMetrics(font()).horizontalAdvance(Caption());
  const int m = BevelWidth() + BorderWidth();
  switch (Alignment()) {
    case TTextAlignment::taLeftJustify:
      return m;
    case TTextAlignment::taRightJustify:
      return width() - tw - 2 * m;
    default:
      return (width() - tw) / 2;
  }
}

void TGPanel::paintEvent(QPaintEvent* event) {
  TPaneles::paintEvent(event);
  if (!fActive) return;
  TCanvas c(this);
  c.Font.Font = font();
  const int e =
      (BevelInner() != TBevelCut::bvNone ? BevelWidth() : 0) + (BevelOuter() != TBevelCut::bvNone ? BevelWidth() : 0);
  const TRect area = Rect(e, e, width() - e, height() - e);
  const int length = fHorizontal ? area.Width() : area.Height();
  const auto draw = [&](TColor a, TColor b, int offset, int len) {
    for (const TGradientBand& band : GradientBands(a, b, len)) {
      if (band.Length <= 0) continue;
      c.Brush.Color = band.Color;
      c.Brush.Style = bsSolid;
      const int from = offset + band.Start;
      c.FillRect(fHorizontal ? Rect(area.Left + from, area.Top, area.Left + from + band.Length, area.Bottom)
                             : Rect(area.Left, area.Top + from, area.Right, area.Top + from + band.Length));
    }
  };
  if (fPercent == 100) {
    draw(fColor1, fColor2, 0, length);
  } else {
    const int p = std::max(length * fPercent / 100, 1);
    draw(fColor1, fColor2, 0, p);
    draw(fColor2, fColor3, p, length - p);
  }
  if (Caption().isEmpty()) return;
  c.Brush.Style = bsClear;
  c.Font.Color = fFontColor;
  const int th = c.TextHeight(Caption());
  c.TextOut(CaptionLeft(), height() / 2 - th / 2, Caption());
}

}  // namespace zyn
