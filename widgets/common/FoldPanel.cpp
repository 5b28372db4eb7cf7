#include "widgets/common/FoldPanel.h"

#include "widgets/common/AlignLayout.h"

#include <QApplication>
#include <QChildEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace zyn {
namespace {

const QColor kTransparent(128, 128, 0);

// Pixels of the transparent colour become see-through.
QImage Transparent(const QImage& glyph) {
  QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
  if (out.isNull()) return out;
  const QRgb key = out.pixel(0, out.height() - 1);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      if (out.pixel(x, y) == key) out.setPixel(x, y, 0);
  return out;
}

}  // namespace

QImage DefaultFoldGlyph(const QString& name) {
  const bool tall = name == QLatin1String("EXPAND_H") || name == QLatin1String("COLLAPS_V");
  const int w = tall ? 12 : 41, h = tall ? 41 : 12;
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(kTransparent);
  QPainter p(&img);
  // a raised bar
  p.fillRect(1, 1, w - 2, h - 2, ToQColor(clBtnFace));
  p.setPen(ToQColor(clBtnHighlight));
  p.drawLine(1, 1, w - 3, 1);
  p.drawLine(1, 1, 1, h - 3);
  p.setPen(ToQColor(clBtnShadow));
  p.drawLine(1, h - 2, w - 2, h - 2);
  p.drawLine(w - 2, 1, w - 2, h - 2);
  // a small arrow: expand points outward (right or down), collapse inward (left or up)
  const bool expand = name.startsWith(QLatin1String("EXPAND"));
  p.setPen(Qt::black);
  for (int i = 0; i < 3; ++i) {
    if (tall) {  // arrow across the narrow width, near the top
      const int x = expand ? 4 + i : 7 - i;
      p.drawLine(x, 4 + i, x, 8 - i);
    } else {
      const int y = expand ? 4 + i : 7 - i;
      p.drawLine(4 + i, y, 8 - i, y);
    }
  }
  // a row of grip dots
  for (int k = 0; k < 8; ++k) {
    if (tall) {
      p.setPen(ToQColor(clBtnHighlight));
      p.drawPoint(5, 13 + 3 * k);
      p.setPen(ToQColor(clBtnShadow));
      p.drawPoint(6, 14 + 3 * k);
    } else {
      p.setPen(ToQColor(clBtnHighlight));
      p.drawPoint(13 + 3 * k, 5);
      p.setPen(ToQColor(clBtnShadow));
      p.drawPoint(14 + 3 * k, 6);
    }
  }
  p.end();
  img.setPixelColor(0, h - 1, kTransparent);
  return img;
}

TFoldPanelClient::TFoldPanelClient(TFoldPanel* owner) : TPaneles(owner), fOwner(owner) {
  SetBevelOuter(TBevelCut::bvNone);
  SetBevelInner(TBevelCut::bvNone);
}

void TFoldPanelClient::PassOn(QMouseEvent* event, int kind) {
  const QPoint pos = fOwner->mapFromGlobal(event->globalPosition().toPoint());
  const TFoldPanel::TMouseEvent& handler = kind == 0   ? fOwner->OnMouseDown
                                           : kind == 1 ? fOwner->OnMouseMove
                                                       : fOwner->OnMouseUp;
  if (handler) handler(fOwner, event->button(), event->modifiers(), pos);
  event->accept();  // the fold panel itself must not see it a second time
}

void TFoldPanelClient::mousePressEvent(QMouseEvent* event) {
  TPaneles::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) fOwner->TrackAutoDrag(0, event->globalPosition().toPoint(), true);
  PassOn(event, 0);
}

void TFoldPanelClient::mouseMoveEvent(QMouseEvent* event) {
  TPaneles::mouseMoveEvent(event);
  fOwner->TrackAutoDrag(1, event->globalPosition().toPoint(), event->buttons() & Qt::LeftButton);
  PassOn(event, 1);
}

void TFoldPanelClient::mouseReleaseEvent(QMouseEvent* event) {
  TPaneles::mouseReleaseEvent(event);
  fOwner->TrackAutoDrag(2, event->globalPosition().toPoint(), false);
  PassOn(event, 2);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && fOwner->OnClick)
    fOwner->OnClick(fOwner);
}

void TFoldPanelClient::mouseDoubleClickEvent(QMouseEvent*) {
  if (fOwner->OnDblClick) fOwner->OnDblClick(fOwner);
}

