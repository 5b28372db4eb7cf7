#pragma once
// The application event filter through which the bar and control libraries watch the user's input: it
// sees every key and mouse event of the user-interface thread once, when the event reaches its
// top-level window, and hands it to the registered handlers (newest first). A handler that answers
// true swallows the event. The filter is installed on the application with the first handler and
// removed with the last.

#include <functional>

class QObject;
class QEvent;
class QWidget;

namespace zyn {

class TAppEventFilter {
 public:
  // receiver: the top-level window's widget the event goes to (nil when it is not a widget window).
  using THandler = std::function<bool(QWidget* receiver, QEvent* event)>;
  static int AddHandler(THandler handler);
  static void RemoveHandler(int id);
  static int HandlerCount();
};

// Whether the event is one of the input events the filter hands on (keys, mouse buttons, moves,
// double clicks, wheel).
bool IsInputEvent(const QEvent* event);

}  // namespace zyn
