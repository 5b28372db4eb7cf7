#include "widgets/controls/ZCLSpinButton.h"

#include "widgets/controls/ZCLApplication.h"

#include <QMouseEvent>

namespace zyn {

TZCLSpinButton::TZCLSpinButton(QWidget* parent) : TZCLGraphicControl(parent) {
  resize(20, 20);
  SetCtlXP(true);
  SetTransparentFace(false);
  connect(&fRepeat, &QTimer::timeout, this, &TZCLSpinButton::RepeatTick);
}

TZCLSpinButton::~TZCLSpinButton() { CloseThemes(); }

void TZCLSpinButton::SetStyle(int value) {
  if (value == fStyle) return;
  fStyle = value;
  update();
}

bool TZCLSpinButton::UsesThemes() const {
  const TThemeEngine* engine = GetThemeEngine();
  return CtlXP() && ZCLApplication().VisualStyles() && engine && engine->IsThemeActive();
}

void TZCLSpinButton::CloseThemes() {
  TThemeEngine* engine = GetThemeEngine();
  if (engine && fSpinTheme) engine->CloseThemeData(fSpinTheme);
  if (engine && fScrollTheme) engine->CloseThemeData(fScrollTheme);
  fSpinTheme = fScrollTheme = 0;
}

void TZCLSpinButton::ThemePartOf(TZCLSpinPart part, int state, QString& themeClass, int& themePart,
                                 int& themeState) const {
  if (fStyle == 1) {
    // The scroll bar's arrow buttons: four states per direction.
    themeClass = QStringLiteral("SCROLLBAR");
    themePart = 1;
    const int first = part == spUp ? 1 : part == spDown ? 5 : part == spRight ? 13 : 9;
    themeState = first + state;
    return;
  }
  themeClass = QStringLiteral("SPIN");
  themePart = part == spUp ? 1 : part == spDown ? 2 : part == spRight ? 3 : 4;
  themeState = state + 1;
}

void TZCLSpinButton::PaintThemedPart(TCanvas& canvas, TZCLSpinPart part, const TRect& box) {
  TThemeEngine* engine = GetThemeEngine();
  QString themeClass;
  int themePart = 0, themeState = 0;
  ThemePartOf(part, fStates[IndexOf(part)], themeClass, themePart, themeState);
  HTHEME& handle = fStyle == 1 ? fScrollTheme : fSpinTheme;
  if (!handle) handle = engine->OpenThemeData(themeClass);
  if (!handle || !engine->DrawThemeBackground(handle, canvas, themePart, themeState, box)) PaintPart(canvas, part, box);
}

int TZCLSpinButton::IndexOf(TZCLSpinPart part) {
  switch (part) {
    case spUp:
      return 0;
    case spDown:
      return 1;
    case spLeft:
      return 2;
    default:
      return 3;
  }
}

std::function<void()>& TZCLSpinButton::Handler(int index) {
  switch (index) {
    case 0:
      return OnUpClick;
    case 1:
      return OnDownClick;
    case 2:
      return OnLeftClick;
    default:
      return OnRightClick;
  }
}

TZCLSpinState TZCLSpinButton::State(TZCLSpinPart part) const {
  return static_cast<TZCLSpinState>(fStates[IndexOf(part)]);
}

void TZCLSpinButton::SetParts(unsigned value) {
  if (value == fParts) return;
  fParts = value;
  update();
}

void TZCLSpinButton::SetDiagonal(bool value) {
  if (value == fDiagonal) return;
  fDiagonal = value;
  update();
}

void TZCLSpinButton::SetHotColor(TColor value) {
  if (value == fHotColor) return;
  fHotColor = value;
  update();
}

unsigned TZCLSpinButton::PartAt(int x, int y) const {
  const int w = width(), h = height();
  if (x < 0 || y < 0 || x >= w || y >= h) return 0;
  const unsigned count = ((fParts & spUp) ? 1 : 0) + ((fParts & spDown) ? 1 : 0) + ((fParts & spLeft) ? 1 : 0) +
                         ((fParts & spRight) ? 1 : 0);
  if (count == 1) return fParts;
  if ((fParts & (spUp | spDown)) == (spUp | spDown)) {
    if (fDiagonal && !UsesThemes()) {
      // Above the line from (0, h) to (w, 0) lies the up part.
      return static_cast<long long>(x) * h + static_cast<long long>(y) * w < static_cast<long long>(w) * h ? spUp
                                                                                                           : spDown;
    }
    return y < h / 2 ? spUp : spDown;
  }
  if ((fParts & (spLeft | spRight)) == (spLeft | spRight)) return x < w / 2 ? spLeft : spRight;
  return fParts & (spUp | spDown | spLeft | spRight);
}

bool TZCLSpinButton::UpdateStates(int x, int y, bool leftHeld) {
  const unsigned hit = PartAt(x, y);
  bool changed = false;
  const TZCLSpinPart order[] = {spUp, spDown, spLeft, spRight};
  for (TZCLSpinPart part : order) {
    int s = ssNormal;
    if (!isEnabled())
      s = ssDisabled;
    else if ((fParts & part) && hit == part)
      s = leftHeld ? ssPressed : ssHot;
    int& slot = fStates[IndexOf(part)];
    if (slot != s) {
      slot = s;
      changed = true;
    }
  }
  if (changed) update();
  return changed;
}

void TZCLSpinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  fMouseDown = true;
  const int x = static_cast<int>(event->position().x()), y = static_cast<int>(event->position().y());
  const std::array<int, 4> before = fStates;
  UpdateStates(x, y, true);
  for (int i = 0; i < 4; ++i) {
    if (fStates[i] == ssPressed && before[i] != ssPressed && Handler(i)) Handler(i)();
  }
  fRepeat.start(fInterval + 200);
  update();
}

