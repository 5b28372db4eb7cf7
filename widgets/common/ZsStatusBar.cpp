#include "widgets/common/ZsStatusBar.h"

#include "widgets/common/ZSKb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zyn {
namespace {

bool IsDateTimeType(TzsStatusPanelType t) { return t >= sptDate && t <= sptTimeDate; }
bool IsLockType(TzsStatusPanelType t) { return t >= sptCapsLock && t <= sptScrollLock; }

int KeyOfType(TzsStatusPanelType t) {
  return t == sptNumLock ? VK_NUMLOCK : t == sptScrollLock ? VK_SCROLL : VK_CAPITAL;
}

// The class library's date and time formats ("dd.mm.yyyy", "hh:nn:ss") in Qt's notation.
QString QtDateFormat(const QString& f) {
  QString r = f;
  r.replace(QLatin1Char('m'), QLatin1Char('M'));
  return r;
}

QString QtTimeFormat(const QString& f) {
  QString r = f;
  r.replace(QLatin1Char('n'), QLatin1Char('m'));
  r.replace(QStringLiteral("am/pm"), QStringLiteral("AP"), Qt::CaseInsensitive);
  return r;
}

// The lock keys as the programme sees them: the LEDs of the keyboard where the system exposes
// them, else the state followed from the key presses. Panels that follow the keys are listed once
// for the whole programme; the first one installs the watch on the application's key events.
class KeyboardWatch : public QObject {
 public:
  static KeyboardWatch& Instance() {
    static KeyboardWatch* watch = new KeyboardWatch;  // lives as long as the programme
    return *watch;
  }

  void Join(TzsStatusPanel* panel) {
    if (std::find(panels.begin(), panels.end(), panel) != panels.end()) return;
    panels.push_back(panel);
    if (panels.size() == 1 && qApp) qApp->installEventFilter(this);
  }

  void Leave(TzsStatusPanel* panel) {
    panels.erase(std::remove(panels.begin(), panels.end(), panel), panels.end());
    if (panels.empty() && qApp) qApp->removeEventFilter(this);
  }

  bool Tracked(int vk) const { return vk == VK_NUMLOCK ? numLock : vk == VK_SCROLL ? scrollLock : capsLock; }

  // Repaints the panels of a key (0: all).
  void Repaint(int vk) {
    for (TzsStatusPanel* p : std::vector<TzsStatusPanel*>(panels))
      if (vk == 0 || KeyOfType(p->PanelType()) == vk) p->Repaint();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      // each press reaches several objects on its way; count it once
      if (!key->isAutoRepeat() && key->timestamp() != lastTimestamp) {
        lastTimestamp = key->timestamp();
        int vk = 0;
        if (key->key() == Qt::Key_CapsLock) capsLock = !capsLock, vk = VK_CAPITAL;
        if (key->key() == Qt::Key_NumLock) numLock = !numLock, vk = VK_NUMLOCK;
        if (key->key() == Qt::Key_ScrollLock) scrollLock = !scrollLock, vk = VK_SCROLL;
        if (vk) Repaint(vk);
      }
    } else if (event->type() == QEvent::ApplicationStateChange) {
      Repaint(0);
    }
    return QObject::eventFilter(watched, event);
  }

  std::vector<TzsStatusPanel*> panels;
  bool capsLock = false, numLock = false, scrollLock = false;
  quint64 lastTimestamp = ~0ull;
};

// The LED of a lock key, -1 when the system shows none.
int LedState(int vk) {
  const char* suffix = vk == VK_NUMLOCK ? "::numlock" : vk == VK_SCROLL ? "::scrolllock" : "::capslock";
  const QDir leds(QStringLiteral("/sys/class/leds"));
  const QStringList names = leds.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    if (!name.endsWith(QLatin1String(suffix))) continue;
    QFile f(leds.filePath(name + QStringLiteral("/brightness")));
    if (!f.open(QIODevice::ReadOnly)) continue;
    return f.readAll().trimmed().toInt() > 0 ? 1 : 0;
  }
  return -1;
}

}  // namespace

