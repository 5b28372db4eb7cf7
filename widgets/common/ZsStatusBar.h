#pragma once
// The status bar of the programme: panels that paint themselves by type (text, lock-key state,
// date and time, shortened text or path, picture, gauge, or painted by the application). One
// timer per bar refreshes the clock panels and drives the gauge animation; the lock-key panels
// follow the keyboard through the application's key events (or the keyboard-monitor library).

#include "platform/Canvas.h"
#include "widgets/common/WidgetTypes.h"

#include <QDateTime>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace zyn {

class TzsStatusBar;
class TzsStatusPanel;

enum TzsStatusPanelType {
  sptNormal,
  sptCapsLock,
  sptNumLock,
  sptScrollLock,
  sptDate,
  sptTime,
  sptDateTime,
  sptTimeDate,
  sptEllipsisText,
  sptEllipsisPath,
  sptGlyph,
  sptGauge,
  sptOwnerDraw
};
enum TzsGaugeStyle { gsPercent, gsIndeterminate, gsIndeterminate2 };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

using TzsDrawPanelEvent = std::function<void(TzsStatusBar* bar, TzsStatusPanel* panel, const TRect& rect)>;
using TzsPanelHintTextEvent = std::function<void(TzsStatusBar* bar, TzsStatusPanel* panel, QString& hint)>;

// The virtual keys of the lock keys.
enum : int { VK_CAPITAL = 20, VK_NUMLOCK = 144, VK_SCROLL = 145 };

// Whether a lock key is toggled on, as the keyboard reports it (the keyboard LEDs where the system
// shows them, else the state followed from the key presses the programme saw).
bool LockKeyToggled(int virtualKey);

class TzsGaugeAttrs {
 public:
  explicit TzsGaugeAttrs(TzsStatusPanel* owner = nullptr) : fOwner(owner) {}
  TzsGaugeStyle Style() const { return fStyle; }
  void SetStyle(TzsGaugeStyle style);
  int Position() const { return fPosition; }
  void SetPosition(int percent);  // 0 to 100
  int Speed() const { return fSpeed; }
  void SetSpeed(int speed);
  TColor Color() const { return fColor; }
  void SetColor(TColor color);
  TColor TextColor() const { return fTextColor; }
  void SetTextColor(TColor color);
  void Assign(const TzsGaugeAttrs& other);  // Position and Style

 private:
  friend class TzsStatusPanel;
  TzsStatusPanel* fOwner;
  TzsGaugeStyle fStyle = gsPercent;
  int fPosition = 0;
  int fSpeed = 4;
  TColor fColor = clHighlight;
  TColor fTextColor = clHighlightText;
};

class TzsStatusPanel {
 public:
  explicit TzsStatusPanel(TzsStatusBar* bar);
  ~TzsStatusPanel();
  TzsStatusPanel(const TzsStatusPanel&) = delete;
  TzsStatusPanel& operator=(const TzsStatusPanel&) = delete;

  TzsStatusBar* Bar() const { return fBar; }
  int Index() const;
  void SetIndex(int index);

  TzsGaugeAttrs& GaugeAttrs() { return *fGauge; }
  void SetGaugeAttrs(std::unique_ptr<TzsGaugeAttrs> attrs);
  TTextAlignment Alignment() const { return fAlignment; }
  void SetAlignment(TTextAlignment alignment);
  TStatusPanelBevel Bevel() const { return fBevel; }
  void SetBevel(TStatusPanelBevel bevel);
  int BorderWidth() const { return fBorderWidth; }
  void SetBorderWidth(int width);
  TzsStatusPanelType PanelType() const { return fType; }
  void SetPanelType(TzsStatusPanelType type);
  const QImage& Glyph() const { return fGlyph; }
  void SetGlyph(const QImage& glyph);
  const QString& Text() const { return fText; }
  void SetText(const QString& text);
  const QString& DateFormat() const { return fDateFormat; }
  void SetDateFormat(const QString& format);
  const QString& TimeFormat() const { return fTimeFormat; }
  void SetTimeFormat(const QString& format);
  bool Enabled() const { return fEnabled; }
  void SetEnabled(bool enabled);
  // Own flag and the bar's state together.
  bool IsEnabled() const;
  int Width() const { return fWidth; }
  void SetWidth(int width);
  bool AutoFit() const { return fAutoFit; }
  void SetAutoFit(bool autoFit);
  const QString& Hint() const { return fHint; }
  void SetHint(const QString& hint) { fHint = hint; }
  // The hint shown over the panel (the full text of a shortened panel whose hint is "...").
  QString ShownHint() const;

  void Assign(const TzsStatusPanel& other);

