#pragma once
// The application's hints: how long a shown hint stays before it hides (the hint hide pause,
// 2500 ms unless a page or dialog sets another), cancelling the shown hint, showing one at once,
// and the hint handler a page installs while it is active. The handler is asked each time the
// pointer comes to rest on a widget, before the widget's own hint is shown; it may change the
// hide pause or show a hint of its own (answer true: the widget's hint is then not shown).

#include <QString>

#include <functional>

class QPoint;
class QWidget;

namespace zyn {

constexpr int kDefaultHintHidePause = 2500;

int HintHidePause();
void SetHintHidePause(int milliseconds);

// Hides the hint that is shown.
void CancelHint();
// Shows text as the hint of widget at once, at the global position, for the hide pause.
void ActivateHint(QWidget* widget, const QPoint& globalPos, const QString& text);

// widget: the widget under the pointer; globalPos: where the pointer rests.
using THintHandler = std::function<bool(QWidget* widget, const QPoint& globalPos)>;
// Installs the handler and returns the one installed before (empty for none).
THintHandler SetHintHandler(THintHandler handler);

}  // namespace zyn
