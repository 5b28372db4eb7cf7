#include "widgets/common/ZsSplitter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace zyn {

TzsSplitter::TzsSplitter(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  resize(10, 100);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setProperty("zynAlign", static_cast<int>(alLeft));
}

bool TzsSplitter::Vertical() const {
  const TAlign a = Align();
  return a == alLeft || a == alRight || a == alNone || a == alClient;
}

void TzsSplitter::SetAlign(TAlign align) {
  SetAlignOf(this, align);
  update();
}

void TzsSplitter::SetBeveled(bool beveled) {
  fBeveled = beveled;
  update();
}

void TzsSplitter::SetColor(TColor color) {
  fColor = color;
  update();
}

void TzsSplitter::SetAllowDrag(bool allow) {
  fAllowDrag = allow;
  ButtonTest(mapFromGlobal(QCursor::pos()));
}

void TzsSplitter::SetButtonStyle(TzsButtonStyle style) {
  fButtonStyle = style;
  if (fShowButton) update();
}

void TzsSplitter::SetWindowsButtons(int buttons) {
  fWindowsButtons = buttons & (wbMin | wbMax | wbClose);
  if (fShowButton && fButtonStyle == bsWindows) update();
}

void TzsSplitter::SetButtonWidthType(TzsButtonWidthType type) {
  if (type == fWidthType) return;
  fWidthType = type;
  if (type == btwPercentage && fButtonWidth > 100) fButtonWidth = 100;
  if (fShowButton && fButtonStyle == bsNetscape) update();
}

void TzsSplitter::SetButtonWidth(int width) {
  if (width == fButtonWidth) return;
  if (fWidthType == btwPercentage && width > 100) width = 100;
  fButtonWidth = std::max(width, 0);
  if (fShowButton && fButtonStyle == bsNetscape) update();
}

void TzsSplitter::SetShowButton(bool show) {
  if (show == fShowButton) return;
  fShowButton = show;
  update();
}

#define ZYN_SPLITTER_COLOR(Name, field)                      \
  void TzsSplitter::Set##Name(TColor color) {                \
    if (color == field) return;                              \
    field = color;                                           \
    if (fShowButton && fButtonStyle == bsNetscape) update(); \
  }
ZYN_SPLITTER_COLOR(ButtonColor, fButtonColor)
ZYN_SPLITTER_COLOR(ArrowColor, fArrowColor)
ZYN_SPLITTER_COLOR(ButtonHighlightColor, fHighlightColor)
ZYN_SPLITTER_COLOR(TextureColor1, fTexture1)
ZYN_SPLITTER_COLOR(TextureColor2, fTexture2)
#undef ZYN_SPLITTER_COLOR

TColor TzsSplitter::DerivedHighlightColor() {
  const TColor caption = ColorToRGB(clActiveCaption), face = ColorToRGB(clBtnFace);
  const auto channel = [](int a, int f) { return a + MulDiv(f - a, 180, 255); };
  return RGB(channel(GetRValue(caption), GetRValue(face)), channel(GetGValue(caption), GetGValue(face)),
             channel(GetBValue(caption), GetBValue(face)));
}

void TzsSplitter::SetAutoHighlightColor(bool automatic) {
  if (automatic == fAutoHighlight) return;
  fAutoHighlight = automatic;
  fHighlightColor = automatic ? DerivedHighlightColor() : 16764879;
  if (fShowButton && fButtonStyle == bsNetscape) update();
}

QWidget* TzsSplitter::FindNeighbour() const {
  QWidget* parent = parentWidget();
  if (!parent) return nullptr;
  QPoint p;
  const QRect g = geometry();
  switch (Align()) {
    case alTop:
      p = QPoint(g.left(), g.top() - 1);
      break;
    case alBottom:
      p = QPoint(g.left(), g.top() + g.height());
      break;
    case alLeft:
      p = QPoint(g.left() - 1, g.top());
      break;
    case alRight:
      p = QPoint(g.left() + g.width(), g.top());
      break;
    default:
      return nullptr;
  }
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w == this || w->isWindow() || w->isHidden() || !w->isEnabled()) continue;
    QRect r = w->geometry();
    if (r.width() == 0) r.setLeft(r.left() - 1);
    if (r.height() == 0) r.setTop(r.top() - 1);
    if (r.contains(p)) return w;
  }
  return nullptr;
}

