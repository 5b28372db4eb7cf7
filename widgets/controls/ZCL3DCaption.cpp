#include "widgets/controls/ZCL3DCaption.h"

#include "widgets/controls/ZCLGraph.h"

#include <QPainterPath>

namespace zyn {

void TZCL3DCaption::SetDisabledStyle(TZCLDisabledStyle value) {
  if (value == fDisabledStyle) return;
  fDisabledStyle = value;
  Changed();
}

void TZCL3DCaption::SetDepth(int index, int value) {
  if (index < 0 || index > 1 || value < 0 || value > 255 || fDepths[index] == value) return;
  fDepths[index] = value;
  Changed();
}

void TZCL3DCaption::SetCaptionColor(int index, TColor value) {
  if (index < 0 || index > 1 || fColors[index] == value) return;
  fColors[index] = value;
  Changed();
}

void TZCL3DCaption::SetOrientation(TZCLThreeDOrientation value) {
  if (value == fOrientation) return;
  fOrientation = value;
  Changed();
}

void TZCL3DCaption::SetStyle(TZCLThreeDStyle value) {
  if (value == fStyle) return;
  fStyle = value;
  Changed();
}

void TZCL3DCaption::SetTracing(int value) {
  if (value == fTracing) return;
  fTracing = value;
  Changed();
}

int TZCL3DCaption::Depth() const {
  switch (fStyle) {
    case tdSunken:
    case tdRaised:
      return LightDepth();
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised:
      return LightDepth() + ShadowDepth();
    case tdShadow:
    case tdOutline:
    case tdExtrude:
    case tdExtrudeEnh:
      return ShadowDepth();
    default:
      return 0;
  }
}

QString TZCL3DCaption::Description() const {
  static const char* names[] = {"Disabled", "sunken", "raised",  "sunken shadow", "raised shadow", "PColor sunken",
                                "",         "shadow", "outline", "extrude",       "extrude enh"};
  return QStringLiteral("{%1}").arg(QString::fromLatin1(names[fStyle]));
}

void TZCL3DCaption::Assign(const TZCL3DCaption& other) {
  fDisabledStyle = other.fDisabledStyle;
  fDepths[0] = other.fDepths[0];
  fDepths[1] = other.fDepths[1];
  fColors[0] = other.fColors[0];
  fColors[1] = other.fColors[1];
  fOrientation = other.fOrientation;
  fStyle = other.fStyle;
  fTracing = other.fTracing;
  Changed();
}

void TZCLFxCaption::SetAngle(int value) {
  if (value < 0 || value > 360) return;
  if (value == 360) value = 0;
  if (value == fAngle) return;
  fAngle = value;
  Changed();
}

void TZCLFxCaption::SetPos(int index, int value) {
  if (index < 0 || index > 1 || fPos[index] == value) return;
  fPos[index] = value;
  Changed();
}

QString TZCLFxCaption::Description() const {
  QString d = TZCL3DCaption::Description();
  if (fAngle == 0) return d;
  if (d == QLatin1String("{Disabled}"))
    d = QStringLiteral("{");
  else
    d = d.left(d.size() - 1) + QLatin1Char(',');
  return d + QStringLiteral(" rot: ") + QString::number(fAngle) + QChar(0x00B0) + QLatin1Char('}');
}

void TZCLFxCaption::Assign(const TZCL3DCaption& other) {
  if (auto* fx = dynamic_cast<const TZCLFxCaption*>(&other)) {
    fAngle = fx->fAngle;
    fPos[0] = fx->fPos[0];
    fPos[1] = fx->fPos[1];
  }
  TZCL3DCaption::Assign(other);
}

void Draw3DText(TCanvas& canvas, const QString& text, const TZCL3DCaption* caption, const TRect& clip, unsigned flags,
                unsigned format, const TRect& rect) {
  if (text.isEmpty() || IsRectEmpty(rect)) return;
  const TBrush oldBrush = canvas.Brush;
  const TColor oldColor = canvas.Font.Color;
  canvas.Brush.Style = bsClear;
  if (!caption) {
    TRect r = rect;
    canvas.DrawText(text, r, format);
    canvas.Brush = oldBrush;
    return;
  }
  QPainter& p = canvas.Painter();
  p.save();
  if (flags & dtfClip) canvas.SetClipRect(IsRectEmpty(clip) ? rect : clip);
  canvas.CharacterExtra = caption->Tracing();
  TRect base = rect;
  const auto* fx = dynamic_cast<const TZCLFxCaption*>(caption);
  if (fx) OffsetRect(base, fx->PosX(), fx->PosY());
  const bool enabled = flags & dtfEnabled;
  TZCLThreeDStyle style = caption->Style();
  TColor textColor = canvas.Font.Color;
  if (style == tdPColorSunken || style == tdPColorRaised) textColor = oldBrush.Color;
  if (!enabled && caption->DisabledStyle() != dsNone) {
    textColor = clGrayText;
    if (caption->DisabledStyle() == ds3d || (caption->DisabledStyle() == dsAuto && (flags & dtfDisabledSunken)))
      style = tdSunken;
  }
  const int L = caption->LightDepth(), S = caption->ShadowDepth();
  auto draw = [&](int dx, int dy, TColor color, int rightCut) {
    TRect r = base;
    r.Right -= rightCut;
    OffsetRect(r, dx, dy);
    canvas.Font.Color = color;
    if (fx && fx->Angle() != 0) {
      p.save();
      p.translate(r.Left, r.Top);
      p.rotate(-fx->Angle());
      TRect origin = Rect(0, 0, 1 << 14, 1 << 14);
      canvas.DrawText(text, origin, DT_NOCLIP | DT_SINGLELINE);
      p.restore();
    } else {
      canvas.DrawText(text, r, format);
    }
  };
  const TColor light = caption->LightColor(), shadow = caption->ShadowColor();
  switch (style) {
    case tdSunken:
      draw(L, L, light, L);
      draw(0, 0, textColor, L);
      break;
    case tdRaised:
      draw(0, 0, light, L);
      draw(L, L, textColor, L);
      break;
    case tdSunkenShadow:
    case tdPColorSunken:
      draw(0, 0, shadow, L + S);
      draw(L + S, L + S, light, L + S);
      draw(S, S, textColor, L + S);
      break;
    case tdRaisedShadow:
    case tdPColorRaised:
      draw(L + S, L + S, shadow, L + S);
      draw(0, 0, light, L + S);
      draw(L, L, textColor, L + S);
      break;
    case tdShadow:
      draw(S, S, shadow, S);
      draw(0, 0, textColor, S);
      break;
    case tdOutline: {
      QPainterPath path;
      QFont f = canvas.Font.Font;
      const QFontMetrics fm(f);
      path.addText(base.Left + S / 2, base.Top + S / 2 + fm.ascent(), f, text);
      p.setRenderHint(QPainter::Antialiasing, true);
      p.strokePath(path, QPen(ToQColor(textColor), std::max(1, S)));
      break;
    }
    case tdExtrude:
    case tdExtrudeEnh: {
      int x = 0, y = 0, sx = 1, sy = 1;
      switch (caption->Orientation()) {
        case toBottomLeft:
          x = 0;
          y = S + 1;
          sx = 1;
          sy = -1;
          break;
        case toBottomRight:
          x = S + 1;
          y = S + 1;
          sx = -1;
          sy = -1;
          break;
        case toTopLeft:
          x = 0;
          y = 0;
          sx = 1;
          sy = 1;
          break;
        case toTopRight:
          x = S + 1;
          y = 0;
          sx = -1;
          sy = 1;
          break;
      }
      for (int i = 0; i < S; ++i) {
        x += sx;
        y += sy;
        const TColor c = style == tdExtrudeEnh ? BlendColor(shadow, light, S - i - 1, S) : shadow;
        draw(x, y, c, 0);
      }
      draw(x, y, textColor, 0);
      break;
    }
    default:
      draw(0, 0, textColor, 0);
      break;
  }
  canvas.CharacterExtra = 0;
  p.restore();
  canvas.Brush = oldBrush;
  canvas.Font.Color = oldColor;
}

}  // namespace zyn
