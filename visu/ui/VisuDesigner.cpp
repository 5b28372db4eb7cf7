#include "visu/ui/VisuDesigner.h"

#include <QWidget>

namespace zyn {

void TVisuDesignerBase::SetDesignFocus(bool on) {
  if (fPolicy.focusIgnored || fFocus == on) return;
  fFocus = on;
  if (fPolicy.repaintFocus) fComponent.Self()->update();
}

void TVisuDesignerBase::SetDesigning(bool on) {
  if (fDesigning == on) return;
  fDesigning = on;
  if (fPolicy.enabledFollows) fComponent.Self()->setEnabled(on);
  DesigningChanged();
  if (fPolicy.repaintDesigning) fComponent.Self()->update();
}

void TVisuDesignerBase::SetDragDropHandler(TVisuDragOverEvent over, TVisuDragDropEvent drop) {
  if (fPolicy.dragIgnored) return;
  if (fPolicy.dragAlways || fDesigning) fComponent.Hooks().SetDrag(std::move(over), std::move(drop));
}

void TVisuDesignerBase::SetMouseHandler(TVisuMouseEvent down, TVisuMouseEvent up, TVisuMouseEvent move) {
  if (fPolicy.mouseAlways || fDesigning) fComponent.Hooks().SetMouse(std::move(down), std::move(up), std::move(move));
}

void TVisuDesignerBase::SetVisuParent(QWidget* parent) {
  fComponent.Self()->setParent(parent);
  if (parent) fComponent.Self()->show();
}

void TVisuDesignerBase::SetPosition(int x, int y) {
  if (fPolicy.usesDontMove && DontMove) return;
  fComponent.Self()->move(x, y);
}

}  // namespace zyn
