// The opening animation of drop-down menus: unfold (the menu grows by 8 pixels each way per frame
// from the corner nearest its item), slide (it grows downwards by 17 pixels per frame at full
// width) and fade (the window's opacity rises over 150 ms). Unfold and slide show an image of the
// finished menu painted once before the first frame; the frames run on a timer of the user-
// interface thread, and any input to the menu ends the animation at once.

#include "widgets/bars/BarManager.h"
#include "widgets/bars/BarSubMenuControl.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

namespace zyn {

int TzbBarSubMenuControl::AnimationInterval = 10;

TzbBarMenuAnimations TzbBarSubMenuControl::ChooseAnimation() const {
  const TCustomzbBarControl* top = const_cast<TzbBarSubMenuControl*>(this)->ChainTop();
  TzbBarMenuAnimations kind = (top && !top->IsMenu() ? top->Manager() : Manager()).MenuAnimations;
  if (kind == maRandom) {
    const int n = static_cast<int>(QRandomGenerator::global()->bounded(100));
    kind = n < 33 ? maUnfold : n < 66 ? maSlide : maFade;
  }
  return kind;
}

int TzbBarSubMenuControl::AnimationFrameCount(TzbBarMenuAnimations kind, int w, int h) {
  if (kind == maSlide) return h / 17;
  if (kind != maUnfold) return 0;
  return (h - w <= 0 ? h : w) / 8;
}

TRect TzbBarSubMenuControl::AnimationFrame(TzbBarMenuAnimations kind, int W, int H, int k, bool growLeft, bool growUp) {
  int w = W, h = H;
  if (kind == maSlide) {
    h = k * 17;
  } else {
    const int offset = H - W;
    if (offset <= 0) {
      h = k * 8;
      w = h - offset;
    } else {
      w = k * 8;
      h = offset + w;
    }
  }
  w = std::min(w, W);
  h = std::min(h, H);
  const int x = growLeft ? W - w : 0, y = growUp ? H - h : 0;
  return Bounds(x, y, w, h);
}

void TzbBarSubMenuControl::StartAnimation(TzbBarMenuAnimations kind) {
  QWidget* w = Widget();
  if (!w) return;
  const QRect g = w->geometry();
  fAnimFinal = FromQRect(g);
  // The image of the finished menu, painted once.
  Invalidate();
  Flush();
  fAnimImage = Buffer().copy();
  fAnimKind = kind;
  fGrowLeft = OpensToTheRight ? fFlippedLeft : !fFlippedLeft;
  fGrowUp = OpensDownwards ? fFlippedUp : !fFlippedUp;
  const TRect in = ClientInsets();
  const int cw = g.width() - in.Left - in.Right, ch = g.height() - in.Top - in.Bottom;
  fAnimFrames = AnimationFrameCount(kind, cw, ch);
  fAnimFrame = 0;
  if (fAnimFrames <= 0) return;
  fAnimating = true;
  auto* timer = new QTimer();
  fAnimTimer = timer;
  QObject::connect(timer, &QTimer::timeout, timer, [this]() {
    if (++fAnimFrame > fAnimFrames)
      FinishAnimation(true);
    else
      ShowAnimationFrame();
  });
  fAnimFrame = 1;
  ShowAnimationFrame();
  timer->start(AnimationInterval);
}

void TzbBarSubMenuControl::ShowAnimationFrame() {
  QWidget* w = Widget();
  if (!w) return;
  const TRect in = ClientInsets();
  const int ncw = in.Left + in.Right, nch = in.Top + in.Bottom;
  const TRect f =
      AnimationFrame(fAnimKind, fAnimFinal.Width() - ncw, fAnimFinal.Height() - nch, fAnimFrame, fGrowLeft, fGrowUp);
  w->setGeometry(fAnimFinal.Left + f.Left, fAnimFinal.Top + f.Top, f.Width() + ncw, f.Height() + nch);
  w->update();
}

void TzbBarSubMenuControl::FinishAnimation(bool place) {
  if (!fAnimating) return;
  fAnimating = false;
  delete fAnimTimer;
  fAnimTimer = nullptr;
  fAnimImage = QImage();
  if (!place || fClosing) return;
  if (QWidget* w = Widget()) {
    w->setGeometry(ToQRect(fAnimFinal));
    Invalidate();
    w->update();
  }
  UpdateShadow();
}

void TzbBarSubMenuControl::WaitForAnimation() { FinishAnimation(true); }

bool TzbBarSubMenuControl::IsShadowVisible() const { return !fAnimating && TCustomzbBarControl::IsShadowVisible(); }

void TzbBarSubMenuControl::PaintWidget(QWidget& widget) {
  if (!fAnimating) {
    TCustomzbBarControl::PaintWidget(widget);
    return;
  }
  // The edge of the image farthest from the owning item leads: the menu seems to come out from
  // behind its item.
  const int sx = (fGrowUp || !fGrowLeft) ? 0 : fAnimImage.width() - widget.width();
  const int sy = fGrowUp ? 0 : fAnimImage.height() - widget.height();
  QPainter p(&widget);
  p.drawImage(0, 0, fAnimImage, sx, sy, widget.width(), widget.height());
}

// The fade: the window's opacity rises from 0 to 1 over 150 ms.
void FadeInMenu(QWidget& widget) {
  widget.setWindowOpacity(0.0);
  auto* fade = new QVariantAnimation(&widget);
  fade->setStartValue(0.0);
  fade->setEndValue(1.0);
  fade->setDuration(150);
  QObject::connect(fade, &QVariantAnimation::valueChanged, &widget,
                   [&widget](const QVariant& v) { widget.setWindowOpacity(v.toDouble()); });
  fade->start(QAbstractAnimation::DeleteWhenStopped);
}

}  // namespace zyn
