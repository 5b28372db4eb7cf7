#pragma once
// Running bar tests on a real X server: a parent test starts the test programme again under Xvfb
// on the xcb platform with a filter for its child tests, which move the real pointer with xdotool
// so that the platform's own input (grabs, window kinds) meets the bar windows.

#include <QPoint>
#include <QString>
#include <QStringList>

class QWidget;

namespace zyn::test {

// Whether this process is the run under Xvfb.
bool InX11Child();
// Waits until this process has handled every event the X server sent it so far: a mark sent to
// itself through the server comes after them, and the input read before it is delivered.
bool WaitForXEventsHandled();
// Runs one xdotool command while this process goes on handling its events (as it would for a real
// user) and returns once the input it made has been handled.
bool XDoTool(const QStringList& args);
// Moves the real pointer to a screen point and clicks the left button there.
bool XClick(const QPoint& p);
// Moves the real pointer along a straight line in steps, each step handled before the next.
bool XMoveAlong(const QPoint& from, const QPoint& to, int steps);
// Presses the left button at one point, moves the pointer in steps to another and releases it,
// each step handled before the next.
bool XDrag(const QPoint& from, const QPoint& to, int steps = 4);
// Makes the form the active window and waits until the server's focus events for it are handled.
bool ActivateForm(QWidget& form);
// The parent test's part: runs the child tests that match the filter under Xvfb and expects that
// all of them (count) ran and passed; skips when Xvfb or xdotool are absent.
void RunChildTestsUnderXvfb(const QString& filter, int count);

}  // namespace zyn::test
