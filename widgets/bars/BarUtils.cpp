#include "widgets/bars/BarUtils.h"

#include "model/base/TextUtils.h"
#include "platform/SystemSounds.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/Office11Colors.h"
#include "widgets/bars/PaintUtils.h"
#include "widgets/bars/ThemeManager.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include <algorithm>
#include <cctype>

namespace zyn {

namespace {

bool& DingyFlag() {
  static bool dingy = true;
  return dingy;
}

void FillSolid(TCanvas& c, const TRect& r, TColor color) {
  if (IsRectEmpty(r)) return;
  c.Painter().fillRect(ToQRect(r), ToQColor(color));
}

void FrameSolid(TCanvas& c, const TRect& r, TColor color) {
  FillSolid(c, Rect(r.Left, r.Top, r.Right, r.Top + 1), color);
  FillSolid(c, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), color);
  FillSolid(c, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), color);
  FillSolid(c, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), color);
}

QRgb ToQRgb(TColor c) {
  c = ColorToRGB(c);
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

}  // namespace

std::string GetUniqueItemName(const TzbBarManager& manager, const std::string& itemClass) {
  const std::string base = itemClass.empty() ? std::string() : itemClass.substr(1);
  for (int n = 1;; ++n) {
    const std::string candidate = base + std::to_string(n);
    bool taken = false;
    for (int i = 0; i < manager.GetItemCount() && !taken; ++i) taken = SameText(manager.GetItem(i)->Name, candidate);
    if (!taken) return candidate;
  }
}

TzbBarItemVisible VisibleToItemVisible(bool visible) { return visible ? ivAlways : ivNever; }

std::string StripAmpersands(const std::string& text) {
  std::string s = text;
  std::size_t i = 0;
  while (i + 1 < s.size()) {
    if (s[i] == '&') s.erase(i, 1);  // the character that moved here is not examined
    ++i;
  }
  return s;
}

int ArrowSizeForRect(const TRect& r, bool down) {
  const int d = down ? r.Width() - 8 : r.Height() - 6;
  const int s = (d % 2 != 0) ? (d + 1) / 2 : d / 2 - 1;
  return std::max(s, 3);
}

void DrawArrowOfSize(TCanvas& canvas, const TRect& r, bool down, bool noEmboss, bool enabled, bool selected, int s) {
  TColor color;
  if (enabled)
    color = selected ? (FaceIsWhite() ? clBtnFace : clHighlightText) : clBtnText;
  else
    color = clBtnShadow;
  std::vector<TPoint> pts;
  int x0, y0;
  if (down) {
    x0 = (r.Left + r.Right - (2 * s - 1)) / 2;
    y0 = (r.Top + r.Bottom - s) / 2;
    pts = {{x0, y0}, {x0 + 2 * s - 2, y0}, {x0 + s - 1, y0 + s - 1}};
  } else {
    x0 = (r.Left + r.Right - s) / 2;
    y0 = (r.Top + r.Bottom - (2 * s - 1)) / 2;
    pts = {{x0, y0}, {x0, y0 + 2 * s - 2}, {x0 + s - 1, y0 + s - 1}};
  }
  const TPen pen = canvas.Pen;
  const TBrush brush = canvas.Brush;
  canvas.Pen = TPen{color, 1, psSolid};
  canvas.Brush = SolidBrush(color);
  canvas.Polygon(pts);
  if (!enabled && !noEmboss) {
    canvas.Pen.Color = clBtnHighlight;
    if (down) {
      canvas.MoveTo(x0 + s, y0 + s - 1);
      canvas.LineTo(x0 + 2 * s - 1, y0);
      canvas.MoveTo(x0 + s, y0 + s);
      canvas.LineTo(x0 + 2 * s, y0);
    } else {
      canvas.MoveTo(x0 + s - 1, y0 + s);
      canvas.LineTo(x0, y0 + 2 * s - 1);
      canvas.MoveTo(x0 + s, y0 + s);
      canvas.LineTo(x0, y0 + 2 * s);
    }
  }
  canvas.Pen = pen;
  canvas.Brush = brush;
}

void DrawArrowInRect(TCanvas& canvas, const TRect& r, bool down, bool noEmboss, bool enabled, bool selected) {
  DrawArrowOfSize(canvas, r, down, noEmboss, enabled, selected, ArrowSizeForRect(r, down));
}

