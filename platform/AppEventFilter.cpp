#include "platform/AppEventFilter.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <utility>
#include <vector>

namespace zyn {

namespace {

class TFilterObject : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

struct TRegistration {
  int Id;
  TAppEventFilter::THandler Handler;
};

std::vector<TRegistration>& Handlers() {
  static std::vector<TRegistration> handlers;
  return handlers;
}

TFilterObject*& FilterObject() {
  static TFilterObject* filter = nullptr;
  return filter;
}

QWidget* WidgetOfWindow(QObject* window) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowHandle() == window) return w;
  return nullptr;
}

// The filter sees objects of every library, also of those built without run-time type information
// (the web engine's): the sanitizer's type check of the member call cannot tell their type.
__attribute__((no_sanitize("vptr"))) bool TFilterObject::eventFilter(QObject* watched, QEvent* event) {
  // Input reaches the top-level window first and is passed on to the widgets from there; taking it
  // at the window sees every event exactly once.
  if (!watched->isWindowType() || !IsInputEvent(event)) return false;
  QWidget* receiver = WidgetOfWindow(watched);
  // A handler may remove itself (or others) while it runs: walk a copy, newest first.
  const std::vector<TRegistration> handlers = Handlers();
  for (auto it = handlers.rbegin(); it != handlers.rend(); ++it)
    if (it->Handler && it->Handler(receiver, event)) return true;
  return false;
}

}  // namespace

bool IsInputEvent(const QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

int TAppEventFilter::AddHandler(THandler handler) {
  static int nextId = 0;
  const int id = ++nextId;
  Handlers().push_back({id, std::move(handler)});
  if (!FilterObject() && qApp) {
    FilterObject() = new TFilterObject;
    qApp->installEventFilter(FilterObject());
  }
  return id;
}

void TAppEventFilter::RemoveHandler(int id) {
  auto& list = Handlers();
  list.erase(std::remove_if(list.begin(), list.end(), [id](const TRegistration& r) { return r.Id == id; }), list.end());
  if (list.empty() && FilterObject()) {
    if (qApp) qApp->removeEventFilter(FilterObject());
    delete FilterObject();
    FilterObject() = nullptr;
  }
}

int TAppEventFilter::HandlerCount() { return static_cast<int>(Handlers().size()); }

}  // namespace zyn
