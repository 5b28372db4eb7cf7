#pragma once
// The objects that live for the whole run of the programme, independent of any project: names,
// base data, dimmer curves, options, observers, and a few translated program texts and word
// tables. InitGlobals brings them up in order at start, FreeGlobals takes them down at the end.
// Messages for the user go through a callback that the main window supplies.

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace zyn {

class TBasisDaten;
class TZYNKennlinienListe;
class TCustomObserver;
class TDisplayObserver;
class TZYNProjekt;
class TZYNFunktionsListe;

// Buttons of a start-up message: an error box with the single button Cancel or OK.
enum class TStartMessageButton { Cancel, OK };
using TStartMessage = std::function<void(const std::string& text, TStartMessageButton button)>;

struct TGlobalSetup {
  // The programme's own file; the options file is its name with ".xml".
  std::string ProgramPath;
  // The built default system data folder; every file of it missing in the system data folder
  // named by the options is copied there (nothing is ever overwritten). Empty: no seeding.
  std::string DefaultSystemData;
  TStartMessage OnMessage;
};

extern std::unique_ptr<TBasisDaten> GBasisDaten;
extern std::unique_ptr<TZYNKennlinienListe> GKennlinien;
extern std::unique_ptr<TCustomObserver> GModulObserver, GUhrenObserver, GMerkerObserver, GTextObserver,
    GGruppenObserver, GSpareObserver;
extern std::unique_ptr<TZYNProjekt> GProjekt;
// The system tool library ("funcs.zyb") and the user tool library ("userfuncs.zyb").
extern std::unique_ptr<TZYNFunktionsListe> GSystemTools;
extern std::unique_ptr<TZYNFunktionsListe> GUserTools;
extern bool GPortOpen;
extern bool GShowObjectHints;
extern std::string GVersionText;
extern std::string GProgramTitle;
extern std::string GProgramTag;
extern std::array<std::string, 3> GPORStateNames;
extern std::array<std::string, 2> GYesNoNames;
extern std::array<std::string, 3> GAlignmentNames;

// Runs once; later calls do nothing until FreeGlobals.
void InitGlobals(const TGlobalSetup& setup);
void FreeGlobals();
void InitGlobalTexts();
// The options file of the running programme ("" before InitGlobals).
const std::string& OptionFileName();

// Attaches the five model observers to the objects of GProjekt; detaching clears the display
// observer first.
void AttachObservers();
void DetachObservers();
// Takes the value-changed and deleted handlers off the five model observers.
void ClearObserverEvents();
// Gives the five model observers the project's reactions: a deleted module, flag, clock, text
// or group leaves every link, group and tool of GProjekt; a renumbering (one object, or all
// objects of an accepted list edit together) is carried into every link. `run` wraps each
// reaction (the main window shows a wait cursor and lets nothing run while it closes); without
// it the reactions run as they are. A failing reaction leaves the links as they are.
using TReactionRunner = std::function<void(const std::function<void()>& reaction)>;
void HookObserverReactions(TReactionRunner run = {});

// Copies every file of source missing in target; the number of files copied.
int SeedFolder(const std::string& source, const std::string& target);

}  // namespace zyn