void FillVerticalGradient(TCanvas& canvas, const TRect& r, TColor topColor, TColor bottomColor) {
  const int h = r.Height();
  if (h <= 0 || r.Width() <= 0) return;
  const TColor a = ColorToRGB(topColor), b = ColorToRGB(bottomColor);
  for (int n = 0; n < 256; ++n) {
    const int y0 = r.Top + MulDiv(n, h, 256), y1 = r.Top + MulDiv(n + 1, h, 256);
    if (y1 <= y0) continue;
    auto ch = [n](int t, int bt) { return t + MulDiv(n, bt - t, 255); };
    FillSolid(canvas, Rect(r.Left, y0, r.Right, y1),
              RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b))));
  }
}

void FrameHighlightRect(TCanvas& canvas, const TRect& r) { FrameRectWithColor(canvas, r, clHighlight); }

TBrush CheckedBrush() {
  TBrush b;
  QImage img(8, 8, QImage::Format_RGB32);
  const QRgb face = ToQRgb(clBtnFace), hl = ToQRgb(clBtnHighlight);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) img.setPixel(x, y, (x % 2) == (y % 2) ? face : hl);
  b.Bitmap = img;
  b.Color = clBtnHighlight;
  return b;
}

TBrush SolidBrush(TColor color) {
  TBrush b;
  b.Color = color;
  b.Style = bsSolid;
  return b;
}

void FillBackground(TCanvas& canvas, const TRect& r, const TRect& origin, const QImage& bitmap, const TBrush& brush) {
  if (IsRectEmpty(r)) return;
  if (bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0) {
    const TBrush saved = canvas.Brush;
    canvas.Brush = brush;
    canvas.FillRect(r);
    canvas.Brush = saved;
    return;
  }
  if (IsRectEmpty(origin)) return;
  const int w = bitmap.width(), h = bitmap.height();
  QPainter& p = canvas.Painter();
  p.save();
  p.setClipRect(ToQRect(r), Qt::IntersectClip);
  for (int row = origin.Top / h; row <= (origin.Bottom - 1) / h; ++row)
    for (int col = origin.Left / w; col <= (origin.Right - 1) / w; ++col)
      p.drawImage(w * col + r.Left - origin.Left, h * row + r.Top - origin.Top, bitmap);
  p.restore();
}

QRgb TintPixel(QRgb pixel, TColor tint) {
  tint = ColorToRGB(tint);
  const int L = (77 * qBlue(pixel) + 151 * qGreen(pixel) + 28 * qRed(pixel)) / 256;
  const int v = ((L * 192 + 16320) / 256) * 64;
  auto ch = [v](int t) { return std::min(255, (t * 192 + v) / 256); };
  return qRgba(ch(GetRValue(tint)), ch(GetGValue(tint)), ch(GetBValue(tint)), qAlpha(pixel));
}

QRgb GrayPixel(QRgb pixel) {
  const int g = (qBlue(pixel) + qGreen(pixel) + qRed(pixel)) / 3;
  return qRgba(g, g, g, qAlpha(pixel));
}

QRgb LightenPixel(QRgb pixel) {
  auto ch = [](int c) { return c + MulDiv(255 - c, 3, 10); };
  return qRgba(ch(qRed(pixel)), ch(qGreen(pixel)), ch(qBlue(pixel)), qAlpha(pixel));
}

void SetDingyImages(bool value) { DingyFlag() = value; }
bool DingyImages() { return DingyFlag(); }

