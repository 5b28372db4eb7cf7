#include "logic/CenteredDialog.h"

#include "shell/GlobalGui.h"

namespace zyn {

void TCenteredDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (parentWidget()) CenterFormOnControl(this, parentWidget());
}

}  // namespace zyn