void TFoldPanelClient::dragEnterEvent(QDragEnterEvent* event) {
  fOwner->DragOverAt(event, mapTo(fOwner, event->position().toPoint()), dsDragEnter);
}

void TFoldPanelClient::dragMoveEvent(QDragMoveEvent* event) {
  fOwner->DragOverAt(event, mapTo(fOwner, event->position().toPoint()), dsDragMove);
}

void TFoldPanelClient::dragLeaveEvent(QDragLeaveEvent*) { fOwner->DragOverAt(nullptr, QPoint(), dsDragLeave); }

void TFoldPanelClient::dropEvent(QDropEvent* event) {
  fOwner->DropAt(event, mapTo(fOwner, event->position().toPoint()));
}

void TFoldPanelClient::keyPressEvent(QKeyEvent* event) {
  // keys a child control left alone are not the panel's
  if (!hasFocus() || !fOwner->KeyAt(event, true)) TPaneles::keyPressEvent(event);
}

void TFoldPanelClient::keyReleaseEvent(QKeyEvent* event) {
  if (!hasFocus() || !fOwner->KeyAt(event, false)) TPaneles::keyReleaseEvent(event);
}

void TFoldPanelClient::focusInEvent(QFocusEvent* event) {
  TPaneles::focusInEvent(event);
  if (fOwner->OnEnter) fOwner->OnEnter(fOwner);
}

void TFoldPanelClient::focusOutEvent(QFocusEvent* event) {
  TPaneles::focusOutEvent(event);
  if (fOwner->OnExit) fOwner->OnExit(fOwner);
}

void TFoldPanel::TrackAutoDrag(int kind, const QPoint& globalPos, bool leftDown) {
  if (kind == 0) {
    fDragArmed = fDragMode == dmAutomatic && leftDown;
    fDragStart = globalPos;
    return;
  }
  if (kind == 2 || !leftDown) {
    fDragArmed = false;
    return;
  }
  if (fDragArmed && (globalPos - fDragStart).manhattanLength() >= QApplication::startDragDistance()) {
    fDragArmed = false;
    BeginDrag();
  }
}

void TFoldPanel::BeginDrag() {
  if (OnStartDrag) OnStartDrag(this);
  QPoint dropPos;
  QPointer<QObject> target = ExecDrag(dropPos);
  // a drop on an inner panel is a drop on its fold panel
  if (auto* client = qobject_cast<TFoldPanelClient*>(target.data())) {
    dropPos = client->mapTo(client->FoldPanel(), dropPos);
    target = client->FoldPanel();
  }
  if (OnEndDrag) OnEndDrag(this, target.data(), dropPos.x(), dropPos.y());
}

QObject* TFoldPanel::ExecDrag(QPoint& dropPos) {
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setData(QStringLiteral("application/x-zyn-control"), objectName().toUtf8());
  drag->setMimeData(data);
  const Qt::DropAction action = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
  QObject* target = action == Qt::IgnoreAction ? nullptr : drag->target();
  if (auto* w = qobject_cast<QWidget*>(target)) dropPos = w->mapFromGlobal(QCursor::pos());
  return target;
}

bool TFoldPanel::TabStop() const { return fClient->focusPolicy() != Qt::NoFocus; }

void TFoldPanel::SetTabStop(bool tabStop) { fClient->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus); }

void TFoldPanel::DragOverAt(QDropEvent* event, const QPoint& pos, TDragState state) {
  if (state != dsDragLeave) fDragPos = pos;
  // without a handler nothing is accepted
  bool accept = bool(OnDragOver);
  if (OnDragOver) OnDragOver(this, event ? event->source() : nullptr, fDragPos.x(), fDragPos.y(), state, accept);
  if (!event) return;
  if (accept)
    event->acceptProposedAction();
  else
    event->ignore();
}

