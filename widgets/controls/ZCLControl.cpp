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
  loading_ = false;
  Loaded();
}

void TZCLControl::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Change();
}

void TZCLControl::SetCtlXP(bool value) {
  if (value == ctlXP_) return;
  ctlXP_ = value;
  Change();
}

void TZCLControl::SetCaption(const QString& value) {
  if (value == caption_) return;
  caption_ = value;
  Change();
}

void TZCLControl::SetBounds(int left, int top, int w, int h) {
  inSetBounds_ = true;
  pendingFlags_ = 0;
  setGeometry(left, top, w, h);
  inSetBounds_ = false;
  const int flags = pendingFlags_;
  pendingFlags_ = 0;
  if (flags && !loading_) BoundsChanged(flags);
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
  if (loading_) return;
  TCanvas canvas(static_cast<QPaintDevice*>(this));
  canvas.Font.Font = font();
  Paint(canvas);
}

void TZCLControl::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (inSetBounds_) pendingFlags_ |= bcMoved;
  else if (!loading_) BoundsChanged(bcMoved);
}

void TZCLControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (inSetBounds_) pendingFlags_ |= bcResized;
  else if (!loading_) BoundsChanged(bcResized);
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
  if (value < 0 || value == imageIndex_) return;
  imageIndex_ = value;
  ImageChanged();
}

void TZCLBaseControl::SetListIndex(int value) {
  if (value < 0 || value == listIndex_) return;
  listIndex_ = value;
  ImageChanged();
}

TZCLBaseGraphicControl::TZCLBaseGraphicControl(QWidget* parent) : TZCLBaseControl(parent) { resize(30, 30); }

void TZCLBaseGraphicControl::SetTransparentFace(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Change();
}

TZCLGraphicControl::TZCLGraphicControl(QWidget* parent)
    : TZCLBaseGraphicControl(parent), bevel_(std::make_unique<TZCLBevel>()) {
  bevel_->SetOwner(this);
  bevel_->OnChange = [this](QObject*) { update(); };
}

void TZCLGraphicControl::Paint(TCanvas& canvas) {
  if (IsLoading()) return;
  if (IsTransparent() && bevel_->BevelExtent() == 0) return;
  bevel_->PaintBevel(canvas, Rect(0, 0, width(), height()), IsTransparent());
}

}  // namespace zyn
