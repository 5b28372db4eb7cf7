#include "BarX11Support.h"

#include "BarTestSupport.h"
#include "tests/support/XvfbRun.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>

namespace zyn::test {

bool InX11Child() { return InXvfbChild(); }

namespace {

// A window of its own that only receives the marks; the filter takes them before Qt sees them.
class TXMarkFilter : public QAbstractNativeEventFilter {
 public:
  xcb_connection_t* Connection = nullptr;
  xcb_window_t Window = 0;
  uint32_t Seen = 0;
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    auto* client = reinterpret_cast<xcb_client_message_event_t*>(event);
    if (client->window != Window) return false;
    Seen = client->data.data32[0];
    return true;
  }
};

TXMarkFilter& MarkFilter(xcb_connection_t* connection) {
  static TXMarkFilter filter;
  if (filter.Connection != connection) {
    if (!filter.Connection) QCoreApplication::instance()->installNativeEventFilter(&filter);
    filter.Connection = connection;
    filter.Window = xcb_generate_id(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, filter.Window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  }
  return filter;
}

}  // namespace

bool WaitForXEventsHandled() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return false;
  xcb_connection_t* connection = x11->connection();
  TXMarkFilter& filter = MarkFilter(connection);
  static uint32_t marks = 0;
  const uint32_t mark = ++marks;
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = filter.Window;
  event.type = XCB_ATOM_INTEGER;
  event.data.data32[0] = mark;
  xcb_send_event(connection, 0, filter.Window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
  xcb_flush(connection);
  // The server sends its events to a client in order: once the mark is read, everything before it
  // went through the platform, whose input then reaches the widgets with the next round.
  if (!QTest::qWaitFor([&] { return filter.Seen == mark; }, 10000)) return false;
  QCoreApplication::processEvents();
  return true;
}

bool XDoTool(const QStringList& args) {
  QProcess tool;
  tool.start(QStringLiteral("xdotool"), args);
  if (!tool.waitForStarted(5000)) return false;
  if (!QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 20000)) return false;
  // xdotool leaves once the server has taken its input.
  return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0 && WaitForXEventsHandled();
}

bool XClick(const QPoint& p) {
  return XDoTool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()), QStringLiteral("click"),
                  QStringLiteral("1")});
}

namespace {

QPoint Between(const QPoint& from, const QPoint& to, int step, int steps) {
  return QPoint(from.x() + (to.x() - from.x()) * step / steps, from.y() + (to.y() - from.y()) * step / steps);
}

bool XMoveTo(const QPoint& p) {
  return XDoTool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
}

}  // namespace

bool XMoveAlong(const QPoint& from, const QPoint& to, int steps) {
  for (int step = 0; step <= steps; ++step)
    if (!XMoveTo(Between(from, to, step, steps))) return false;
  return true;
}

bool XDrag(const QPoint& from, const QPoint& to, int steps) {
  if (!XMoveTo(from) || !XDoTool({QStringLiteral("mousedown"), QStringLiteral("1")})) return false;
  for (int step = 1; step <= steps; ++step)
    if (!XMoveTo(Between(from, to, step, steps))) return false;
  return XDoTool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

bool ActivateForm(QWidget& form) {
  form.activateWindow();
  QApplication::setActiveWindow(&form);
  return QTest::qWaitForWindowActive(&form) && WaitForXEventsHandled();
}

void RunChildTestsUnderXvfb(const QString& filter, int count) {
  const QString missing = MissingTools({QStringLiteral("xvfb-run"), QStringLiteral("xdotool")});
  if (!missing.isEmpty()) GTEST_SKIP() << missing.toStdString();
  EnsureApplication();
  const TXvfbRun run = RunSelfUnderXvfb(filter, false);
  ASSERT_TRUE(run.Finished) << run.Output;
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_NE(run.Output.find(QStringLiteral("[  PASSED  ] %1 test").arg(count).toStdString()), std::string::npos)
      << run.Output;
}

}  // namespace zyn::test