void TFoldPanel::DropAt(QDropEvent* event, const QPoint& pos) {
  fDragPos = pos;
  if (OnDragDrop) {
    OnDragDrop(this, event->source(), pos.x(), pos.y());
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

bool TFoldPanel::KeyAt(QKeyEvent* event, bool down) {
  int key = event->key();
  if (down) {
    if (OnKeyDown) OnKeyDown(this, key, event->modifiers());
    if (key != 0 && OnKeyPress && !event->text().isEmpty() && event->text()[0].isPrint()) {
      QChar ch = event->text()[0];
      OnKeyPress(this, ch);
      if (ch.isNull()) key = 0;
    }
  } else if (OnKeyUp) {
    OnKeyUp(this, key, event->modifiers());
  }
  if (key == 0) event->accept();
  return key == 0 || (down ? bool(OnKeyDown) || bool(OnKeyPress) : bool(OnKeyUp));
}

void TFoldPanel::dragEnterEvent(QDragEnterEvent* event) { DragOverAt(event, event->position().toPoint(), dsDragEnter); }

void TFoldPanel::dragMoveEvent(QDragMoveEvent* event) { DragOverAt(event, event->position().toPoint(), dsDragMove); }

void TFoldPanel::dragLeaveEvent(QDragLeaveEvent*) { DragOverAt(nullptr, QPoint(), dsDragLeave); }

void TFoldPanel::dropEvent(QDropEvent* event) { DropAt(event, event->position().toPoint()); }

TFoldPanel::TFoldPanel(QWidget* parent) : QWidget(parent) {
  fClient = new TFoldPanelClient(this);
  fClient->setAcceptDrops(true);
  setAcceptDrops(true);
  fCaptionFont = QFont(QStringLiteral("Small Fonts"), 7);
  setMouseTracking(true);
  resize(185, 41);
  fSavedSize = height();
  LoadDefaultGlyphs();
  // start folded with both glyphs loaded, then unfold (which keeps the size)
  fStatus = fsCollapsed;
  fStatus = fsExpanded;
  fConstructing = false;
  RealignClient();
}

TFoldPanel::~TFoldPanel() = default;

int TFoldPanel::BevelInset() const {
  return (fBevelInner != TBevelCut::bvNone ? fBevelWidth : 0) + (fBevelOuter != TBevelCut::bvNone ? fBevelWidth : 0);
}

const QImage& TFoldPanel::ShownGlyph() const {
  if (fStatus == fsExpanded) return fHot ? fHotCollaps : fGlyphCollaps;
  return fHot ? fHotExpand : fGlyphExpand;
}

int TFoldPanel::FoldBarThickness() const {
  const QImage& g = fStatus == fsExpanded ? fGlyphCollaps : fGlyphExpand;
  int t = g.isNull() ? 0 : (fOrientation == foHorizontal ? g.height() : g.width());
  t += BevelInset();
  if (fFolding && fSeperated) t += 2;
  return t;
}

int TFoldPanel::CollapsedWidth() const {
  const int w = fOrientation == foHorizontal ? (fGlyphExpand.isNull() ? 12 : fGlyphExpand.width()) : width();
  return std::max(w, 12);
}

int TFoldPanel::CollapsedHeight() const {
  const int h = fOrientation == foVertical ? (fGlyphExpand.isNull() ? 12 : fGlyphExpand.height()) : height();
  return std::max(h, 12);
}

QRect TFoldPanel::GlyphRect() const {
  const QImage& g = ShownGlyph();
  const int e = BevelInset();
  const bool right = fFoldPosition == fpRightTop || fFoldPosition == fpRightBottom;
  const bool bottom = fFoldPosition == fpLeftBottom || fFoldPosition == fpRightBottom;
  const int x = right ? width() - g.width() - e : e;
  const int y = bottom ? height() - g.height() - e : e;
  return QRect(x, y, g.width(), g.height());
}

void TFoldPanel::RealignClient() {
  if (!fClient) return;
  QRect r(0, 0, width(), height());
  if (fFolding) {
    const int t = FoldBarThickness();
    const bool top = fFoldPosition == fpLeftTop || fFoldPosition == fpRightTop;
    const bool left = fFoldPosition == fpLeftTop || fFoldPosition == fpLeftBottom;
    if (fOrientation == foHorizontal) {
      if (top)
        r.setTop(t);
      else
        r.setBottom(r.bottom() - t);
    } else {
      if (left)
        r.setLeft(t);
      else
        r.setRight(r.right() - t);
    }
  }
  fClient->setGeometry(r);
}

void TFoldPanel::ApplySize(int size) {
  const bool horizontal = fOrientation == foHorizontal;
  const bool keepFarEdge = horizontal ? (fFoldPosition == fpRightTop || fFoldPosition == fpRightBottom)
                                      : (fFoldPosition == fpLeftBottom || fFoldPosition == fpRightBottom);
  QRect g = geometry();
  if (horizontal) {
    if (keepFarEdge) g.setLeft(g.right() + 1 - size);
    g.setWidth(size);
  } else {
    if (keepFarEdge) g.setTop(g.bottom() + 1 - size);
    g.setHeight(size);
  }
  setGeometry(g);
}

void TFoldPanel::Fold() {
  if (!fFolding || fStatus == fsCollapsed) return;
  if (BeforeCollaps) BeforeCollaps(this);
  fStatus = fsCollapsed;
  fClient->hide();
  int size = fOrientation == foHorizontal ? CollapsedWidth() : CollapsedHeight();
  if (fBorderSingle) size += 2;
  size += 2 * BevelInset();
  fMinBefore = minimumSize();
  fMaxBefore = maximumSize();
  if (fOrientation == foHorizontal) {
    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    ApplySize(size);
    setFixedWidth(size);  // the size lock: nothing changes the width while folded
  } else {
    setMinimumHeight(0);
    setMaximumHeight(QWIDGETSIZE_MAX);
    ApplySize(size);
    setFixedHeight(size);
  }
  RealignClient();
  RealignParent(this);
  update();
  if (AfterCollaps) AfterCollaps(this);
}

void TFoldPanel::Unfold() {
  if (fStatus == fsExpanded) return;
  if (BeforeExpand) BeforeExpand(this);
  fStatus = fsExpanded;
  if (fOrientation == foHorizontal) {
    setMinimumWidth(fMinBefore.width());
    setMaximumWidth(fMaxBefore.width());
  } else {
    setMinimumHeight(fMinBefore.height());
    setMaximumHeight(fMaxBefore.height());
  }
  ApplySize(fSavedSize);
  RealignClient();
  fClient->show();
  RealignParent(this);
  update();
  if (AfterExpand) AfterExpand(this);
}

void TFoldPanel::SetFoldStatus(TFoldStatus status) {
  if (status == fsCollapsed)
    Fold();
  else
    Unfold();
}

void TFoldPanel::SetFolding(bool folding) {
  if (folding == fFolding) return;
  fFolding = folding;
  if (!folding) Unfold();
  RealignClient();
  update();
}

void TFoldPanel::SetCaption(const QString& caption) {
  if (caption == fCaption) return;
  fCaption = caption;
  update();
}

void TFoldPanel::SetCaptionFont(const QFont& font) {
  fCaptionFont = font;
  update();
}

void TFoldPanel::LoadDefaultGlyphs() {
  const bool h = fOrientation == foHorizontal;
  if (!fUserExpand) fGlyphExpand = DefaultFoldGlyph(h ? "EXPAND_H" : "EXPAND_V");
  if (!fUserCollaps) fGlyphCollaps = DefaultFoldGlyph(h ? "COLLAPS_H" : "COLLAPS_V");
  MakeHighlights();
}

void TFoldPanel::MakeHighlights() {
  const auto highlight = [this](const QImage& glyph) {
    QImage out = glyph.convertToFormat(QImage::Format_RGB32);
    if (out.isNull()) return out;
    const QRgb key = out.pixel(0, out.height() - 1);
    const QRgb active = ToQColor(fActiveColor).rgb();
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x)
        if (out.pixel(x, y) != key) out.setPixel(x, y, (out.pixel(x, y) & active) | 0xFF000000u);
    return out;
  };
  fHotExpand = highlight(fGlyphExpand);
  fHotCollaps = highlight(fGlyphCollaps);
}

void TFoldPanel::SetGlyphExpand(const QImage* glyph) {
  fUserExpand = glyph && !glyph->isNull();
  if (fUserExpand)
    fGlyphExpand = glyph->copy();
  else
    LoadDefaultGlyphs();
  MakeHighlights();
  RealignClient();
  update();
}

void TFoldPanel::SetGlyphCollaps(const QImage* glyph) {
  fUserCollaps = glyph && !glyph->isNull();
  if (fUserCollaps)
    fGlyphCollaps = glyph->copy();
  else
    LoadDefaultGlyphs();
  MakeHighlights();
  RealignClient();
  update();
}

void TFoldPanel::SetSeperated(bool seperated) {
  if (seperated == fSeperated) return;
  fSeperated = seperated;
  RealignClient();
  if (fFolding) update();
}

void TFoldPanel::SetSeperatorLineStyle(TBevelStyle style) {
  if (style == fLineStyle) return;
  fLineStyle = style;
  if (fFolding) update();
}

void TFoldPanel::SetFoldPosition(TFoldPosition position) {
  if (position == fFoldPosition) return;
  fFoldPosition = position;
  if (fFolding) {
    RealignClient();
    update();
  }
}

void TFoldPanel::SetFoldActiveColor(TColor color) {
  if (color == fActiveColor) return;
  fActiveColor = color;
  MakeHighlights();
}

void TFoldPanel::SetOrientation(TFoldOrientation orientation) {
  if (orientation == fOrientation) return;
  fSavedSize = orientation == foHorizontal ? width() : height();
  const bool wasFolded = fStatus == fsCollapsed;
  if (wasFolded) Unfold();
  fSavedSize = orientation == foHorizontal ? width() : height();
  fOrientation = orientation;
  LoadDefaultGlyphs();
  if (wasFolded) Fold();
  RealignClient();
  update();
}

void TFoldPanel::SetBevelInner(TBevelCut cut) {
  fBevelInner = cut;
  RealignClient();
  update();
}

void TFoldPanel::SetBevelOuter(TBevelCut cut) {
  fBevelOuter = cut;
  RealignClient();
  update();
}

void TFoldPanel::SetBevelWidth(int width) {
  fBevelWidth = std::max(width, 1);
  RealignClient();
  update();
}

void TFoldPanel::SetBorderSingle(bool single) {
  fBorderSingle = single;
  update();
}

void TFoldPanel::SetColor(TColor color) {
  fColor = color;
  fClient->SetColor(color);
  update();
}

void TFoldPanel::GlyphClick() {
  bool doFold = true;
  if (OnFoldClick) OnFoldClick(this, fStatus, doFold);
  if (doFold) SetFoldStatus(fStatus == fsExpanded ? fsCollapsed : fsExpanded);
}

void TFoldPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fStatus == fsExpanded && !fConstructing) fSavedSize = fOrientation == foHorizontal ? width() : height();
  RealignClient();
}

