#pragma once
// Small types shared by the shell's widgets: event signatures and the bevel kinds of the bus
// controls.

#include <QString>
#include <functional>

class QObject;

namespace zyn {

using TNotifyEvent = std::function<void(QObject* sender)>;
// Returns the translation of a text; the handler may leave it unchanged.
using TTranslateEvent = std::function<QString(QObject* sender, const QString& text)>;

enum TDspBorderStyle { bsNone, bsBevelLowered, bsBevelRaised };

}  // namespace zyn

namespace zyn {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

}  // namespace zyn