int TzsSplitter::SizeOf(const QWidget* w) const { return Vertical() ? w->width() : w->height(); }

int TzsSplitter::MaxSizeFor(const QWidget* neighbour) const {
  QWidget* parent = parentWidget();
  if (!parent || !neighbour) return 0;
  int room = Vertical() ? parent->width() : parent->height();
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w == neighbour || w->isWindow() || w->isHidden()) continue;
    const TAlign a = AlignOf(w);
    if (Vertical() && (a == alLeft || a == alRight)) room -= w->width();
    if (!Vertical() && (a == alTop || a == alBottom)) room -= w->height();
  }
  return std::max(room, SizeOf(neighbour));
}

int TzsSplitter::LimitSize(QWidget* neighbour, int size) const {
  const int maxSize = MaxSizeFor(neighbour);
  if (size > maxSize) size = maxSize;
  if (size <= fMinSize) size = fAutoSnap ? 0 : fMinSize;
  bool accept = true;
  if (OnCanResize) OnCanResize(const_cast<TzsSplitter*>(this), size, accept);
  if (!accept) return SizeOf(neighbour);
  if (size < fMinSize) size = fMinSize;  // the neighbour never snaps closed unless MinSize is 0
  return std::max(size, 0);
}

void TzsSplitter::ApplySize(QWidget* neighbour, int size) {
  if (!neighbour) return;
  const QRect g = neighbour->geometry();
  switch (Align()) {
    case alLeft:
      neighbour->setGeometry(g.left(), g.top(), size, g.height());
      break;
    case alRight:
      neighbour->setGeometry(g.right() + 1 - size, g.top(), size, g.height());
      break;
    case alTop:
      neighbour->setGeometry(g.left(), g.top(), g.width(), size);
      break;
    case alBottom:
      neighbour->setGeometry(g.left(), g.bottom() + 1 - size, g.width(), size);
      break;
    default:
      return;
  }
  if (parentWidget() && parentWidget()->layout()) {
    RealignParent(this);
  } else {
    const QRect n = neighbour->geometry();
    switch (Align()) {
      case alLeft:
        move(n.right() + 1, y());
        break;
      case alRight:
        move(n.left() - width(), y());
        break;
      case alTop:
        move(x(), n.bottom() + 1);
        break;
      case alBottom:
        move(x(), n.top() - height());
        break;
      default:
        break;
    }
  }
}

void TzsSplitter::SetNeighbourSize(int size) {
  QWidget* neighbour = FindNeighbour();
  if (!neighbour) return;
  ApplySize(neighbour, LimitSize(neighbour, size));
  repaint();
}

void TzsSplitter::SetMaximized(bool maximized) {
  if (maximized == fMaximized) return;
  QWidget* neighbour = FindNeighbour();
  if (!neighbour) return;
  if (maximized) {
    if (fMinimized)
      fMinimized = false;
    else
      fRestoreSize = SizeOf(neighbour);
    int target = -3000;
    if (fButtonStyle == bsWindows && (Align() == alBottom || Align() == alLeft)) target = 3000;
    SetNeighbourSize(target);
    fMaximized = true;
    if (OnMaximize) OnMaximize(this);
  } else {
    SetNeighbourSize(fRestoreSize);
    fMaximized = false;
    if (OnRestore) OnRestore(this);
  }
  update();
}

void TzsSplitter::SetMinimized(bool minimized) {
  if (minimized == fMinimized) return;
  QWidget* neighbour = FindNeighbour();
  if (!neighbour) return;
  if (minimized) {
    if (fMaximized)
      fMaximized = false;
    else
      fRestoreSize = SizeOf(neighbour);
    SetNeighbourSize(Align() == alTop || Align() == alRight ? 3000 : -3000);
    fMinimized = true;
    if (OnMinimize) OnMinimize(this);
  } else {
    fMinimized = false;
    SetNeighbourSize(fRestoreSize);
    if (OnRestore) OnRestore(this);
  }
  update();
}

