#pragma once
// The error raised when a second docked component is attached to one control.

#include <QString>

class QObject;

namespace zyn {

// The message naming the component already docked and the control (an absent one: empty name).
QString DockingErrorText(const QObject* docked, const QObject* control);
// Raises the docking error as a std::runtime_error.
[[noreturn]] void RaiseDockingError(const QObject* docked, const QObject* control);

}  // namespace zyn