void DrawGlyph(TCanvas& canvas, const TzbGlyphArgs& a) {
  if (IsRectEmpty(a.Area) || a.Image.isNull()) return;
  const int aw = a.Area.Width(), ah = a.Area.Height();
  // The off-screen area.
  QImage off(aw, ah, QImage::Format_ARGB32);
  if (a.Transparent && canvas.Image()) {
    off = canvas.Image()->copy(ToQRect(a.Area)).convertToFormat(QImage::Format_ARGB32);
  } else {
    TCanvas oc(&off);
    oc.Brush = a.BackgroundBrush;
    oc.FillRect(Rect(0, 0, aw, ah));
  }
  // The work bitmap: an image-list image is drawn onto its background colour.
  QImage work(a.Image.size(), QImage::Format_ARGB32);
  if (a.FromImageList) {
    work.fill(ToQColor(a.ImageBackground));
    QPainter p(&work);
    p.drawImage(0, 0, a.Image);
  } else {
    work = a.Image.convertToFormat(QImage::Format_ARGB32);
  }
  const QRgb transparent = work.pixel(0, work.height() - 1) | 0xFF000000u;
  const int gx = a.GlyphRect.Left - a.Area.Left, gy = a.GlyphRect.Top - a.Area.Top;
  auto isTransparent = [&](QRgb p) { return (p | 0xFF000000u) == transparent; };

  if (a.TintColor != clNone || a.KeepColours) {
    for (int y = 0; y < work.height(); ++y)
      for (int x = 0; x < work.width(); ++x) {
        QRgb p = work.pixel(x, y);
        if (isTransparent(p)) continue;
        if (a.TintColor != clNone && !a.KeepColours)
          p = TintPixel(p, a.TintColor);
        else if (a.Grayed)
          p = GrayPixel(p);
        if ((a.KeepColours || a.TintColor == clNone) && a.FlatLook && !a.Hot && !a.Down && !a.Grayed && DingyImages())
          p = LightenPixel(p);
        work.setPixel(x, y, p | 0xFF000000u);
      }
    int px = gx, py = gy;
    if (a.FlatLook && a.Shadowed && a.Hot && !a.NoShadow) {
      const QRgb shadow = ToQRgb(clBtnShadow);
      const QImage mask = work.scaled(a.GlyphRect.Width(), a.GlyphRect.Height());
      for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
          if (!isTransparent(mask.pixel(x, y)) && off.rect().contains(gx + 2 + x, gy + 2 + y))
            off.setPixel(gx + 2 + x, gy + 2 + y, shadow);
      --px;
      --py;
    }
    for (int y = 0; y < work.height(); ++y)
      for (int x = 0; x < work.width(); ++x) {
        const QRgb p = work.pixel(x, y);
        if (!isTransparent(p) && off.rect().contains(px + x, py + y)) off.setPixel(px + x, py + y, p);
      }
  } else {
    // Embossed: every pixel that is neither white nor transparent takes the brush colour.
    const QRgb white = qRgb(255, 255, 255);
    auto paint = [&](int ox, int oy, QRgb color) {
      for (int y = 0; y < work.height(); ++y)
        for (int x = 0; x < work.width(); ++x) {
          const QRgb p = work.pixel(x, y) | 0xFF000000u;
          if (p == white || p == transparent) continue;
          if (off.rect().contains(ox + x, oy + y)) off.setPixel(ox + x, oy + y, color);
        }
    };
    if (!a.FlatLook) paint(gx + 1, gy + 1, ToQRgb(clBtnHighlight));
    paint(gx, gy, ToQRgb(clBtnShadow));
  }
  canvas.Painter().drawImage(a.Area.Left, a.Area.Top, off);
}

void DrawClassicSizeGrip(TCanvas& canvas, const TRect& r) {
  // Three groups of anti-diagonal lines in the bottom-right corner: one highlight line and two
  // shadow lines each; the pixels between them stay as they are.
  const int size = std::min(r.Width(), r.Height());
  for (int k = 0; k < 3; ++k) {
    const int base = 4 * k + 1;
    for (int j = 0; j < 3; ++j) {
      const int d = base + j;
      if (d >= size) continue;
      const TColor c = j == 0 ? clBtnHighlight : clBtnShadow;
      for (int i = 0; i <= d; ++i) FillSolid(canvas, Bounds(r.Right - 1 - i, r.Bottom - 1 - (d - i), 1, 1), c);
    }
  }
}

int GetEditThemeState(bool enabled, bool readOnly) {
  if (!enabled) return 4;
  return readOnly ? 6 : 1;
}

TColor GetEditThemeFillColor(int state) {
  TColor c;
  if (state == 4 && GetThemeColor(ThemeHandle(totEdit), 1, state, TMT_FILLCOLOR, c)) return c;
  return ColorToRGB(clWindow);
}

