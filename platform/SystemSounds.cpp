#include "platform/SystemSounds.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace zyn {

namespace {
TSoundLog& Log() {
  static TSoundLog log;
  return log;
}
}  // namespace

QString FindSystemSoundFile(const QString& name) {
  if (name.isEmpty()) return QString();
  QStringList dirs;
  const QString home = qEnvironmentVariable("XDG_DATA_HOME");
  dirs << (home.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : home);
  QString data = qEnvironmentVariable("XDG_DATA_DIRS");
  if (data.isEmpty()) data = QStringLiteral("/usr/local/share:/usr/share");
  dirs << data.split(QLatin1Char(':'), Qt::SkipEmptyParts);
  for (const QString& dir : dirs)
    for (const char* ext : {".oga", ".ogg", ".wav"}) {
      const QString path = dir + QStringLiteral("/sounds/freedesktop/stereo/") + name + QLatin1String(ext);
      if (QFileInfo(path).isFile()) return path;
    }
  return QString();
}

TSoundResult PlaySystemSound(const QString& name) {
  TSoundLog& log = Log();
  ++log.Requests;
  log.LastName = name;
  const QString file = FindSystemSoundFile(name);
  log.LastResult = srNoSoundFile;
  if (file.isEmpty()) return log.LastResult;
  log.LastResult = srNoPlayer;
  for (const QString& player : {QStringLiteral("pw-play"), QStringLiteral("paplay"), QStringLiteral("aplay")}) {
    if (player == QLatin1String("aplay") && !file.endsWith(QLatin1String(".wav"))) continue;
    const QString exe = QStandardPaths::findExecutable(player);
    if (exe.isEmpty()) continue;
    if (QProcess::startDetached(exe, {file})) {
      log.LastResult = srStarted;
      break;
    }
  }
  return log.LastResult;
}

const TSoundLog& SoundLog() { return Log(); }

void ResetSoundLog() { Log() = TSoundLog{}; }

}  // namespace zyn
