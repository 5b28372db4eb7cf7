#pragma once
// A second demo form: a form whose client area holds two child forms ("Projekt 1" and
// "Projekt 2"), each with a bar manager and a main menu bar of its own ("&Bearbeiten",
// "&Ansicht"). The form's main menu bar has "&Datei", "&Fenster" and "&Hilfe"; the menu "&Fenster"
// can be torn off as the floating bar "Fenster". When a child is
// maximized its system-menu entry, its menus and its window buttons appear on the form's menu bar.
// The form's object name is "BarMdiDemoForm"; the helpers deliver mouse input as the platform does.

#include "BarTestSupport.h"
#include "widgets/bars/BarButtons.h"
#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarScreen.h"
#include "widgets/bars/BarToolbarControl.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace zyn::test {

// A child form with its own manager and main menu bar; the manager goes with the form.
class BarMdiChildForm : public QWidget {
 public:
  BarMdiChildForm(const QString& title, const QColor& iconColour, std::vector<std::string>& events);
  ~BarMdiChildForm() override;
  std::unique_ptr<TzbBarManager> Manager;
  std::unique_ptr<TzbBarScreen> Screen;
  TzbBar* MainMenu = nullptr;
};

class BarMdiDemoWindow {
 public:
  BarMdiDemoWindow();
  ~BarMdiDemoWindow();
  BarMdiDemoWindow(const BarMdiDemoWindow&) = delete;
  BarMdiDemoWindow& operator=(const BarMdiDemoWindow&) = delete;

  bool appReady = (EnsureApplication(), true);
  QWidget Form;
  QMdiArea* Area = nullptr;  // the client area, owned by the form
  std::unique_ptr<TzbBarManager> Manager;
  std::unique_ptr<TzbBarScreen> Screen;
  TzbBar* MainMenu = nullptr;
  TzbBar* WindowBar = nullptr;                      // the detaching bar of "&Fenster" (hidden until torn off)
  QMdiSubWindow* Children[2] = {nullptr, nullptr};  // owned by the area; they close themselves
  BarMdiChildForm* ChildForms[2] = {nullptr, nullptr};
  // "OnClick:<name>" of every item of the form and the children, in order.
  std::vector<std::string> Events;

  TzbBarControl* MenuBarWindow() const;
  // The names of the items on the form's main menu bar, in link order.
  std::vector<std::string> MenuBarNames() const;
  QPoint ScreenPointOf(const TzbBarControl& window, const TPoint& client) const;
  QPoint WindowButtonPoint(int index) const;
  void Press(const QPoint& screen);
  void Release(const QPoint& screen);
  void Click(const QPoint& screen);
  void Move(const QPoint& screen);
  void DoubleClick(const QPoint& screen);
};

}  // namespace zyn::test
