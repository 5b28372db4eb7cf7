#include "platform/AppHint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <QWidget>

namespace zyn {

namespace {

struct THintState {
  int HidePause = kDefaultHintHidePause;
  THintHandler Handler;
};

THintState& State() {
  static THintState state;
  return state;
}

// Sees every hint request of the application: asks the page's handler first, then lets the
// widget show its own hint for the hide pause.
class THintFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  // Sees objects of libraries built without run-time type information too (see AppEventFilter).
  __attribute__((no_sanitize("vptr"))) bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QPoint globalPos = static_cast<QHelpEvent*>(event)->globalPos();
    if (State().Handler) {
      // The handler may replace itself (a page deactivated by what it does): call a copy.
      const THintHandler handler = State().Handler;
      if (handler(widget, globalPos)) return true;
    }
    widget->setToolTipDuration(State().HidePause);
    return false;
  }
};

void EnsureFilter() {
  static QPointer<THintFilter> filter;
  if (filter || !qApp) return;
  filter = new THintFilter(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace

int HintHidePause() { return State().HidePause; }

void SetHintHidePause(int milliseconds) {
  EnsureFilter();
  State().HidePause = milliseconds;
}

void CancelHint() { QToolTip::hideText(); }

void ActivateHint(QWidget* widget, const QPoint& globalPos, const QString& text) {
  EnsureFilter();
  if (text.isEmpty()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(globalPos, text, widget, QRect(), State().HidePause);
}

THintHandler SetHintHandler(THintHandler handler) {
  EnsureFilter();
  THintHandler old = std::move(State().Handler);
  State().Handler = std::move(handler);
  return old;
}

}  // namespace zyn
