#include "widgets/controls/ZCLSpeedButton.h"

#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcutEvent>

namespace zyn {

TZCLBaseGraphicButton::TZCLBaseGraphicButton(QWidget* parent) : TZCLBaseControl(parent) {
  resize(25, 25);
  connect(&FRepeatTimer, &QTimer::timeout, this, &TZCLBaseGraphicButton::RepeatTick);
}

void TZCLBaseGraphicButton::SetState(int state, bool force) {
  if (state == FState && !force) return;
  const int old = FState;
  bool repaint = true;
  const bool upHot = (old == bstUp && state == bstHot) || (old == bstHot && state == bstUp);
  const bool hotDown = (old == bstHot && state == bstDown) || (old == bstDown && state == bstHot);
  if (upHot && !FlatFace() && FNumGlyphs < 3 && !(FEnterColorChange && FHotTrack)) repaint = false;
  if (hotDown && FNumGlyphs < 3) repaint = false;
  FOldState = (state == bstHot && old != bstDown) ? bstUp : old;
  FState = state;
  if (repaint && isVisible()) update();
}

void TZCLBaseGraphicButton::ReleaseGroupMates() {
  if (!parentWidget() || FGroupIndex == 0) return;
  for (QObject* child : parentWidget()->children()) {
    auto* other = qobject_cast<TZCLBaseGraphicButton*>(child);
    if (!other || other == this || other->FGroupIndex != FGroupIndex || !other->FPressed) continue;
    other->FPressed = false;
    other->FAllowAllUp = FAllowAllUp;
    const bool over = other->FHotTrack && other->underMouse();
    other->SetState(!other->isEnabled() ? bstDisabled : over ? bstHot : bstUp, true);
  }
}

void TZCLBaseGraphicButton::SetPressed(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FPressed) return;
  if (!value && !FAllowAllUp) return;
  FPressed = value;
  if (value) ReleaseGroupMates();
  SetState(!isEnabled() ? (value ? bstDisabledDown : bstDisabled) : value ? bstDown : bstUp, true);
}

void TZCLBaseGraphicButton::SetGroupIndex(int value) {
  if (value == FGroupIndex) return;
  FGroupIndex = value;
  if (FPressed) ReleaseGroupMates();
}

void TZCLBaseGraphicButton::SetAllowAllUp(bool value) {
  if (value == FAllowAllUp) return;
  FAllowAllUp = value;
  if (!parentWidget() || FGroupIndex == 0) return;
  for (QObject* child : parentWidget()->children()) {
    auto* other = qobject_cast<TZCLBaseGraphicButton*>(child);
    if (other && other->FGroupIndex == FGroupIndex) other->FAllowAllUp = value;
  }
}

void TZCLBaseGraphicButton::SetDropDownCombo(bool value) {
  if (value == FDropDownCombo) return;
  FDropDownCombo = value;
  if (!IsLoading()) resize(width() + (value ? FDropDownComboWidth : -FDropDownComboWidth), height());
  update();
}

void TZCLBaseGraphicButton::SetDropDownComboWidth(int value) {
  if (value == FDropDownComboWidth) return;
  if (FDropDownCombo && !IsLoading()) resize(width() + value - FDropDownComboWidth, height());
  FDropDownComboWidth = value;
  update();
}

QMenu* TZCLBaseGraphicButton::DropDownMenu() const { return FDropDownMenu.data(); }

void TZCLBaseGraphicButton::SetDropDownMenu(QMenu* menu) {
  FDropDownMenu = menu;
  update();
}

void TZCLBaseGraphicButton::SetUseCaption(bool value) {
  if (value == FUseCaption) return;
  FUseCaption = value;
  update();
}

void TZCLBaseGraphicButton::SetGlyph(const QImage& glyph) {
  FGlyph = glyph;
  if (!glyph.isNull() && glyph.height() > 0 && glyph.width() % glyph.height() == 0) {
    const int n = glyph.width() / glyph.height();
    FNumGlyphs = n < 6 ? n : 1;
  }
  update();
}