bool LockKeyToggled(int virtualKey) {
  const int led = LedState(virtualKey);
  if (led >= 0) return led == 1;
  return KeyboardWatch::Instance().Tracked(virtualKey);
}

// ---------------------------------------------------------------- gauge settings

void TzsGaugeAttrs::SetStyle(TzsGaugeStyle style) {
  if (style == fStyle) return;
  const TzsGaugeStyle old = fStyle;
  fStyle = style;
  if (fOwner) fOwner->GaugeStyleChanged(old);
}

void TzsGaugeAttrs::SetPosition(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == fPosition) return;
  fPosition = percent;
  if (fOwner) fOwner->Repaint();
}

void TzsGaugeAttrs::SetSpeed(int speed) {
  // A speed of 0 or below would stop the animation for good; such values are refused.
  if (speed == fSpeed || speed <= 0) return;
  fSpeed = speed;
  if (fOwner) fOwner->fGaugeStep = fOwner->fGaugeStep < 0 ? -speed : speed;
}

void TzsGaugeAttrs::SetColor(TColor color) {
  if (color == fColor) return;
  fColor = color;
  if (fOwner) {
    fOwner->fGradient = QImage();
    fOwner->Repaint();
  }
}

void TzsGaugeAttrs::SetTextColor(TColor color) {
  if (color == fTextColor) return;
  fTextColor = color;
  if (fOwner) fOwner->Repaint();
}

void TzsGaugeAttrs::Assign(const TzsGaugeAttrs& other) {
  SetPosition(other.fPosition);
  SetStyle(other.fStyle);
}

// ---------------------------------------------------------------- panel

TzsStatusPanel::TzsStatusPanel(TzsStatusBar* bar) : fBar(bar), fGauge(std::make_unique<TzsGaugeAttrs>(this)) {}

TzsStatusPanel::~TzsStatusPanel() { LeaveAll(); }

int TzsStatusPanel::Index() const { return fBar->IndexOf(this); }

void TzsStatusPanel::SetIndex(int index) { fBar->MovePanel(Index(), index); }

void TzsStatusPanel::SetGaugeAttrs(std::unique_ptr<TzsGaugeAttrs> attrs) {
  if (!attrs) return;
  const TzsGaugeStyle old = fGauge->fStyle;
  fGauge = std::move(attrs);
  fGauge->fOwner = this;
  GaugeStyleChanged(old);
}

void TzsStatusPanel::SetAlignment(TTextAlignment alignment) {
  if (alignment == fAlignment) return;
  fAlignment = alignment;
  Repaint();
}

void TzsStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  if (bevel == fBevel) return;
  fBevel = bevel;
  fBar->update();
}

void TzsStatusPanel::SetBorderWidth(int width) {
  if (width == fBorderWidth) return;
  fBorderWidth = width;
  RecomputeAutoFit();
  Repaint();
}

void TzsStatusPanel::SetPanelType(TzsStatusPanelType type) {
  if (type == fType) return;
  LeaveAll();
  fType = type;
  switch (type) {
    case sptCapsLock:
      fText = QStringLiteral(" CAPS ");
      fAutoFit = true;
      break;
    case sptNumLock:
      fText = QStringLiteral(" NUM ");
      fAutoFit = true;
      break;
    case sptScrollLock:
      fText = QStringLiteral(" SCROLL ");
      fAutoFit = true;
      break;
    case sptDate:
    case sptTime:
    case sptDateTime:
    case sptTimeDate:
      fAutoFit = false;
      RefreshDateTime();
      break;
    case sptEllipsisText:
    case sptEllipsisPath:
      fAutoFit = false;
      if (fHint.isEmpty()) fHint = QStringLiteral("...");
      break;
    case sptGlyph:
      fAutoFit = true;
      break;
    case sptGauge:
      fAutoFit = false;
      fAlignment = TTextAlignment::taCenter;
      if (IsAnimated()) {
        fEnabled = false;
        fGaugePos = 0;
        fGaugeStep = fGauge->fSpeed;
      }
      break;
    default:
      fAutoFit = false;
      break;
  }
  UpdateRegistrations();
  RecomputeAutoFit();
  fBar->update();
}