TRect TzsSplitter::ButtonRect() const {
  TRect r;
  const bool vertical = Vertical();
  if (fButtonStyle == bsNetscape) {
    const int length = fWidthType == btwPercentage ? MulDiv(Length(), fButtonWidth, 100) : fButtonWidth;
    if (length <= 0) return {};
    const int start = (Length() - length) / 2;
    r = vertical ? Rect(0, start, width(), start + length) : Rect(start, 0, start + length, height());
    if (vertical) {
      r.Left += 1;
      r.Right -= 1;
    } else {
      r.Top += 1;
      r.Bottom -= 1;
    }
  } else {
    const int n = ((fWindowsButtons & wbMin) ? 1 : 0) + ((fWindowsButtons & wbMax) ? 1 : 0) +
                  ((fWindowsButtons & wbClose) ? 1 : 0);
    const int total = Thickness() * n;
    if (total < 1) return {};
    r = vertical ? Rect(0, 0, width(), total - n) : Rect(width() - total + n, 0, width(), height());
    InflateRect(r, -1, -1);
  }
  if (IsRectEmpty(r)) return {};
  r.Left = std::max(r.Left, 1);
  r.Top = std::max(r.Top, 1);
  r.Right = std::min(r.Right, width() - 1);
  r.Bottom = std::min(r.Bottom, height() - 1);
  if (fBeveled) {
    if (vertical) {
      r.Left += 3;
      r.Right -= 3;
    } else {
      r.Top += 3;
      r.Bottom -= 3;
    }
  }
  return r;
}

bool TzsSplitter::ButtonTest(const QPoint& p) {
  const TRect b = fShowButton ? ButtonRect() : TRect{};
  const bool inBand =
      !IsRectEmpty(b) && (Vertical() ? (p.y() >= b.Top && p.y() < b.Bottom) : (p.x() >= b.Left && p.x() < b.Right));
  if (inBand || !fAllowDrag)
    setCursor(fButtonCursor);
  else
    setCursor(Vertical() ? Qt::SplitHCursor : Qt::SplitVCursor);
  return !IsRectEmpty(b) && PtInRect(b, FromQPoint(p));
}

int TzsSplitter::WindowsButtonAt(const QPoint& p) const {
  const TRect b = ButtonRect();
  const int size = Thickness();
  std::vector<int> order;
  if (Vertical()) {
    for (int k : {int(wbClose), int(wbMax), int(wbMin)})
      if (fWindowsButtons & k) order.push_back(k);
  } else {
    for (int k : {int(wbMin), int(wbMax), int(wbClose)})
      if (fWindowsButtons & k) order.push_back(k);
  }
  const int offset = Vertical() ? p.y() - b.Top : p.x() - b.Left;
  const int index = size > 0 ? offset / size : -1;
  return index >= 0 && index < static_cast<int>(order.size()) ? order[static_cast<size_t>(index)] : 0;
}

void TzsSplitter::DrawArrow(TCanvas& c, const TRect& area, bool atStart) {
  const bool vertical = Vertical();
  const int thickness = vertical ? area.Width() : area.Height();
  int n = thickness;
  if (n % 2 == 0) n -= 1;
  n = std::max(n, 1);
  const int extent = 2 * n - 1;
  const int along0 =
      atStart ? (vertical ? area.Top : area.Left) + 1 : (vertical ? area.Bottom : area.Right) - 1 - extent;
  const int across0 = (vertical ? area.Left : area.Top) + (thickness - n) / 2 + 1;
  // towards the neighbour: left, right, up, down; reversed while maximised
  bool towardsLow = Align() == alLeft || Align() == alTop;
  if (fMaximized) towardsLow = !towardsLow;
  const QColor color = ToQColor(fArrowColor);
  QPainter& p = c.Painter();
  for (int k = 0; k < n; ++k) {
    const int across = towardsLow ? across0 + n - 1 - k : across0 + k;
    const int from = along0 + k, to = along0 + extent - 1 - k;
    for (int a = from; a <= to; ++a) {
      if (vertical)
        p.fillRect(across, a, 1, 1, color);
      else
        p.fillRect(a, across, 1, 1, color);
    }
  }
}

