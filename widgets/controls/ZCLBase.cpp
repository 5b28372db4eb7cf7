#include "widgets/controls/ZCLBase.h"

#include <QObject>

#include <stdexcept>

namespace zyn {

QString DockingErrorText(const QObject* docked, const QObject* control) {
  const QString dockedName = docked ? docked->objectName() : QString();
  const QString controlName = control ? control->objectName() : QString();
  return QStringLiteral("Component ") + dockedName + QStringLiteral(":\r") + QStringLiteral("A TZCLDockLabel- or") +
         QStringLiteral(" Button component was already attached to the component: ") + controlName +
         QStringLiteral("\r") + QStringLiteral("Only one ZCLDockXXXX per control is allowed.");
}

void RaiseDockingError(const QObject* docked, const QObject* control) {
  throw std::runtime_error(DockingErrorText(docked, control).toStdString());
}

}  // namespace zyn
