#include "widgets/bars/Office11Colors.h"

#include "widgets/bars/ThemeManager.h"

#include <QFileInfo>

#include <algorithm>

namespace zyn {

namespace {

// One record of 36 colours per variant: NormalColor, HomeStead, Metallic.
constexpr TColor kScheme[3][36] = {
    {0x00FEECDD, 0x00E2A981, 0x00F5BE9E, 0x00F9DAC3, 0x00913500, 0x00F1A675, 0x0076C1FF, 0x00D3F8FF, 0x0098DDFF,
     0x005295FE, 0x009C613B, 0x00E0A47B, 0x00764127, 0x00FFFFFF, 0x00CB8C6A, 0x00FFF9F1, 0x00C9662A, 0x00F9DBC4,
     0x00962D00, 0x00F6F6F6, 0x00C2EEFF, 0x00800000, 0x00CCF4FF, 0x0091D0FF, 0x008ED3FF, 0x004E91FE, 0x00FCE1CB,
     0x006FC0FF, 0x003E80FE, 0x00F0C7A9, 0x00000000, 0x008D8D8D, 0x00FBDABE, 0x0094E6FB, 0x00FADAC4, 0x00962D00},
    {0x00DEF7F4, 0x0091C6B7, 0x00A7D9D9, 0x00E4F0F2, 0x006B7760, 0x008CC2B0, 0x0076C1FF, 0x00D3F8FF, 0x0098DDFF,
     0x005295FE, 0x00588060, 0x008FC4B5, 0x00335E51, 0x00FFFFFF, 0x00588060, 0x00DEF7F4, 0x005E8674, 0x00ADDEE1,
     0x005E8D75, 0x00EEF4F4, 0x00C2EEFF, 0x00385D3F, 0x00CCF4FF, 0x0091D0FF, 0x008ED3FF, 0x004E91FE, 0x00B6E3D8,
     0x006FC0FF, 0x003E80FE, 0x009FD4C5, 0x00000000, 0x008D8D8D, 0x0091BAAF, 0x0094E6FB, 0x00E4F1F2, 0x00588060},
    {0x00FAF4F3, 0x00B59799, 0x00E5D7D7, 0x00F7F3F3, 0x00927476, 0x00C8B2B3, 0x0076C1FF, 0x00D3F8FF, 0x0098DDFF,
     0x005295FE, 0x00947C7C, 0x00B09193, 0x00755454, 0x00FFFFFF, 0x008F6D6E, 0x00FFFFFF, 0x0099797A, 0x00E4DADB,
     0x00947C7C, 0x00FFFAFD, 0x00C2EEFF, 0x006F4B4B, 0x00CCF4FF, 0x0091D0FF, 0x008ED3FF, 0x004E91FE, 0x00E7D3D6,
     0x006FC0FF, 0x003E80FE, 0x00D3C0C0, 0x00000000, 0x008D8D8D, 0x00EBE5E5, 0x0094E6FB, 0x00F7F3F3, 0x00947C7C}};

constexpr int kGradientFactor[4] = {75, 41, 125, 40};

struct TOffice11State {
  TOffice11Colors colors;
  int refCount = 0;
  bool computed = false;
};

TOffice11State& Office11State() {
  static TOffice11State s;
  return s;
}

int Clamp255(int v) { return std::clamp(v, 0, 255); }

void Compute() {
  TOffice11Colors& c = Office11State().colors;
  c = TOffice11Colors{};
  c.Office11Scheme = DetectOffice11Scheme();
  c.Office11XPScheme = ThemesUsable(0) && c.Office11Scheme != 0;
  c.Office11GradientFactor = kGradientFactor[c.Office11Scheme];
  const bool xp = c.Office11XPScheme;
  auto e = [&](int n) { return kScheme[c.Office11Scheme - 1][n]; };
  auto rgb = [](TColor col) { return ColorToRGB(col); };

  c.Office11DockColor1 = xp ? e(2) : rgb(clBtnFace);
  c.Office11DockColor2 = xp ? e(3) : MixColors(clBtnFace, clWindow, 20);
  c.Office11ToolbarColor1 = xp ? e(0) : MixColors(clBtnFace, clWindow, 22);
  c.Office11ToolbarColor2 = xp ? e(1) : MixColors(clBtnFace, clWindow, 96);
  if (xp) {
    c.Office11MoreButtonsColors1[0] = e(5);
    c.Office11MoreButtonsColors1[1] = e(7);
    c.Office11MoreButtonsColors1[2] = e(9);
    c.Office11MoreButtonsColors2[0] = e(4);
    c.Office11MoreButtonsColors2[1] = e(6);
    c.Office11MoreButtonsColors2[2] = e(8);
  } else {
    c.Office11MoreButtonsColors1[0] = MixColors(clBtnShadow, clWindow, 74);
    c.Office11MoreButtonsColors1[1] = NearestScreenColor(BlendSystemColors(-15, 29, 86));
    c.Office11MoreButtonsColors1[2] = NearestScreenColor(BlendSystemColors(42, 11, 47));
    c.Office11MoreButtonsColors2[0] = rgb(clBtnShadow);
    c.Office11MoreButtonsColors2[1] = c.Office11MoreButtonsColors1[1];
    c.Office11MoreButtonsColors2[2] = c.Office11MoreButtonsColors1[2];
  }
  c.Office11BarFrameColor1 = xp ? e(10) : MixColors(clBtnFace, clWindow, 85);
  c.Office11BarFrameColor2 = xp ? e(11) : rgb(clBtnFace);
  for (int s = 0; s < 3; ++s) {
    c.Office11MoreButtonsColors3[s] = xp ? MixColors(c.Office11MoreButtonsColors1[s], c.Office11ToolbarColor1, 90)
                                         : MixColors(c.Office11MoreButtonsColors2[s], clWindow, 50);
    c.Office11MoreButtonsColors4[s] = MixColors(c.Office11MoreButtonsColors2[s], c.Office11BarFrameColor2, 50);
  }
  c.Office11GripDarkColor = xp ? e(12) : MixColors(clBtnShadow, clWindow, 76);
  c.Office11GripLightColor = xp ? e(13) : rgb(clWindow);
  c.Office11SeparatorDarkColor = xp ? e(14) : MixColors(clBtnShadow, clWindow, 70);
  c.Office11SeparatorLightColor = xp ? e(15) : 0x00FFFFFF;
  c.Office11SymbolColor = xp ? 0x00000000 : rgb(clBtnText);
  c.Office11SymbolShadowColor = xp ? 0x00FFFFFF : rgb(clWindow);
  c.Office11BarBorderColor1 = xp ? e(16) : rgb(clBtnShadow);
  c.Office11BarBorderColor2 = xp ? e(17) : c.Office11ToolbarColor2;
  c.Office11BarBorderColor3 = c.Office11ToolbarColor1;
  c.Office11BarBorderColor4 = c.Office11BarBorderColor1;
  c.Office11LightTextColor = xp ? 0x00FFFFFF : rgb(clBtnHighlight);
  c.Office11DarkTextColor1 = c.Office11DarkTextColor2 = xp ? 0x00000000 : rgb(clBtnText);
  c.Office11BorderColor = xp ? e(18) : rgb(clBtnShadow);
  c.Office11MenuColor = xp ? e(19) : rgb(clWindow);
  c.Office11SelectedColor = xp ? e(20) : NearestScreenColor(BlendSystemColors(-2, 30, 72));
  c.Office11SelectedBorderColor = xp ? e(21) : rgb(clHighlight);
  c.Office11HotColor1 = xp ? e(22) : c.Office11SelectedColor;
  c.Office11HotColor2 = xp ? e(23) : c.Office11SelectedColor;
  c.Office11ItemColor1 = xp ? e(28) : NearestScreenColor(BlendSystemColors(14, 44, 40));
  c.Office11PressedColor1 = xp ? e(24) : c.Office11ItemColor1;
  c.Office11PressedColor2 = xp ? e(25) : c.Office11ItemColor1;
  c.Office11CheckedColor = xp ? e(26) : c.Office11ToolbarColor2;
  c.Office11PressedColor = xp ? e(27) : BlendSystemColors(41, 11, 48);
  c.Office11ItemColor2 = xp ? e(29) : c.Office11CheckedColor;
  c.Office11TextColor = xp ? e(30) : rgb(clBtnText);
  c.Office11DisabledTextColor = xp ? e(31) : rgb(clGrayText);
  c.Office11ToolbarColor3 = c.Office11ToolbarColor1;
  c.Office11ToolbarColor4 = c.Office11ToolbarColor2;
  c.Office11BackgroundColor1 = c.Office11ToolbarColor1;
  c.Office11BackgroundColor2 = c.Office11ToolbarColor2;
  c.Office11BackgroundDarkColor1 = MixColors(c.Office11BackgroundColor1, 0x00000000, 92);
  c.Office11BackgroundDarkColor2 = MixColors(c.Office11BackgroundColor2, 0x00000000, 92);
  c.Office11DockColor3 = c.Office11DockColor1;
  c.Office11MoreButtonsShadowColor = c.Office11MoreButtonsColors4[0];
  c.Office11SelectedTextColor = c.Office11LightTextColor;
  c.Office11ControlBorderColor = c.Office11BorderColor;
  c.Office11AuxColor1 = xp ? e(32) : rgb(clBtnFace);
  c.Office11AuxColor2 = xp ? e(33) : c.Office11PressedColor;
  c.Office11AuxColor3 = xp ? e(34) : c.Office11DockColor1;
  c.Office11AuxColor4 = xp ? e(35) : c.Office11BorderColor;
  Office11State().computed = true;
}

}  // namespace

// The 11 x 11 expand button of the Office 2003 look: a light frame at the top and left, a dark one
// at the bottom and right, a white-to-grey face and the sign in black.
QImage Office11ExpandButtonImage(bool plus) {
  QImage b(11, 11, QImage::Format_RGB32);
  for (int y = 0; y < 11; ++y) {
    const int v = 255 - (y * 30) / 10;
    for (int x = 0; x < 11; ++x) b.setPixel(x, y, qRgb(v, v, std::min(255, v + 6)));
  }
  const QRgb light = qRgb(158, 174, 191), dark = qRgb(46, 70, 95);
  for (int i = 0; i < 11; ++i) {
    b.setPixel(i, 0, light);
    b.setPixel(0, i, light);
    b.setPixel(i, 10, dark);
    b.setPixel(10, i, dark);
  }
  for (int i = 3; i <= 7; ++i) {
    b.setPixel(i, 5, qRgb(0, 0, 0));
    if (plus) b.setPixel(5, i, qRgb(0, 0, 0));
  }
  return b;
}

// The 16 x 10 expand button of a personalized menu: a capsule whose face runs from light to dark
// grey (recoloured to the toolbar gradient by its red channel), two black chevrons pointing down,
// the corners in the background colour of pixel (0, 0).
QImage Office11SubMenuExpandImage() {
  QImage b(16, 10, QImage::Format_RGB32);
  const QRgb background = qRgb(255, 0, 255);
  b.fill(background);
  for (int y = 0; y < 10; ++y) {
    const int v = 250 - y * 9;
    const int inset = (y == 0 || y == 9) ? 2 : (y == 1 || y == 8) ? 1 : 0;
    for (int x = inset; x < 16 - inset; ++x) b.setPixel(x, y, qRgb(v, v, v));
  }
  for (int chevron = 0; chevron < 2; ++chevron)
    for (int i = 0; i < 3; ++i) {
      const int y = 2 + chevron * 3 + i;
      b.setPixel(5 + i, y, qRgb(0, 0, 0));
      b.setPixel(10 - i, y, qRgb(0, 0, 0));
      if (i == 2) b.setPixel(8, y, qRgb(0, 0, 0));
    }
  return b;
}

namespace {

void CreateBitmaps() {
  TOffice11Colors& c = Office11State().colors;
  c.Office11SubMenuExpandBitmap =
      RecolorSubMenuExpandBitmap(Office11SubMenuExpandImage(), c.Office11ToolbarColor1, c.Office11ToolbarColor2);
  c.Office11ExpandButtonMinusBitmap = Office11ExpandButtonImage(false);
  c.Office11ExpandButtonPlusBitmap = Office11ExpandButtonImage(true);
}

void FillWithSolid(TCanvas& canvas, const TRect& r, TColor color) {
  if (IsRectEmpty(r)) return;
  canvas.Painter().fillRect(ToQRect(r), ToQColor(color));
}

}  // namespace

const TOffice11Colors& Office11Colors() {
  if (!Office11State().computed) Compute();
  return Office11State().colors;
}

TColor Office11SchemeEntry(int variant, int entry) { return kScheme[variant - 1][entry]; }

void Office11ColorsAddRef() {
  if (Office11State().refCount == 0) {
    Compute();
    CreateBitmaps();
  }
  ++Office11State().refCount;
}

void Office11ColorsRefresh() {
  Compute();
  if (Office11State().refCount > 0) CreateBitmaps();
}

void Office11ColorsRelease() {
  if (Office11State().refCount == 0) return;
  if (--Office11State().refCount == 0) CreateBitmaps();
}

int Office11ReferenceCount() { return Office11State().refCount; }
bool Office11BrushesCreated() { return Office11State().refCount > 0; }
int Office11Scheme() { return Office11Colors().Office11Scheme; }
bool Office11XPScheme() { return Office11Colors().Office11XPScheme; }

int DetectOffice11Scheme() {
  if (!ThemesUsable(0)) return 0;
  QString file, color, size;
  if (!GetCurrentThemeName(file, color, size)) return 0;
  const QString name = file.section(QLatin1Char('\\'), -1).section(QLatin1Char('/'), -1).toUpper();
  if (name != QLatin1String("LUNA.MSSTYLES")) return 0;
  const QString c = color.toUpper();
  if (c == QLatin1String("NORMALCOLOR")) return 1;
  if (c == QLatin1String("HOMESTEAD")) return 2;
  if (c == QLatin1String("METALLIC")) return 3;
  return 0;
}

QImage RecolorSubMenuExpandBitmap(const QImage& source, TColor c1, TColor c2) {
  if (source.isNull()) return source;
  QImage img = source.convertToFormat(QImage::Format_RGB32);
  if (c1 == c2) c2 = c1 == 0x00000000 ? 0x00FFFFFF : 0x00000000;
  const QRgb background = img.pixel(0, 0) & 0xFFFFFF;
  int lo = 255, hi = 1;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y) & 0xFFFFFF;
      if (p == background || p == 0) continue;
      lo = std::min(lo, qRed(p));
      hi = std::max(hi, qRed(p));
    }
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y) & 0xFFFFFF;
      if (p == background || p == 0) continue;
      const int percent = hi > lo ? MulDiv(qRed(p) - lo, 100, hi - lo) : 0;
      const TColor m = MixColors(c1, c2, percent);
      img.setPixel(x, y, qRgb(GetRValue(m), GetGValue(m), GetBValue(m)));
    }
  return img;
}