void TFoldPanel::paintEvent(QPaintEvent*) {
  TCanvas c(this);
  c.Brush.Color = fColor;
  c.FillRect(Rect(0, 0, width(), height()));
  TRect r = Rect(0, 0, width(), height());
  if (fBorderSingle) {
    c.Brush.Color = clWindowFrame;
    c.FrameRect(r);
    InflateRect(r, -1, -1);
  }
  const auto bevel = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvNone) return;
    for (int i = 0; i < fBevelWidth; ++i) {
      c.DrawEdge(r, cut == TBevelCut::bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      InflateRect(r, -1, -1);
    }
  };
  bevel(fBevelOuter);
  bevel(fBevelInner);
  if (!fFolding) return;
  if (fStatus == fsCollapsed && fBevelInner == TBevelCut::bvNone && fBevelOuter == TBevelCut::bvNone) {
    c.Brush.Style = bsClear;
    c.Pen.Color = clBtnShadow;
    c.Rectangle(-1, -1, width(), height());
    c.Pen.Color = clBtnHighlight;
    c.Rectangle(0, 0, width() + 1, height() + 1);
    c.Brush.Style = bsSolid;
  }
  fGlyphRect = GlyphRect();
  c.Painter().drawImage(fGlyphRect.topLeft(), Transparent(ShownGlyph()));
  if (fPressed) {
    TRect g = FromQRect(fGlyphRect);
    c.Brush.Style = bsClear;
    c.Pen.Color = clBtnShadow;
    c.Rectangle(g.Left + 2, g.Top + 2, g.Right - 1, g.Bottom - 1);
    TRect inner = g;
    InflateRect(inner, -1, -1);
    c.DrawEdge(inner, BDR_SUNKENOUTER, BF_RECT);
    c.Brush.Style = bsSolid;
  }
  const TRect g = FromQRect(fGlyphRect);
  const bool top = fFoldPosition == fpLeftTop || fFoldPosition == fpRightTop;
  const bool left = fFoldPosition == fpLeftTop || fFoldPosition == fpLeftBottom;
  if (fSeperated) {
    const TColor first = fLineStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    const TColor second = fLineStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    if (fOrientation == foHorizontal) {
      const int y = top ? g.Bottom : g.Top;
      const int inset = left ? g.Left : width() - g.Right;
      c.Pen.Color = first;
      c.MoveTo(inset, y);
      c.LineTo(width() - inset, y);
      c.Pen.Color = second;
      c.MoveTo(inset, y - 1);
      c.LineTo(width() - inset, y - 1);
    } else {
      const int x = left ? g.Right : g.Left;
      const int inset = top ? g.Top : height() - g.Bottom;
      c.Pen.Color = fLineStyle == bsLowered ? clBtnShadow : clBtnHighlight;
      c.MoveTo(x, inset);
      c.LineTo(x, height() - inset);
      c.Pen.Color = fLineStyle == bsLowered ? clBtnHighlight : clBtnShadow;
      c.MoveTo(x + 1, inset);
      c.LineTo(x + 1, height() - inset);
    }
  }
  if (fStatus != fsCollapsed || fCaption.isEmpty()) return;
  QPainter& p = c.Painter();
  p.save();
  p.setFont(fCaptionFont);
  p.setPen(ToQColor(clBtnText));
  const QFontMetrics fm(fCaptionFont);
  const int th = fm.height();
  if (fOrientation == foHorizontal) {
    if (top) {
      const int x = th < g.Right ? g.Left + (g.Right + th) / 2 : g.Right;
      p.translate(x, g.Bottom + 10);
      p.rotate(90);  // running down
    } else {
      const int x = th < g.Right ? g.Left + (g.Right - th) / 2 : 0;
      p.translate(x, g.Top - 10);
      p.rotate(-90);  // running up
    }
    p.drawText(0, fm.ascent(), fCaption);
  } else {
    const int y = th < g.Bottom ? g.Top + (g.Bottom - th) / 2 : 0;
    const int x = left ? g.Right + 10 : g.Left - 10 - fm.horizontalAdvance(fCaption);
    p.drawText(x, y + fm.ascent(), fCaption);
  }
  p.restore();
}