void TZCLSpinButton::mouseMoveEvent(QMouseEvent* event) {
  UpdateStates(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()),
               (event->buttons() & Qt::LeftButton) && fMouseDown);
}

void TZCLSpinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  fMouseDown = false;
  fRepeat.stop();
  UpdateStates(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()), false);
  update();
}

void TZCLSpinButton::leaveEvent(QEvent* event) {
  TZCLGraphicControl::leaveEvent(event);
  if (!fMouseDown) UpdateStates(-1, -1, false);
}

void TZCLSpinButton::RepeatTick() {
  fRepeat.setInterval(fInterval);
  if (!fMouseDown) return;
  const int order[] = {0, 1, 3, 2};  // up, down, right, left
  try {
    for (int i : order)
      if (fStates[i] == ssPressed && Handler(i)) Handler(i)();
  } catch (...) {
    fRepeat.stop();
    throw;
  }
}

void TZCLSpinButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ThemeChange || event->type() == QEvent::StyleChange) CloseThemes();
  TZCLGraphicControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    for (int& s : fStates) s = isEnabled() ? ssNormal : ssDisabled;
    if (!isEnabled()) {
      fMouseDown = false;
      fRepeat.stop();
    }
    update();
  }
}

void TZCLSpinButton::PaintPart(TCanvas& canvas, TZCLSpinPart part, const TRect& box) {
  const int state = fStates[IndexOf(part)];
  const int w = box.Width(), h = box.Height();
  canvas.Brush = TBrush{Color(), bsSolid, QImage()};
  canvas.FillRect(box);
  TRect frame = Rect(box.Left, box.Top, box.Right - 1, box.Bottom - 1);
  DrawStandardBorder(canvas, frame, state == ssPressed ? lsLowered : static_cast<TZCLBorderStyle>(fUnpressedFrame));
  const TColor arrow = state == ssHot ? fHotColor : state == ssDisabled ? clGray : clBlack;
  const bool enabled = state != ssDisabled;
  const bool split = fDiagonal && (fParts & (spUp | spDown)) == (spUp | spDown);
  switch (part) {
    case spUp:
      if (split)
        DrawSmallArrow(canvas, box.Left + w / 4 - 2, box.Top + h / 4 - 2, 3, arrow, false, enabled);
      else
        DrawSmallArrow(canvas, box.Left + w / 2 - 2, box.Top + h / 2 - 2, 3, arrow, false, enabled);
      break;
    case spDown:
      if (split)
        DrawSmallArrow(canvas, box.Left + 3 * w / 4 - 3, box.Top + 3 * h / 4 - 2, 3, arrow, true, enabled);
      else
        DrawSmallArrow(canvas, box.Left + w / 2 - 3, box.Top + h / 2 - 2, 3, arrow, true, enabled);
      break;
    case spLeft:
    case spRight: {
      const int cx = box.Left + w / 2, cy = box.Top + h / 2;
      canvas.Brush = TBrush{arrow, bsSolid, QImage()};
      canvas.Pen = TPen{arrow, 1, psSolid};
      if (part == spLeft)
        canvas.Polygon({{cx - 2, cy}, {cx + 1, cy - 3}, {cx + 1, cy + 3}});
      else
        canvas.Polygon({{cx + 2, cy}, {cx - 1, cy - 3}, {cx - 1, cy + 3}});
      break;
    }
  }
  if (split) {
    const bool pressed = state == ssPressed;
    auto diag = [&](int offset, TColor color) {
      canvas.Pen = TPen{color, 1, psSolid};
      canvas.MoveTo(box.Right - 1 + offset, box.Top + offset);
      canvas.LineTo(box.Left - 1 + offset, box.Bottom + offset);
    };
    if (part == spUp) {
      if (pressed) diag(0, clGray);
      diag(1, pressed ? clWhite : clSilver);
    } else {
      diag(0, pressed ? clGray : clWhite);
      if (pressed) diag(1, clSilver);
    }
  }
}

