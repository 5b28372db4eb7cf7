#pragma once
// The journey harness: the programme's real main window, with every page registered as the
// programme registers them at start, on a private X server with a window manager, driven as a user
// drives it: the real pointer clicks menus, side-bar items and buttons, real keys go to the focused
// widget, modal dialogs are answered through their buttons. Each journey runs in its own process
// with its own empty home; the programme's folder is "Programm/" in that home, so its options,
// data and project folders start empty as on a fresh install.
//
// Every modal dialog that shows up is looked at: a dialog the journey expects (OnDialog) is handed
// to its handler; any other dialog fails the journey, is recorded with its text and closed, so the
// journey goes on and says what else went wrong. A failing check leaves a screenshot in
// <build>/journeys/.

#include "shell/FormMain.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QTabBar;
class QComboBox;
class QMenu;
class QTabWidget;

namespace zyn {
class TzbBarItemControl;
class TzbSideBarItem;
}  // namespace zyn

namespace zyn::test {

class TJourney : public ::testing::Test {
 public:
  // Saves a screenshot of the whole screen under name in <build>/journeys/ and returns its path.
  static std::string Screenshot(const std::string& name);

 protected:
  void SetUp() override;
  void TearDown() override;

  // --- the programme ---
  // The programme's folder ("<home>/Programm/"), where its options file "zyn.xml" lives.
  static std::string ProgramFolder();
  // The programme's globals as at start (language file, options, system data, pages); a journey
  // that makes a project file before the start calls it first, StartProgram otherwise.
  void StartGlobals();
  // Starts the programme as its entry point does (language file, globals, pages, main window with
  // the project named, shown and active). wizardDone: the options record the set-up wizard as
  // completed, as after a first start.
  TMainForm& StartProgram(const std::string& projectFile = {}, bool wizardDone = true);
  TMainForm& Main() const { return *fMain; }
  bool Running() const { return fMain != nullptr; }
  // Ends the programme through "Projekt" > "Beenden"; saveAnswer answers the save question that
  // must come ("Ja", "Nein"; empty: no question expected).
  void EndProgram(const QString& saveAnswer = {});

  // --- input: the real pointer and keyboard of the X server ---
  void MoveTo(const QPoint& global);  // the pointer, without a click
  void Click(const QPoint& global);
  void DoubleClick(const QPoint& global);
  // At its centre; a check box or radio button at the centre of its box and text, where a click
  // toggles it (the centre of a stretched one lies beyond its text).
  void Click(QWidget* widget);
  void Click(QWidget* widget, const QPoint& local);
  // Clicks a check box or radio button on its indicator (a box laid out wider than its text
  // takes no click at its centre) and waits until its state changed.
  void Toggle(QAbstractButton* box);
  // The right button at a point of the widget (a context menu).
  void RightClick(QWidget* widget, const QPoint& local);
  // Opens the combo box's list with a click and takes the entry with the text.
  void Choose(QComboBox* box, const QString& text);
  // Drags with the left button held from one point to another, as a user drags: pressed, moved a
  // little (a drag starts), then, once the drag runs, moved to the target and released there.
  void Drag(const QPoint& from, const QPoint& to);
  void Drag(QWidget* from, const QPoint& fromLocal, QWidget* to, const QPoint& toLocal);
  // Presses the left button at from, moves to to and releases it there (drawing, a rubber band).
  void Stroke(const QPoint& from, const QPoint& to);
  // Whether a drag and drop runs (its own event loop waits for the pointer meanwhile).
  static bool DragRunning();
  // Keys by their X names ("Tab", "Down", "ctrl+s", "Return") to the window with the focus.
  void Keys(const QStringList& keys);
  void Key(const QString& key) { Keys({key}); }
  // Clicks the tab with the text (accelerator marks ignored).
  void ClickTab(QTabWidget* tabs, const QString& text);
  void ClickTab(QTabBar* bar, const QString& text);
  // Types text into the focused widget.
  void Type(const QString& text);

  // --- the main window ---
  // Opens the menu of the main menu bar's entry and clicks the command (item names as in the bar
  // manager, "Datei1" > "Neu1"); a sub-menu on the way is opened by its name in between, the
  // pointer resting on its entry. A path that ends on a menu leaves the menus open.
  void MenuCommand(const std::vector<std::string>& path);
  // Clicks the command's button on the visible tool bar that shows it (item name as in the bar
  // manager, "Erstellen").
  void ToolbarCommand(const std::string& itemName);
  bool ItemEnabled(const std::string& itemName) const;
  // Opens the side bar's group (when not open) and clicks the item that shows the page key.
  void SideBarClick(const std::string& frameKey);
  TzbSideBarItem* SideBarItemOf(const std::string& frameKey) const;
  // The page shown, by its key ("" for none), and the side bar's highlighted item's page key.
  std::string CurrentPage() const;
  std::string HighlightedPage() const;
  // Waits until the page is shown.
  bool WaitForPage(const std::string& frameKey, int timeoutMs = 10000);

