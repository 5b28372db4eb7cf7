#pragma once
// Helpers of the control tests: a shown and active host window, and synthetic key, mouse and
// focus input (the application object comes from the test support).

#include "tests/support/AppFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zyn::test {

// A top-level window that is shown and active, so that its children can take the focus.
inline void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  QApplication::processEvents();
}

inline void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}

inline void Type(QWidget* w, const QString& text) {
  for (QChar c : text) Key(w, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

inline void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons buttons = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, mods);
  QApplication::sendEvent(w, &e);
}

inline void Click(QWidget* w, QPoint at) {
  Mouse(w, QEvent::MouseButtonPress, at);
  Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

inline void Focus(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason) {
  w->setFocus(reason);
  QApplication::processEvents();
}

inline QImage Render(QWidget* w) {
  QImage image(w->size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  w->render(&image);
  return image;
}

}  // namespace zyn::test