TColor GetEditThemeTextColor(int state) {
  TColor c;
  if (GetThemeColor(ThemeHandle(totEdit), 1, state, TMT_TEXTCOLOR, c)) return c;
  return ColorToRGB(state == 4 ? clGrayText : clWindowText);
}

TColor GetToolbarThemeTextColor(int state) {
  TColor c;
  if (GetThemeColor(ThemeHandle(totToolBar), 1 /* TP_BUTTON */, state, TMT_TEXTCOLOR, c)) return c;
  return ColorToRGB(state == 4 ? clGrayText : clBtnText);
}

TColor GetToolbarThemeFillColor() {
  TColor c;
  if (GetThemeColor(ThemeHandle(totToolBar), 0, 0, TMT_FILLCOLOR, c)) return c;
  return ColorToRGB(clBtnFace);
}

void GetThemedSizeGripSize(int& width, int& height) {
  TThemeSize s;
  if (!GetThemePartSize(ThemeHandle(totScrollBar), 10, 1, TS_TRUE, s)) s = {16, 16};
  width = s.cx + 2;
  height = s.cy + 2;
}

void DrawThemedSizeGrip(TCanvas& canvas, const TRect& rect, int corner) {
  const TRect r = ThemedSizeGripRect(rect, corner);
  FillSolid(canvas, r, clBtnFace);
  QImage grip(r.Width(), r.Height(), QImage::Format_RGB32);
  grip.fill(ToQColor(clBtnFace));
  {
    TCanvas gc(&grip);
    const TRect inner = Rect(0, 0, r.Width() - 2, r.Height() - 2);
    DrawThemeBackground(ThemeHandle(totStatus), gc, 3, 0, inner);
  }
  const bool mirrorX = corner == 0 || corner == 2, mirrorY = corner == 0 || corner == 1;
#if QT_VERSION >= QT_VERSION_CHECK(6, 9, 0)
  grip = grip.flipped((mirrorX ? Qt::Horizontal : Qt::Orientations()) | (mirrorY ? Qt::Vertical : Qt::Orientations()));
#else
  grip = grip.mirrored(mirrorX, mirrorY);
#endif
  canvas.Painter().drawImage(r.Left, r.Top, grip);
}

void GetThemedCloseButtonSize(int& width, int& height) {
  TThemeSize s;
  if (!GetThemePartSize(ThemeHandle(totWindow), 19, 1, TS_TRUE, s)) s = {13, 13};
  width = s.cx;
  height = s.cy;
}

TRect ThemedCloseButtonRect(const TRect& r, int side) {
  int w, h;
  GetThemedCloseButtonSize(w, h);
  const int top = r.Top + (r.Height() - h) / 2;
  const int left = (side == 1 || side == 3) ? r.Left : r.Right - w;
  return Bounds(left, top, w, h);
}

void DrawThemedCloseButton(TCanvas& canvas, const TRect& r, bool hot, int side, bool pressed) {
  FillSolid(canvas, r, clBtnFace);
  DrawThemeBackground(ThemeHandle(totWindow), canvas, 19, pressed ? 3 : hot ? 2 : 1, ThemedCloseButtonRect(r, side));
}

TRect ThemedSizeGripRect(const TRect& rect, int corner) {
  int w, h;
  GetThemedSizeGripSize(w, h);
  TRect r = rect;
  if (corner == 1 || corner == 3)
    r.Left = r.Right - w - 1;
  else
    r.Right = r.Left + w + 1;
  if (corner == 2 || corner == 3)
    r.Top = r.Bottom - h;
  else
    r.Bottom = r.Top + h;
  return r;
}

void ExcludeClipRect(TCanvas& canvas, const TRect& r) {
  QPainter& p = canvas.Painter();
  const QRegion region = p.hasClipping() ? p.clipRegion() : QRegion(0, 0, p.device()->width(), p.device()->height());
  p.setClipRegion(region.subtracted(QRegion(ToQRect(r))));
}

namespace {
constexpr int kCaptionButtonSize = 18;  // the classic caption button width

TRect ToScreen(const TRect& r, const TPoint& origin) {
  TRect s = r;
  OffsetRect(s, origin.X, origin.Y);
  return s;
}
}  // namespace