TColor NearestScreenColor(TColor color) { return ColorToRGB(color); }

TColor MixColors(TColor color1, TColor color2, int percent) {
  const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
  auto ch = [&](int c1, int c2) { return std::min(255, MulDiv(c2, 100 - percent, 100) + MulDiv(c1, percent, 100)); };
  return NearestScreenColor(
      RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b))));
}

TColor BlendSystemColors(int a, int b, int c) {
  const TColor face = ColorToRGB(clBtnFace), hl = ColorToRGB(clHighlight), win = ColorToRGB(clWindow);
  if (face == 0x00000000 || face == 0x00FFFFFF) return hl;
  auto ch = [&](int f, int h, int w) { return Clamp255(MulDiv(f, a, 100) + MulDiv(h, b, 100) + MulDiv(w, c, 100)); };
  return RGB(ch(GetRValue(face), GetRValue(hl), GetRValue(win)), ch(GetGValue(face), GetGValue(hl), GetGValue(win)),
             ch(GetBValue(face), GetBValue(hl), GetBValue(win)));
}

bool FaceIsBlack() { return ColorToRGB(clBtnFace) == 0x00000000; }
bool FaceIsWhite() { return ColorToRGB(clBtnFace) == 0x00FFFFFF; }
bool FaceBlackTextColored() { return FaceIsBlack() && ColorToRGB(clBtnText) != 0x00FFFFFF; }