void TzsStatusPanel::SetGlyph(const QImage& glyph) {
  fGlyph = glyph;
  if (fType == sptGlyph) {
    RecomputeAutoFit();
    Repaint();
  }
}

void TzsStatusPanel::SetText(const QString& text) {
  if (text == fText) return;
  fText = text;
  Repaint();
  RecomputeAutoFit();
}

void TzsStatusPanel::SetDateFormat(const QString& format) {
  if (format == fDateFormat) return;
  fDateFormat = format;
  if (IsDateTimeType(fType)) RefreshDateTime();
}

void TzsStatusPanel::SetTimeFormat(const QString& format) {
  if (format == fTimeFormat) return;
  fTimeFormat = format;
  if (IsDateTimeType(fType)) RefreshDateTime();
}

void TzsStatusPanel::SetEnabled(bool enabled) {
  if (enabled == fEnabled) return;
  fEnabled = enabled;
  EnabledChanged();
}

bool TzsStatusPanel::IsEnabled() const { return fEnabled && fBar->isEnabled(); }

void TzsStatusPanel::EnabledChanged() {
  UpdateRegistrations();
  if (!IsEnabled()) {
    fGaugePos = 0;
    fGaugeStep = fGauge->fSpeed;
  }
  Repaint();
}

void TzsStatusPanel::SetWidth(int width) {
  if (width == fWidth || fAutoFit) return;
  fWidth = width;
  if (IsAnimated()) {
    fGaugePos = 0;
    fGaugeStep = fGauge->fSpeed;
  }
  fBar->update();
}

void TzsStatusPanel::SetAutoFit(bool autoFit) {
  if (autoFit == fAutoFit) return;
  fAutoFit = autoFit;
  RecomputeAutoFit();
  Repaint();
}

QString TzsStatusPanel::ShownHint() const {
  QString hint = fHint;
  if ((fType == sptEllipsisText || fType == sptEllipsisPath) && hint == QLatin1String("...")) hint = fText;
  return hint;
}

void TzsStatusPanel::Assign(const TzsStatusPanel& o) {
  fGauge->Assign(*o.fGauge);
  SetAlignment(o.fAlignment);
  SetBevel(o.fBevel);
  SetGlyph(o.fGlyph);
  SetText(o.fText);
  SetDateFormat(o.fDateFormat);
  SetTimeFormat(o.fTimeFormat);
  SetEnabled(o.fEnabled);
  fWidth = o.fWidth;
  SetAutoFit(o.fAutoFit);
  fHint = o.fHint;
  OnDrawPanel = o.OnDrawPanel;
  OnHintText = o.OnHintText;
  SetPanelType(o.fType);
}

bool TzsStatusPanel::LockKeyState() const {
  if (fBar->UseMonitorDLL()) return fCachedKeyState;
  return LockKeyToggled(KeyOfType(fType));
}

void TzsStatusPanel::GaugeStyleChanged(TzsGaugeStyle) {
  UpdateRegistrations();
  Repaint();
}

void TzsStatusPanel::UpdateRegistrations() {
  if (fBar->fDestroying) return;
  const bool enabled = IsEnabled();
  const bool timer = enabled && (IsDateTimeType(fType) || IsAnimated());
  const bool keyboard = enabled && IsLockType(fType) && !fBar->fUseMonitorDLL;
  const bool monitor = enabled && IsLockType(fType) && fBar->fUseMonitorDLL;
  if (timer != fOnTimer) {
    fOnTimer = timer;
    timer ? fBar->JoinTimer(this) : fBar->LeaveTimer(this);
  }
  if (keyboard != fOnKeyboard) {
    fOnKeyboard = keyboard;
    keyboard ? KeyboardWatch::Instance().Join(this) : KeyboardWatch::Instance().Leave(this);
  }
  if (monitor != fOnMonitor) {
    fOnMonitor = monitor;
    monitor ? fBar->JoinMonitor(this) : fBar->LeaveMonitor(this);
  }
}