TRect DrawDropDownCloseButton(TCanvas& canvas, const TRect& strip, int corner, bool flat, bool hot, bool pressed) {
  const int w = kCaptionButtonSize, h = kCaptionButtonSize + 1;
  const int left = (corner == 1 || corner == 3) ? strip.Left : strip.Right - w;
  int top = (strip.Top + strip.Bottom - h) / 2;
  if (corner == 2 || corner == 3) ++top;
  const TRect button = Bounds(left, top, w, h);
  TRect r = button;
  InflateRect(r, -1, -2);
  if ((hot || pressed) && !flat) {
    TRect e = r;
    canvas.DrawEdge(e, hot && pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  } else {
    FrameSolid(canvas, r, clBtnFace);
  }
  InflateRect(r, -1, -1);
  FrameSolid(canvas, r, clBtnFace);
  TRect clip = r;
  InflateRect(clip, -1, -1);
  QPainter& p = canvas.Painter();
  p.save();
  p.setClipRect(ToQRect(clip), Qt::IntersectClip);
  TRect glyph = r;
  InflateRect(glyph, 1, 1);
  OffsetRect(glyph, 0, 1);  // the glyph sits one pixel lower unless the caption buttons are 22 wide
  unsigned state = DFCS_CAPTIONCLOSE | DFCS_FLAT;
  if (hot && pressed && !flat) state |= DFCS_PUSHED;
  canvas.DrawFrameControl(glyph, DFC_CAPTION, state);
  p.restore();
  return button;
}

void DrawDropDownWindowFrame(TCanvas& canvas, const TzbDropDownWindowGeometry& window, bool withStrip, bool flat,
                             int corner, TRect& gripRect, TRect& closeRect, bool closeHot, bool closePressed) {
  TRect w = Rect(0, 0, window.Width, window.Height);
  const int b = window.Client.Left;
  const TColor frame = flat ? clBtnShadow : clWindowFrame;
  FrameSolid(canvas, w, frame);
  gripRect = TRect{};
  closeRect = TRect{};
  if (!withStrip) return;
  InflateRect(w, -b, -b);
  const int height = DropDownFrameHeight();
  TRect strip = w;
  const bool top = corner == 0 || corner == 1;
  if (top) {
    strip.Bottom = strip.Top + height - 1;
    FillSolid(canvas, Rect(strip.Left, strip.Bottom, strip.Right, strip.Bottom + 1), frame);
  } else {
    strip.Top = strip.Bottom - height + 1;
    FillSolid(canvas, Rect(strip.Left, strip.Top - 1, strip.Right, strip.Top), frame);
  }
  QPainter& p = canvas.Painter();
  p.save();
  PaintSizeGrip(canvas, strip, corner);
  TRect grip = strip;
  if (corner == 1 || corner == 3)
    grip.Left = grip.Right - SM_CXVSCROLL_VALUE;
  else
    grip.Right = grip.Left + SM_CXVSCROLL_VALUE;
  if (corner == 2 || corner == 3)
    grip.Top = grip.Bottom - SM_CYHSCROLL_VALUE;
  else
    grip.Bottom = grip.Top + SM_CYHSCROLL_VALUE;
  ExcludeClipRect(canvas, grip);
  InflateRect(grip, 2, 2);
  grip.Top = std::max(grip.Top, strip.Top);
  grip.Bottom = std::min(grip.Bottom, strip.Bottom);
  gripRect = ToScreen(grip, window.ScreenOrigin);
  const TRect close = DrawDropDownCloseButton(canvas, strip, corner, flat, closeHot, closePressed);
  ExcludeClipRect(canvas, close);
  closeRect = ToScreen(close, window.ScreenOrigin);
  FillSolid(canvas, strip, clBtnFace);
  p.restore();
  if (!top && window.BothScrollBars)
    FillSolid(canvas,
              Rect(strip.Right - SM_CXVSCROLL_VALUE, strip.Top - 1 - SM_CYHSCROLL_VALUE, strip.Right, strip.Top - 1),
              clBtnFace);
}

// ---------------------------------------------------------------- clip regions, colour depth, fonts

QRegion StoreClipRegion(TCanvas& canvas, bool& hadRegion) {
  hadRegion = canvas.Painter().hasClipping();
  return hadRegion ? canvas.Painter().clipRegion() : QRegion();
}

void ReloadClipRegion(TCanvas& canvas, const QRegion& region, bool hadRegion) {
  if (hadRegion)
    canvas.Painter().setClipRegion(region);
  else
    canvas.Painter().setClipping(false);
}

void UniteClipRect(TCanvas& canvas, const TRect& r) {
  QPainter& p = canvas.Painter();
  if (!p.hasClipping()) return;
  p.setClipRegion(p.clipRegion().united(QRegion(ToQRect(r))));
}

QRegion SubtractRectFromRegion(const QRegion& region, const TRect& r) { return region.subtracted(QRegion(ToQRect(r))); }

namespace {
int& DepthSlot() {
  static int depth = 0;
  return depth;
}
std::function<void(const char*)>& SoundPlayer() {
  static std::function<void(const char*)> player = [](const char* alias) { PlayBarSoundFile(alias); };
  return player;
}
}  // namespace

void UpdateColorDepth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  DepthSlot() = screen ? screen->depth() : 32;
}

