#include "widgets/bars/RadioButtonImages.h"

#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/PaintUtils.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <memory>

namespace zyn {

namespace {

constexpr int kCombinations = 128;

// The ring class of an inner-ring pixel: the upper-left or the lower-right half of the circle.
int RingClass(int x, int y, int w, int h) {
  const long lhs = static_cast<long>(h - 1) * (w - x - 1), rhs = static_cast<long>(w - 1) * y;
  if (lhs < rhs) return TzxRadioButtonImageList::kInnerLowerRight;
  if (lhs > rhs) return TzxRadioButtonImageList::kInnerUpperLeft;
  return x > w / 2 - 1 ? TzxRadioButtonImageList::kInnerLowerRight : TzxRadioButtonImageList::kInnerUpperLeft;
}

bool IsOuter(int c) {
  return c == TzxRadioButtonImageList::kOuterUpperLeft || c == TzxRadioButtonImageList::kOuterLowerRight;
}

}  // namespace

TzxRadioButtonImageList& RadioButtonImages() {
  static TzxRadioButtonImageList list;
  // After a change of the system colours the images are built again with the new colours.
  static const std::unique_ptr<TzxSystemPaletteChangedNotifier> notifier = [] {
    auto n = std::make_unique<TzxSystemPaletteChangedNotifier>(true);
    n->OnSystemPaletteChanged = [] { RadioButtonImages().ClearImages(); };
    return n;
  }();
  return list;
}

int TzxRadioButtonImageList::CombinationIndex(bool checked, bool emphasisA, bool emphasisB, TzxButtonState state,
                                              TzxLookAndFeelKind kind) {
  return (state - 1) + 4 * (checked ? 1 : 0) + 8 * kind + 32 * (emphasisA ? 1 : 0) + 64 * (emphasisB ? 1 : 0);
}

void TzxRadioButtonImageList::MakePattern() {
  // The circle of the style's radio indicator: its whole indicator cell.
  const QStyle* style = QApplication::style();
  fWidth = std::max(8, style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth));
  fHeight = std::max(8, style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight));
  const int w = fWidth, h = fHeight;
  fPattern.assign(static_cast<size_t>(w) * h, kOutside);
  auto at = [&](int x, int y) -> int& { return fPattern[static_cast<size_t>(y) * w + x]; };

  // Outer ring.
  QImage ring(w, h, QImage::Format_RGB32);
  ring.fill(Qt::white);
  {
    QPainter p(&ring);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(0, 0, w - 1, h - 1));
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (qGray(ring.pixel(x, y)) < 128)
        at(x, y) = static_cast<long>(h - 1) * (w - x - 1) < static_cast<long>(y) * (w - 1) ? kOuterLowerRight
                                                                                           : kOuterUpperLeft;
  // Body.
  for (int y = 1; y <= h - 2; ++y) {
    for (int x = w / 2 - 1; x >= 0 && at(x, y) == kOutside; --x) at(x, y) = kBody;
    for (int x = w / 2; x < w && at(x, y) == kOutside; ++x) at(x, y) = kBody;
  }
  // Inner ring along the rows, then along the columns.
  for (int y = 1; y <= h - 2; ++y) {
    const bool edgeRow = y == 1 || y == h - 2;
    for (int dir : {-1, 1}) {
      int x = dir < 0 ? w / 2 - 1 : w / 2, last = -1;
      for (; x >= 0 && x < w && !IsOuter(at(x, y)); x += dir) {
        if (edgeRow) at(x, y) = RingClass(x, y, w, h);
        last = x;
      }
      if (last >= 0) at(last, y) = RingClass(last, y, w, h);
    }
  }
  for (int x = 1; x <= w - 2; ++x) {
    const bool edgeColumn = x == 1 || x == w - 2;
    for (int dir : {-1, 1}) {
      int y = dir < 0 ? h / 2 - 1 : h / 2, last = -1;
      for (; y >= 0 && y < h && !IsOuter(at(x, y)); y += dir) {
        if (edgeColumn) at(x, y) = RingClass(x, y, w, h);
        last = y;
      }
      if (last >= 0) at(x, last) = RingClass(x, last, w, h);
    }
  }
  // The dot: a third of the circle, centred.
  const int dw = std::max(2, (w + 1) / 3), dh = std::max(2, (h + 1) / 3);
  const int dl = (w - dw) / 2, dt = (h - dh) / 2;
  QImage dot(w, h, QImage::Format_RGB32);
  dot.fill(Qt::white);
  {
    QPainter p(&dot);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawEllipse(QRect(dl, dt, dw - 1, dh - 1));
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (qGray(dot.pixel(x, y)) < 128) at(x, y) = kDot;
}