void FillRectWithColor(TCanvas& canvas, const TRect& r, TColor color) { FillWithSolid(canvas, r, color); }

void FrameRectWithColor(TCanvas& canvas, const TRect& r, TColor color) {
  if (IsRectEmpty(r)) return;
  FillWithSolid(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1), color);
  FillWithSolid(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), color);
  FillWithSolid(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), color);
  FillWithSolid(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), color);
}

void FrameSelectedRect(TCanvas& canvas, const TRect& r) {
  FrameRectWithColor(
      canvas, r,
      (FaceIsBlack() || FaceBlackTextColored()) ? clHighlightText : Office11Colors().Office11SelectedBorderColor);
}

void FillGradient(TCanvas& canvas, const TRect& r, TColor color1, TColor color2, bool horizontal) {
  const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
  if (a == b) {
    FillWithSolid(canvas, r, a);
    return;
  }
  const int size = horizontal ? r.Width() : r.Height();
  if (size <= 0) return;
  const int n = std::min(size, 256);
  const int start = horizontal ? r.Left : r.Top;
  int from = start;
  for (int i = 0; i < n; ++i) {
    const int to = start + MulDiv(i + 1, size, n);
    // One band paints the first colour; no division by a zero band count.
    auto ch = [&](int c1, int c2) { return n == 1 ? c1 : c1 + MulDiv(i, c2 - c1, n - 1); };
    const TColor band =
        RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
    if (to > from)
      FillWithSolid(canvas, horizontal ? Rect(from, r.Top, to, r.Bottom) : Rect(r.Left, from, r.Right, to), band);
    from = to;
    if (to >= start + size) break;
  }
}