int ColorDepth() {
  if (DepthSlot() == 0) UpdateColorDepth();
  return DepthSlot();
}

QFont CreateBarFont(const QFont& font, bool scaled) {
  QFont result = font;
  if (!scaled) return result;
  // The icon-title font of the desktop is the application's general font here.
  int pixels = QFontInfo(QApplication::font()).pixelSize();
  if (pixels < 11) pixels = 11;
  result.setPixelSize(pixels);
  return result;
}

// ---------------------------------------------------------------- sounds and input state

void PlayBarSound(int kind) {
  if (kind != 0 && kind != 1) return;
  if (SoundPlayer()) SoundPlayer()(kind == 0 ? "MenuPopup" : "MenuCommand");
}

void SetBarSoundPlayer(std::function<void(const char* alias)> player) { SoundPlayer() = std::move(player); }

namespace {
QString SoundNameOf(const char* alias) {
  return std::strcmp(alias, "MenuPopup") == 0     ? QStringLiteral("menu-popup")
         : std::strcmp(alias, "MenuCommand") == 0 ? QStringLiteral("menu-click")
                                                  : QString();
}
}  // namespace

QString FindBarSoundFile(const char* alias) { return FindSystemSoundFile(SoundNameOf(alias)); }

void PlayBarSoundFile(const char* alias) {
  const QString name = SoundNameOf(alias);
  if (!name.isEmpty()) PlaySystemSound(name);
}

bool LeftButtonDown() { return QGuiApplication::mouseButtons() & Qt::LeftButton; }

bool RightButtonDown() { return QGuiApplication::mouseButtons() & Qt::RightButton; }

unsigned GetModifierState() {
  const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
  return ((m & Qt::ShiftModifier) ? 1u : 0u) | ((m & Qt::AltModifier) ? 2u : 0u) |
         ((m & Qt::ControlModifier) ? 4u : 0u);
}

// ---------------------------------------------------------------- windows

QWidget* WindowFromPointDeep(const QPoint& screenPoint) {
  QWidget* top = nullptr;
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (auto it = windows.crbegin(); it != windows.crend() && !top; ++it)
    if ((*it)->isVisible() && (*it)->frameGeometry().contains(screenPoint)) top = *it;
  if (!top) return nullptr;
  QWidget* w = top;
  for (;;) {
    QWidget* child = nullptr;
    const QObjectList& children = w->children();
    for (auto it = children.crbegin(); it != children.crend() && !child; ++it) {
      auto* c = qobject_cast<QWidget*>(*it);
      if (c && !c->isWindow() && c->isVisible() && c->rect().contains(c->mapFromGlobal(screenPoint))) child = c;
    }
    if (!child) return w;
    w = child;
  }
}

bool IsDescendantWindow(const QWidget* window, const QWidget* ancestor) {
  if (!window || !ancestor) return false;
  for (const QWidget* p = window->parentWidget(); p; p = p->parentWidget())
    if (p == ancestor) return true;
  return false;
}

TRect GetMonitorWorkArea(const QPoint& screenPoint) {
  QScreen* screen = QGuiApplication::screenAt(screenPoint);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? FromQRect(screen->availableGeometry()) : TRect{};
}

}  // namespace zyn
