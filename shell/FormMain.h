#pragma once
// The main window of the programme: the bar manager with the main menu and five toolbars, the
// fold panel with the side bar, the title panel, the frame manager that hosts the working pages,
// and the status bar. It owns the open project's life from opening to closing, keeps the
// recent-files list and implements IMessageHandler for the pages.
//
// The window's work is split over several files: FormMain.cpp (start, project open and close,
// IMessageHandler), FormMainBars.cpp (menus, toolbars, side bar), FormMainCommands.cpp (the
// commands) and FormMainMenuState.cpp (the enabling rules and the side bar's groups).

#include "shell/Einrichtungsexperte.h"
#include "shell/FrameManager.h"
#include "shell/MessageHandler.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyn {

class TzbBar;
class TzbBarItem;
class TzbBarManager;
class TzbBarMRUListItem;
class TzbBarScreen;
class TzbSideBar;
class TzbSideBarImageList;
class TzbSideBarItem;
class TZYNProjekt;
}  // namespace zyn
namespace zyn {
class TFoldPanel;
class TGPanel;
class TSplash;
class TzsSplitter;
class TzsStatusBar;
class TzsBrowseDirectoryDlg;
class TPwrSave;

// One working page of the main window: its key (component name), its title before translation
// and how it is made. Pages not built yet have no maker and are left out of the registration.
struct TFrameRegistration {
  const char* Key;
  const char* Title;  // UTF-8
  std::function<TFrame*()> Create;
};
const std::vector<TFrameRegistration>& MainFrameTable();
// Makers of the pages of the libraries above the shell, registered under their key before the
// main window is made; a row of the table without a maker of its own takes the registered one.
void RegisterFrameMaker(const std::string& key, std::function<TFrame*()> maker);
std::function<TFrame*()> RegisteredFrameMaker(const std::string& key);
// Dialog commands of the libraries above the shell, by the name of their menu item; an item
// without a registered command stays disabled.
void RegisterCommand(const std::string& itemName, std::function<void(QWidget* parent)> command);
std::function<void(QWidget* parent)> RegisteredCommand(const std::string& itemName);
// A page that the main window refreshes after it showed the page for a command or side-bar item.
class IFrameRefresh {
 public:
  virtual ~IFrameRefresh() = default;
  virtual void RefreshFrame() = 0;
};

class TMainForm : public QWidget, public IMessageHandler {
  Q_OBJECT
 public:
  // projectFile: the project named on the command line ("" for none). optionFileName: where the
  // set-up wizard saves the options ("" for the running programme's options file).
  explicit TMainForm(const std::string& projectFile = {}, TSplash* splash = nullptr,
                     const std::string& optionFileName = {});
  ~TMainForm() override;

  // --- components ---
  std::unique_ptr<TzbBarManager> BM;
  std::unique_ptr<TzbBarScreen> Screen;
  std::unique_ptr<TzbSideBarImageList> SideImages;
  TzbBar* MainMenu = nullptr;
  std::vector<TzbBar*> Toolbars;  // "Dateimenü", "Bearbeiten", "VADAzivu", "Hilfe", "Programmiermenü"
  TzbBarMRUListItem* MRU = nullptr;
  QWidget* Client = nullptr;
  TFoldPanel* FP = nullptr;
  TzbSideBar* SB = nullptr;
  TzsSplitter* SP = nullptr;
  QWidget* FramePanel = nullptr;
  TGPanel* TP = nullptr;
  TFrameManager* FM = nullptr;
  TzsStatusBar* StatusBar1 = nullptr;
  // The folder dialog of the run-time export.
  std::unique_ptr<TzsBrowseDirectoryDlg> VSD;
  TPwrSave* PowerSave = nullptr;

  TzbBarItem* Item(const std::string& name) const;
  bool Locked() const { return fLocked; }

  // --- IMessageHandler ---
  void LockUserInterface() override;
  void UnlockUserInterface() override;
  void CollapseSideBar() override;
  void ExpandSideBar() override;
  void ClearCurrentFrame() override;
  void NotifyProjectState(int kind, int argument) override;
  void RefreshRecentList() override;

  // --- project ---
  // Opens a project file, plain or compressed (told apart by its content). The open project is
  // only replaced after the file was read completely; EReadError (German) otherwise.
  // Reads and opens the project file; false when the user declined a damaged file's readable parts.
  bool OpenProject(const std::string& fileName);
  // Reads a project file whole into a new project (EReadError naming the file); the open project
  // is not touched. A file read only in part is offered with its readable parts; nullptr when the
  // user declines them.
  std::unique_ptr<TZYNProjekt> ReadProjectFile(const std::string& fileName);
  // Makes the project the open one, with the observers hooked and the caption set.
  void InstallProject(std::unique_ptr<TZYNProjekt> projekt);
  // 1 no project, 6 saved, 7 not saved, 2 cancelled (project and window stay).
  int CloseProject();
  void AddRecentFile(int position, const std::string& fileName);
  std::vector<std::string> RecentFiles() const;
  void SaveMainOptions();
  void RestoreMainOptions();
  // Shrinks and moves the window so that its whole frame, title bar included, lies in the
  // available area of its screen (a maximised or minimised window is left alone).
  void FitFrameOnScreen();
  // Runs the set-up wizard when the options do not record it as completed (once per start).
  void RunSetupWizardOnce();

  // --- commands ---
  void SaveCommand();
  void SaveAsCommand();
  void OpenCommand();
  void CloseCommand();
  // "Projekt erstellen": tools, conflict question, compile run and program file. True when the
  // program file was written; errors are shown.
  bool CompileOnly();
  void OpenRecent(int index);
  void AboutCommand();
  void SupportCommand();
  void WizardCommand();
  // "Laufzeitumgebung erzeugen": the visualisation's run-time folder in a folder the user picks.
  void CreateRunTimeCommand();
  // The battery runs low: offers to save the project.
  void BatteryLow();
  void FrameCommand(int tag);
  void SideBarItemClick(TzbSideBarItem& item);
  // Shows the page and refreshes it (IFrameRefresh); a menu item of a page without a tag of its own.
  void ShowCommandPage(const QString& key);
  bool PageItemCommand(const std::string& itemName);
  void SideBarGroupChanged();

  // --- menu state ---
  void UpdateMenuState(bool projectFlag);
  virtual void UpdateSideBarGroups();
  // The open project changed (applied, undone, deleted, imported): the enabling rules and the side
  // bar's groups are evaluated again. Nothing while the user interface is locked.
  void ProjectChanged();
  // The side bar highlights the item of the page shown (its group opened), or none.
  void FollowPageInSideBar();

  // Shows an error or a failure of a command to the user (German).
  void ShowError(const std::string& ansiText);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Key preview: while the display designer is the current page it gets every key first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  void BuildBars();
  void BuildSideBar();
  void ApplyManagerSettings();
  void RegisterFrames(TSplash* splash);
  void HookObservers();
  void OnFrameChanged(TFrame* frame, const QString& title);
  void SetProjectCaption();
  void SelectFirstSideItem();
  void SetSideBarPosition(int visibleGroup, int item);
  void EnableFrameItems();
  bool Terminating() const;
  void RunGuarded(const std::function<void()>& command);

  std::string fOptionFileName;
  TSetupWizardGate fWizardGate;
  bool fLocked = false;
  bool fUpdatingGroups = false;
  bool fSkipGroupChange = false;
  bool fDestroying = false;
  bool fShownOnce = false;
  bool fForwardingKey = false;
  QString fFrameBeforeCompile;
};

}  // namespace zyn