void TZCLSpinButton::Paint(TCanvas& canvas) {
  if (IsLoading()) return;
  const int w = width(), h = height();
  const bool both = (fParts & (spUp | spDown)) == (spUp | spDown);
  if (UsesThemes()) {
    // Themed parts are never split diagonally: halves, or the whole button for one part.
    if (both) {
      PaintThemedPart(canvas, spUp, Rect(0, 0, w, h / 2));
      PaintThemedPart(canvas, spDown, Rect(0, h / 2, w, h));
    } else if ((fParts & (spLeft | spRight)) == (spLeft | spRight)) {
      PaintThemedPart(canvas, spLeft, Rect(0, 0, w / 2, h));
      PaintThemedPart(canvas, spRight, Rect(w / 2, 0, w, h));
    } else {
      for (TZCLSpinPart part : {spUp, spDown, spLeft, spRight})
        if (fParts & part) PaintThemedPart(canvas, part, Rect(0, 0, w, h));
    }
    return;
  }
  CloseThemes();
  if (both && fDiagonal) {
    QPainter& p = canvas.Painter();
    p.save();
    p.setClipRegion(QRegion(QPolygon({QPoint(0, h), QPoint(w, 0), QPoint(0, 0)})));
    PaintPart(canvas, spUp, Rect(0, 0, w, h));
    p.restore();
    p.save();
    p.setClipRegion(QRegion(QPolygon({QPoint(0, h), QPoint(w, h), QPoint(w, 0)})));
    PaintPart(canvas, spDown, Rect(0, 0, w, h));
    p.restore();
  } else if (both) {
    PaintPart(canvas, spUp, Rect(0, 0, w, h / 2));
    PaintPart(canvas, spDown, Rect(0, h / 2, w, h));
  } else if ((fParts & (spLeft | spRight)) == (spLeft | spRight)) {
    PaintPart(canvas, spLeft, Rect(0, 0, w / 2, h));
    PaintPart(canvas, spRight, Rect(w / 2, 0, w, h));
  } else {
    for (TZCLSpinPart part : {spUp, spDown, spLeft, spRight})
      if (fParts & part) PaintPart(canvas, part, Rect(0, 0, w, h));
  }
}

}  // namespace zyn
