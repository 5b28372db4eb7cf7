#pragma once
// What every bus service page has: its own link, the tab bar of the project's control modules
// (active tab bold blue), the check box that hides the side bar, and the bracket of its bus work
// (main window locked, hourglass, link open only while the page works).

#include "bus/ZYNComm.h"
#include "shell/FrameManager.h"

#include <QTabBar>
#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QVBoxLayout;

namespace zyn {

class TSteuermodul;

class TServiceTabBar : public QTabBar {
  Q_OBJECT
 public:
  explicit TServiceTabBar(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TServicePage : public QWidget, public IFrameMessage {
  Q_OBJECT
 public:
  // name: the page's component name (frame options); withTabs: one tab per control module.
  TServicePage(const char* name, bool withTabs, QWidget* parent = nullptr);
  ~TServicePage() override;

  void FrameActivate() override;
  void FrameDeactivate() override {}
  int AskApplyChanges() override { return 6; }

  TZYNComm ZYNCom;
  TServiceTabBar* TC = nullptr;  // nullptr without tabs
  QCheckBox* FStyle = nullptr;

  // The control module of the current tab; nullptr without project or tab.
  TSteuermodul* CurrentStm() const;

 protected:
  // The rows of the page below the tabs.
  QVBoxLayout* Body() const { return fBody; }
  QHBoxLayout* TopRow() const { return fTop; }
  // A tab was chosen (also after activation fills the tabs); the link is addressed to it.
  virtual void StmChanged(TSteuermodul* stm) {}

  // Main window locked and hourglass for the life of the object.
  class TBusWork {
   public:
    TBusWork();
    ~TBusWork();
    TBusWork(const TBusWork&) = delete;
    TBusWork& operator=(const TBusWork&) = delete;
  };

 private:
  void FillTabs();
  std::string fName;
  QVBoxLayout* fBody = nullptr;
  QHBoxLayout* fTop = nullptr;
  bool fFilling = false;
};

}  // namespace zyn
