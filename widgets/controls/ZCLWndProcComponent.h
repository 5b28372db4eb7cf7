#pragma once
// A component that hears every event of its owner control before the control does (an event
// filter standing in for a window-procedure hook), and the theme manager built on it.

#include "widgets/controls/ZCLObject.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace zyn {

class TZCLWndProcComponent : public TZCLCustomComponent {
  Q_OBJECT
 public:
  explicit TZCLWndProcComponent(QWidget* owner);
  ~TZCLWndProcComponent() override;

  bool HookEnabled() const { return fHookEnabled; }
  void SetHookEnabled(bool value);
  bool Installed() const { return fInstalled; }
  // Installs the hook when enabled and an owner control exists; true when installed.
  bool InstallHook();
  void RemoveHook();

 protected:
  // Every event of the owner; true stops it before the owner sees it.
  virtual bool WindowProcedure(QEvent* event) { return false; }
  void Loaded() override { InstallHook(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> fOwner;
  bool fHookEnabled = true;
  bool fInstalled = false;
};

// Switches the application object's visual styles off and on again when the desktop's style or
// palette changes, so that every control repaints with the new look. With an owner it hears the
// owner's events; the library's own one (ZCLThemeManager) hears the application's.
class TLMZBPThemeManager : public TZCLWndProcComponent {
  Q_OBJECT
 public:
  explicit TLMZBPThemeManager(QWidget* owner) : TZCLWndProcComponent(owner) {}
  int ThemeChanges() const { return fChanges; }

 protected:
  bool WindowProcedure(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int fChanges = 0;
};

// The library's one theme manager, made with the application (null before there is one).
TLMZBPThemeManager* ZCLThemeManager();

}  // namespace zyn