void TZCLBaseGraphicButton::SetNumGlyphs(int value) {
  if (value < 1 || value == FNumGlyphs) return;
  FNumGlyphs = value;
  update();
}

QImage TZCLBaseGraphicButton::StateGlyph(int state) const {
  if (FGlyph.isNull()) return QImage();
  const int n = std::max(1, FNumGlyphs);
  const int w = FGlyph.width() / n;
  auto cell = [&](int index) { return FGlyph.copy(index * w, 0, w, FGlyph.height()); };
  if (state == bstDisabledDown) state = bstDisabled;
  if (state == bstDisabled) {
    if (n > 1) return cell(1);
    const QImage g = cell(0);
    return MakeDisabledGlyph(g, FromQColor(g.pixelColor(0, g.height() - 1)));
  }
  if ((state == bstDown || state == bstPushed || state == bstDropped) && n > 2) return cell(2);
  if (state == bstDown && n > 3) return cell(3);
  return cell(0);
}

bool TZCLBaseGraphicButton::IsInside(const QPointF& p) const { return rect().contains(p.toPoint()); }

void TZCLBaseGraphicButton::Click() {
  if (OnClick) OnClick(this);
}

void TZCLBaseGraphicButton::RepeatTick() {
  if (FState != bstPushed) return;
  FRepeatTimer.setInterval(FRepeatingInterval);
  Click();
}

QChar TZCLBaseGraphicButton::AcceleratorOf(const QString& caption) {
  for (int i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return caption[i + 1].toUpper();
  }
  return QChar();
}

bool TZCLBaseGraphicButton::DialogChar(QChar key) {
  const QChar accelerator = AcceleratorOf(Caption());
  if (accelerator.isNull() || key.toUpper() != accelerator) return false;
  QWidget* parent = parentWidget();
  if (!isEnabled() || !isVisible() || (parent && (!parent->isEnabled() || !parent->isVisible()))) return false;
  if (FDropDownMenu) {
    if (FState == bstDropped)
      SetState(bstHot);
    else
      DropDown();
  } else if (FGroupIndex != 0) {
    SetPressed(!FPressed);
    if (FPressed) Click();
  } else {
    Click();
  }
  return true;
}

void TZCLBaseGraphicButton::Change() {
  TZCLBaseControl::Change();
  const QChar key = AcceleratorOf(Caption());
  if (key == FShortcutKey) return;
  if (FShortcutId != 0) releaseShortcut(FShortcutId);
  FShortcutId = 0;
  FShortcutKey = key;
  if (!key.isNull())
    FShortcutId = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(key.unicode()))));
}

bool TZCLBaseGraphicButton::event(QEvent* e) {
  if (e->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(e)->shortcutId() == FShortcutId &&
      FShortcutId != 0) {
    DialogChar(FShortcutKey);
    return true;
  }
  return TZCLBaseControl::event(e);
}

void TZCLBaseGraphicButton::DropDown() {
  if (FState == bstDropped) return;
  SetState(bstDropped);
  if (OnDropDown) OnDropDown(this);
  if (FDropDownMenu) {
    const QPoint at =
        FDropDownRight ? mapToGlobal(QPoint(width(), FDropDownIndent)) : mapToGlobal(QPoint(FDropDownIndent, height()));
    FDropDownMenu->exec(at);
  }
  SetState(bstHot);
}

void TZCLBaseGraphicButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (FDropDownMenu) {
    if (FState == bstDropped) {
      SetState(bstHot);
      return;
    }
    if (!IsSplit() || event->position().x() >= width() - FDropDownComboWidth) {
      DropDown();
      return;
    }
  }
  FMouseDown = true;
  int next = FState;
  if (FOldState == bstDown && FState == bstHot && FGroupIndex != 0)
    next = bstDown;
  else if (!FPressed)
    next = bstPushed;
  SetState(next);
  if (FRepeatedClick) {
    Click();
    FRepeatTimer.start(FRepeatingDelay);
  }
}