void TzsStatusPanel::LeaveAll() {
  if (fOnTimer) fBar->LeaveTimer(this);
  if (fOnKeyboard) KeyboardWatch::Instance().Leave(this);
  if (fOnMonitor) fBar->LeaveMonitor(this);
  fOnTimer = fOnKeyboard = fOnMonitor = false;
}

QString TzsStatusPanel::DateTimeText() const {
  const QDateTime now = fBar->Clock();
  const QLocale locale;
  const QString date = fDateFormat.isEmpty() ? locale.toString(now.date(), QLocale::ShortFormat)
                                             : locale.toString(now.date(), QtDateFormat(fDateFormat));
  const QString time = fTimeFormat.isEmpty() ? locale.toString(now.time(), QLocale::LongFormat)
                                             : locale.toString(now.time(), QtTimeFormat(fTimeFormat));
  switch (fType) {
    case sptDate:
      return date;
    case sptTime:
      return time;
    case sptDateTime:
      return date + QLatin1Char(' ') + time;
    default:
      return time + QLatin1Char(' ') + date;
  }
}

void TzsStatusPanel::RefreshDateTime() {
  const QString text = DateTimeText();
  if (text == fText) return;
  fText = text;
  Repaint();
}

void TzsStatusPanel::RecomputeAutoFit() {
  if (!fAutoFit) return;
  const QFontMetrics fm(fBar->font());
  const int cx = fText.isEmpty() ? 0 : fm.horizontalAdvance(fText);
  int w;
  if (fType != sptGlyph)
    w = cx + fBorderWidth + 6;
  else if (!fText.isEmpty())
    w = cx + 2 * fBorderWidth + fGlyph.width() + 6;
  else
    w = fGlyph.width() + fBorderWidth + 4;
  fWidth = w;
  fBar->update();
}

void TzsStatusPanel::Repaint() {
  if (fBar->fDestroying) return;
  const int index = Index();
  if (index < 0) return;
  const TRect r = fBar->PanelRect(index);
  if (IsRectEmpty(r) || !fBar->isVisible()) return;
  fBar->repaint(ToQRect(r));
}

void TzsStatusPanel::Paint(TCanvas& canvas, const TRect& rect) {
  if (IsRectEmpty(rect)) return;
  TRect r = rect;
  InflateRect(r, -1, -1);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  QImage picture(r.Width(), r.Height(), QImage::Format_RGB32);
  picture.fill(ToQColor(fBar->fColor));
  {
    TCanvas c(&picture);
    c.Font.Font = fBar->font();
    c.Font.Color = fBar->fFontColor;
    TRect work = Rect(0, 0, r.Width(), r.Height());
    if (fBorderWidth) InflateRect(work, -fBorderWidth, -fBorderWidth);
    if (IsEnabled()) {
      if (IsLockType(fType))
        PaintLockKey(c, work);
      else if (fType == sptGlyph)
        PaintGlyph(c, work);
      else if (fType == sptGauge)
        IsAnimated() ? PaintAnimation(c, work) : PaintPercent(c, work);
      else if (fType == sptOwnerDraw)
        return;
      else
        PaintText(c, work);
    }
  }
  canvas.Draw(r.Left, r.Top, picture);
}

namespace {
unsigned AlignFlags(TTextAlignment a) {
  return a == TTextAlignment::taCenter ? DT_CENTER : a == TTextAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
}
}  // namespace