TColor TzxRadioButtonImageList::ClassColor(int c, bool checked, bool emphasisA, bool emphasisB, TzxButtonState state,
                                           TzxLookAndFeelKind kind) {
  const TOffice11Colors& o = Office11Colors();
  TColor body;
  if (kind == lfOffice11) {
    switch (state) {
      case zxbsNormal:
        body = clWindow;
        break;
      case zxbsHot:
        body = o.Office11HotColor1;
        break;
      case zxbsPressed:
        body = o.Office11PressedColor1;
        break;
      default:
        body = clBtnFace;
        break;
    }
  } else if (state == zxbsDisabled) {
    body = clBtnFace;
  } else if (kind == lfUltraFlat) {
    body = state == zxbsHot ? BlendedSelectedColor() : state == zxbsPressed ? BlendedPressedColor() : clWindow;
  } else {
    body = state == zxbsPressed ? clBtnFace : clWindow;
  }
  TColor ringColor = clBtnShadow;
  if (kind == lfUltraFlat) {
    if (emphasisB || state == zxbsHot || state == zxbsPressed || (emphasisA && state != zxbsDisabled))
      ringColor = clHighlight;
  } else if (kind == lfOffice11) {
    if (state == zxbsDisabled)
      ringColor = o.Office11DisabledTextColor;
    else if (emphasisA || emphasisB || state == zxbsHot || state == zxbsPressed)
      ringColor = o.Office11SelectedBorderColor;
    else
      ringColor = clBtnText;
  }
  const bool flatRing = kind == lfUltraFlat || kind == lfOffice11;
  switch (c) {
    case kOuterUpperLeft:
      return flatRing ? ringColor : clBtnShadow;
    case kOuterLowerRight:
      return flatRing ? ringColor : clBtnHighlight;
    case kInnerUpperLeft:
      return flatRing ? body : kind == lfStandard ? cl3DDkShadow : cl3DLight;
    case kInnerLowerRight:
      return flatRing ? body : cl3DLight;
    case kBody:
      return body;
    case kDot:
      if (!checked) return body;
      if (state != zxbsDisabled) return clBtnText;
      return kind == lfOffice11 ? o.Office11DisabledTextColor : clBtnShadow;
    default:
      return clNone;
  }
}

void TzxRadioButtonImageList::Build() {
  if (!fImages.empty()) return;
  MakePattern();
  fImages.clear();
  fIndexMap.assign(kCombinations, -1);
  for (int b = 0; b <= 1; ++b)
    for (int a = 0; a <= 1; ++a)
      for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (int checked = 0; checked <= 1; ++checked)
          for (int state = zxbsNormal; state <= zxbsDisabled; ++state) {
            QImage image(fWidth, fHeight, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            TColor colors[7];
            for (int c = kOuterUpperLeft; c <= kDot; ++c)
              colors[c] = ColorToRGB(ClassColor(c, checked, a, b, static_cast<TzxButtonState>(state),
                                                static_cast<TzxLookAndFeelKind>(kind)));
            for (int y = 0; y < fHeight; ++y)
              for (int x = 0; x < fWidth; ++x)
                if (const int c = fPattern[static_cast<size_t>(y) * fWidth + x]; c != kOutside)
                  image.setPixelColor(x, y, ToQColor(colors[c]));
            fIndexMap[CombinationIndex(checked, a, b, static_cast<TzxButtonState>(state),
                                       static_cast<TzxLookAndFeelKind>(kind))] = static_cast<int>(fImages.size());
            fImages.push_back(image);
          }
}

QImage TzxRadioButtonImageList::Image(bool checked, bool emphasisA, bool emphasisB, TzxButtonState state,
                                      TzxLookAndFeelKind kind) {
  if (state < zxbsNormal || state > zxbsDisabled) return QImage();
  Build();
  const int position = fIndexMap[CombinationIndex(checked, emphasisA, emphasisB, state, kind)];
  return position < 0 ? QImage() : fImages[position];
}

void TzxRadioButtonImageList::Draw(TCanvas& canvas, int x, int y, bool checked, bool emphasisA, bool emphasisB,
                                   TzxButtonState state, TzxLookAndFeelKind kind, TColor backgroundColor) {
  const QImage image = Image(checked, emphasisA, emphasisB, state, kind);
  if (image.isNull()) return;
  if (backgroundColor != clDefault)
    canvas.Painter().fillRect(QRect(x, y, image.width(), image.height()), ToQColor(ColorToRGB(backgroundColor)));
  canvas.Painter().drawImage(x, y, image);
}

void TzxRadioButtonImageList::ClearImages() {
  fImages.clear();
  fIndexMap.clear();
}

}  // namespace zyn
