#include "widgets/controls/ZCLControl.h"

#include <QEnterEvent>
#include <QMoveEvent>
#include <QResizeEvent>

namespace zyn {

TZCLControl::TZCLControl(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

void TZCLControl::EndLoading() {
  fLoading = false;
  Loaded();
}

void TZCLControl::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  Change();
}

void TZCLControl::SetCtlXP(bool value) {
  if (value == fCtlXP) return;
  fCtlXP = value;
  Change();
}

void TZCLControl::SetCaption(const QString& value) {
  if (value == fCaption) return;
  fCaption = value;
  Change();
}

void TZCLControl::SetBounds(int left, int top, int w, int h) {
  fInSetBounds = true;
  fPendingFlags = 0;
  setGeometry(left, top, w, h);
  fInSetBounds = false;
  const int flags = fPendingFlags;
  fPendingFlags = 0;
  if (flags && !fLoading) BoundsChanged(flags);
}

void TZCLControl::Change() {
  if (!IsUpdating()) update();
}

void TZCLControl::BoundsChanged(int flags) {
  if (OnBoundsChanged) OnBoundsChanged(this, flags);
}

void TZCLControl::MouseEntered() {
  if (isEnabled() && OnMouseEnter) OnMouseEnter(this);
}

void TZCLControl::MouseLeft() {
  if (isEnabled() && OnMouseExit) OnMouseExit(this);
}

void TZCLControl::Paint(TCanvas&) {}

void TZCLControl::paintEvent(QPaintEvent*) {
  if (fLoading) return;
  TCanvas canvas(static_cast<QPaintDevice*>(this));
  canvas.Font.Font = font();
  Paint(canvas);
}

void TZCLControl::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (fInSetBounds)
    fPendingFlags |= bcMoved;
  else if (!fLoading)
    BoundsChanged(bcMoved);
}

void TZCLControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fInSetBounds)
    fPendingFlags |= bcResized;
  else if (!fLoading)
    BoundsChanged(bcResized);
}

void TZCLControl::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  MouseEntered();
}

void TZCLControl::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  MouseLeft();
}

void TZCLBaseControl::SetImageIndex(int value) {
  if (value < 0 || value == fImageIndex) return;
  fImageIndex = value;
  ImageChanged();
}

void TZCLBaseControl::SetListIndex(int value) {
  if (value < 0 || value == fListIndex) return;
  fListIndex = value;
  ImageChanged();
}

TZCLBaseControl::TZCLBaseControl(QWidget* parent)
    : TZCLControl(parent), fBackFX(std::make_unique<TZCLBitmapEffectObject>()) {
  fBackFX->OnChange = [this](QObject*) { Change(); };
}

QImage TZCLBaseControl::BackgroundBitmap() const {
  return ZCLBackgroundPicture(const_cast<TZCLBaseControl*>(this), FaceTransparent(), Color(), fBackFX.get());
}

void TZCLBaseControl::PaintBackground(TCanvas& canvas, const TRect& r, TColor color) {
  ZCLPaintBackground(this, canvas, r, FaceTransparent(), color, fBackFX.get());
}

void TZCLBaseControl::BoundsChanged(int flags) {
  if (UsesBackground() || fBackFX->IsActive()) update();  // another part of the picture lies under it
  TZCLControl::BoundsChanged(flags);
}

TZCLBaseGraphicControl::TZCLBaseGraphicControl(QWidget* parent) : TZCLBaseControl(parent) { resize(30, 30); }

void TZCLBaseGraphicControl::SetTransparentFace(bool value) {
  if (value == fTransparent) return;
  fTransparent = value;
  Change();
}

TZCLGraphicControl::TZCLGraphicControl(QWidget* parent)
    : TZCLBaseGraphicControl(parent), fBevel(std::make_unique<TZCLBevel>()) {
  fBevel->SetOwner(this);
  fBevel->OnChange = [this](QObject*) { update(); };
}

void TZCLGraphicControl::Paint(TCanvas& canvas) {
  if (IsLoading()) return;
  if (IsTransparent()) PaintBackground(canvas, Rect(0, 0, width(), height()), Color());
  if (IsTransparent() && fBevel->BevelExtent() == 0) return;
  fBevel->PaintBevel(canvas, Rect(0, 0, width(), height()), IsTransparent());
}

}  // namespace zyn