void TzsStatusPanel::PaintText(TCanvas& c, const TRect& rect) {
  TRect r = rect;
  unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (fAutoFit) {
    flags |= DT_CENTER;
  } else {
    if (fAlignment == TTextAlignment::taRightJustify) r.Right -= 1;
    flags |= AlignFlags(fAlignment);
  }
  if (fType == sptEllipsisText) flags |= DT_END_ELLIPSIS;
  if (fType == sptEllipsisPath) flags |= DT_PATH_ELLIPSIS;
  c.Brush.Style = bsClear;
  c.Font.Color = fBar->fFontColor;
  c.DrawText(fText, r, flags);
}

void TzsStatusPanel::PaintLockKey(TCanvas& c, const TRect& rect) {
  TRect r = rect;
  const unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (fAutoFit ? DT_CENTER : AlignFlags(fAlignment));
  c.Brush.Style = bsClear;
  c.Font.Color = LockKeyState() ? fBar->fFontColor : clGrayText;
  c.DrawText(fText, r, flags);
}

void TzsStatusPanel::PaintGlyph(TCanvas& c, const TRect& r) {
  const int tw = fText.isEmpty() ? 0 : c.TextWidth(fText) + 2;
  const int gw = fGlyph.width();
  int x = r.Left;
  if (fAutoFit || fAlignment == TTextAlignment::taCenter)
    x = r.Left + (r.Width() - gw - tw) / 2;
  else if (fAlignment == TTextAlignment::taRightJustify)
    x = r.Right - gw;
  if (!fGlyph.isNull()) {
    const int y = r.Top + (r.Height() - fGlyph.height()) / 2;
    QImage glyph = fGlyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = glyph.pixel(0, glyph.height() - 1);
    for (int yy = 0; yy < glyph.height(); ++yy)
      for (int xx = 0; xx < glyph.width(); ++xx)
        if (glyph.pixel(xx, yy) == transparent) glyph.setPixel(xx, yy, 0);
    c.Painter().drawImage(x, y, glyph);
  }
  if (fText.isEmpty()) return;
  TRect tr = r;
  unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (fAlignment == TTextAlignment::taRightJustify && !fAutoFit) {
    tr.Right = x - 2;
    flags |= DT_RIGHT;
  } else {
    tr.Left = x + gw + 2;
  }
  c.Brush.Style = bsClear;
  c.Font.Color = fBar->fFontColor;
  c.DrawText(fText, tr, flags);
}

void TzsStatusPanel::PaintPercent(TCanvas& c, const TRect& r) {
  const int filled = MulDiv(r.Width(), fGauge->fPosition, 100);
  c.Brush.Style = bsSolid;
  c.Brush.Color = fGauge->fColor;
  c.FillRect(Rect(r.Left, r.Top, r.Left + filled, r.Bottom));
  c.Brush.Color = fBar->fColor;
  c.FillRect(Rect(r.Left + filled, r.Top, r.Right, r.Bottom));
  const QString text = fText.isEmpty() ? QString::number(fGauge->fPosition) + QLatin1Char('%') : fText;
  const unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | AlignFlags(fAlignment);
  c.Brush.Style = bsClear;
  TRect tr = r;
  c.SetClipRect(Rect(r.Left, r.Top, r.Left + filled, r.Bottom));
  c.Font.Color = fGauge->fTextColor;
  c.DrawText(text, tr, flags);
  tr = r;
  c.SetClipRect(Rect(r.Left + filled, r.Top, r.Right, r.Bottom));
  c.Font.Color = fBar->fFontColor;
  c.DrawText(text, tr, flags);
  c.ResetClip();
}

