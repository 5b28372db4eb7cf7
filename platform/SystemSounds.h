#pragma once
// System sounds by name from the desktop's sound theme (the freedesktop "stereo" theme in the
// data folders of XDG_DATA_HOME and XDG_DATA_DIRS), handed to the desktop's sound player
// (pw-play, paplay, or aplay for wave files) without waiting for it. There is no default sound:
// a name the theme lacks plays nothing. Every request is counted with its outcome, so that callers
// and tests can see that a sound was asked for even where nothing can be heard.

#include <QString>

namespace zyn {

enum TSoundResult {
  srStarted,      // the player was started with the sound file
  srNoSoundFile,  // the sound theme has no file for the name
  srNoPlayer,     // no sound player is installed
};

// The sound file of the theme for a name ("menu-popup"), empty when there is none.
QString FindSystemSoundFile(const QString& name);
// Plays the sound asynchronously and reports what happened.
TSoundResult PlaySystemSound(const QString& name);

// The requests since the program started (or since ResetSoundLog): their number, the last name
// and its outcome.
struct TSoundLog {
  int Requests = 0;
  QString LastName;
  TSoundResult LastResult = srNoSoundFile;
};
const TSoundLog& SoundLog();
void ResetSoundLog();

}  // namespace zyn