void TZCLBaseGraphicButton::mouseMoveEvent(QMouseEvent* event) {
  if (FState == bstDropped || !isEnabled()) return;
  const bool inside = IsInside(event->position());
  if (FMouseDown) {
    if (inside)
      SetState(FPressed ? bstDown : bstPushed);
    else
      SetState(FPressed ? bstDown : bstUp);
  } else if (FHotTrack && inside && !(FPressed && FGroupIndex != 0)) {
    SetState(bstHot);
  }
}

void TZCLBaseGraphicButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || FState == bstDropped || !FMouseDown) return;
  FMouseDown = false;
  FRepeatTimer.stop();
  const bool inside = IsInside(event->position());
  if (FGroupIndex != 0 && inside) {
    if (FPressed) {
      if (FAllowAllUp)
        SetPressed(false);
      else
        SetState(bstDown, true);
    } else {
      SetPressed(true);
    }
  } else if (FGroupIndex == 0) {
    SetState(inside && FHotTrack ? bstHot : bstUp);
  } else {
    SetState(FPressed ? bstDown : bstUp);
  }
  if (inside && !FRepeatedClick) Click();
  // The pointer is evaluated again: the click may have moved or hidden the button.
  if (!isEnabled()) return;
  const bool over = rect().contains(mapFromGlobal(QCursor::pos())) && underMouse();
  if (FPressed)
    SetState(bstDown);
  else
    SetState(over && FHotTrack ? bstHot : bstUp);
}

void TZCLBaseGraphicButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (FPressed && OnDblClick)
    OnDblClick(this);
  else
    mousePressEvent(event);
}

void TZCLBaseGraphicButton::changeEvent(QEvent* event) {
  TZCLBaseControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange)
    SetState(isEnabled() ? (FPressed ? bstDown : bstUp) : (FPressed ? bstDisabledDown : bstDisabled), true);
}

void TZCLBaseGraphicButton::MouseEntered() {
  TZCLBaseControl::MouseEntered();
  if (FHotTrack && isEnabled() && !FMouseDown && !(FPressed && FGroupIndex != 0) && FState != bstDropped)
    SetState(bstHot);
}

void TZCLBaseGraphicButton::MouseLeft() {
  if (FState == bstHot && isEnabled() && !FPressed) SetState(bstUp);
  TZCLBaseControl::MouseLeft();
}

TZCLCustomSpeedButton::TZCLCustomSpeedButton(QWidget* parent) : TZCLBaseGraphicButton(parent) {
  FHotTrack = true;
  SetCtlXP(true);
  resize(23, 22);
}

bool TZCLCustomSpeedButton::FlatFace() const { return IsFlatStyle(FButtonStyle); }

void TZCLCustomSpeedButton::SetButtonStyle(TZCLUserButtonStyle value) {
  if (value == FButtonStyle) return;
  FButtonStyle = value;
  update();
}

void TZCLCustomSpeedButton::SetGlyphKind(TZCLGlyphKind value) {
  if (value == FGlyphKind) return;
  FGlyphKind = value;
  if (!IsLoading()) {
    FGlyph = QImage();
    update();
  }
}