void FillTubeGradient(TCanvas& canvas, const TRect& r, TColor color1, TColor color2, bool horizontal) {
  const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
  if (a == b) {
    FillWithSolid(canvas, r, a);
    return;
  }
  const int s = horizontal ? r.Width() : r.Height();
  if (s <= 0) return;
  const int h = s / 2;
  const int factor = Office11Colors().Office11GradientFactor;
  auto channel = [&](int c1, int c2, int i) {
    const int m = c1 - MulDiv(c1 - c2, factor, 200);
    if (s == 1) return c1;  // a single pixel takes the first colour (no division by a zero half)
    if (i < h) {
      const int e = c1 - MulDiv(c1 - m, s, h);
      return Clamp255(c1 + MulDiv(i, e - c1, s - 1));
    }
    if (i == h) return Clamp255(m);
    const int f = c2 + MulDiv(m - c2, s, h);
    return Clamp255(f + MulDiv(i, c2 - f, s - 1));
  };
  const int start = horizontal ? r.Left : r.Top;
  for (int i = 0; i < s; ++i) {
    const TColor px = RGB(channel(GetRValue(a), GetRValue(b), i), channel(GetGValue(a), GetGValue(b), i),
                          channel(GetBValue(a), GetBValue(b), i));
    FillWithSolid(
        canvas,
        horizontal ? Rect(start + i, r.Top, start + i + 1, r.Bottom) : Rect(r.Left, start + i, r.Right, start + i + 1),
        px);
  }
}

