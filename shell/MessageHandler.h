#pragma once
// The contract through which every page and dialog talks back to the main window. A page asks
// for it whenever it needs it (GetMessageHandler) and keeps no reference. Every operation does
// nothing while the programme is shutting down, because pages call it from their own clean-up.

namespace zyn {

class IMessageHandler {
 public:
  virtual ~IMessageHandler() = default;
  // Disables every menu item, toolbar button and the side bar for a long operation.
  virtual void LockUserInterface() = 0;
  // Enables them again and applies the enabling rules of the open project.
  virtual void UnlockUserInterface() = 0;
  virtual void CollapseSideBar() = 0;
  virtual void ExpandSideBar() = 0;
  // Leaves no page shown (the page being left may refuse).
  virtual void ClearCurrentFrame() = 0;
  // kind 1 project closed, 2 opened or created (argument 0: open page, 1: new project), 3 back to
  // the saved page, 4 saved under a new name.
  virtual void NotifyProjectState(int kind, int argument) = 0;
  // The recent-files list takes its maximum from the options again.
  virtual void RefreshRecentList() = 0;
};

// The main window's handler; nullptr when no main window exists.
IMessageHandler* GetMessageHandler();

// Tells the main window that the open project changed (objects applied, undone, deleted or
// imported): its menus, toolbars and side bar follow. Nothing without a main window.
void NotifyProjectChanged();

}  // namespace zyn