  TzsDrawPanelEvent OnDrawPanel;
  TzsPanelHintTextEvent OnHintText;
  TSenderEvent OnClick;

  // Gauge animation state (pixels, signed step).
  int GaugePosition() const { return fGaugePos; }
  int GaugeStep() const { return fGaugeStep; }
  bool IsAnimated() const { return fType == sptGauge && fGauge->fStyle != gsPercent; }
  bool LockKeyState() const;

  // Paints the panel into rect (the panel's rectangle from the bar).
  void Paint(TCanvas& canvas, const TRect& rect);
  void Repaint();
  void RefreshDateTime();
  void UpdateRegistrations();
  void RecomputeAutoFit();

 private:
  friend class TzsStatusBar;
  friend class TzsGaugeAttrs;
  void GaugeStyleChanged(TzsGaugeStyle old);
  void EnabledChanged();
  void LeaveAll();
  QString DateTimeText() const;
  void PaintText(TCanvas& c, const TRect& r);
  void PaintLockKey(TCanvas& c, const TRect& r);
  void PaintGlyph(TCanvas& c, const TRect& r);
  void PaintPercent(TCanvas& c, const TRect& r);
  void PaintAnimation(TCanvas& c, const TRect& r);
  const QImage& GradientPicture(int height);

  TzsStatusBar* fBar;
  std::unique_ptr<TzsGaugeAttrs> fGauge;
  TTextAlignment fAlignment = TTextAlignment::taLeftJustify;
  TStatusPanelBevel fBevel = pbLowered;
  int fBorderWidth = 0;
  TzsStatusPanelType fType = sptNormal;
  QImage fGlyph;
  QString fText;
  QString fDateFormat, fTimeFormat;
  bool fEnabled = true;
  int fWidth = 50;
  bool fAutoFit = false;
  QString fHint;
  bool fCachedKeyState = false;
  int fGaugePos = 0;
  int fGaugeStep = 1;
  QImage fGradient;
  bool fOnTimer = false, fOnKeyboard = false, fOnMonitor = false;
};

class TzsStatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit TzsStatusBar(QWidget* parent = nullptr);
  ~TzsStatusBar() override;

  // The panels.
  int PanelCount() const { return static_cast<int>(fPanels.size()); }
  TzsStatusPanel* Panel(int index) const;  // throws std::out_of_range outside the list
  TzsStatusPanel* AddPanel();
  void DeletePanel(int index);
  void MovePanel(int from, int to);
  void AssignPanels(const TzsStatusBar& other);
  int IndexOf(const TzsStatusPanel* panel) const;

  bool UseMonitorDLL() const { return fUseMonitorDLL; }
  void SetUseMonitorDLL(bool use);
  QString Version() const { return QStringLiteral("TzsStatusBar v1.24"); }
  TColor Color() const { return fColor; }
  void SetColor(TColor color);
  TColor FontColor() const { return fFontColor; }

  // The rectangle of panel i in the bar (empty while it has no room).
  TRect PanelRect(int index) const;
  int PanelAt(const QPoint& p) const;

  // The clock of the date and time panels; the tests set their own.
  std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

  // The refresh timer: its interval in ms, 0 while there is none, and one tick.
  int TimerInterval() const { return fTimer ? fTimer->interval() : 0; }
  void TimerTick();
  // A message from the keyboard-monitor library (key in the low byte of wparam, state in bit 0 of
  // lparam). True when it was the bar's message.
  bool MonitorMessage(int message, std::uintptr_t wparam, std::intptr_t lparam);
  int MonitorMessageNumber() const { return fMonitorMessage; }
  // Repaints every lock-key panel (after the application came back to the foreground).
  void RefreshLockKeys();

  TzsDrawPanelEvent OnDrawPanel;
  TSenderEvent OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class TzsStatusPanel;
  void JoinTimer(TzsStatusPanel* panel);
  void LeaveTimer(TzsStatusPanel* panel);
  void UpdateInterval();
  void JoinMonitor(TzsStatusPanel* panel);
  void LeaveMonitor(TzsStatusPanel* panel);
  void PaintSizeGrip(TCanvas& c);

  std::vector<std::unique_ptr<TzsStatusPanel>> fPanels;
  std::unique_ptr<QTimer> fTimer;
  std::vector<TzsStatusPanel*> fTimerPanels;
  QDate fLastDate;
  bool fUseMonitorDLL = false;
  int fMonitorCount = 0;
  int fMonitorMessage = 0;
  TColor fColor = clBtnFace;
  TColor fFontColor = clBtnText;
  bool fDestroying = false;
};

}  // namespace zyn