void TzsSplitter::DrawButton(TCanvas& canvas, bool highlighted) {
  const TRect b = ButtonRect();
  if (IsRectEmpty(b)) return;
  QImage picture(b.Width(), b.Height(), QImage::Format_RGB32);
  {
    TCanvas c(&picture);
    const TRect all = Rect(0, 0, b.Width(), b.Height());
    if (fButtonStyle == bsWindows) {
      c.Brush.Color = fColor;
      c.FillRect(all);
      const int size = Thickness() - 2;
      std::vector<unsigned> kinds;
      const auto add = [&](int button) {
        if (!(fWindowsButtons & button)) return;
        unsigned kind = button == wbClose ? DFCS_CAPTIONCLOSE : button == wbMax ? DFCS_CAPTIONMAX : DFCS_CAPTIONMIN;
        if ((button == wbMin && fMinimized) || (button == wbMax && fMaximized)) kind = 3;  // restore
        kinds.push_back(kind);
      };
      if (Vertical())
        for (int k : {int(wbClose), int(wbMax), int(wbMin)}) add(k);
      else
        for (int k : {int(wbMin), int(wbMax), int(wbClose)}) add(k);
      for (size_t i = 0; i < kinds.size(); ++i) {
        const int off = static_cast<int>(i) * (size + 1);
        const TRect r = Vertical() ? Bounds(0, off, size, size) : Bounds(off, 0, size, size);
        c.DrawFrameControl(r, DFC_CAPTION, kinds[i]);
      }
    } else {
      c.Brush.Color = RGB(128, 128, 128);
      c.FillRect(all);
      TRect inner = all;
      InflateRect(inner, -1, -1);
      c.Brush.Color = clWhite;
      c.FillRect(inner);
      c.Brush.Color = highlighted ? fHighlightColor : fButtonColor;
      c.FillRect(Rect(inner.Left + 1, inner.Top + 1, inner.Right, inner.Bottom));
      TRect area = Rect(inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1);
      if (Vertical()) {
        area.Top += 4;
        area.Bottom -= 4;
      } else {
        area.Left += 4;
        area.Right -= 4;
      }
      DrawArrow(c, area, true);
      DrawArrow(c, area, false);
      int n = Vertical() ? area.Width() : area.Height();
      if (n % 2 == 0) n -= 1;
      n = std::max(n, 1);
      const int cut = 2 * n - 1 + 4;
      if (Vertical()) {
        area.Top += cut;
        area.Bottom -= cut;
      } else {
        area.Left += cut;
        area.Right -= cut;
      }
      if (area.Width() > 2 && area.Height() > 2) {
        QImage texture(area.Width(), area.Height(), QImage::Format_RGB32);
        texture.fill(ToQColor(highlighted ? fHighlightColor : fButtonColor));
        const QColor t1 = ToQColor(fTexture1), t2 = ToQColor(fTexture2);
        for (int y = 0; y < texture.height(); ++y)
          for (int x = 0; x < texture.width(); ++x) {
            if (x % 3 == 1 && y % 3 == 1) texture.setPixelColor(x, y, t1);
            if (x % 3 == 2 && y % 3 == 2) texture.setPixelColor(x, y, t2);
          }
        c.Draw(area.Left, area.Top, texture);
      }
    }
  }
  canvas.Draw(b.Left, b.Top, picture);
}