TColor GradientColorAt(const TRect& r, int position, TColor color1, TColor color2, bool horizontal) {
  const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
  const int size = horizontal ? r.Width() : r.Height();
  if (size <= 0) return a;
  const int n = std::min(size, 256);
  const int start = horizontal ? r.Left : r.Top;
  const int i = std::max(0, MulDiv(position - start + 1, n, size) - 1);
  auto ch = [&](int c1, int c2) { return n == 1 ? c1 : Clamp255(c1 + MulDiv(i, c2 - c1, n - 1)); };
  return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}

void DrawGripDots(TCanvas& canvas, const TRect& r, bool vertical) {
  const TOffice11Colors& c = Office11Colors();
  const int length = vertical ? r.Height() : r.Width();
  int shift = length % 4;
  if (shift >= 2) shift /= 2;
  int x = r.Left + (vertical ? 0 : shift);
  int y = r.Top + (vertical ? shift : 0);
  while (vertical ? y + 4 <= r.Bottom : x + 4 <= r.Right) {
    const TRect cell = Rect(x + 1, y + 1, x + 3, y + 3);
    FillWithSolid(canvas, cell, c.Office11GripLightColor);
    FillWithSolid(canvas, Rect(cell.Left - 1, cell.Top - 1, cell.Right - 1, cell.Bottom - 1), c.Office11GripDarkColor);
    if (vertical)
      y += 4;
    else
      x += 4;
  }
}

void DrawDropDownArrow(TCanvas& canvas, const TRect& r, bool horizontal, bool enabled, bool selected) {
  const int s = horizontal ? r.Width() - 8 : r.Height() - 6;
  int a = (s % 2 != 0) ? (s - 1) / 2 + 1 : (s - 1) / 2;
  a = std::max(a, 3);
  const TOffice11Colors& c = Office11Colors();
  const TColor color =
      !enabled ? c.Office11DisabledTextColor : (selected && FaceIsWhite() ? 0x00FFFFFF : c.Office11TextColor);
  std::vector<TPoint> pts;
  if (horizontal) {
    const int x = (r.Left + r.Right - (2 * a - 1)) / 2, y = (r.Top + r.Bottom - a) / 2;
    pts = {{x, y}, {x + 2 * a - 2, y}, {x + a - 1, y + a - 1}};
  } else {
    const int x = (r.Left + r.Right - a) / 2, y = (r.Top + r.Bottom - (2 * a - 1)) / 2;
    pts = {{x, y}, {x, y + 2 * a - 2}, {x + a - 1, y + a - 1}};
  }
  const TPen pen = canvas.Pen;
  const TBrush brush = canvas.Brush;
  canvas.Pen.Color = color;
  canvas.Pen.Style = psSolid;
  canvas.Brush.Color = color;
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Bitmap = QImage();
  canvas.Polygon(pts);
  canvas.Pen = pen;
  canvas.Brush = brush;
}

}  // namespace zyn
