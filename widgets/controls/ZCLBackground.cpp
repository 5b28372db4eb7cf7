#include "widgets/controls/ZCLBackground.h"

#include "platform/Colors.h"

#include <QEvent>
#include <QPainter>

namespace zyn {

IZCLBackground* ZCLQueryBackground(QObject* component) { return dynamic_cast<IZCLBackground*>(component); }

IZCLBackground* ZCLBackgroundSource(const QWidget* control) {
  QWidget* parent = control ? control->parentWidget() : nullptr;
  if (!parent) return nullptr;
  if (parent->isWindow()) {
    for (QObject* child : parent->children())
      if (!child->isWidgetType())
        if (IZCLBackground* source = ZCLQueryBackground(child)) return source;
    return nullptr;
  }
  return ZCLQueryBackground(parent);
}

bool ZCLUsesParentBackground(QWidget* control) {
  if (!ZCLQueryBackground(control)) return false;
  IZCLBackground* source = ZCLBackgroundSource(control);
  if (!source) return false;
  QWidget* parent = control->parentWidget();
  if (!parent->isWindow() && !ZCLQueryBackground(parent)->TransparentCapable()) return false;
  return source->BackgroundAvailable();
}

QPoint ZCLBackgroundPoint(const QWidget* control, const QPoint& p) {
  QWidget* parent = control->parentWidget();
  if (!parent) return p;
  if (parent->isWindow()) return p + control->pos();
  IZCLBackground* source = ZCLQueryBackground(parent);
  return p + (source ? source->BackgroundOrigin(control) : control->pos());
}

void ZCLRefreshBackgroundUsers(QWidget* control) {
  QWidget* parent = control ? control->parentWidget() : nullptr;
  IZCLBackground* source = ZCLBackgroundSource(control);
  if (!parent || !source) return;
  for (QObject* user : source->BackgroundUsers())
    if (user != control)
      if (IZCLBackground* b = ZCLQueryBackground(user)) b->BackgroundRefresh();
}

std::vector<QObject*> ZCLBackgroundUsersOf(const QWidget* widget) {
  std::vector<QObject*> users;
  for (QObject* child : widget->children())
    if (child->isWidgetType() && ZCLQueryBackground(child)) users.push_back(child);
  return users;
}

namespace {

// Copies the parent's background under r of the control to (x, y) of the canvas.
bool CopyParentBackground(QWidget* control, TCanvas& canvas, const TRect& r, int x, int y) {
  if (!ZCLUsesParentBackground(control)) return false;
  const QImage picture = ZCLBackgroundSource(control)->BackgroundBitmap();
  if (picture.isNull()) return false;
  const QPoint origin = ZCLBackgroundPoint(control, QPoint(r.Left, r.Top));
  canvas.CopyRect(Bounds(x, y, r.Width(), r.Height()), picture, Bounds(origin.x(), origin.y(), r.Width(), r.Height()));
  return true;
}

}  // namespace

bool ZCLDrawParentBackground(QWidget* control, TCanvas& canvas, const TRect& r) {
  return CopyParentBackground(control, canvas, r, r.Left, r.Top);
}

bool ZCLPaintBackground(QWidget* control, TCanvas& canvas, const TRect& r, bool transparent, TColor color,
                        TZCLBitmapEffectObject* effects, const TZCLFillObject* fill) {
  if (r.Width() <= 0 || r.Height() <= 0) return false;
  const auto own = [&](TCanvas& c, const TRect& area) {
    c.Brush = TBrush{color, bsSolid, QImage()};
    c.FillRect(area);
    if (fill) fill->FillCanvas(c, area, color);
  };
  if (!effects || !effects->IsActive()) {
    if (transparent) return ZCLDrawParentBackground(control, canvas, r);
    own(canvas, r);
    return true;
  }
  QImage back(r.Width(), r.Height(), QImage::Format_RGB32);
  const TRect whole = Rect(0, 0, r.Width(), r.Height());
  {
    TCanvas b(&back);
    // without a background to use, the parent shows through as it is painted
    if (transparent && !CopyParentBackground(control, b, r, 0, 0)) return false;
    if (!transparent) own(b, whole);
  }
  QImage result;
  effects->ApplyEffects(back, whole, result);
  canvas.Draw(r.Left, r.Top, result);
  return true;
}

QImage ZCLBackgroundPicture(QWidget* control, bool transparent, TColor color, TZCLBitmapEffectObject* effects,
                            const TZCLFillObject* fill) {
  if (control->size().isEmpty()) return {};
  QImage picture(control->size(), QImage::Format_RGB32);
  picture.fill(ToQColor(ColorToRGB(color)));
  TCanvas canvas(&picture);
  ZCLPaintBackground(control, canvas, Rect(0, 0, control->width(), control->height()), transparent, color, effects,
                     fill);
  return picture;
}

TZCLFormBackground::TZCLFormBackground(QWidget* form) : QObject(form) {
  form->installEventFilter(this);
  fFill.SetStyle(sfGradient);
  fFill.OnChange = [this](QObject*) { BackgroundRefresh(); };
}

void TZCLFormBackground::SetColor(TColor value) {
  if (value == fColor) return;
  fColor = value;
  BackgroundRefresh();
}

QImage TZCLFormBackground::BackgroundBitmap() const {
  const QSize size = Form()->size();
  if (!BackgroundAvailable() || size.isEmpty()) return {};
  if (fCache.size() != size) {
    fCache = QImage(size, QImage::Format_RGB32);
    TCanvas canvas(&fCache);
    canvas.Brush = TBrush{fColor, bsSolid, QImage()};
    canvas.FillRect(Rect(0, 0, size.width(), size.height()));
    fFill.FillCanvas(canvas, Rect(0, 0, size.width(), size.height()), fColor);
  }
  return fCache;
}

QPoint TZCLFormBackground::BackgroundOrigin(const QWidget* child) const { return child->pos(); }

std::vector<QObject*> TZCLFormBackground::BackgroundUsers() const { return ZCLBackgroundUsersOf(Form()); }

void TZCLFormBackground::BackgroundRefresh() {
  fCache = QImage();
  Form()->update();
  for (QObject* user : BackgroundUsers()) static_cast<QWidget*>(user)->update();
}

bool TZCLFormBackground::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent()) {
    if (event->type() == QEvent::Resize) fCache = QImage();
    if (event->type() == QEvent::Paint && BackgroundAvailable()) {
      QPainter painter(Form());
      painter.drawImage(0, 0, BackgroundBitmap());
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zyn