void TzsSplitter::paintEvent(QPaintEvent*) {
  TCanvas c(this);
  c.Brush.Color = fColor;
  c.FillRect(Rect(0, 0, width(), height()));
  if (fBeveled) {
    TRect r = Rect(0, 0, width(), height());
    c.DrawEdge(r, BDR_RAISEDINNER, BF_RECT);
  }
  if (fShowButton && isEnabled()) {
    if (fAutoHighlight) fHighlightColor = DerivedHighlightColor();
    DrawButton(c, fHighlighted);
  }
}

void TzsSplitter::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  const bool over = ButtonTest(event->position().toPoint());
  if (fButtonStyle == bsNetscape && over != fHighlighted) {
    fHighlighted = over;
    update();
  }
}

void TzsSplitter::leaveEvent(QEvent*) {
  if (fButtonStyle == bsNetscape && fHighlighted) {
    fHighlighted = false;
    update();
  }
  fPressedOnButton = false;
}

void TzsSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  const QPoint p = event->position().toPoint();
  fPressedOnButton = ButtonTest(p);
  fPressGlobal = event->globalPosition().toPoint();
  fNeighbour = FindNeighbour();
  fStartSize = fNeighbour ? SizeOf(fNeighbour) : 0;
  fDragging = fAllowDrag && fNeighbour;
}

void TzsSplitter::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (fAllowDrag && !fDragging) {
    const bool over = ButtonTest(p);
    if (fButtonStyle == bsNetscape && over != fHighlighted) {
      fHighlighted = over;
      update();
    }
  }
  if (!fDragging || !(event->buttons() & Qt::LeftButton) || !fNeighbour) return;
  const QPoint d = event->globalPosition().toPoint() - fPressGlobal;
  int delta = Vertical() ? d.x() : d.y();
  if (Align() == alRight || Align() == alBottom) delta = -delta;
  const int size = LimitSize(fNeighbour, fStartSize + delta);
  if (fResizeStyle == rsUpdate) ApplySize(fNeighbour, size);
}

void TzsSplitter::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint d = event->globalPosition().toPoint() - fPressGlobal;
  const int moved = std::abs(Vertical() ? d.x() : d.y());
  const bool wasDragging = fDragging;
  fDragging = false;
  if (fPressedOnButton) {
    fPressedOnButton = false;
    if (ButtonTest(event->position().toPoint()) && moved < 6) {
      if (wasDragging && fNeighbour && SizeOf(fNeighbour) != fStartSize) ApplySize(fNeighbour, fStartSize);
      if (fButtonStyle == bsNetscape) {
        SetMaximized(!fMaximized);
      } else {
        switch (WindowsButtonAt(event->position().toPoint())) {
          case wbMin:
            SetMinimized(!fMinimized);
            break;
          case wbMax:
            SetMaximized(!fMaximized);
            break;
          case wbClose:
            if (OnClose) OnClose(this);
            break;
          default:
            break;
        }
      }
      repaint();
      return;
    }
  }
  if (wasDragging && fNeighbour) {
    int delta = Vertical() ? d.x() : d.y();
    if (Align() == alRight || Align() == alBottom) delta = -delta;
    ApplySize(fNeighbour, LimitSize(fNeighbour, fStartSize + delta));
    if (OnMoved) OnMoved(this);
    QWidget* neighbour = FindNeighbour();
    if (neighbour) {
      const bool was = fMaximized;
      fMaximized = fMinSize >= SizeOf(neighbour);
      if (fMaximized) {
        SetNeighbourSize(fMinSize);
        if (!was && OnMaximize) OnMaximize(this);
      } else {
        fRestoreSize = SizeOf(neighbour);
        if (was && OnRestore) OnRestore(this);
      }
    }
  }
  repaint();
}

void TzsSplitter::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && fDragging) {
    fDragging = false;
    if (fNeighbour) ApplySize(fNeighbour, fStartSize);
    return;
  }
  QWidget::keyPressEvent(event);
}

void TzsSplitter::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fRestoreSize < 0) {
    const TAlign a = Align();
    if (a == alLeft || a == alRight || a == alTop || a == alBottom)
      if (QWidget* n = FindNeighbour()) fRestoreSize = SizeOf(n);
  }
}

}  // namespace zyn
