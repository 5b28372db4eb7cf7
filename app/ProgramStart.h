#pragma once
// The programme's start and end, shared by the entry point and the journey tests, so that a test's
// main window is the one the user gets: the language file, the globals with the options beside the
// programme, every page, dialog command and visualisation class registered with the main window's
// tables, and the globals taken down again at the end (which saves the options).

#include "project/Global.h"

#include <memory>
#include <string>

namespace zyn {

class TMainForm;

// The default system data that came with the programme: beside it in the build tree
// ("../data/system") or in the installed share folder ("../share/zyn/system"); empty when neither
// holds the tool library.
std::string DefaultSystemData(const std::string& programPath);

// The process settings that must be made before the application object exists (the browser
// page's web engine: shared OpenGL contexts, no sandbox as root); the entry point and the journeys
// call it before their QApplication.
void PrepareProgramProcess();

// Registers every working page, dialog command and visualisation class (once per process; a second
// call changes nothing).
void RegisterProgramPages();

// Loads the language file, brings up the globals for the programme at programPath (its options
// file is programPath + ".xml"; the system data is seeded from defaultSystemData) and registers
// the pages.
void StartProgramGlobals(const std::string& programPath, const std::string& defaultSystemData,
                         TStartMessage onMessage);

// Makes the main window behind the splash form, as at every start: its pages are made, the
// observers hooked and the project named (may be "") opened. Throws when the window cannot be made.
std::unique_ptr<TMainForm> CreateMainWindow(const std::string& projectFile);

// Closes the open project and takes the globals down in the programme's order.
void EndProgramGlobals();

}  // namespace zyn
