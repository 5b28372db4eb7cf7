#pragma once
// Small types shared by the general widgets: event signatures, bevel kinds and text alignment.

#include <QString>

#include <functional>

class QObject;

namespace zyn {

using TSenderEvent = std::function<void(QObject* sender)>;
// Returns the translation of a text; the handler may leave it unchanged.
using TTranslateEvent = std::function<QString(QObject* sender, const QString& text)>;

enum TDspBorderStyle { bsNone, bsBevelLowered, bsBevelRaised };

// Text alignment and bevel cuts of the panels. They are scoped so that they live beside
// the control library's unscoped enumerations of the same values.
enum class TTextAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

}  // namespace zyn
