#pragma once
// Small services of the whole programme: moving a file to the user's trash, the programme's
// version text and a wait that keeps the user interface alive.

#include <functional>
#include <string>

namespace zyn {

// Moves the file to the freedesktop trash ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash:
// files/ and info/<name>.trashinfo). Every failure is swallowed; the result tells whether the
// file went to the trash.
bool DeleteToRecycleBin(const std::string& fileName);
// Puts a copy of the file into the trash and leaves the file itself where it is; false on failure.
// The trash keeps at most kTrashCopiesPerFile copies of one file: the oldest give way.
bool CopyToRecycleBin(const std::string& fileName);
constexpr int kTrashCopiesPerFile = 10;

// Removes what an interrupted save left beside a project file: the temporary files of a process
// that no longer runs, and the copy ".~zyn" with its temporary files that earlier builds wrote.
// Answers how many files went.
int RemoveLeftSaveCopies(const std::string& projectFile);

// "%d.%d" of the major and minor part of the programme's version.
std::string GetProgramVersion();

// Called repeatedly while WaitMilliseconds waits; the GUI installs the processing of its pending
// events here. Empty: the wait just sleeps.
using TProcessEventsHook = std::function<void()>;
void SetProcessEventsHook(TProcessEventsHook hook);
// Waits the given time on the monotonic clock, running the hook between short sleeps.
void WaitMilliseconds(int milliseconds);

}  // namespace zyn
