#pragma once
// Running bar tests on a real X server: a parent test starts the test programme again under Xvfb
// on the xcb platform with a filter for its child tests, which move the real pointer with xdotool
// so that the platform's own input (grabs, window kinds) meets the bar windows.

#include <QPoint>
#include <QString>
#include <QStringList>

namespace zyn::test {

// Whether this process is the run under Xvfb.
bool InX11Child();
// Runs xdotool while this process goes on handling its events (as it would for a real user).
bool XDoTool(const QStringList& args);
// Moves the real pointer to a screen point and clicks the left button there.
bool XClick(const QPoint& p);
// Moves the real pointer along a straight line in steps, as a hand does.
bool XMoveAlong(const QPoint& from, const QPoint& to, int steps);
// Presses the left button at one point, moves the pointer in steps to another and releases it.
bool XDrag(const QPoint& from, const QPoint& to);
// The parent test's part: runs the child tests that match the filter under Xvfb and expects that
// all of them (count) ran and passed; skips when Xvfb or xdotool are absent.
void RunChildTestsUnderXvfb(const QString& filter, int count);

}  // namespace zyn::test