const QImage& TzsStatusPanel::GradientPicture(int height) {
  if (fGradient.isNull() || fGradient.height() != height) {
    fGradient = QImage(100, std::max(height, 1), QImage::Format_RGB32);
    const TColor from = ColorToRGB(fBar->fColor), to = ColorToRGB(fGauge->fColor);
    for (int i = 0; i < 100; ++i) {
      const auto channel = [i](int a, int b) { return a + static_cast<int>(std::lround((b - a) * i / 99.0)); };
      const QColor col(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
                       channel(GetBValue(from), GetBValue(to)));
      for (int y = 0; y < fGradient.height(); ++y) fGradient.setPixelColor(i, y, col);
    }
  }
  return fGradient;
}

void TzsStatusPanel::PaintAnimation(TCanvas& c, const TRect& rect) {
  const int speed = fGauge->fSpeed;
  fGaugePos += fGaugeStep;
  TRect r = rect;
  if (fGauge->fStyle == gsIndeterminate) {
    const int third = r.Height() / 3;
    r.Top += third;
    r.Bottom -= third;
    const int d = r.Height();
    if (fGaugeStep > 0 && fGaugePos + d + 1 >= r.Width())
      fGaugeStep = -speed;
    else if (fGaugeStep < 0 && fGaugePos <= 1)
      fGaugeStep = speed;
    c.Pen.Color = fGauge->fColor;
    c.Brush.Style = bsSolid;
    c.Brush.Color = fGauge->fColor;
    TRect ball = Bounds(r.Left + fGaugePos, r.Top, d, d);
    InflateRect(ball, 1, 1);
    c.Ellipse(ball);
    return;
  }
  const QImage& gradient = GradientPicture(fBar->height());
  const int pw = gradient.width();
  if (fGaugeStep > 0 && fGaugePos + 1 >= r.Width())
    fGaugeStep = -speed;
  else if (fGaugeStep < 0 && fGaugePos <= -pw)
    fGaugeStep = speed;
  const QImage picture = fGaugeStep < 1 ? gradient.mirrored(true, false) : gradient;
  const int x = r.Left + fGaugePos;
  const int room = r.Right - x;
  int sourceLeft = 0, width = pw;
  if (room < pw) {
    width = std::max(room, 0);
    if (fGaugeStep < 1) sourceLeft = pw - width;
  }
  c.SetClipRect(r);
  c.Painter().drawImage(QPoint(x, r.Top), picture, QRect(sourceLeft, 0, width, r.Height()));
  c.ResetClip();
}

// ---------------------------------------------------------------- bar

TzsStatusBar::TzsStatusBar(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(400, 19);
  setMinimumHeight(19);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setMouseTracking(true);
}

TzsStatusBar::~TzsStatusBar() {
  for (auto& p : fPanels) p->LeaveAll();
  fDestroying = true;
  fPanels.clear();
  fTimer.reset();
}

TzsStatusPanel* TzsStatusBar::Panel(int index) const {
  if (index < 0 || index >= PanelCount()) throw std::out_of_range("Listenindex überschreitet das Maximum");
  return fPanels[static_cast<size_t>(index)].get();
}

TzsStatusPanel* TzsStatusBar::AddPanel() {
  fPanels.push_back(std::make_unique<TzsStatusPanel>(this));
  update();
  return fPanels.back().get();
}

void TzsStatusBar::DeletePanel(int index) {
  Panel(index)->LeaveAll();
  fPanels.erase(fPanels.begin() + index);
  update();
}

void TzsStatusBar::MovePanel(int from, int to) {
  Panel(from);
  to = std::clamp(to, 0, PanelCount() - 1);
  if (from == to) return;
  auto panel = std::move(fPanels[static_cast<size_t>(from)]);
  fPanels.erase(fPanels.begin() + from);
  fPanels.insert(fPanels.begin() + to, std::move(panel));
  update();
}

void TzsStatusBar::AssignPanels(const TzsStatusBar& other) {
  while (PanelCount()) DeletePanel(PanelCount() - 1);
  for (const auto& p : other.fPanels) AddPanel()->Assign(*p);
}

