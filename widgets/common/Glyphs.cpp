#include "widgets/common/Glyphs.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace zyn {

void DrawGlyph(QPainter& painter, const QWidget* widget, const QRect& r, TGlyphKind kind, bool checked, bool hot,
               bool enabled) {
  QStyleOptionButton option;
  option.initFrom(widget);
  option.rect = r;
  option.state = QStyle::State_None;
  if (enabled) option.state |= QStyle::State_Enabled;
  if (hot && enabled) option.state |= QStyle::State_MouseOver;
  option.state |= checked ? QStyle::State_On : QStyle::State_Off;
  const auto element = kind == gkCheckBox ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton;
  widget->style()->drawPrimitive(element, &option, &painter, widget);
}

void DrawGroupFrame(TCanvas& canvas, const TRect& bounds, const QString& caption, TColor background) {
  const int th = canvas.TextHeight("Wg");
  TRect frame = bounds;
  frame.Top += th / 2;
  canvas.DrawEdge(frame, EDGE_ETCHED, BF_RECT);
  if (caption.isEmpty()) return;
  canvas.Brush.Color = background;
  canvas.Brush.Style = bsSolid;
  canvas.TextOut(bounds.Left + 10, bounds.Top, caption);
}

}  // namespace zyn
