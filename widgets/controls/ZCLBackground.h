#pragma once
// Transparent painting over a parent's background. A background source (a non-visual component
// of a form, or a control that carries a background for its children) answers IZCLBackground
// with its picture; a transparent control that answers it as well copies the part of that
// picture under itself before it paints, so that the picture or gradient of the parent shows
// through and the control's background effect can work on it.

#include "platform/Canvas.h"
#include "widgets/controls/ZCLBitmapEffect.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QWidget>

#include <vector>

namespace zyn {

class IZCLBackground {
 public:
  virtual ~IZCLBackground() = default;
  // Whether a background picture is there (a source) or used (a client).
  virtual bool BackgroundAvailable() const = 0;
  // The picture, in the coordinates of the widget it lies under (the form or the control).
  virtual QImage BackgroundBitmap() const = 0;
  // Whether the children may paint over this one's background.
  virtual bool TransparentCapable() const = 0;
  // The position of a child inside the picture.
  virtual QPoint BackgroundOrigin(const QWidget* child) const = 0;
  // The controls that paint over this background.
  virtual std::vector<QObject*> BackgroundUsers() const = 0;
  // The background changed: paint again.
  virtual void BackgroundRefresh() = 0;
};

// The interface of a component, or null (also for a null component).
IZCLBackground* ZCLQueryBackground(QObject* component);
// The background source of a control: for a control on a form (a window), the form's first
// non-visual component that answers the interface; otherwise the parent when it answers it.
IZCLBackground* ZCLBackgroundSource(const QWidget* control);
// Whether the control paints over its parent's background: it answers the interface itself, a
// source exists, a parent that is not a form reports itself transparent-capable, and the source
// has a picture.
bool ZCLUsesParentBackground(QWidget* control);
// A point of the control in the coordinates of the parent's background picture.
QPoint ZCLBackgroundPoint(const QWidget* control, const QPoint& p);
// Tells the other users of the parent's background to paint again.
void ZCLRefreshBackgroundUsers(QWidget* control);
// The users of a widget's background: its children that answer the interface.
std::vector<QObject*> ZCLBackgroundUsersOf(const QWidget* widget);
// Copies the part of the parent's background under r of the control into the canvas; false
// (nothing painted) when the control does not use the parent's background.
bool ZCLDrawParentBackground(QWidget* control, TCanvas& canvas, const TRect& r);
// The background of a control under r: the part of the parent's background when it is
// transparent (nothing when it uses none: the parent then shows through as it is painted), else
// the colour and over it the fill when one is given; then the effects when they are active. True
// when something was painted.
bool ZCLPaintBackground(QWidget* control, TCanvas& canvas, const TRect& r, bool transparent, TColor color,
                        TZCLBitmapEffectObject* effects, const TZCLFillObject* fill = nullptr);
// The whole background of a control as ZCLPaintBackground paints it, as a picture (the colour
// where nothing is painted): what a control offers the transparent children on it.
QImage ZCLBackgroundPicture(QWidget* control, bool transparent, TColor color, TZCLBitmapEffectObject* effects,
                            const TZCLFillObject* fill = nullptr);

// The background of a form: a non-visual component that fills the whole form with its fill
// object (a gradient, a bitmap or a brush) and offers that picture to the form's transparent
// controls.
class TZCLFormBackground : public QObject, public IZCLBackground {
  Q_OBJECT
 public:
  // Created on the form (its parent object), which it paints.
  explicit TZCLFormBackground(QWidget* form);
  TZCLFillObject& Fill() { return fFill; }
  TColor Color() const { return fColor; }
  void SetColor(TColor value);

  bool BackgroundAvailable() const override { return fFill.Style() != sfNone; }
  QImage BackgroundBitmap() const override;
  bool TransparentCapable() const override { return true; }
  QPoint BackgroundOrigin(const QWidget* child) const override;
  std::vector<QObject*> BackgroundUsers() const override;
  void BackgroundRefresh() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Form() const { return static_cast<QWidget*>(parent()); }
  TZCLFillObject fFill;
  TColor fColor = clBtnFace;
  mutable QImage fCache;
};

}  // namespace zyn