int TzsStatusBar::IndexOf(const TzsStatusPanel* panel) const {
  for (size_t i = 0; i < fPanels.size(); ++i)
    if (fPanels[i].get() == panel) return static_cast<int>(i);
  return -1;
}

void TzsStatusBar::SetUseMonitorDLL(bool use) {
  if (use == fUseMonitorDLL) return;
  if (use && !ZSKbLoaded() && !ZSKbLoad()) return;  // without the library the bar keeps its own watch
  fUseMonitorDLL = use;
  for (auto& p : fPanels) p->UpdateRegistrations();
  if (use && fMonitorCount == 0) ZSKbUnload();
}

void TzsStatusBar::SetColor(TColor color) {
  if (color == fColor) return;
  fColor = color;
  for (auto& p : fPanels) p->fGradient = QImage();
  update();
}

TRect TzsStatusBar::PanelRect(int index) const {
  if (index < 0 || index >= PanelCount()) return {};
  int x = 0;
  for (int i = 0; i < PanelCount(); ++i) {
    const bool last = i == PanelCount() - 1;
    const int right = last ? std::max(width() - (fColor != clBtnFace ? 16 : 0), x) : x + fPanels[size_t(i)]->fWidth;
    if (i == index) {
      const TRect r = Rect(x, 2, right, height());
      return r.Width() > 0 && r.Height() > 0 ? r : TRect{};
    }
    x = right + 2;
  }
  return {};
}

int TzsStatusBar::PanelAt(const QPoint& p) const {
  for (int i = 0; i < PanelCount(); ++i) {
    const TRect r = PanelRect(i);
    if (p.x() >= r.Left && p.x() < r.Right) return i;
  }
  return -1;
}

void TzsStatusBar::JoinTimer(TzsStatusPanel* panel) {
  if (!fTimer) {
    fTimer = std::make_unique<QTimer>();
    fLastDate = Clock().date();
    QObject::connect(fTimer.get(), &QTimer::timeout, this, [this] { TimerTick(); });
  }
  if (std::find(fTimerPanels.begin(), fTimerPanels.end(), panel) != fTimerPanels.end()) return;
  fTimerPanels.push_back(panel);
  UpdateInterval();
  fTimer->start();
}

void TzsStatusBar::LeaveTimer(TzsStatusPanel* panel) {
  fTimerPanels.erase(std::remove(fTimerPanels.begin(), fTimerPanels.end(), panel), fTimerPanels.end());
  if (fTimerPanels.empty()) {
    fTimer.reset();
    return;
  }
  UpdateInterval();
}

void TzsStatusBar::UpdateInterval() {
  if (!fTimer) return;
  bool gauge = false, time = false;
  for (TzsStatusPanel* p : fTimerPanels) {
    gauge |= p->IsAnimated();
    time |= p->fType == sptTime || p->fType == sptDateTime || p->fType == sptTimeDate;
  }
  fTimer->setInterval(gauge ? 50 : time ? 1000 : 60000);
}

void TzsStatusBar::TimerTick() {
  const QDate today = Clock().date();
  const bool dayChanged = today != fLastDate;
  if (dayChanged) fLastDate = today;
  for (TzsStatusPanel* p : std::vector<TzsStatusPanel*>(fTimerPanels)) {
    if (p->fType == sptTime || p->fType == sptDateTime || p->fType == sptTimeDate)
      p->RefreshDateTime();
    else if (p->fType == sptDate && dayChanged)
      p->RefreshDateTime();
    else if (p->IsAnimated())
      p->Repaint();
  }
}

void TzsStatusBar::JoinMonitor(TzsStatusPanel* panel) {
  if (++fMonitorCount == 1) {
    if (!ZSKbLoaded()) ZSKbLoad();
    fMonitorMessage = ZSKbRegisterWindow(reinterpret_cast<std::uintptr_t>(this));
  }
  panel->fCachedKeyState = LockKeyToggled(KeyOfType(panel->fType));
}