void TFoldPanel::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(this, event->button(), event->modifiers(), event->position().toPoint());
  // the glyph folds; anywhere else the panel may be dragged
  if (event->button() == Qt::LeftButton)
    TrackAutoDrag(0, event->globalPosition().toPoint(),
                  !(fFolding && GlyphRect().contains(event->position().toPoint())));
  if (event->button() != Qt::LeftButton || !fFolding) return;
  fPressPos = event->position().toPoint();
  fClicked = false;
  if (GlyphRect().contains(fPressPos)) {
    fPressed = true;
    fButtonDown = true;
    update();
  }
}

void TFoldPanel::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(this, event->button(), event->modifiers(), event->position().toPoint());
  TrackAutoDrag(1, event->globalPosition().toPoint(), event->buttons() & Qt::LeftButton);
  if (!fFolding) return;
  const bool hot = GlyphRect().contains(event->position().toPoint());
  if (hot != fHot) {
    fHot = hot;
    update();
  }
}

void TFoldPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(this, event->button(), event->modifiers(), event->position().toPoint());
  if (event->button() != Qt::LeftButton) return;
  TrackAutoDrag(2, event->globalPosition().toPoint(), false);
  const QPoint p = event->position().toPoint();
  const bool glyphClick = fFolding && fButtonDown && GlyphRect().contains(fPressPos) && GlyphRect().contains(p);
  fButtonDown = false;
  if (fPressed) {
    fPressed = false;
    update();
  }
  if (glyphClick)
    GlyphClick();
  else if (rect().contains(p) && OnClick)
    OnClick(this);
}

void TFoldPanel::leaveEvent(QEvent*) {
  if (fHot) {
    fHot = false;
    update();
  }
}

void TFoldPanel::AdoptChild(QWidget* child) {
  if (!child || child == fClient || child->parentWidget() != this || child->isWindow()) return;
  const QPoint pos = child->pos() - fClient->pos();
  const bool explicitlyHidden = child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide);
  child->setParent(fClient);
  child->move(pos);
  if (!explicitlyHidden) child->show();
}

void TFoldPanel::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  if (!fClient || !event->child()->isWidgetType()) return;
  if (event->type() == QEvent::ChildAdded) {
    // a widget placed on the panel goes onto the inner panel once it is fully built
    QPointer<QWidget> child = static_cast<QWidget*>(event->child());
    QTimer::singleShot(0, this, [this, child] { AdoptChild(child); });
  } else if (event->type() == QEvent::ChildPolished) {
    AdoptChild(static_cast<QWidget*>(event->child()));
  }
}

}  // namespace zyn
