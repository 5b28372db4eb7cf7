#include "widgets/controls/ZCLWndProcComponent.h"

#include "widgets/controls/ZCLApplication.h"

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

bool TLMZBPThemeManager::WindowProcedure(QEvent* event) {
  if (event->type() == QEvent::StyleChange || event->type() == QEvent::ApplicationPaletteChange ||
      event->type() == QEvent::ThemeChange) {
    TZCLApplication& app = ZCLApplication();
    if (app.VisualStyles()) {
      app.SetVisualStyleSupport(false);
      app.SetVisualStyleSupport(true);
    }
    ++fChanges;
  }
  return false;
}

}  // namespace zyn