void TzsStatusBar::LeaveMonitor(TzsStatusPanel*) {
  if (--fMonitorCount > 0) return;
  if (ZSKbLoaded()) ZSKbDeregisterWindow(reinterpret_cast<std::uintptr_t>(this));
  fMonitorCount = 0;
  ZSKbUnload();
}

bool TzsStatusBar::MonitorMessage(int message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == 0 || message != fMonitorMessage) return false;
  const int key = static_cast<int>(wparam & 0xFF);
  const TzsStatusPanelType type = key == VK_NUMLOCK ? sptNumLock : key == VK_SCROLL ? sptScrollLock : sptCapsLock;
  for (auto& p : fPanels) {
    if (p->fType != type) continue;
    p->fCachedKeyState = (lparam & 1) != 0;
    p->Repaint();
  }
  return true;
}

void TzsStatusBar::RefreshLockKeys() {
  for (auto& p : fPanels)
    if (IsLockType(p->fType)) p->Repaint();
}

void TzsStatusBar::paintEvent(QPaintEvent* event) {
  TCanvas c(this);
  const QRect dirty = event->rect();
  c.Font.Font = font();
  c.Brush.Color = fColor;
  c.FillRect(Rect(0, 0, width(), height()));
  for (int i = 0; i < PanelCount(); ++i) {
    TzsStatusPanel* p = fPanels[size_t(i)].get();
    TRect r = PanelRect(i);
    if (IsRectEmpty(r) || !dirty.intersects(ToQRect(r))) continue;
    TRect edge = r;
    if (p->fBevel == pbLowered) c.DrawEdge(edge, BDR_SUNKENOUTER, BF_RECT);
    if (p->fBevel == pbRaised) c.DrawEdge(edge, BDR_RAISEDOUTER, BF_RECT);
    if (OnDrawPanel) OnDrawPanel(this, p, r);
    if (p->fType == sptOwnerDraw && p->OnDrawPanel)
      p->OnDrawPanel(this, p, r);
    else
      p->Paint(c, r);
  }
  if (fColor != clBtnFace) PaintSizeGrip(c);
}

void TzsStatusBar::PaintSizeGrip(TCanvas& c) {
  const TRect field = Rect(width() - 15 - 1, 3 - 1, width() - 1, height() - 1 - 1);
  c.Brush.Color = fColor;
  c.FillRect(field);
  const int right = field.Right, bottom = field.Bottom;
  const auto diagonal = [&](int d, TColor color) {
    c.Pen.Color = color;
    c.MoveTo(right - d, bottom);
    c.LineTo(right, bottom - d);
  };
  for (int d : {2, 5, 9, 13}) diagonal(d, clBtnHighlight);
  for (int d : {3, 7, 11}) diagonal(d, clBtnShadow);
  c.SetPixel(right - 1, bottom - 1, ColorToRGB(clBtnHighlight));
  c.Pen.Color = clBtnShadow;
  c.MoveTo(field.Left, field.Top);
  c.LineTo(field.Right, field.Top);
}

void TzsStatusBar::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const int index = PanelAt(event->position().toPoint());
  if (index >= 0 && fPanels[size_t(index)]->OnClick) fPanels[size_t(index)]->OnClick(this);
  if (OnClick) OnClick(this);
}

bool TzsStatusBar::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int index = PanelAt(help->pos());
    QString hint;
    if (index >= 0) {
      TzsStatusPanel* p = fPanels[size_t(index)].get();
      hint = p->ShownHint();
      if (p->OnHintText) p->OnHintText(this, p, hint);
    }
    if (hint.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), hint, this, ToQRect(PanelRect(index)));
    }
    return true;
  }
  return QWidget::event(event);
}

void TzsStatusBar::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    update();
    for (auto& p : fPanels) p->EnabledChanged();
  } else if (event->type() == QEvent::FontChange) {
    for (auto& p : fPanels) p->RecomputeAutoFit();
  }
}

}  // namespace zyn
