#pragma once
// Tests on a real X server: the test programme runs itself again under Xvfb on the xcb platform
// (a 1024 x 768 screen), optionally with the small window manager twm managing the windows, so
// that window kinds, frames and the platform's own input are real.

#include <QString>
#include <QStringList>

#include <string>

namespace zyn::test {

// Whether this process is the run under Xvfb.
bool InXvfbChild();

// The tools of the list that are not installed, as a text for GTEST_SKIP (empty: all there).
QString MissingTools(const QStringList& tools);

struct TXvfbRun {
  bool Finished = false;  // started and ended within the time allowed
  int ExitCode = -1;
  std::string Output;
};

// Runs this programme with only the tests of gtestFilter under Xvfb; with windowManager twm is
// started first and manages the windows.
TXvfbRun RunSelfUnderXvfb(const QString& gtestFilter, bool windowManager);

}  // namespace zyn::test