  // --- pages ---
  // On the module page: "Neues Objekt anlegen", then in the dialog the first module of the base
  // class ("Eingangsmodule", "Ausgangsmodule"), chosen with the pointer and taken with OK.
  void AddModule(const QString& baseClass);
  // On the module page: an input and an output module added, their channels given their default
  // names ("Auto"), which puts them to use, and applied with OK.
  void AddInputAndOutputModule();

  // --- finding ---
  // A widget of the main window (or of parent) by object name.
  template <class T = QWidget>
  T* Find(const QString& objectName, QWidget* parent = nullptr) const {
    return (parent ? parent : static_cast<QWidget*>(fMain))->findChild<T*>(objectName);
  }
  // The visible button with the text (accelerator marks ignored) in parent.
  static QAbstractButton* Button(QWidget* parent, const QString& text);
  // Clicks the button of a dialog with the real pointer.
  void ClickButton(QWidget* dialog, const QString& text);

  // --- dialogs ---
  // The next modal dialog whose caption or text holds match goes to the handler (once).
  void OnDialog(const QString& match, std::function<void(QWidget* dialog)> handler);
  // Answers the next dialog that holds match with the button text.
  void Answer(const QString& match, const QString& buttonText);
  // The next context menu that comes up (say, after RightClick) gets its entry with the text
  // clicked (accelerator marks ignored); WaitForDialogsHandled waits for it too.
  void OnMenu(const QString& entry);
  // Answers every dialog that holds match with the button text, for the rest of the journey.
  void AlwaysAnswer(const QString& match, const QString& buttonText);
  // Closes a dialog as a user does who wants nothing of it: its "Abbrechen", "Schließen" or "OK"
  // button, else Escape.
  void Dismiss(QWidget* dialog);
  // Waits until every expected dialog was handled (from within a handler: those its clicks opened).
  bool WaitForDialogsHandled(int timeoutMs = 20000);
  // The texts of the dialogs nobody expected (each also failed the journey).
  const std::vector<QString>& Unexpected() const { return fUnexpected; }
  // A dialog's caption and text (message boxes: both; other dialogs: the caption).
  static QString DialogText(QWidget* dialog);

  // --- the web engine ---
  // Every request of the web engine (the browser page) goes to the local port, as to a proxy: a
  // journey's own small server stands for the internet. Before the engine's first start only.
  // Without it the journeys' web engine reaches no host at all: they never reach the network.
  static void RouteWebTo(quint16 port);

  // Runs action once, as soon as condition holds, also while a modal dialog, a menu or a drag waits
  // in its own event loop for the user (e.g. to drop a drag that a command starts by itself).
  // A step that never ran fails the journey at its end.
  void When(std::function<bool()> condition, std::function<void()> action, const std::string& what);
  bool WaitForSteps(int timeoutMs = 20000);

  // Processes events until condition holds or the time is up.
  static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

 private:
  struct Expected {
    QString Match;
    std::function<void(QWidget*)> Handler;
    bool Persistent = false;
  };
  struct Step {
    std::function<bool()> Condition;
    std::function<void()> Action;
    std::string What;
  };
  void WatchDialogs();
  void ChooseMenuEntry(QMenu* menu, const QString& text);
  void RunSteps();
  bool XDoTool(const QStringList& args);
  QPoint CenterOf(const TzbBarItemControl& control) const;

  TMainForm* fMain = nullptr;
  bool fStarted = false;  // the globals are up
  std::unique_ptr<TMainForm> fOwned;
  QTimer fWatch;
  // Dialog handlers waiting for their turn and running; a handler's click may open a further
  // dialog, whose handler then runs within it.
  int fHandlersScheduled = 0;
  int fHandlersRunning = 0;
  std::vector<Step> fSteps;
  std::vector<Expected> fExpected;
  std::vector<QString> fUnexpected;
  std::vector<QString> fMenuEntries;
  std::vector<QPointer<QWidget>> fHandled;
};

}  // namespace zyn::test
