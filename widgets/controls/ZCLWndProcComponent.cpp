#include "widgets/controls/ZCLWndProcComponent.h"

#include "widgets/controls/ZCLApplication.h"

#include <QCoreApplication>

namespace zyn {

TZCLWndProcComponent::TZCLWndProcComponent(QWidget* owner) : TZCLCustomComponent(owner), fOwner(owner) {}

TZCLWndProcComponent::~TZCLWndProcComponent() { RemoveHook(); }

void TZCLWndProcComponent::SetHookEnabled(bool value) {
  if (value == fHookEnabled) return;
  fHookEnabled = value;
  if (!value) RemoveHook();
}

bool TZCLWndProcComponent::InstallHook() {
  if (!fHookEnabled || !fOwner || fInstalled) return fInstalled;
  fOwner->installEventFilter(this);
  fInstalled = true;
  return true;
}

void TZCLWndProcComponent::RemoveHook() {
  if (!fInstalled) return;
  fInstalled = false;
  if (fOwner) fOwner->removeEventFilter(this);
}

bool TZCLWndProcComponent::eventFilter(QObject* watched, QEvent* event) {
  if (fInstalled && watched == fOwner && WindowProcedure(event)) return true;
  return TZCLCustomComponent::eventFilter(watched, event);
}

bool TLMZBPThemeManager::eventFilter(QObject* watched, QEvent* event) {
  if (watched == QCoreApplication::instance() && watched == parent()) {
    // of the application only the desktop's theme change (a style or palette change may be the
    // visual-style switch's own doing)
    if (event->type() == QEvent::ThemeChange) WindowProcedure(event);
    return false;
  }
  return TZCLWndProcComponent::eventFilter(watched, event);
}

TLMZBPThemeManager* ZCLThemeManager() {
  static QPointer<TLMZBPThemeManager> manager;
  QCoreApplication* app = QCoreApplication::instance();
  if (!manager && app) {
    manager = new TLMZBPThemeManager(nullptr);
    manager->setParent(app);
    app->installEventFilter(manager);
  }
  return manager;
}

bool TLMZBPThemeManager::WindowProcedure(QEvent* event) {
  if (event->type() == QEvent::StyleChange || event->type() == QEvent::ApplicationPaletteChange ||
      event->type() == QEvent::ThemeChange) {
    TZCLApplication& app = TZCLApplication::Instance();
    if (app.SwitchingStyles()) return false;  // the switch's own changes
    if (app.VisualStyles()) {
      app.SetVisualStyleSupport(false);
      app.SetVisualStyleSupport(true);
    }
    ++fChanges;
  }
  return false;
}

}  // namespace zyn
