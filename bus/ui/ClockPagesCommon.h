#pragma once
// What the clock, self-test and viewer pages share: the link set up from the options, the lock
// of the main window for a bus operation, the control-module tabs, a numbered log list and the
// texts of the pages.

#include "bus/ServiceModules.h"

#include <QString>

#include <functional>
#include <string>

class QCheckBox;
class QListWidget;
class QTabBar;
class QWidget;

namespace zyn {

class TSteuermodul;
class TZYNComm;

// Port, time-out and repetitions from the options, the translation, and, with portEvents, the
// open and close events that keep the main window from closing while the port is open.
void ConfigureServiceLink(TZYNComm& comm, bool portEvents = true);

// Locks the main window for a bus operation and shows the hourglass; unlocks on leaving.
class TServiceLock {
 public:
  TServiceLock();
  ~TServiceLock();
  TServiceLock(const TServiceLock&) = delete;
  TServiceLock& operator=(const TServiceLock&) = delete;
};

// A German UTF-8 literal through the translation table.
QString ClockText(const char* germanUtf8);
// The translated German UTF-8 pattern with its one "%s" replaced by value (Windows-1252).
std::string FillIn(const char* germanUtf8, const std::string& value);
// Model text (Windows-1252) as a QString.
QString ModelText(const std::string& ansi);

// One tab per control module of the open project, its internal name as the tab's data.
void FillControlModuleTabs(QTabBar* tabs);
TSteuermodul* TabControlModule(const QTabBar* tabs, int index);
inline TSteuermodul* CurrentControlModule(const QTabBar* tabs);

// The "Outlookbar automatisch ausblenden" box of a page: the frame option and the side bar.
QCheckBox* MakeStyleBox(QWidget* page, const char* frameName);
void ShowStyleBox(QCheckBox* box, const char* frameName);

// Inserts "%3.3d: text" as the new first line (numbered in the order written).
void AddNumberedLogLine(QListWidget* log, const QString& text);

// Processes events until done() or the milliseconds have passed.
void WaitProcessing(int ms, const std::function<bool()>& done);

}  // namespace zyn

#include <QTabBar>

namespace zyn {
inline TSteuermodul* CurrentControlModule(const QTabBar* tabs) { return TabControlModule(tabs, tabs->currentIndex()); }
}  // namespace zyn
