#include "widgets/controls/ZCLWndProcComponent.h"

#include "widgets/controls/ZCLApplication.h"

namespace zyn {

TZCLWndProcComponent::TZCLWndProcComponent(QWidget* owner) : TZCLCustomComponent(owner), owner_(owner) {}

TZCLWndProcComponent::~TZCLWndProcComponent() { RemoveHook(); }

void TZCLWndProcComponent::SetHookEnabled(bool value) {
  if (value == hookEnabled_) return;
  hookEnabled_ = value;
  if (!value) RemoveHook();
}

bool TZCLWndProcComponent::InstallHook() {
  if (!hookEnabled_ || !owner_ || installed_) return installed_;
  owner_->installEventFilter(this);
  installed_ = true;
  return true;
}

void TZCLWndProcComponent::RemoveHook() {
  if (!installed_) return;
  installed_ = false;
  if (owner_) owner_->removeEventFilter(this);
}

bool TZCLWndProcComponent::eventFilter(QObject* watched, QEvent* event) {
  if (installed_ && watched == owner_ && WindowProcedure(event)) return true;
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
    ++changes_;
  }
  return false;
}

}  // namespace zyn
