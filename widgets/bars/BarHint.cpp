#include "widgets/bars/BarHint.h"

#include "platform/Canvas.h"
#include "platform/PopupWindows.h"
#include "platform/QtText.h"
#include "widgets/bars/BarControl.h"
#include "widgets/bars/BarItem.h"
#include "widgets/bars/BarItemControls.h"
#include "widgets/bars/BarItemLinks.h"
#include "widgets/bars/BarManager.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zyn {

int TzbBarHintDelays::Show = 1000;
int TzbBarHintDelays::Hide = 10000;
int TzbBarHintDelays::RecentlyHidden = 400;

namespace {

class THintWindow : public QWidget {
 public:
  THintWindow() { MakeNonActivatingPopup(this); }
  QString Text;

 protected:
  void paintEvent(QPaintEvent*) override {
    TCanvas dc(static_cast<QPaintDevice*>(this));
    TRect r = Rect(0, 0, width(), height());
    dc.Brush.Color = clInfoBk;
    dc.FillRect(r);
    TRect edge = r;
    dc.DrawEdge(edge, BDR_RAISEDOUTER, BF_RECT);
    dc.Font.Font = font();
    dc.Font.Color = clInfoText;
    dc.Brush.Style = bsClear;
    TRect text = Rect(3, 3, width() - 3, height() - 3);
    dc.DrawText(Text, text, DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
  }
};

struct THintState {
  QPointer<THintWindow> Window;
  QPointer<QTimer> Timer;        // show delay, then auto-hide
  QPointer<QTimer> RecentTimer;  // the grace after a hide
  bool RecentlyHidden = false;
  bool Shown = false;
  TzbBarManager* Owner = nullptr;
  TCustomzbBarControl* WantedWindow = nullptr;
  TzbBarItemControl* WantedControl = nullptr;
  std::string ExplicitText;  // a hint of the library itself ("More Buttons"), not of an item
  std::string Text;
};

THintState& HintState() {
  static THintState s;
  return s;
}

void ShowHintNow();

QTimer* MakeTimer(QPointer<QTimer>& slot, void (*fire)()) {
  if (!slot) {
    slot = new QTimer(qApp);
    slot->setSingleShot(true);
    QObject::connect(slot, &QTimer::timeout, fire);
  }
  return slot;
}

void HintTimerFired() {
  THintState& s = HintState();
  if (s.Shown) {
    if (s.Owner) HideBarHint(*s.Owner);
    return;
  }
  ShowHintNow();
}

void RecentTimerFired() { HintState().RecentlyHidden = false; }

void ShowHintNow() {
  THintState& s = HintState();
  const TPoint cursor = BarCursorPos();
  std::string hint;
  if (!s.ExplicitText.empty()) {
    if (!s.Owner) return;
    hint = s.ExplicitText;
  } else {
    TCustomzbBarControl* w = s.WantedWindow;
    if (!s.Owner || !TCustomzbBarControl::IsAlive(w) || w->IsActive() || !s.WantedControl) return;
    TzbBarItemControl* c = w->SelectedControl();
    if (c != s.WantedControl) return;
    if (w->ControlAt(w->ScreenToClient(cursor)) != c) return;
    hint = c->Item().Hint();
    if (const auto bar = hint.find('|'); bar != std::string::npos) hint.resize(bar);
    if (hint.empty() || !s.Owner->CanShowHint(c->Item())) {
      HideBarHint(*s.Owner);
      return;
    }
    if (s.Owner->ShowShortCutInHint && c->Item().ShortCut())
      hint += " (" + FromQString(ShortCutToText(c->Item().ShortCut())) + ")";
  }
  if (!s.Window) s.Window = new THintWindow;
  THintWindow& hw = *s.Window;
  hw.Text = ToQString(hint);
  s.Text = hint;
  QFont f = s.Owner->UseSystemFont ? QApplication::font() : s.Owner->Font;
  hw.setFont(f);
  const TPoint at = Point(cursor.X, cursor.Y + 20);
  const TRect area = MonitorWorkArea(at);
  const QRect measured = QFontMetrics(f).boundingRect(QRect(0, 0, area.Width(), 10000), Qt::TextWordWrap, hw.Text);
  const int width = measured.width() + 6, height = measured.height() + 6;
  int left = at.X, top = at.Y;
  if (left + width > area.Right) left = area.Right - width;
  if (top + height > area.Bottom) top = at.Y - height - 20;
  left = std::max(left, area.Left);
  top = std::max(top, area.Top);
  hw.setGeometry(left, top, width, height);
  hw.show();
  hw.update();
  s.Shown = true;
  MakeTimer(s.Timer, HintTimerFired)->start(TzbBarHintDelays::Hide);
}

}  // namespace

void UpdateBarHint(TzbBarManager& manager, TCustomzbBarControl* window, TzbBarItemControl* control) {
  THintState& s = HintState();
  if (manager.IsCustomizing() || !manager.ShowHint) return;
  const bool wanted = control && window && !window->IsMenu() && !window->IsActive() && !control->Item().Hint().empty();
  if (!wanted) {
    HideBarHint(manager);
    return;
  }
  if (s.Timer) s.Timer->stop();
  s.Owner = &manager;
  s.WantedWindow = window;
  s.WantedControl = control;
  s.ExplicitText.clear();
  if ((s.Window && s.Window->isVisible()) || s.RecentlyHidden) {
    s.Shown = false;
    ShowHintNow();
    return;
  }
  s.Shown = false;
  MakeTimer(s.Timer, HintTimerFired)->start(TzbBarHintDelays::Show);
}

void HideBarHint(TzbBarManager& manager) {
  THintState& s = HintState();
  if (s.Timer) s.Timer->stop();
  const bool wasShown = s.Window && s.Window->isVisible();
  s.WantedWindow = nullptr;
  s.WantedControl = nullptr;
  s.ExplicitText.clear();
  s.Shown = false;
  if (wasShown) {
    s.Window->hide();
    s.RecentlyHidden = true;
    MakeTimer(s.RecentTimer, RecentTimerFired)->start(TzbBarHintDelays::RecentlyHidden);
  }
}

void ShowBarHintText(TzbBarManager& manager, const std::string& text) {
  THintState& s = HintState();
  if (manager.IsCustomizing() || !manager.ShowHint || text.empty()) return;
  if (s.Timer) s.Timer->stop();
  s.Owner = &manager;
  s.WantedWindow = nullptr;
  s.WantedControl = nullptr;
  s.ExplicitText = text;
  s.Shown = false;
  if ((s.Window && s.Window->isVisible()) || s.RecentlyHidden) {
    ShowHintNow();
    return;
  }
  MakeTimer(s.Timer, HintTimerFired)->start(TzbBarHintDelays::Show);
}

void EndBarHintOf(TzbBarManager& manager) {
  THintState& s = HintState();
  if (s.Owner != &manager) return;
  HideBarHint(manager);
  if (s.RecentTimer) s.RecentTimer->stop();
  s.RecentlyHidden = false;
  s.Owner = nullptr;
  s.Text.clear();
}

void CancelBarHint(TzbBarManager& manager, TCustomzbBarControl* window) {
  THintState& s = HintState();
  if (s.WantedWindow == window) HideBarHint(manager);
}

QWidget* BarHintWindow() {
  THintState& s = HintState();
  return s.Window && s.Window->isVisible() ? s.Window.data() : nullptr;
}

std::string BarHintText() { return HintState().Text; }

}  // namespace zyn
