#include "platform/PopupWindows.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zyn {

void MakeNonActivatingPopup(QWidget* widget) {
  widget->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint);
  widget->setAttribute(Qt::WA_ShowWithoutActivating);
  widget->setFocusPolicy(Qt::NoFocus);
}

void MakeShadowWindow(QWidget* widget) {
  widget->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint | Qt::WindowTransparentForInput);
  widget->setAttribute(Qt::WA_ShowWithoutActivating);
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget->setFocusPolicy(Qt::NoFocus);
}

void MakeFloatingToolWindow(QWidget* widget, QWidget* ownerForm) {
  widget->setParent(ownerForm,
                    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint);
  widget->setAttribute(Qt::WA_ShowWithoutActivating);
  widget->setFocusPolicy(Qt::NoFocus);
}

TRect MonitorWorkArea(const TPoint& point) {
  QScreen* screen = QGuiApplication::screenAt(ToQPoint(point));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return Rect(0, 0, 1024, 768);
  return FromQRect(screen->availableGeometry());
}

TPoint CursorPos() { return FromQPoint(QCursor::pos()); }

QWidget* CreateMouseCapture(const TPoint& cursor, int cursorShape) {
  auto* capture = new QWidget;
  MakeNonActivatingPopup(capture);
  capture->setGeometry(cursor.X, cursor.Y, 1, 1);
  capture->setWindowOpacity(0.0);
  capture->show();
  if (QGuiApplication::platformName() != QLatin1String("offscreen"))
    capture->grabMouse(QCursor(static_cast<Qt::CursorShape>(cursorShape)));
  return capture;
}

}  // namespace zyn
