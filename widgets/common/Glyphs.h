#pragma once
// Check boxes, radio buttons and captioned group frames as the bus controls paint them: through
// the widget style (normal, hot and disabled states), 16 x 16 pixels.

#include "platform/Canvas.h"

class QWidget;

namespace zyn {

constexpr int kGlyphSize = 16;

enum TGlyphKind { gkCheckBox, gkRadioButton };

void DrawGlyph(QPainter& painter, const QWidget* widget, const QRect& r, TGlyphKind kind, bool checked, bool hot,
               bool enabled);
// An etched frame from top = half the caption height with the caption at x 10 over it.
void DrawGroupFrame(TCanvas& canvas, const TRect& bounds, const QString& caption, TColor background);

}  // namespace zyn