void TZCLCustomSpeedButton::PaintContent(TCanvas& canvas, const TRect& r, int state) {
  QImage glyph = StateGlyph(state);
  const bool enabled = state != bstDisabled && state != bstDisabledDown;
  const QString caption = FUseCaption ? Caption() : QString();
  const int spacing = (!glyph.isNull() && !caption.isEmpty()) ? 4 : 0;
  canvas.Font.Font = font();
  TRect textBox = Rect(0, 0, 0, 0);
  if (!caption.isEmpty()) canvas.DrawText(caption, textBox, DT_CALCRECT | DT_SINGLELINE);
  const int gw = glyph.isNull() ? 0 : glyph.width();
  const int gh = glyph.isNull() ? 0 : glyph.height();
  const int blockW = gw + spacing + textBox.Width();
  const int blockH = std::max(gh, textBox.Height());
  const TRect block = AlignRect(agCenter, Bounds(0, 0, blockW, blockH), r);
  if (!glyph.isNull()) {
    // The glyph's bottom-left pixel is its transparent colour.
    const QRgb key = glyph.pixel(0, glyph.height() - 1);
    QImage masked = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y)
      for (int x = 0; x < masked.width(); ++x)
        if ((masked.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) masked.setPixel(x, y, 0);
    canvas.Draw(block.Left, block.Top + (blockH - gh) / 2, masked);
  }
  if (!caption.isEmpty()) {
    TRect t = Bounds(block.Left + gw + spacing, block.Top + (blockH - textBox.Height()) / 2, textBox.Width(),
                     textBox.Height());
    canvas.Brush.Style = bsClear;
    TColor color = clBtnText;
    if (!enabled)
      color = clGrayText;
    else if (FEnterColorChange && FHotTrack && (state == bstHot || state == bstDown || state == bstPushed))
      color = FEnterColor;
    if (!enabled) {
      canvas.Font.Color = clBtnHighlight;
      TRect shadow = t;
      OffsetRect(shadow, 1, 1);
      canvas.DrawText(caption, shadow, DT_SINGLELINE);
    }
    canvas.Font.Color = color;
    canvas.DrawText(caption, t, DT_SINGLELINE);
  }
}

bool TZCLCustomSpeedButton::FaceTransparent() const {
  return FButtonStyle == ubsExplorer || FButtonStyle == ubsExplorerColored || FButtonStyle == ubsOfficeTransp;
}

void TZCLCustomSpeedButton::Paint(TCanvas& canvas) {
  if (IsLoading() || !isVisible()) return;
  if (FGlyphKind != gkCustom && FGlyph.isNull()) {
    FGlyph = StockGlyph(FGlyphKind);
    FNumGlyphs = 1;
  }
  const TRect whole = Rect(0, 0, width(), height());
  PaintBackground(canvas, whole, Color());
  const bool hot =
      FState == bstHot || (FPressed && underMouse() && (FButtonStyle == ubsOffice || FButtonStyle == ubsOfficeTransp));
  const unsigned flags = hot ? 0x45u : 0x05u;
  int state = FState;
  TRect main = whole;
  if (IsSplit()) {
    main.Right -= FDropDownComboWidth;
    int mainState = state == bstDropped ? (HasHotLook(FButtonStyle) ? bstHot : bstUp) : state;
    DrawButtonFrame(canvas, hot, Color(), flags, mainState, FButtonStyle, main);
    TRect part = Rect(whole.Right - FDropDownComboWidth, 0, whole.Right, whole.Bottom);
    int partState = state == bstPushed ? (HasHotLook(FButtonStyle) ? bstHot : bstUp) : state;
    DrawButtonFrame(canvas, hot, Color(), flags, partState, FButtonStyle, part);
    if (FButtonStyle != ubsCombo)
      DrawSmallArrow(canvas, part.Left + (part.Width() - 5) / 2, part.Top + (part.Height() - 3) / 2, 3, clBtnText, true,
                     isEnabled());
  } else {
    DrawButtonFrame(canvas, hot, Color(), flags, state, FButtonStyle, main);
  }
  if (FButtonStyle == ubsCombo) {
    DrawSmallArrow(canvas, main.Left + (main.Width() - 7) / 2, main.Top + (main.Height() - 4) / 2, 4, clBtnText, true,
                   isEnabled());
    return;
  }
  PaintContent(canvas, main, state);
}

}  // namespace zyn
