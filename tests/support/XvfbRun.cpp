#include "tests/support/XvfbRun.h"

#include "tests/support/Files.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>

namespace zyn::test {

bool InXvfbChild() { return std::getenv("ZYN_X11_CHILD") != nullptr; }

QString MissingTools(const QStringList& tools) {
  QStringList missing;
  for (const QString& tool : tools)
    if (QStandardPaths::findExecutable(tool).isEmpty()) missing << tool;
  return missing.isEmpty() ? QString() : missing.join(QStringLiteral(", ")) + QStringLiteral(" not installed");
}

TXvfbRun RunSelfUnderXvfb(const QString& gtestFilter, bool windowManager) {
  TXvfbRun result;
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZYN_X11_CHILD"), QStringLiteral("1"));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  // The child runs the one test it is given, whichever shard of the programme started it.
  env.remove(QStringLiteral("GTEST_TOTAL_SHARDS"));
  env.remove(QStringLiteral("GTEST_SHARD_INDEX"));
  // The child's application waits for the window manager before it shows a window.
  if (windowManager) env.insert(QStringLiteral("ZYN_X11_WAIT_FOR_WM"), QStringLiteral("1"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  QStringList args = {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24")};
  const QString self = QCoreApplication::applicationFilePath();
  const QString filter = QStringLiteral("--gtest_filter=") + gtestFilter;
  // twm places windows that name no place of their own at random instead of asking for a click.
  const TempFolder folder("xvfb");
  const std::string twmrc = folder.File("twmrc");
  if (windowManager) {
    if (!WriteWholeFile(twmrc, "NoGrabServer\nRandomPlacement\nDecorateTransients\n")) return result;
    // The window manager starts first, in the C locale: in others it finds no font set on a server
    // without font files and ends at once.
    args << QStringLiteral("sh") << QStringLiteral("-c")
         << QStringLiteral("LC_ALL=C twm -f \"$1\" >/dev/null 2>&1 & exec \"$2\" \"$3\"")
         << QStringLiteral("sh") << QString::fromStdString(twmrc) << self << filter;
  } else {
    args << self << filter;
  }
  child.start(QStandardPaths::findExecutable(QStringLiteral("xvfb-run")), args);
  if (!child.waitForStarted(10000)) return result;
  result.Finished = child.waitForFinished(120000);
  result.ExitCode = child.exitCode();
  result.Output = child.readAll().toStdString();
  return result;
}

}  // namespace zyn::test
